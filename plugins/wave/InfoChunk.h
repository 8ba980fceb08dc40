// The LIST/INFO chunk: the plain text tags most WAVE readers show.
#pragma once
#include <string>
#include <vector>

#include "TagList.h"
#include "WaveBytes.h"

namespace tvw {

struct InfoItem {
  std::string id;  // four characters, e.g. "INAM"
  std::u16string text;
};

// Parses the body of a LIST chunk of type INFO (starting with "INFO").
std::vector<InfoItem> parseInfoList(const Bytes& body);
// The body of a LIST chunk ("INFO" + sub-chunks, texts as UTF-8, zero-ended
// and padded to even sizes). Empty items are left out.
Bytes buildInfoList(const std::vector<InfoItem>& items);

// The tag name an INFO id stands for ("Title" for INAM), or empty.
std::u16string infoIdToName(const std::string& id);
// The INFO id for a tag name, or empty when INFO has no field for it.
std::string nameToInfoId(const std::u16string& name);

// The INFO items for a tag list: one per INFO field, several values of one
// name joined with "; ". Items of `kept` whose ids the list does not map
// (such as ISFT) are carried over first.
std::vector<InfoItem> infoItemsForTags(const TagList& tags, const std::vector<InfoItem>& kept);

}  // namespace tvw
