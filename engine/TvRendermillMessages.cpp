// Emptying the engine's two message channels to its outputs.
#include "TvCodePage.h"
#include "TvRendermill.h"

namespace {

void WriteBytes(HANDLE handle, const std::string& bytes) {
  if (!handle || handle == INVALID_HANDLE_VALUE || bytes.empty()) return;
  size_t done = 0;
  while (done < bytes.size()) {  // write failures are ignored; a stuck write ends the flush
    const size_t left = bytes.size() - done;
    DWORD written = 0;
    if (!WriteFile(handle, bytes.data() + done, DWORD(left > 0x10000000u ? 0x10000000u : left),
                   &written, nullptr) || written == 0)
      return;
    done += written;
  }
}

// Channel bytes are UTF-16LE lines; the console gets them in the ANSI code page.
std::string ChannelTextAsAnsi(const std::string& bytes) {
  std::wstring text(bytes.size() / 2, L'\0');
  for (size_t i = 0; i < text.size(); ++i)
    text[i] = wchar_t(static_cast<unsigned char>(bytes[2 * i]) |
                      (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
  return tv::WideToAnsi(text);
}

}  // namespace

void TvRendermill::FlushMessages() {
  const std::string information = m_infoChannel.ReadAvailable();
  if (!information.empty()) {
    if (m_commandFileMode)
      WriteBytes(m_stdOutput, information);
    else if (!m_silent)
      WriteBytes(m_stdOutput, "\r\n" + ChannelTextAsAnsi(information) + "\r\n");
  }

  const std::string errors = m_errorChannel.ReadAvailable();
  if (!errors.empty()) {
    m_errorFlag = 1;  // any error text fails the conversion
    WriteBytes(m_errorOutput, m_commandFileMode ? errors : ChannelTextAsAnsi(errors));
  }
}
