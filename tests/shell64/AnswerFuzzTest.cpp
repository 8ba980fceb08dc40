// Thousands of mutated file information answers, each placed against an
// inaccessible page: the check must never read outside the answer (a fault
// here would take Explorer down), and must accept exactly the answers the
// rule accepts, written out independently below.
#include <gtest/gtest.h>

#include <random>

#include "AnswerBytes.h"
#include "GuardedBuffer.h"
#include "TvTagBlock.h"

namespace {

uint32_t Count(const std::vector<uint8_t>& b, size_t at) {
  return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

bool MarkerAt(const std::vector<uint8_t>& b, size_t at, const char* marker) {
  return b[at] == marker[0] && b[at + 1] == marker[1] && b[at + 2] == marker[2] && b[at + 3] == marker[3];
}

// The rule as stated: after each block's min(count, what remains - 8) bytes
// more than 8 bytes must remain for the next marker and count; "AUDI" must
// carry the count 68 and exactly 68 bytes.
bool RuleAccepts(const std::vector<uint8_t>& b) {
  const size_t n = b.size();
  if (n <= 8 || !MarkerAt(b, 0, "IDTG")) return false;
  size_t at = 8 + std::min<size_t>(Count(b, 4), n - 8);
  if (n - at <= 8 || !MarkerAt(b, at, "AUDP")) return false;
  at += 8 + std::min<size_t>(Count(b, at + 4), n - at - 8);
  if (n - at <= 8 || !MarkerAt(b, at, "AUDI")) return false;
  return Count(b, at + 4) == 68 && n - at - 8 == 68;
}

std::vector<uint8_t> RandomBytes(std::mt19937& random, size_t size) {
  std::vector<uint8_t> bytes(size);
  for (uint8_t& byte : bytes) byte = uint8_t(random());
  return bytes;
}

// A well-formed answer whose blocks are real tag blocks or random bytes.
std::vector<uint8_t> Seed(std::mt19937& random) {
  auto block = [&random]() {
    switch (random() % 3) {
      case 0: return std::vector<uint8_t>();
      case 1: return tv::WriteTagBlock({{L"ARTIST", L"Nia", {}}, {L"_albumart_1", L"", {1, 2, 3}}});
      default: return RandomBytes(random, random() % 64);
    }
  };
  return AnswerBytes(block(), block(), RandomBytes(random, 68));
}

void SetCount(std::vector<uint8_t>& b, size_t at, uint32_t value) {
  for (int i = 0; i < 4 && at + i < b.size(); ++i) b[at + i] = uint8_t(value >> (8 * i));
}

std::vector<uint8_t> Mutate(std::vector<uint8_t> b, std::mt19937& random) {
  static const uint32_t kCounts[] = {0, 1, 8, 9, 67, 68, 69, 0x7FFFFFFF, 0x80000000, 0xFFFFFFF7, 0xFFFFFFFF};
  const int steps = 1 + int(random() % 3);
  for (int step = 0; step < steps; ++step) {
    switch (random() % 6) {
      case 0:  // flip a few bytes
        if (!b.empty())
          for (int i = 0; i < 1 + int(random() % 4); ++i) b[random() % b.size()] ^= uint8_t(1 + random() % 255);
        break;
      case 1: {  // a count field (found by its marker, or anywhere) set to an edge value or near the size
        size_t at = b.empty() ? 0 : random() % b.size();
        const char* markers[] = {"IDTG", "AUDP", "AUDI"};
        const char* marker = markers[random() % 3];
        for (size_t i = 0; i + 8 <= b.size(); ++i)
          if (MarkerAt(b, i, marker)) at = i + 4;
        const uint32_t value =
            random() % 2 ? kCounts[random() % (sizeof(kCounts) / sizeof(kCounts[0]))] : uint32_t(b.size() + random() % 5 - 2);
        SetCount(b, at, value);
        break;
      }
      case 2:  // cut short
        b.resize(b.empty() ? 0 : random() % b.size());
        break;
      case 3: {  // bytes added at the end
        const std::vector<uint8_t> extra = RandomBytes(random, 1 + random() % 80);
        b.insert(b.end(), extra.begin(), extra.end());
        break;
      }
      case 4:  // bytes taken from the middle
        if (b.size() > 2) {
          const size_t at = random() % (b.size() - 1);
          b.erase(b.begin() + at, b.begin() + std::min(b.size(), at + 1 + random() % 16));
        }
        break;
      default:  // anything at all
        b = RandomBytes(random, random() % 200);
        if (random() % 2 && b.size() >= 4) b[0] = 'I', b[1] = 'D', b[2] = 'T', b[3] = 'G';
        break;
    }
  }
  return b;
}

TEST(AnswerFuzz, MutatedAnswersNeverReadOutsideAndFollowTheRule) {
  std::mt19937 random(20261210);
  constexpr int kRounds = 6000;
  int accepted = 0, rejected = 0;
  for (int round = 0; round < kRounds; ++round) {
    const std::vector<uint8_t> bytes = round % 10 == 0 ? Seed(random) : Mutate(Seed(random), random);
    const clGuardedBuffer::Against against = round % 2 ? clGuardedBuffer::Against::End : clGuardedBuffer::Against::Start;
    clGuardedBuffer guarded(bytes, against);
    ASSERT_TRUE(guarded.Ready());
    tv::FileInfo info;
    const bool ok = tv::ReadFileInfoAnswer(guarded.Data(), guarded.Size(), info);
    ASSERT_EQ(ok, RuleAccepts(bytes)) << "round " << round << ", " << bytes.size() << " bytes";
    (ok ? accepted : rejected)++;
  }
  // Both outcomes were exercised many times.
  EXPECT_GT(accepted, kRounds / 20);
  EXPECT_GT(rejected, kRounds / 2);
}

}  // namespace
