#include "TvCommandFile.h"

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "TvCommandFileText.h"
#include "TvFile.h"

namespace tv {
namespace {

struct FreeDeleter {
  void operator()(unsigned char* p) const { std::free(p); }
};

}  // namespace

const wchar_t* CommandFileResultText(TvCommandFileResult result) {
  switch (result) {
    case TvCommandFileResult::OpenFailed: return L"Error opening TvCmd File.";
    case TvCommandFileResult::Empty: return L"Error TvCmd File is Empty.";
    case TvCommandFileResult::NoMemory: return L"Error allocating TvCmd File Buffer.";
    case TvCommandFileResult::ReadFailed: return L"Error reading TvCmd File.";
    case TvCommandFileResult::Ok: break;
  }
  return L"";
}

TvCommandFileResult ReadCommandFile(const std::wstring& path, std::wstring& text) {
  clTvFile file;
  if (path.empty() || !file.OpenRead(path, false)) return TvCommandFileResult::OpenFailed;

  const uint64_t byteCount64 = file.Size();
  if (byteCount64 == 0) return TvCommandFileResult::Empty;
  // Two spare zero bytes terminate the text; a size the address space cannot
  // hold is an allocation failure, not a wrap-around.
  if (byteCount64 > uint64_t(SIZE_MAX) - 2) return TvCommandFileResult::NoMemory;
  const size_t byteCount = size_t(byteCount64);
  std::unique_ptr<unsigned char, FreeDeleter> buffer(
      static_cast<unsigned char*>(std::calloc(byteCount + 2, 1)));
  if (!buffer) return TvCommandFileResult::NoMemory;

  size_t done = 0;
  while (done < byteCount) {
    const size_t left = byteCount - done;
    const DWORD chunk = left > 0x10000000u ? 0x10000000u : DWORD(left);
    bool failed = false;
    const DWORD got = file.Read(buffer.get() + done, chunk, kSeekNone, &failed);
    if (failed || got == 0) return TvCommandFileResult::ReadFailed;  // a short read too
    done += got;
  }

  text = DecodeCommandFileText(buffer.get(), byteCount);
  return TvCommandFileResult::Ok;
}

}  // namespace tv
