// Rendermill.exe: one conversion per run. Success or failure is told by the
// error output and the parent messages only; the exit code is always 0.
#include "TvRendermill.h"

int main() {
  {
    TvRendermill engine;
    engine.Run();
  }
  return 0;
}
