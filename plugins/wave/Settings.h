// Option texts the plug-ins are given: the codec command line (" -bits=\"24\"
// -float") and an effect's settings text ("db=-6", "-6 dB", "peak=-1").
#pragma once
#include <string>
#include <vector>

namespace tvw {

struct Option {
  std::u16string name;   // as written
  std::u16string value;  // empty when none
};

// Splits a command text the way the host does: "-" or "--" before a name,
// spaces or "=" before a value, values in double quotes.
std::vector<Option> splitOptions(const std::u16string& text);
// Splits "a=1; b=2" or "a=1 b=2" (separators ";", "," or spaces) into pairs;
// a bare value gets the empty name.
std::vector<Option> splitSettings(const std::u16string& text);
const Option* findOption(const std::vector<Option>& options, const char* name);

// A decimal number such as "-6", "+1.5", "0.25"; an optional trailing "dB"
// (any case) is accepted. false for anything else, including NaN.
bool parseDecibels(const std::u16string& text, double& out);
bool parseInteger(const std::u16string& text, long& out);

std::string narrow(const std::u16string& text);  // for messages; non-ASCII becomes '?'

}  // namespace tvw
