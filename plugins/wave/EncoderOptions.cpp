#include "EncoderOptions.h"

#include "Settings.h"

namespace tvw {

bool chooseOutputFormat(const std::u16string& commandLine, const WaveFormat& input, WaveFormat& output,
                        std::string& error) {
  std::vector<Option> options = splitOptions(commandLine);
  SampleType in = input.sampleType();
  bool wantFloat = findOption(options, "float") != nullptr;
  bool wantPcm = findOption(options, "pcm") != nullptr;
  if (wantFloat && wantPcm) {
    error = "the options -float and -pcm exclude each other";
    return false;
  }
  long bits = 0;
  if (const Option* o = findOption(options, "bits")) {
    if (!parseInteger(o->value, bits) || (bits != 8 && bits != 16 && bits != 24 && bits != 32 && bits != 64)) {
      error = "-bits=\"" + narrow(o->value) + "\" is not a bit depth (8, 16, 24, 32, or 64 for float)";
      return false;
    }
  }
  bool asFloat = wantFloat || bits == 64 || (!wantPcm && bits == 0 && isFloat(in));
  SampleType out;
  if (asFloat) {
    if (bits != 0 && bits != 32 && bits != 64) {
      error = "float samples are 32 or 64 bits, not " + std::to_string(bits);
      return false;
    }
    if (wantPcm) {
      error = "64-bit samples are float only";
      return false;
    }
    out = bits == 64 || (bits == 0 && in == SampleType::Float64 && !wantFloat) ? SampleType::Float64
                                                                               : SampleType::Float32;
  } else if (bits != 0) {
    out = bits == 8 ? SampleType::UInt8 : bits == 16 ? SampleType::Int16 : bits == 24 ? SampleType::Int24 : SampleType::Int32;
  } else {
    out = isFloat(in) ? SampleType::Int24 : in;
  }
  bool extensible = findOption(options, "extensible") != nullptr || input.isExtensible();
  output = makeFormat(out, input.channels, input.sampleRate, extensible);
  if (input.isExtensible() && input.channelMask && output.isExtensible()) output.channelMask = input.channelMask;
  return true;
}

}  // namespace tvw
