// Where the encoder writes, and how its output becomes the destination. An
// existing destination is never written by the encoder: it gets a temporary
// file beside it, which replaces the destination only after a successful run
// (in one move, so a failed replacement leaves the old file as it was). A
// temporary output never outlives this object.
#pragma once
#include <string>

#include "TvCrashGuard.h"

struct TvMessageHandles;

class clDestination {
 public:
  clDestination() = default;
  virtual ~clDestination();  // deletes a temporary output still there
  clDestination(const clDestination&) = delete;
  clDestination& operator=(const clDestination&) = delete;

  // Decides the path the encoder writes. ".IGNORE" destinations are handed
  // over unchanged and get no tags. Otherwise the destination's folder tree is
  // created, and an existing destination makes the encoder write a temporary
  // file (TemporaryDestinationPath), which is deleted first if a former run
  // left it behind.
  virtual void Prepare(const std::wstring& destination);

  const std::wstring& Destination() const { return destination_; }
  const std::wstring& WritePath() const { return writePath_; }
  bool UsesTemporary() const { return !temporary_.empty(); }
  bool IsIgnored() const { return ignored_; }

  // Ends the run's output. A run that did not succeed deletes the temporary
  // file and leaves the destination as it was. A successful one moves the
  // temporary file over the destination; an empty temporary output, or a move
  // the system refuses, is reported as an error (the old destination stays)
  // and returns false.
  virtual bool Finish(bool succeeded, const TvMessageHandles* handles);

  // Deletes the temporary output, if there is one (also after a failed move).
  virtual void DiscardTemporary();

 private:
  std::wstring destination_;
  std::wstring writePath_;
  std::wstring temporary_;  // empty when the encoder writes the destination itself
  bool ignored_ = false;
  clCrashGuardedFile guard_;
};
