// Folders: the enumerator over a folder's entries and folder-tree creation.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace tv {

// Walks the entries of one folder that match a mask, in the order the file
// system returns them. "." and ".." are never returned; folders are skipped
// when only files are wanted.
class clFolderEnum {
 public:
  // `folder` gets a trailing backslash when it has none.
  clFolderEnum(const std::wstring& folder, const std::wstring& mask = L"*", bool filesOnly = false);
  virtual ~clFolderEnum();
  clFolderEnum(const clFolderEnum&) = delete;
  clFolderEnum& operator=(const clFolderEnum&) = delete;

  // Moves to the next entry; false when there is none left.
  virtual bool Next();

  const std::wstring& Folder() const { return folder_; }
  const std::wstring& Name() const { return name_; }
  const std::wstring& FullPath() const { return fullPath_; }  // folder + name
  bool IsFolder() const { return (data_.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
  uint32_t Attributes() const { return data_.dwFileAttributes; }
  uint64_t Size() const { return (uint64_t(data_.nFileSizeHigh) << 32) | data_.nFileSizeLow; }
  uint64_t LastWriteTime() const {
    return (uint64_t(data_.ftLastWriteTime.dwHighDateTime) << 32) | data_.ftLastWriteTime.dwLowDateTime;
  }

 private:
  bool Wanted() const;

  std::wstring folder_;
  std::wstring mask_;
  bool filesOnly_;
  HANDLE search_ = INVALID_HANDLE_VALUE;
  bool started_ = false;
  WIN32_FIND_DATAW data_ = {};
  std::wstring name_;
  std::wstring fullPath_;
};

// Creates every missing level of `folder`, outermost first. An existing
// folder counts as success; a file standing where a folder is needed does not.
bool CreateFolderTree(const std::wstring& folder);

}  // namespace tv
