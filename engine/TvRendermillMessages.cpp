// Emptying the engine's two message channels to its outputs; the lines, the
// UTF-16 handling and the console rules are those of clParentMessages.
#include "TvRendermill.h"

void TvRendermill::FlushMessages() {
  if (m_parentMessages.Flush(m_infoChannel, m_errorChannel)) m_errorFlag = 1;  // any error text fails the run
}
