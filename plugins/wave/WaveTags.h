// The tags of a WAVE file as one list: the ID3v2 chunk holds the full list,
// the LIST/INFO chunk the plain texts other readers show; INFO fields the
// ID3 chunk lacks are added after the ID3 tags.
#pragma once
#include <string>
#include <vector>

#include "Id3Tag.h"
#include "InfoChunk.h"
#include "RiffReader.h"
#include "TagList.h"

namespace tvw {

struct WaveMetadata {
  TagList tags;
  std::vector<InfoItem> info;          // as found (ISFT and other unmapped ids are kept on rewrite)
  std::vector<Id3Frame> unknownFrames; // ID3 frames kept on rewrite
  std::u16string software;             // ISFT: the program that wrote the file
};

WaveMetadata readWaveMetadata(ByteSource& src, const WaveLayout& layout);

// The new INFO and ID3 chunk bodies for a tag list (empty when there is
// nothing to write). Without `infoTexts` the INFO chunk keeps only the
// fields that are not tags (such as ISFT).
void buildMetadataChunks(const TagList& tags, const WaveMetadata& old, Bytes& infoBody, Bytes& id3,
                         bool infoTexts = true);

// The decoder's tag options as the configuration program lists them.
extern const char kInfoOptionLabel[];
extern const char kInfoOptionLink[];
extern const char* const kInfoOptionEntries[2];  // index 0: write the copy, 1: do not

// The property elements the decoder reports for a file, in tag block form.
TagList waveProperties(const WaveLayout& layout, const WaveMetadata& meta);
// Their names, and the ones shown by default, separated by CR.
std::u16string propertyElementNames();
std::u16string defaultPropertyElementNames();

// Splits a list of zero-terminated names ended by one more zero.
std::vector<std::u16string> splitNameList(const char16_t* names);

}  // namespace tvw
