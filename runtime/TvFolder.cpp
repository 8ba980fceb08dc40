#include "TvFolder.h"

#include "TvFileSystem.h"
#include "TvFsCalls.h"
#include "TvPath.h"

namespace tv {

namespace {

bool IsFolderAt(const std::wstring& path) {
  DWORD attributes = FsGetAttributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

clFolderEnum::clFolderEnum(const std::wstring& folder, const std::wstring& mask, bool filesOnly)
    : folder_(EnsureTrailingBackslash(folder)), mask_(mask.empty() ? L"*" : mask), filesOnly_(filesOnly) {}

clFolderEnum::~clFolderEnum() {
  if (search_ != INVALID_HANDLE_VALUE) FindClose(search_);
}

bool clFolderEnum::Wanted() const {
  const wchar_t* n = data_.cFileName;
  if (n[0] == L'.' && (n[1] == 0 || (n[1] == L'.' && n[2] == 0))) return false;
  return !(filesOnly_ && IsFolder());
}

bool clFolderEnum::Next() {
  for (;;) {
    if (!started_) {
      started_ = true;
      if (folder_.empty()) return false;
      search_ = FsFindFirst(folder_ + mask_, &data_);
      if (search_ == INVALID_HANDLE_VALUE) return false;
    } else {
      if (search_ == INVALID_HANDLE_VALUE) return false;
      if (!FsFindNext(search_, &data_)) {
        FindClose(search_);
        search_ = INVALID_HANDLE_VALUE;
        name_.clear();
        fullPath_.clear();
        return false;
      }
    }
    if (Wanted()) {
      name_ = data_.cFileName;
      fullPath_ = folder_ + name_;
      return true;
    }
  }
}

bool CreateFolderTree(const std::wstring& folder) {
  const auto levels = FolderTreeLevels(folder);
  if (levels.empty()) {  // only a root: it must be there
    bool isFolder = false;
    return !folder.empty() && FileExists(folder, &isFolder) && isFolder;
  }
  for (const std::wstring& level : levels) {
    if (IsFolderAt(level)) continue;
    if (!FsMakeFolder(level) && !IsFolderAt(level)) return false;  // another may have made it meanwhile
  }
  return true;
}

}  // namespace tv
