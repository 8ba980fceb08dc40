#include "TvParentMessages.h"

#include "TvCodePage.h"

namespace {

bool Usable(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }

std::string WideBytes(const std::wstring& text) {
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (wchar_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>((c >> 8) & 0xFF);
  }
  return bytes;
}

}  // namespace

namespace tv {

void WriteOutputBytes(HANDLE handle, const std::string& bytes) {
  if (!Usable(handle)) return;
  size_t done = 0;
  while (done < bytes.size()) {  // a console or pipe may take a long text in parts
    const size_t left = bytes.size() - done;
    const DWORD piece = static_cast<DWORD>(left > 0x100000 ? 0x100000 : left);
    DWORD written = 0;
    if (!WriteFile(handle, bytes.data() + done, piece, &written, nullptr) || written == 0) return;
    done += written;
  }
}

bool QuitRequested(const clEvent& quit) { return quit.IsSignalled(); }

bool WriteByteCounter(clSharedMemory& counter, uint64_t bytes) {
  if (!counter.IsOpen() || counter.Size() != sizeof(bytes)) return false;
  return counter.Write(&bytes);
}

bool WriteRenderByteCounter(clSharedMemory& counter, uint32_t bytes) {
  return WriteByteCounter(counter, static_cast<uint64_t>(bytes));
}

}  // namespace tv

void clParentMessages::Configure(const TvParentOutputs& outputs) {
  outputs_ = outputs;
  progress_.Reset();
  failed_ = false;
  infoCarry_.clear();
  errorCarry_.clear();
}

std::wstring clParentMessages::TakeUtf16(std::string& carry, const std::string& bytes) {
  std::string all = carry + bytes;
  carry.clear();
  if (all.size() % 2) {
    carry = all.substr(all.size() - 1);
    all.resize(all.size() - 1);
  }
  std::wstring text(all.size() / 2, L'\0');
  for (size_t i = 0; i < text.size(); ++i)
    text[i] = wchar_t(static_cast<unsigned char>(all[2 * i]) | (static_cast<unsigned char>(all[2 * i + 1]) << 8));
  return text;
}

bool clParentMessages::Flush(clMessageChannel& information, clMessageChannel& errors) {
  const std::string info = information.ReadAvailable();
  if (!info.empty()) {
    if (outputs_.commandFileMode) {
      tv::WriteOutputBytes(outputs_.standardOutput, info);  // already UTF-16LE lines
    } else if (!outputs_.silent) {
      std::wstring text = TakeUtf16(infoCarry_, info);
      if (!text.empty()) tv::WriteOutputBytes(outputs_.standardOutput, "\r\n" + tv::WideToAnsi(text) + "\r\n");
    }
  }

  const std::string error = errors.ReadAvailable();
  if (error.empty()) return false;
  failed_ = true;  // any error text fails the conversion, whoever wrote it
  if (outputs_.commandFileMode) {
    tv::WriteOutputBytes(outputs_.errorOutput, error);
  } else {
    // Error texts reach the error output also when silent.
    std::wstring text = TakeUtf16(errorCarry_, error);
    if (!text.empty()) tv::WriteOutputBytes(outputs_.errorOutput, tv::WideToAnsi(text));
  }
  return true;
}

void clParentMessages::SendParentMessage(const std::wstring& line) {
  if (!outputs_.commandFileMode) return;  // the console never sees these lines
  tv::WriteOutputBytes(outputs_.standardOutput, WideBytes(line + L"\r\n"));
}

void clParentMessages::SendTvxMessage(const std::wstring& text) {
  SendParentMessage(tv::kParentMessagePrefix + text);
}

void clParentMessages::ShowInputAction(const std::wstring& text) {
  std::wstring message;
  if (outputs_.commandFileMode && progress_.InputAction(text, &message)) SendTvxMessage(message);
}

void clParentMessages::ShowOutputAction(const std::wstring& text) {
  std::wstring message;
  if (outputs_.commandFileMode && progress_.OutputAction(text, &message)) SendTvxMessage(message);
}

void clParentMessages::ReportProgress(int percent) {
  std::wstring message;
  if (outputs_.commandFileMode) {
    if (progress_.PercentDone(percent, &message)) SendTvxMessage(message);
    return;
  }
  const int stars = progress_.NewStars(percent);
  if (stars > 0 && !outputs_.silent) tv::WriteOutputBytes(outputs_.standardOutput, std::string(stars, '*'));
}

void clParentMessages::ShowProgressScale() {
  if (ShowsConsole())
    tv::WriteOutputBytes(outputs_.standardOutput, "\r\n" + tv::WideToAnsi(tv::kProgressScale) + " ");
}

void clParentMessages::EndProgressLine() {
  if (ShowsConsole()) tv::WriteOutputBytes(outputs_.standardOutput, "\r\n\r\n");
}

void clParentMessages::ConsoleText(const std::wstring& text, bool lineEnd) {
  if (ShowsConsole()) tv::WriteOutputBytes(outputs_.standardOutput, tv::WideToAnsi(text) + (lineEnd ? "\r\n" : ""));
}
