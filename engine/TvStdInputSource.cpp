#include "TvStdInputSource.h"

#include "TvConversionRules.h"
#include "TvFile.h"
#include "TvRendermillOptions.h"
#include "TvTrace.h"
#include "clCommandLine.h"

namespace {

const char kOpenFunction[] = "TvRendermill::OpenDecoder";

bool Usable(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }

int32_t NumberOption(const clCommandLine& options, const wchar_t* name) {
  std::wstring value;
  if (!options.GetOption(name, value) || value.empty()) return 0;
  return tv::ReadOptionNumber(value);
}

}  // namespace

HANDLE clStdInputSource::InputHandle() const { return GetStdHandle(STD_INPUT_HANDLE); }

bool clStdInputSource::Open(const clCommandLine& options, TvStreamInfo& stream, const TvMessageHandles* handles) {
  clTraceScope scope(handles, kOpenFunction);
  handles_ = handles;
  input_ = InputHandle();
  if (!Usable(input_)) {
    input_ = nullptr;
    tv::ReportError(L"Error: Cannot open StdInput for audio reading.", handles);
    return false;
  }
  isPipe_ = GetFileType(input_) == FILE_TYPE_PIPE;
  ended_ = false;
  pending_.clear();

  const int32_t rate = NumberOption(options, L"sourcefreq");
  if (rate <= 0) {
    tv::ReportError(L"Error: RIFF WAVE StdInput not supported yet.", handles);
    return false;
  }
  const int32_t channels = NumberOption(options, L"sourcechannels");
  const int32_t bits = NumberOption(options, L"sourcebits");
  const int32_t lengthMs = NumberOption(options, L"sourcelength");
  format_.SetPCM(channels, rate, bits);

  format_.CopyTo(&stream.description.format, sizeof(stream.description.format));
  stream.description.bitRate = static_cast<INT32>(int64_t(bits) * channels * rate);
  stream.description.lengthMs = lengthMs > 0 ? lengthMs : 0;
  stream.description.sourceBytes = format_.MsToBytes(stream.description.lengthMs);
  stream.sourcePath = L"-";

  std::wstring tagFile;
  if (options.GetOption(L"idtags", tagFile) && !tagFile.empty()) {
    tv::Trace(L"Reading StdIn Tmp File IDTags: ", handles, nullptr, false);
    std::vector<uint8_t> bytes;
    if (tv::ReadWholeFile(tagFile, &bytes) && !bytes.empty() && bytes.size() < 0x7FFFFFFF) {
      tagBlock_.assign(bytes.begin(), bytes.end());
      stream.tagBlock = tagBlock_.data();
      stream.tagBlockSize = static_cast<INT32>(tagBlock_.size());
    }
    tv::Trace(L"Read", handles);
  }
  tv::Trace(L"Using StdInput WFX:", handles);
  tv::Trace(format_.Dump(), handles);
  return true;
}

void clStdInputSource::ReadWithoutWaiting(size_t limit) {
  if (ended_ || !input_ || limit == 0) return;
  const size_t old = pending_.size();
  DWORD want = static_cast<DWORD>(limit);
  if (isPipe_) {
    DWORD available = 0;
    if (!PeekNamedPipe(input_, nullptr, 0, nullptr, &available, nullptr)) {
      ended_ = true;  // every writer has closed its end
      return;
    }
    if (available == 0) return;
    if (available < want) want = available;
  }
  // A file (or a device such as NUL) never makes a read wait for a writer;
  // its end reads as nothing.
  pending_.resize(old + want);
  DWORD got = 0;
  if (!ReadFile(input_, &pending_[old], want, &got, nullptr)) ended_ = true;
  pending_.resize(old + got);
  if (got == 0 && !isPipe_) ended_ = true;
}

bool clStdInputSource::NextBlock(TvAudioBlock& block, uint64_t byteTotal) {
  if (pending_.size() < kLargestRead) ReadWithoutWaiting(kLargestRead - pending_.size());
  // A pipe that broke after its last bytes: learn it now, so those bytes go
  // out as the last block instead of one more empty block.
  if (!ended_ && isPipe_ && pending_.empty()) ReadWithoutWaiting(kLargestRead);

  const size_t pass = tv::WholeSampleBytes(pending_.size(), format_.BlockAlign(), ended_);
  block_.assign(pending_, 0, pass);
  pending_.erase(0, pass);
  const bool last = ended_ && pending_.empty();
  tv::FillRawBlock(block, format_, block_.empty() ? nullptr : reinterpret_cast<BYTE*>(&block_[0]),
                   static_cast<int32_t>(block_.size()), byteTotal, last);
  return true;
}

void clStdInputSource::Close() {
  input_ = nullptr;
  pending_.clear();
  block_.clear();
}
