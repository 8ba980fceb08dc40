// The encoder's codec options and the output format they choose.
//   -bits=8|16|24|32|64   sample size (64 only as float)
//   -float                IEEE float samples (32-bit unless -bits=64)
//   -pcm                  integer samples (keeps the input's size when it is an integer one, else 24-bit)
//   -extensible           always write the extensible format header
// Without options the input's sample type is kept.
#pragma once
#include <string>

#include "WaveFormat.h"

namespace tvw {

bool chooseOutputFormat(const std::u16string& commandLine, const WaveFormat& input, WaveFormat& output,
                        std::string& error);

}  // namespace tvw
