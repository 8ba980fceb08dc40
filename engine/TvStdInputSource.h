// Raw PCM on standard input as the run's source (option infile "-"). The
// format comes from the options sourcefreq, sourcechannels, sourcebits and
// sourcelength; tags, when wanted, from the file of option idtags.
//
// Standard input is read without waiting: each block takes what the pipe
// holds at that moment (a file or device is read in pieces). A pipe may hand
// over part of a sample; that part waits for the next read instead of making
// the block end mid-sample. Reads are bounded, so a writer that never pauses
// cannot make one block as large as the whole stream.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "TvBlockSource.h"
#include "TvPluginApi.h"
#include "clWaveFormat.h"

class clCommandLine;
struct TvMessageHandles;

class clStdInputSource : public clBlockSource {
 public:
  // Most bytes one block takes from standard input.
  static const size_t kLargestRead = 1u << 20;

  clStdInputSource() = default;
  ~clStdInputSource() override = default;
  clStdInputSource(const clStdInputSource&) = delete;
  clStdInputSource& operator=(const clStdInputSource&) = delete;

  // Sets up the source and fills `stream` (zeroed by the caller). False, with
  // the error reported, without a usable standard input or without a rate.
  virtual bool Open(const clCommandLine& options, TvStreamInfo& stream, const TvMessageHandles* handles);
  bool NextBlock(TvAudioBlock& block, uint64_t byteTotal) override;
  // Stops reading; standard input itself stays the process's.
  virtual void Close();

  const clWaveFormat& Format() const { return format_; }

 protected:
  // The handle to read (standard input; replaceable in tests).
  virtual HANDLE InputHandle() const;

 private:
  // Appends up to `limit` bytes that can be had without waiting; sets `ended`
  // when the writer has gone or the file is at its end.
  void ReadWithoutWaiting(size_t limit);

  HANDLE input_ = nullptr;  // not owned
  bool isPipe_ = false;
  bool ended_ = false;
  clWaveFormat format_;
  std::vector<BYTE> tagBlock_;
  std::string pending_;  // read but not yet handed on (a partial sample)
  std::string block_;    // the data of the last block handed out
  const TvMessageHandles* handles_ = nullptr;
};
