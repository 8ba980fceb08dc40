#include "clTagList.h"

#include <cstring>

#include "TvString.h"
#include "TvTagBlock.h"

namespace {

bool KeptHidden(const std::wstring& name, int keepFlags) {
  if ((keepFlags & clTagList::kKeepRiff) && tv::StartsWithNoCase(name, L"_riff_")) return true;
  if ((keepFlags & clTagList::kKeepCdToc) && tv::EqualsNoCase(name, L"_cdtoc")) return true;
  if ((keepFlags & clTagList::kKeepAlbumArt) && tv::StartsWithNoCase(name, L"_albumart_")) return true;
  return false;
}

}  // namespace

const clTagElement* clTagList::Find(const std::wstring& name) const {
  for (const auto& e : elements_)
    if (tv::EqualsNoCase(e.name, name)) return &e;
  return nullptr;
}

clTagElement* clTagList::Find(const std::wstring& name) {
  return const_cast<clTagElement*>(static_cast<const clTagList*>(this)->Find(name));
}

clTagElement& clTagList::Add(const std::wstring& name, const std::wstring& value) {
  elements_.push_back(clTagElement{name, value, {}});
  return elements_.back();
}

clTagElement& clTagList::Add(const std::wstring& name, const std::wstring& value, const void* data,
                             std::size_t dataSize) {
  clTagElement& e = Add(name, value);
  if (data != nullptr && dataSize != 0) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    e.data.assign(bytes, bytes + dataSize);
  }
  return e;
}

bool clTagList::Remove(const std::wstring& name) {
  for (auto it = elements_.begin(); it != elements_.end(); ++it) {
    if (tv::EqualsNoCase(it->name, name)) {
      elements_.erase(it);
      return true;
    }
  }
  return false;
}

std::wstring clTagList::Take(const std::wstring& name) {
  for (auto it = elements_.begin(); it != elements_.end(); ++it) {
    if (tv::EqualsNoCase(it->name, name)) {
      std::wstring value = std::move(it->value);
      elements_.erase(it);
      return value;
    }
  }
  return std::wstring();
}

void clTagList::Merge(const clTagList& other, bool overwrite) {
  if (&other == this) {  // merging a list into itself must not walk what it appends to
    const clTagList copy(other);
    Merge(copy, overwrite);
    return;
  }
  for (const auto& incoming : other.elements_) {
    clTagElement* existing = Find(incoming.name);
    if (existing == nullptr) {
      elements_.push_back(incoming);
    } else if (overwrite) {
      existing->value = incoming.value;
      existing->data = incoming.data;
    }
  }
}

bool clTagList::Load(const void* block, std::int64_t size) {
  elements_.clear();
  return tv::ReadTagBlock(block, size, elements_);
}

std::vector<std::uint8_t> clTagList::Save() const { return tv::WriteTagBlock(elements_); }

void clTagList::RemoveHidden(int keepFlags) {
  for (std::size_t i = elements_.size(); i-- > 0;) {
    const std::wstring& name = elements_[i].name;
    if (!name.empty() && name[0] == L'_' && !KeptHidden(name, keepFlags))
      elements_.erase(elements_.begin() + static_cast<std::ptrdiff_t>(i));
  }
}
