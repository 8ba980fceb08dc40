// The answers TipfetchInfo writes into request files, and their reading by
// the program that asked. Plain byte work with no platform calls.
//
// File information answer ("GetAudioInf"), little-endian, in this order:
//   "IDTG", uint32 n, n bytes of tag block       (n = 0 when there is none)
//   "AUDP", uint32 n, n bytes of property block  (likewise)
//   "AUDI", uint32 68, 68 bytes: the audio description of the decoder's
//           stream record (40-byte wave format, int32 bit rate, int64 length
//           in ms, int64 source size) and its 8 reserved bytes.
//   An empty file means no answer.
// Decoder extension list ("GetAudioExts"): UTF-16LE texts, each followed by a
//   zero character, then one more zero character; an empty text is written
//   "[Empty]". No decoders: exactly 4 zero bytes.
// Pop-up text: UTF-16LE with a terminating zero character ("Tipfetch"), or
//   UTF-8 cut to at most 20 000 bytes plus one zero byte ("<tempF>").
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tv {

// The "AUDI" record's size: the audio description (60 bytes) and 8 reserved bytes.
constexpr uint32_t kAudioInfoRecordBytes = 68;
// Largest tag or property block passed on in an answer; a decoder's block
// beyond it is left out (its count written as 0), so one odd file cannot make
// the helper and its caller move hundreds of megabytes.
constexpr uint32_t kMaxAnswerBlockBytes = 32u * 1024 * 1024;
// Largest UTF-8 pop-up answer, without its terminating zero.
constexpr size_t kMaxUtf8PopupBytes = 20000;
// Most extensions taken from one decoder library, and from all together; a
// decoder that answers every index would otherwise never end the list.
constexpr int kMaxExtensionsPerDecoder = 256;
constexpr size_t kMaxExtensionsInList = 4096;

struct AudioInfoAnswer {
  std::vector<uint8_t> tagBlock;
  std::vector<uint8_t> propertyBlock;
  uint8_t audio[kAudioInfoRecordBytes] = {};
};

// The three blocks; a tag or property block above kMaxAnswerBlockBytes is
// written with a count of 0.
std::vector<uint8_t> WriteAudioInfoAnswer(const AudioInfoAnswer& answer);
// False unless the bytes are exactly the three blocks in order, every count
// within the data and the "AUDI" count 68.
bool ReadAudioInfoAnswer(const uint8_t* data, size_t size, AudioInfoAnswer& answer);

std::vector<uint8_t> WriteExtensionList(const std::vector<std::wstring>& extensions);
// False when the list is not ended by the extra zero character (cut short);
// "[Empty]" reads back as an empty text.
bool ReadExtensionList(const uint8_t* data, size_t size, std::vector<std::wstring>& extensions);

// The pop-up answer forms.
std::vector<uint8_t> PopupAnswerUtf16(const std::wstring& text);
// Cut at a character boundary so the bytes stay valid UTF-8.
std::vector<uint8_t> PopupAnswerUtf8(const std::wstring& text);
// The text of a UTF-16 pop-up answer: the units up to the first zero (an odd
// last byte ignored).
std::wstring ReadPopupAnswerUtf16(const uint8_t* data, size_t size);

}  // namespace tv
