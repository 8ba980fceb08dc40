// The child's command text, kept apart from the platform code.
#include <string>

namespace tv {

std::wstring ChildCommandLine(const std::wstring& program, const std::wstring& arguments) {
  return L"\"" + program + L"\" " + arguments;
}

}  // namespace tv
