#include <gtest/gtest.h>

#include "TvRandom.h"

using namespace tv;

// The published reference outputs of MT19937 for init_genrand(5489).
TEST(Random, GeneratorIsTheReferenceMersenneTwister) {
  std::mt19937 generator(5489u);
  EXPECT_EQ(generator(), 3499211612u);
  generator.discard(9998);
  EXPECT_EQ(generator(), 4123659995u);  // the 10000th output
}

TEST(Random, BelowScalesTheOutputIntoTheRange) {
  std::mt19937 generator(5489u);
  // floor(3499211612 / 2^32 * 9999) = 8146
  EXPECT_EQ(RandomBelow(generator, 9999), 8146u);
  for (int i = 0; i < 1000; ++i) EXPECT_LT(RandomBelow(generator, 9999), 9999u);
  EXPECT_EQ(RandomBelow(generator, 1), 0u);
}

TEST(Random, SeedCombinesClockCounterAndTicks) {
  RandomSeedInputs in;
  in.year = 2024;
  in.hour = 13;
  in.minute = 5;
  in.second = 7;
  in.milliseconds = 250;
  in.tickCount = 1000;
  const uint32_t squares = 250 * 250 + 7 * 7 + 5 * 5 + 13 * 13 + 2024 * 2024;
  EXPECT_EQ(RandomSeed(in), squares + 1000u);

  in.hasCounter = true;
  in.counter = (uint64_t(3) << 32) | 100u;
  EXPECT_EQ(RandomSeed(in), uint32_t(squares * 100u + 3u + 1000u));

  in.counter = (uint64_t(0x12345678) << 32) | 0xFFFFFFFFu;  // wraps modulo 2^32
  EXPECT_EQ(RandomSeed(in), uint32_t(squares * 0xFFFFFFFFu + 0x12345678u + 1000u));
}
