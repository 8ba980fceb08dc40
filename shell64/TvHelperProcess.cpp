#include "TvHelperProcess.h"

#include "TvProcess.h"

namespace tv {

std::wstring HelperArguments(const wchar_t* option, const std::wstring& requestPath) {
  return std::wstring(option) + L"\"" + requestPath + L"\"";
}

bool RunHelperProcess(const std::wstring& program, const std::wstring& arguments, bool wait, DWORD timeoutMs) {
  return StartProcess(program, arguments, wait, timeoutMs, /*inheritHandles=*/false,
                      CREATE_NO_WINDOW | NORMAL_PRIORITY_CLASS);
}

}  // namespace tv
