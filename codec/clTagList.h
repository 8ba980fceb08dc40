// The ordered list of ID-tag elements and its flat form, the tag block.
// Several elements may share a name; names compare case-insensitively over
// A-Z. Names beginning "_" are not plain text tags (album art, CD table of
// contents, RIFF chunks).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "clTagElement.h"


class clTagList {
 public:
  // Flags of RemoveHidden: hidden elements to keep.
  static constexpr int kKeepRiff = 2;      // names beginning "_riff_"
  static constexpr int kKeepCdToc = 4;     // the name "_cdtoc"
  static constexpr int kKeepAlbumArt = 8;  // names beginning "_albumart_"

  clTagList() = default;
  clTagList(const clTagList&) = default;
  clTagList& operator=(const clTagList&) = default;
  virtual ~clTagList() = default;

  // The first element of that name, or null.
  virtual const clTagElement* Find(const std::wstring& name) const;
  virtual clTagElement* Find(const std::wstring& name);
  // Appends a new element even when the name exists already.
  virtual clTagElement& Add(const std::wstring& name, const std::wstring& value);
  virtual clTagElement& Add(const std::wstring& name, const std::wstring& value,
                            const void* data, std::size_t dataSize);
  // Removes the first element of that name; false when there is none.
  virtual bool Remove(const std::wstring& name);
  // The first element's value (empty when none); that element is removed.
  virtual std::wstring Take(const std::wstring& name);
  // Appends a copy of every element of `other` whose name is not present yet;
  // with `overwrite`, the first element of a present name takes the other's
  // value and data instead.
  virtual void Merge(const clTagList& other, bool overwrite);
  // Empties the list and reads a tag block of `size` bytes. Never reads
  // outside [block, block + size). A malformed block loads up to its first
  // malformed element; the result is true only when the block was read whole.
  virtual bool Load(const void* block, std::int64_t size);
  // The whole list as a tag block.
  virtual std::vector<std::uint8_t> Save() const;
  // Removes, last to first, every element whose name begins "_", except those
  // kept by `keepFlags` (kKeepRiff | kKeepCdToc | kKeepAlbumArt).
  virtual void RemoveHidden(int keepFlags);

  void Clear() { elements_.clear(); }
  std::size_t Count() const { return elements_.size(); }
  bool Empty() const { return elements_.empty(); }
  const clTagElement& At(std::size_t index) const { return elements_[index]; }
  clTagElement& At(std::size_t index) { return elements_[index]; }
  const std::vector<clTagElement>& Elements() const { return elements_; }

 private:
  std::vector<clTagElement> elements_;
};
