#include "TvCrashGuard.h"

#include <cwchar>

namespace {

// Everything the filter reads lives in fixed storage: after a fault the heap
// may be the very thing that broke.
const int kGuardedFiles = 16;
const size_t kGuardedPathChars = 2048;

struct GuardedSlot {
  volatile LONG used;
  wchar_t path[kGuardedPathChars];
};

GuardedSlot g_slots[kGuardedFiles];
HANDLE volatile g_errorOutput = nullptr;
volatile LONG g_utf16 = 0;
volatile LONG g_entered = 0;

void AppendHex(std::wstring& text, unsigned long long value, int digits) {
  static const wchar_t kDigits[] = L"0123456789ABCDEF";
  for (int i = digits - 1; i >= 0; --i) text += kDigits[(value >> (4 * i)) & 0xF];
}

void WriteAll(HANDLE handle, const void* bytes, DWORD size) {
  const char* at = static_cast<const char*>(bytes);
  while (size > 0) {
    DWORD written = 0;
    if (!WriteFile(handle, at, size, &written, nullptr) || written == 0) return;
    at += written;
    size -= written;
  }
}

void WriteCrashLine(const std::wstring& text) {
  HANDLE output = g_errorOutput;
  if (!output || output == INVALID_HANDLE_VALUE) return;
  const std::wstring line = text + L"\r\n";
  if (g_utf16) {
    WriteAll(output, line.data(), DWORD(line.size() * sizeof(wchar_t)));
    return;
  }
  char ansi[2048];
  const int n = WideCharToMultiByte(CP_ACP, 0, line.data(), int(line.size()), ansi, sizeof ansi, nullptr, nullptr);
  if (n > 0) WriteAll(output, ansi, DWORD(n));
}

std::wstring ModuleNameAt(const void* address) {
  HMODULE module = nullptr;
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          static_cast<LPCWSTR>(address), &module))
    return std::wstring();
  wchar_t path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameW(module, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return std::wstring();
  const wchar_t* name = wcsrchr(path, L'\\');
  return name ? name + 1 : path;
}

bool SameFile(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b) {
  return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
         a.nFileIndexLow == b.nFileIndexLow;
}

// The faulting plug-in may still hold the file open without letting it be
// deleted. The process is ending anyway: its handles onto that file are
// closed here so the delete can go through.
void CloseHandlesOnto(const wchar_t* path) {
  HANDLE probe = CreateFileW(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
  if (probe == INVALID_HANDLE_VALUE) return;
  BY_HANDLE_FILE_INFORMATION target = {};
  const bool known = GetFileInformationByHandle(probe, &target) != FALSE;
  CloseHandle(probe);
  if (!known) return;
  for (ULONG_PTR value = 4; value < 0x40000; value += 4) {
    HANDLE handle = reinterpret_cast<HANDLE>(value);
    if (GetFileType(handle) != FILE_TYPE_DISK) continue;
    BY_HANDLE_FILE_INFORMATION information = {};
    if (GetFileInformationByHandle(handle, &information) && SameFile(information, target)) CloseHandle(handle);
  }
}

void DeleteGuardedFile(const wchar_t* path) {
  if (DeleteFileW(path) || GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES) return;
  CloseHandlesOnto(path);
  DeleteFileW(path);
}

LONG WINAPI LastChanceFilter(EXCEPTION_POINTERS* pointers) {
  // A fault inside the filter itself must not loop back here.
  if (InterlockedExchange(&g_entered, 1) != 0) TerminateProcess(GetCurrentProcess(), 0);
  const EXCEPTION_RECORD* record = pointers ? pointers->ExceptionRecord : nullptr;
  const DWORD code = record ? record->ExceptionCode : 0;
  const void* address = record ? record->ExceptionAddress : nullptr;
  WriteCrashLine(tv::CrashLine(code, address, ModuleNameAt(address)));
  for (GuardedSlot& slot : g_slots) {
    if (slot.used == 1) DeleteGuardedFile(slot.path);
  }
  TerminateProcess(GetCurrentProcess(), 0);
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

namespace tv {

std::wstring CrashLine(DWORD code, const void* address, const std::wstring& moduleName) {
  std::wstring text = L"Error: Rendermill stopped by exception 0x";
  AppendHex(text, code, 8);
  text += L" at 0x";
  AppendHex(text, reinterpret_cast<uintptr_t>(address), int(sizeof(void*) * 2));
  if (!moduleName.empty()) text += L" in '" + moduleName + L"'";
  text += L", conversion failed.";
  return text;
}

}  // namespace tv

clCrashGuardScope::clCrashGuardScope(HANDLE errorOutput, bool utf16Lines) {
  g_errorOutput = errorOutput;
  g_utf16 = utf16Lines ? 1 : 0;
  previous_ = SetUnhandledExceptionFilter(LastChanceFilter);
}

clCrashGuardScope::~clCrashGuardScope() {
  SetUnhandledExceptionFilter(previous_);
  g_errorOutput = nullptr;
}

bool clCrashGuardedFile::Guard(const std::wstring& path) {
  Release();
  if (path.empty() || path.size() >= kGuardedPathChars) return false;
  for (int i = 0; i < kGuardedFiles; ++i) {
    if (InterlockedCompareExchange(&g_slots[i].used, 2, 0) != 0) continue;  // 2: being filled
    std::wmemcpy(g_slots[i].path, path.c_str(), path.size() + 1);
    InterlockedExchange(&g_slots[i].used, 1);
    slot_ = i;
    return true;
  }
  return false;
}

void clCrashGuardedFile::Release() {
  if (slot_ < 0) return;
  InterlockedExchange(&g_slots[slot_].used, 0);
  slot_ = -1;
}
