// The type name the shell shows for a file's extension, from the classes
// root: extension -> class name -> the class's default value; "flac File"
// when nothing is registered. The last extension's answer is kept for the
// life of the process.
#pragma once
#include <string>

namespace tv {

std::wstring FileTypeText(const std::wstring& path);

}  // namespace tv
