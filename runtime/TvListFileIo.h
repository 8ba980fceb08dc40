// Writing and reading list files (format in TvListFile.h) through the file
// object, with its Retry/Cancel boxes when asked.
#pragma once
#include <string>
#include <vector>

#include "TvFile.h"

namespace tv {

// One entry (path and CR LF) as one write at the current position.
bool WriteListEntry(clTvFile& file, const std::wstring& path);
// Every entry in order; stops at the first write that fails.
bool WriteListFile(clTvFile& file, const std::vector<std::wstring>& paths);

// Makes a new temporary list file (TvTempFile.h, with `prefix`) holding
// `paths`, complete and closed, and returns its path. The file is opened for
// writing (create always, shared) with the file object's boxes when
// `showErrors`; when it cannot be opened or a write fails, the file is deleted
// and "" returned.
std::wstring MakeListFile(const std::vector<std::wstring>& paths, const std::wstring& prefix,
                          bool showErrors);

// Reads a list file (open existing, not shared) into `paths`; false when it
// cannot be opened or read (then `paths` holds what could be read).
bool ReadListFile(const std::wstring& path, std::vector<std::wstring>* paths, bool showErrors);

}  // namespace tv
