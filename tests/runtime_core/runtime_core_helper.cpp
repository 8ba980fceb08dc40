// The second process of the runtime core tests.
//   shm NAME VALUE      opens the 8-byte shared block NAME, exits 10 + (1 when it
//                       existed already) after checking it holds VALUE and
//                       writing VALUE + 1 into it (exit 2 when the value differs)
//   write HANDLE BYTES  writes BYTES bytes of UTF-16 text ("0123456789" repeated,
//                       as whole characters) to the inherited HANDLE, then exits 0
//   sleep MS            sleeps MS milliseconds, then exits 0
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cwchar>
#include <string>

#include "TvCodePage.h"
#include "TvSharedMemory.h"

namespace {

int SharedBlock(const std::wstring& name, const std::wstring& value) {
  clSharedMemory block;
  bool existed = false;
  if (!block.Open(tv::WideToAnsi(name), 8, &existed)) return 1;
  uint64_t expected = std::wcstoull(value.c_str(), nullptr, 10);
  uint64_t held = 0;
  if (!block.Read(&held) || held != expected) return 2;
  uint64_t next = expected + 1;
  if (!block.Write(&next)) return 3;
  return 10 + (existed ? 1 : 0);
}

int WriteText(const std::wstring& handleText, const std::wstring& countText) {
  HANDLE handle = reinterpret_cast<HANDLE>(static_cast<uintptr_t>(std::wcstoull(handleText.c_str(), nullptr, 10)));
  size_t bytes = std::wcstoul(countText.c_str(), nullptr, 10);
  std::wstring text;
  for (size_t i = 0; i < bytes / sizeof(wchar_t); ++i) text += wchar_t(L'0' + i % 10);
  DWORD written = 0;
  return WriteFile(handle, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &written, nullptr) ? 0 : 4;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::wstring mode = argc > 1 ? argv[1] : L"";
  if (mode == L"shm" && argc == 4) return SharedBlock(argv[2], argv[3]);
  if (mode == L"write" && argc == 4) return WriteText(argv[2], argv[3]);
  if (mode == L"sleep" && argc == 3) {
    Sleep(std::wcstoul(argv[2], nullptr, 10));
    return 0;
  }
  return 100;
}
