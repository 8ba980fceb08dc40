// Starting a child process, with or without waiting for it.
#pragma once
#include <windows.h>

#include <string>

namespace tv {

// The command line of a child: the program path in double quotes, a space,
// then the arguments.
std::wstring ChildCommandLine(const std::wstring& program, const std::wstring& arguments);

// Starts `program` with `arguments` (default start-up information, the given
// handle inheritance and creation flags). Without `wait` the result is whether
// the process was created. With `wait` and `timeLimitMs` 0 it waits without
// limit; with a limit it waits in 250 ms steps and returns false when the
// limit has passed, leaving the process running. `processId` (when given)
// receives the child's id, so a caller can deal with a child left behind.
bool StartProcess(const std::wstring& program, const std::wstring& arguments, bool wait,
                  DWORD timeLimitMs, bool inheritHandles, DWORD creationFlags,
                  DWORD* processId = nullptr);

}  // namespace tv
