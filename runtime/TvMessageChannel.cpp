#include "TvMessageChannel.h"

#include <atomic>
#include <string>
#include <vector>

#include "TvSync.h"
#include "TvThread.h"

// Why a drain thread: in the engine, the channel's writers (its own code and
// its plug-ins) run on the same thread as its reader, and a pipe whose buffer
// is full makes WriteFile wait until someone reads. So a created channel's
// read end is an overlapped named pipe that a small thread keeps reading into
// memory; writers never wait for room, whatever they write between two reads.
// All reading happens under one lock. To take everything written so far,
// ReadAvailable cancels the thread's pending read (keeping whatever it had
// already received) and empties the pipe itself, so text written before the
// call is returned by that very call and never only by a later one.
//
// The engine asks for the text once per audio block, so the lock is a
// critical section rather than a kernel mutex: taking it when nobody else
// holds it costs no call into the system.
class clDrainLock {
 public:
  clDrainLock() { InitializeCriticalSection(&section_); }
  ~clDrainLock() { DeleteCriticalSection(&section_); }
  clDrainLock(const clDrainLock&) = delete;
  clDrainLock& operator=(const clDrainLock&) = delete;
  void Lock() { EnterCriticalSection(&section_); }
  void Unlock() { LeaveCriticalSection(&section_); }

 private:
  CRITICAL_SECTION section_;
};

class clDrainHold {
 public:
  explicit clDrainHold(clDrainLock& lock) : lock_(lock) { lock_.Lock(); }
  ~clDrainHold() { lock_.Unlock(); }
  clDrainHold(const clDrainHold&) = delete;
  clDrainHold& operator=(const clDrainHold&) = delete;

 private:
  clDrainLock& lock_;
};

class clChannelDrain {
 public:
  explicit clChannelDrain(HANDLE readEnd) : read_(readEnd), chunk_(kChunkBytes) { readEvent_.Create(); }

  ~clChannelDrain() {
    thread_.Stop(true);
    clDrainHold hold(lock_);
    CancelPending();  // the system must be done with chunk_ before it goes
  }

  bool Start() {
    {
      clDrainHold hold(lock_);
      IssueRead();
    }
    return thread_.Start(&clChannelDrain::Run, this);
  }

  std::string Take(bool* broken) {
    clDrainHold hold(lock_);
    CancelPending();
    // Everything written before this call is now either collected or in the
    // pipe; reading just what the pipe holds at this moment keeps a writer on
    // another thread that never pauses from holding the caller here forever.
    DWORD owed = 0;
    if (!broken_ && !PeekNamedPipe(read_, nullptr, 0, nullptr, &owed, nullptr)) broken_ = true;
    while (owed > 0 && !broken_) {
      const size_t before = collected_.size();
      if (!ReadNow(owed)) break;
      const size_t got = collected_.size() - before;
      if (got == 0) break;
      owed = got >= owed ? 0 : owed - static_cast<DWORD>(got);
    }
    // Asked once more only to learn whether every writer has gone.
    DWORD more = 0;
    if (!broken_ && !PeekNamedPipe(read_, nullptr, 0, nullptr, &more, nullptr)) broken_ = true;
    std::string bytes;
    bytes.swap(collected_);
    if (broken) *broken = broken_;
    IssueRead();  // the thread goes on collecting from here
    return bytes;
  }

 private:
  static constexpr DWORD kChunkBytes = 64 * 1024;

  static DWORD Run(HANDLE stopEvent, void* argument) {
    clChannelDrain* self = static_cast<clChannelDrain*>(argument);
    HANDLE waits[2] = {stopEvent, self->readEvent_.Handle()};
    for (;;) {
      {
        clDrainHold hold(self->lock_);
        if (self->pending_) self->FinishPending(false);
        if (!self->pending_) self->IssueRead();
        if (self->broken_) break;
      }
      if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) break;
    }
    return 0;
  }

  // Under the lock: starts reads until one stays pending (or the pipe breaks).
  // A few reads that complete at once are taken here; after that the thread
  // is woken to go on, so a writer that never pauses cannot hold the lock.
  void IssueRead() {
    for (int round = 0; round < 16 && !pending_ && !broken_; ++round) {
      // ReadFile resets the event itself as the read begins.
      overlapped_ = OVERLAPPED();
      overlapped_.hEvent = readEvent_.Handle();
      DWORD got = 0;
      if (ReadFile(read_, chunk_.data(), kChunkBytes, &got, &overlapped_)) {
        collected_.append(chunk_.data(), got);
      } else if (GetLastError() == ERROR_IO_PENDING) {
        pending_ = true;
      } else {
        broken_ = true;  // every writer has closed its end, or the pipe is gone
      }
    }
    if (!pending_ && !broken_) readEvent_.Set();
  }

  // Under the lock: collects a pending read's result if it is there (or, with
  // `wait`, once it is there).
  void FinishPending(bool wait) {
    DWORD got = 0;
    if (GetOverlappedResult(read_, &overlapped_, &got, wait ? TRUE : FALSE)) {
      collected_.append(chunk_.data(), got);
      pending_ = false;
      return;
    }
    DWORD error = GetLastError();
    if (error == ERROR_IO_INCOMPLETE) return;
    pending_ = false;
    if (error != ERROR_OPERATION_ABORTED) broken_ = true;
  }

  void CancelPending() {
    if (!pending_) return;
    CancelIoEx(read_, &overlapped_);
    FinishPending(true);
  }

  // Under the lock with no read pending: reads `bytes` that the pipe holds.
  bool ReadNow(DWORD bytes) {
    if (bytes > kChunkBytes) bytes = kChunkBytes;
    overlapped_ = OVERLAPPED();  // ReadFile resets the event as the read begins
    overlapped_.hEvent = readEvent_.Handle();
    DWORD got = 0;
    if (!ReadFile(read_, chunk_.data(), bytes, &got, &overlapped_)) {
      if (GetLastError() != ERROR_IO_PENDING) {
        broken_ = true;
        return false;
      }
      pending_ = true;
      FinishPending(true);  // the bytes are there, so this returns at once
      return !broken_;
    }
    collected_.append(chunk_.data(), got);
    return true;
  }

  HANDLE read_;
  clDrainLock lock_;
  clEvent readEvent_;
  clThread thread_;
  OVERLAPPED overlapped_ = OVERLAPPED();
  std::vector<char> chunk_;
  std::string collected_;
  bool pending_ = false;
  bool broken_ = false;
};

namespace {

std::atomic<unsigned long> g_pipeCounter{0};

// An anonymous-style pipe whose read end allows overlapped reads (CreatePipe
// cannot make one). Only the write end is made inheritable: a child writes
// into the channel but has no business reading from it.
bool CreateChannelPipe(bool inheritable, HANDLE* readEnd, HANDLE* writeEnd) {
  for (int attempt = 0; attempt < 16; ++attempt) {
    std::wstring name = L"\\\\.\\pipe\\TvChannel-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                        std::to_wstring(++g_pipeCounter) + L"-" + std::to_wstring(GetTickCount());
    HANDLE read = CreateNamedPipeW(
        name.c_str(), PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
        PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT, 1, 64 * 1024, 64 * 1024, 0, nullptr);
    if (read == INVALID_HANDLE_VALUE) continue;
    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, inheritable ? TRUE : FALSE};
    HANDLE write = CreateFileW(name.c_str(), GENERIC_WRITE, 0, &sa, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (write == INVALID_HANDLE_VALUE) {
      CloseHandle(read);
      continue;
    }
    *readEnd = read;
    *writeEnd = write;
    return true;
  }
  return false;
}

bool Usable(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }

// An attached read end: standard input may be a pipe, a file or a console.
std::string ReadAttached(HANDLE read, bool wait, bool* broken) {
  const DWORD kLargestRead = 2000000;
  std::string bytes;
  if (GetFileType(read) == FILE_TYPE_DISK) {
    // A file given as standard input cannot be asked how much it holds, but
    // reading it never waits for a writer: read the next part, and report
    // its end as a closed channel.
    bytes.resize(kLargestRead);
    DWORD got = 0;
    if (!ReadFile(read, &bytes[0], kLargestRead, &got, nullptr) || got == 0) *broken = true;
    bytes.resize(got);
    return bytes;
  }
  for (;;) {
    DWORD available = 0;
    if (!PeekNamedPipe(read, nullptr, 0, nullptr, &available, nullptr)) {
      *broken = true;
      break;
    }
    if (available == 0) {
      if (wait && bytes.empty()) {
        // Nothing yet: wait once for whatever comes next.
        bytes.resize(kLargestRead);
        DWORD got = 0;
        if (!ReadFile(read, &bytes[0], kLargestRead, &got, nullptr)) *broken = true;
        bytes.resize(got);
      }
      break;
    }
    size_t old = bytes.size();
    bytes.resize(old + available);
    DWORD got = 0;
    if (!ReadFile(read, &bytes[old], available, &got, nullptr)) {
      bytes.resize(old);
      *broken = true;
      break;
    }
    bytes.resize(old + got);
  }
  return bytes;
}

}  // namespace

clMessageChannel::clMessageChannel() = default;
clMessageChannel::~clMessageChannel() { Close(); }

bool clMessageChannel::Create(bool inheritable) {
  Close();
  HANDLE read = nullptr, write = nullptr;
  if (!CreateChannelPipe(inheritable, &read, &write)) return false;
  read_ = read;
  write_ = write;
  ownsHandles_ = true;
  drain_.reset(new clChannelDrain(read_));
  if (!drain_->Start()) {
    Close();
    return false;
  }
  return true;
}

void clMessageChannel::Attach(HANDLE readEnd, HANDLE writeEnd, bool takeOwnership) {
  Close();
  read_ = Usable(readEnd) ? readEnd : nullptr;
  write_ = Usable(writeEnd) ? writeEnd : nullptr;
  ownsHandles_ = takeOwnership;
}

std::string clMessageChannel::ReadAvailable(bool wait, bool* broken) {
  bool brokenHere = false;
  std::string bytes;
  if (drain_)
    bytes = drain_->Take(&brokenHere);
  else if (read_)
    bytes = ReadAttached(read_, wait, &brokenHere);
  else
    brokenHere = true;  // nothing to read from
  if (broken) *broken = brokenHere;
  return bytes;
}

HANDLE clMessageChannel::WriteHandle() const { return write_; }
HANDLE clMessageChannel::ReadHandle() const { return read_; }

void clMessageChannel::CloseWriteEnd() {
  if (write_ && ownsHandles_) CloseHandle(write_);
  write_ = nullptr;
}

void clMessageChannel::Close() {
  drain_.reset();  // stops the thread before its read end goes
  if (ownsHandles_) {
    if (read_) CloseHandle(read_);
    if (write_) CloseHandle(write_);
  }
  read_ = write_ = nullptr;
  ownsHandles_ = false;
}
