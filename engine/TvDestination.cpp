#include "TvDestination.h"

#include "TvConversionRules.h"
#include "TvFileSystem.h"
#include "TvFolder.h"
#include "TvPath.h"
#include "TvTrace.h"

clDestination::~clDestination() { DiscardTemporary(); }

void clDestination::Prepare(const std::wstring& destination) {
  DiscardTemporary();
  destination_ = destination;
  writePath_ = destination;
  ignored_ = tv::IsIgnoreDestination(destination);
  if (ignored_) return;

  const std::wstring folder = tv::PathFolder(destination);
  if (!folder.empty()) tv::CreateFolderTree(folder);  // a failure shows when the encoder cannot write
  if (!tv::FileExists(destination)) return;

  temporary_ = tv::TemporaryDestinationPath(destination);
  // A temporary file a former run left behind must not pass for this run's output.
  if (tv::FileExists(temporary_)) tv::FileDelete(temporary_);
  writePath_ = temporary_;
  guard_.Guard(temporary_);
}

bool clDestination::Finish(bool succeeded, const TvMessageHandles* handles) {
  if (!succeeded) {
    DiscardTemporary();
    return false;
  }
  if (temporary_.empty()) return true;

  if (tv::FileSizeByName(temporary_) == 0) {
    tv::ReportError(L"Error: The encoder wrote no audio to '" + temporary_ + L"', '" + destination_ +
                        L"' was left unchanged.",
                    handles);
    DiscardTemporary();
    return false;
  }
  // One move replaces the old file: when the system refuses it, the old
  // destination is still there.
  if (!tv::FileMove(temporary_, destination_)) {
    tv::ReportError(L"Error overwriting file '" + destination_ + L"'", handles);
    DiscardTemporary();
    return false;
  }
  temporary_.clear();
  writePath_ = destination_;
  guard_.Release();
  return true;
}

void clDestination::DiscardTemporary() {
  if (temporary_.empty()) return;
  // Only once the file is really gone is it forgotten; the destructor tries again.
  if (tv::FileDelete(temporary_) || !tv::FileExists(temporary_)) {
    temporary_.clear();
    guard_.Release();
  }
}
