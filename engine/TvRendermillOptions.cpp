#include "TvRendermillOptions.h"

#include <limits>

#include "TvString.h"
#include "clCommandLine.h"

namespace tv {

size_t RendermillArgumentsStart(const std::wstring& commandText) {
  if (!commandText.empty() && commandText[0] == L'"') {
    const size_t close = commandText.find(L'"', 1);
    if (close != std::wstring::npos) return close + 2;
  } else {
    const size_t space = commandText.find(L' ');
    if (space != std::wstring::npos) return space + 2;
  }
  // Only a program path: reading it as options would invent options from
  // dashes inside folder names.
  return commandText.size() + 1;
}

int32_t ReadOptionNumber(const std::wstring& value) {
  size_t i = 0;
  const bool negative = !value.empty() && value[0] == L'-';
  if (negative) i = 1;
  // One beyond the largest magnitude either sign can take.
  const int64_t limit = int64_t(std::numeric_limits<int32_t>::max()) + 1;
  int64_t magnitude = 0;
  for (; i < value.size() && value[i] >= L'0' && value[i] <= L'9'; ++i) {
    magnitude = magnitude * 10 + (value[i] - L'0');
    if (magnitude > limit) magnitude = limit;
  }
  if (negative) return int32_t(-magnitude);  // -2^31 at most
  return magnitude >= limit ? std::numeric_limits<int32_t>::max() : int32_t(magnitude);
}

std::wstring ReplaceQuoteEscapes(const std::wstring& value) {
  static const std::wstring escape = L"{qt}";
  std::wstring out;
  out.reserve(value.size());
  size_t from = 0;
  for (;;) {
    const size_t at = value.find(escape, from);
    if (at == std::wstring::npos) break;
    out.append(value, from, at - from);
    out += L'"';
    from = at + escape.size();
  }
  out.append(value, from, std::wstring::npos);
  return out;
}

bool SplitAtFirstEquals(const std::wstring& text, std::wstring& before, std::wstring& after) {
  const size_t eq = text.find(L'=');
  if (eq == std::wstring::npos) {
    before.clear();
    after.clear();
    return false;
  }
  before = text.substr(0, eq);
  after = text.substr(eq + 1);
  return true;
}

std::vector<TvDspEffectOption> CollectDspEffectOptions(const clCommandLine& options) {
  std::vector<TvDspEffectOption> effects;
  std::wstring value;
  for (unsigned long k = 1; options.GetOption(L"dspeffect" + std::to_wstring(k), value); ++k) {
    TvDspEffectOption effect;
    if (SplitAtFirstEquals(ReplaceQuoteEscapes(value), effect.name, effect.settings))
      effects.push_back(effect);
  }
  return effects;
}

size_t CountDspEffectOptions(const clCommandLine& options) {
  size_t count = 0;
  while (options.HasOption(L"dspeffect" + std::to_wstring(count + 1))) ++count;
  return count;
}

uint64_t ProcessorAffinityMask(int32_t processor, unsigned maskBits) {
  if (processor < 2) return 1;
  if (unsigned(processor - 1) >= maskBits || processor - 1 >= 64) return 0;
  return uint64_t(1) << (processor - 1);
}

bool IsRendermillOptionName(const std::wstring& name, size_t dspOptionCount) {
  static const wchar_t* const kOwnNames[] = {
      L"infile",     L"outfile",    L"convert_to",     L"tvcmd",        L"evtquit",
      L"evtwatchdog", L"priority",  L"silent",         L"errorfile",    L"processor",
      L"sourcefreq", L"sourcebits", L"sourcechannels", L"sourcelength", L"idtags",
      L"noidtag",    L"tag",        L"shrbytesencoded", L"batchid"};
  for (const wchar_t* own : kOwnNames)
    if (EqualsNoCase(name, own)) return true;
  for (size_t k = 1; k <= dspOptionCount; ++k)
    if (EqualsNoCase(name, L"dspeffect" + std::to_wstring(k))) return true;
  return false;
}

std::wstring BuildCodecCommandLine(const clCommandLine& options, size_t dspOptionCount) {
  std::wstring line;
  std::wstring name, value;
  for (size_t i = 0; options.OptionAt(i, name, value); ++i) {
    if (IsRendermillOptionName(name, dspOptionCount)) continue;
    line += L" -";
    line += name;
    if (!value.empty()) line += L"=\"" + value + L"\"";
  }
  return line;
}

}  // namespace tv
