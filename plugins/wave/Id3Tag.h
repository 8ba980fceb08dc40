// ID3v2 tags as WAVE files carry them in an "id3 " chunk: read from
// versions 2.2, 2.3 and 2.4, written as 2.4 with UTF-8 texts (several values
// of one frame separated by zero characters).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "TagList.h"
#include "WaveBytes.h"

namespace tvw {

struct Id3Frame {
  std::string id;   // four characters
  Bytes payload;    // without unsynchronisation, grouping or length fields
};

struct Id3Contents {
  int version = 0;                 // 2, 3 or 4; 0 when there was no valid tag
  TagList tags;                    // what the suite sees
  std::vector<Id3Frame> unknown;   // frames the plug-in does not map, kept on rewrite
};

// Reads a whole ID3v2 tag (header included). Damaged frames end the read;
// never reads outside [p, p + n).
Id3Contents parseId3(const std::uint8_t* p, std::size_t n);
// An ID3v2.4 tag holding the tags, then the unknown frames.
Bytes buildId3(const TagList& tags, const std::vector<Id3Frame>& unknown);

// The frame id a tag name is written as ("TIT2" for Title), or empty when it
// goes into a TXXX frame.
std::string nameToFrameId(const std::u16string& name);
std::u16string frameIdToName(const std::string& id);

}  // namespace tvw
