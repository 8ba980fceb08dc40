// The engine's option rules that need no platform: where the program's own
// arguments begin, how numbers in option values read, the "{qt}" escape, the
// DSP effect options, the processor mask and the codec command line handed to
// the encoder.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class clCommandLine;

namespace tv {

// 1-based position where the options of the program's command text begin:
// after the closing quote of a quoted program path, else after the first
// space. A command text that is only a program path (no closing quote, no
// space) has no options: the position then lies past its end.
size_t RendermillArgumentsStart(const std::wstring& commandText);

// An optional "-", then decimal digits up to the first other character; no
// digits give 0. Values beyond the 32-bit range saturate instead of wrapping.
int32_t ReadOptionNumber(const std::wstring& value);

// Every "{qt}" becomes a double quote (dspeffect and tag values only).
std::wstring ReplaceQuoteEscapes(const std::wstring& value);

// Splits at the first "="; false when the text holds none.
bool SplitAtFirstEquals(const std::wstring& text, std::wstring& before, std::wstring& after);

struct TvDspEffectOption {
  std::wstring name;      // also the base name of the effect's plug-in library
  std::wstring settings;  // handed to the plug-in unchanged
};

// dspeffect1, dspeffect2, ... for as long as the next number exists; a value
// without "=" adds no effect but does not end the count.
std::vector<TvDspEffectOption> CollectDspEffectOptions(const clCommandLine& options);
// How many options dspeffect1, dspeffect2, ... exist without a gap: the ones
// the engine reads, whether or not each made an effect.
size_t CountDspEffectOptions(const clCommandLine& options);

// The thread affinity mask for option processor = n: bit n-1 for n >= 2, bit 0
// for smaller n. 0 means "leave the affinity alone": a processor beyond the
// `maskBits` bits of the platform's mask cannot be expressed.
uint64_t ProcessorAffinityMask(int32_t processor, unsigned maskBits);

// True for the engine's own option names (any letter case), dspeffect1 to
// dspeffect<dspOptionCount> included.
bool IsRendermillOptionName(const std::wstring& name, size_t dspOptionCount);

// The options the engine does not own, in command order: " -name" and, for a
// non-empty value, ="value". `dspOptionCount` is CountDspEffectOptions().
std::wstring BuildCodecCommandLine(const clCommandLine& options, size_t dspOptionCount);

}  // namespace tv
