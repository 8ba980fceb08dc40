// The message channel: an in-process pipe whose write end is a real handle
// (plug-ins write to it with plain WriteFile through TvMessageHandles) and
// whose read end the owner empties with ReadAvailable.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

class clChannelDrain;

class clMessageChannel {
 public:
  clMessageChannel();
  virtual ~clMessageChannel();
  clMessageChannel(const clMessageChannel&) = delete;
  clMessageChannel& operator=(const clMessageChannel&) = delete;

  // Closes what was open and creates a new pipe; its handles are inheritable
  // when asked (so a child process can write into it). Text written into a
  // created channel is collected in memory as it arrives, so a writer never
  // waits for room, however much it writes between two reads.
  virtual bool Create(bool inheritable);

  // Uses existing handles instead of a pipe (either may be null), e.g.
  // standard input as a read end. The handles are closed by Close only when
  // `takeOwnership` is set.
  virtual void Attach(HANDLE readEnd, HANDLE writeEnd, bool takeOwnership = false);

  // Everything the channel holds now, as raw bytes (UTF-16LE lines for the
  // suite's channels). `broken` (when given) is set once every writer has
  // closed its end or the read end is unusable. With `wait`, an attached read
  // end that holds nothing yet is read once, waiting, for up to 2 000 000
  // bytes (standard input that is not a pipe is always read this way).
  virtual std::string ReadAvailable(bool wait = false, bool* broken = nullptr);

  // The write end TvMessageHandles carries; null when none.
  virtual HANDLE WriteHandle() const;
  virtual HANDLE ReadHandle() const;

  // Closes only this process's write end (after handing it to a child, so
  // that the child's exit makes the channel report broken).
  virtual void CloseWriteEnd();

  // Stops collecting and closes both ends.
  virtual void Close();

 private:
  HANDLE read_ = nullptr;
  HANDLE write_ = nullptr;
  bool ownsHandles_ = false;
  std::unique_ptr<clChannelDrain> drain_;  // present for created channels only
};
