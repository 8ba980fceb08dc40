// Generated and mutated tag blocks, loaded from buffers that touch a
// PAGE_NOACCESS guard page: a read outside the given size faults at once.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "clTagList.h"

namespace {

// A committed region of kDataPages pages between two guard pages.
class GuardedRegion {
 public:
  static constexpr size_t kDataPages = 8;
  GuardedRegion() {
    SYSTEM_INFO si;
    GetSystemInfo(&si);
    page_ = si.dwPageSize;
    base_ = static_cast<std::uint8_t*>(
        VirtualAlloc(nullptr, page_ * (kDataPages + 2), MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    DWORD old;
    if (base_) {
      VirtualProtect(base_, page_, PAGE_NOACCESS, &old);
      VirtualProtect(base_ + page_ * (kDataPages + 1), page_, PAGE_NOACCESS, &old);
    }
  }
  ~GuardedRegion() {
    if (base_) VirtualFree(base_, 0, MEM_RELEASE);
  }
  GuardedRegion(const GuardedRegion&) = delete;
  GuardedRegion& operator=(const GuardedRegion&) = delete;

  bool ok() const { return base_ != nullptr; }
  size_t capacity() const { return page_ * kDataPages; }
  // The bytes placed to end right at the trailing guard page.
  const std::uint8_t* AtEnd(const std::vector<std::uint8_t>& bytes) {
    std::uint8_t* at = base_ + page_ * (kDataPages + 1) - bytes.size();
    if (!bytes.empty()) std::memcpy(at, bytes.data(), bytes.size());
    return at;
  }
  // The bytes placed to start right after the leading guard page.
  const std::uint8_t* AtStart(const std::vector<std::uint8_t>& bytes) {
    std::uint8_t* at = base_ + page_;
    if (!bytes.empty()) std::memcpy(at, bytes.data(), bytes.size());
    return at;
  }

 private:
  size_t page_ = 4096;
  std::uint8_t* base_ = nullptr;
};

std::wstring RandomText(std::mt19937& rng, size_t maxLength) {
  std::wstring text(rng() % (maxLength + 1), L' ');
  for (auto& c : text) c = wchar_t(rng() % 4 == 0 ? 0x100 + rng() % 0xD000 : 0x20 + rng() % 0x5F);
  return text;
}

clTagList RandomList(std::mt19937& rng) {
  clTagList list;
  const size_t count = rng() % 8;
  for (size_t i = 0; i < count; ++i) {
    clTagElement& e = list.Add(RandomText(rng, 12), RandomText(rng, 40));
    if (rng() % 3 == 0) {
      e.data.resize(rng() % 300);
      for (auto& b : e.data) b = std::uint8_t(rng());
    }
  }
  return list;
}

// Offsets of the element size fields of a well-formed block.
std::vector<size_t> ElementOffsets(const std::vector<std::uint8_t>& block, size_t count) {
  std::vector<size_t> offsets;
  size_t pos = 4;
  for (size_t i = 0; i < count; ++i) {
    offsets.push_back(pos);
    std::int32_t s;
    std::memcpy(&s, block.data() + pos, 4);
    pos += size_t(s);
  }
  return offsets;
}

void PutInt32(std::vector<std::uint8_t>& block, size_t at, std::int32_t v) {
  if (at + 4 <= block.size()) std::memcpy(block.data() + at, &v, 4);
}

// Sizes around the boundaries a reader could get wrong.
std::int32_t InterestingInt(std::mt19937& rng, size_t blockSize) {
  const std::int32_t values[] = {-1, 0, 1, 2, 3, 4, 5, 6, 7, 8, INT32_MIN, INT32_MAX, INT32_MAX - 3,
                                 std::int32_t(blockSize), std::int32_t(blockSize) + 1, std::int32_t(blockSize) - 4,
                                 std::int32_t(rng() % 64), 0x10000};
  return values[rng() % (sizeof values / sizeof values[0])];
}

std::vector<std::uint8_t> Mutate(std::mt19937& rng, std::vector<std::uint8_t> block, size_t count) {
  const std::vector<size_t> offsets = ElementOffsets(block, count);
  const int rounds = 1 + int(rng() % 3);
  for (int r = 0; r < rounds && !block.empty(); ++r) {
    switch (rng() % 6) {
      case 0:  // flip bytes anywhere
        for (int k = 0; k < 4; ++k) block[rng() % block.size()] ^= std::uint8_t(1u << (rng() % 8));
        break;
      case 1:  // a lying count
        PutInt32(block, 0, InterestingInt(rng, block.size()));
        break;
      case 2:  // a lying element size
        if (!offsets.empty()) PutInt32(block, offsets[rng() % offsets.size()], InterestingInt(rng, block.size()));
        break;
      case 3:  // remove terminators: texts run on
        for (size_t i = 0; i + 1 < block.size(); i += 2)
          if (block[i] == 0 && block[i + 1] == 0 && rng() % 2) block[i] = 0x41;
        break;
      case 4:  // cut the block short
        block.resize(rng() % (block.size() + 1));
        break;
      default:  // random garbage of a random length
        block.resize(rng() % 64);
        for (auto& b : block) b = std::uint8_t(rng() % 4 ? rng() % 8 : rng());
        break;
    }
  }
  return block;
}

TEST(TagBlockFuzz, LoaderNeverReadsOutsideTheGivenSize) {
  GuardedRegion region;
  ASSERT_TRUE(region.ok());
  std::mt19937 rng(20261210u);
  const int kCases = 6000;
  for (int i = 0; i < kCases; ++i) {
    clTagList original = RandomList(rng);
    std::vector<std::uint8_t> block = Mutate(rng, original.Save(), original.Count());
    ASSERT_LE(block.size(), region.capacity());
    const std::uint8_t* at = (i % 2) ? region.AtEnd(block) : region.AtStart(block);
    // At the start, the size is all that stops the reader from running on into the rest.
    clTagList loaded;
    loaded.Load(at, std::int64_t(block.size()));
    std::int32_t claimed = 0;
    if (block.size() >= 4) std::memcpy(&claimed, block.data(), 4);
    EXPECT_LE(std::int64_t(loaded.Count()), std::max<std::int64_t>(claimed, 0)) << "case " << i;
    // Whatever loaded saves again within the bytes it came from (plus a value terminator for a name-only last element).
    EXPECT_LE(loaded.Save().size(), block.size() + 2 + (block.size() < 4 ? 4 : 0)) << "case " << i;
  }
}

TEST(TagBlockFuzz, CutBlocksLoadExactlyTheElementsThatFitWhole) {
  GuardedRegion region;
  ASSERT_TRUE(region.ok());
  std::mt19937 rng(7u);
  for (int i = 0; i < 3000; ++i) {
    const clTagList original = RandomList(rng);
    std::vector<std::uint8_t> block = original.Save();
    const std::vector<size_t> offsets = ElementOffsets(block, original.Count());
    const size_t cut = rng() % (block.size() + 1);
    block.resize(cut);
    clTagList loaded;
    const bool whole = loaded.Load(region.AtEnd(block), std::int64_t(block.size()));

    size_t fitting = 0;
    for (size_t k = 0; k < offsets.size(); ++k) {
      const size_t end = k + 1 < offsets.size() ? offsets[k + 1] : original.Save().size();
      if (end <= cut) fitting = k + 1;
    }
    ASSERT_EQ(loaded.Count(), fitting) << "case " << i << " cut " << cut;
    for (size_t k = 0; k < fitting; ++k) {
      EXPECT_EQ(loaded.At(k).name, original.At(k).name);
      EXPECT_EQ(loaded.At(k).value, original.At(k).value);
      EXPECT_EQ(loaded.At(k).data, original.At(k).data);
    }
    EXPECT_EQ(whole, fitting == original.Count() && cut >= 4) << "case " << i;
  }
}

}  // namespace
