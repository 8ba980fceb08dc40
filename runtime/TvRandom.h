// The random numbers behind fallback temporary names: one Mersenne Twister
// (MT19937, seeded by init_genrand with multiplier 1812433253, which is what
// std::mt19937 does) per process. The seed formula and the scaling are pure
// functions so they can be checked without the clock.
#pragma once
#include <cstdint>
#include <random>

namespace tv {

struct RandomSeedInputs {
  uint32_t year = 0, hour = 0, minute = 0, second = 0, milliseconds = 0;  // UTC now
  bool hasCounter = false;        // a performance counter is available
  uint64_t counter = 0;           // its current value
  uint32_t tickCount = 0;         // milliseconds since system start
};

// (ms^2 + s^2 + min^2 + h^2 + year^2), times the counter's low 32 bits plus its
// high 32 bits when there is a counter, plus the tick count; modulo 2^32.
uint32_t RandomSeed(const RandomSeedInputs& in);

// The integer part of (x / 2^32) * n for the generator's next output x: 0..n-1.
uint32_t RandomBelow(std::mt19937& generator, uint32_t n);

}  // namespace tv
