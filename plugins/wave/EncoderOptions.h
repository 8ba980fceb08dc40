// The encoder's codec options and the output format they choose.
//   -bits=8|16|24|32|64   sample size (64 only as float)
//   -float                IEEE float samples (32-bit unless -bits=64)
//   -pcm                  integer samples (keeps the input's size when it is an integer one, else 24-bit)
//   -extensible           always write the extensible format header
// Without options the choices stored by the configuration program apply
// (see encoderOptionTable), and without those the input's sample type is kept.
#pragma once
#include <string>
#include <vector>

#include "WaveFormat.h"

namespace tvw {

// The encoder's options as the configuration program lists them: a label,
// where the chosen entry's index is stored (relative to the suite's
// registry key), and the entries.
struct EncoderOption {
  const char* label;
  const char* link;
  std::vector<const char*> entries;
};
const std::vector<EncoderOption>& encoderOptionTable();

// The stored entry indexes of the two options (0 when never set).
struct StoredEncoderChoices {
  unsigned bitDepth = 0;
  unsigned header = 0;
};

bool chooseOutputFormat(const std::u16string& commandLine, const WaveFormat& input, WaveFormat& output,
                        std::string& error, const StoredEncoderChoices& stored = StoredEncoderChoices());

}  // namespace tvw
