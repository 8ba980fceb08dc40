#include "EncoderOptions.h"

#include "Settings.h"

namespace tvw {

const std::vector<EncoderOption>& encoderOptionTable() {
  static const std::vector<EncoderOption> table = {
      {"Sample Format", "Codecs\\WAVE\\SampleFormat",
       {"Same as the source", "8-bit integer", "16-bit integer", "24-bit integer", "32-bit integer", "32-bit float",
        "64-bit float"}},
      {"Format Header", "Codecs\\WAVE\\FormatHeader", {"Plain where possible", "Always extensible"}},
  };
  return table;
}

bool chooseOutputFormat(const std::u16string& commandLine, const WaveFormat& input, WaveFormat& output,
                        std::string& error, const StoredEncoderChoices& stored) {
  std::vector<Option> options = splitOptions(commandLine);
  // Stored choices stand in for options the command line does not give.
  if (!findOption(options, "bits") && !findOption(options, "float") && !findOption(options, "pcm")) {
    static const char16_t* const kBits[] = {nullptr, u"8", u"16", u"24", u"32", u"32", u"64"};
    if (stored.bitDepth > 0 && stored.bitDepth < 7) {
      options.push_back({u"bits", kBits[stored.bitDepth]});
      options.push_back({stored.bitDepth >= 5 ? u"float" : u"pcm", u""});
    }
  }
  if (stored.header == 1 && !findOption(options, "extensible")) options.push_back({u"extensible", u""});
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
