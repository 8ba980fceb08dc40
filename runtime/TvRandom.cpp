#include "TvRandom.h"

namespace tv {

uint32_t RandomSeed(const RandomSeedInputs& in) {
  uint32_t seed = in.milliseconds * in.milliseconds + in.second * in.second +
                  in.minute * in.minute + in.hour * in.hour + in.year * in.year;
  if (in.hasCounter) {
    seed *= uint32_t(in.counter & 0xFFFFFFFFu);
    seed += uint32_t(in.counter >> 32);
  }
  return seed + in.tickCount;
}

uint32_t RandomBelow(std::mt19937& generator, uint32_t n) {
  uint64_t x = uint32_t(generator());
  return uint32_t((x * n) >> 32);
}

}  // namespace tv
