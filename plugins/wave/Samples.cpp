#include "Samples.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace tvw {

std::size_t sampleBytes(SampleType t) { return bitsOf(t) / 8; }

namespace {
// Round half to even (as the FPU does by default), then clip.
inline std::int32_t clampRound(double v, double lo, double hi) {
  if (!(v >= lo)) return std::int32_t(lo);  // also catches NaN
  if (v > hi) return std::int32_t(hi);
#if defined(__x86_64__) || defined(__SSE2_MATH__)
  // Adding and taking away 1.5 * 2^52 leaves the value rounded to an
  // integer; far cheaper than nearbyint, which asks for the rounding mode.
  const double magic = 6755399441055744.0;
  return std::int32_t((v + magic) - magic);
#else
  return std::int32_t(std::nearbyint(v));  // x87 keeps extra precision: the trick would not round
#endif
}
}  // namespace

double readSample(const std::uint8_t* p, SampleType t) {
  switch (t) {
    case SampleType::UInt8: return (int(p[0]) - 128) / 128.0;
    case SampleType::Int16: return std::int16_t(le16(p)) / 32768.0;
    case SampleType::Int24: {
      std::int32_t v = std::int32_t(std::uint32_t(p[0]) << 8 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 24) >> 8;
      return v / 8388608.0;
    }
    case SampleType::Int32: return std::int32_t(le32(p)) / 2147483648.0;
    case SampleType::Float32: {
      float f;
      std::memcpy(&f, p, 4);
      return f;
    }
    case SampleType::Float64: {
      double d;
      std::memcpy(&d, p, 8);
      return d;
    }
    default: return 0.0;
  }
}

void writeSample(std::uint8_t* p, SampleType t, double v) {
  switch (t) {
    case SampleType::UInt8: p[0] = std::uint8_t(clampRound(v * 128.0, -128, 127) + 128); break;
    case SampleType::Int16: put16(p, std::uint16_t(clampRound(v * 32768.0, -32768, 32767))); break;
    case SampleType::Int24: {
      std::uint32_t x = std::uint32_t(clampRound(v * 8388608.0, -8388608, 8388607));
      p[0] = std::uint8_t(x);
      p[1] = std::uint8_t(x >> 8);
      p[2] = std::uint8_t(x >> 16);
      break;
    }
    case SampleType::Int32: put32(p, std::uint32_t(clampRound(v * 2147483648.0, -2147483648.0, 2147483647.0))); break;
    case SampleType::Float32: {
      float f = float(v);
      std::memcpy(p, &f, 4);
      break;
    }
    case SampleType::Float64: std::memcpy(p, &v, 8); break;
    default: break;
  }
}

void convertSamples(const std::uint8_t* in, SampleType from, std::uint8_t* out, SampleType to, std::size_t count) {
  std::size_t a = sampleBytes(from), b = sampleBytes(to);
  if (from == to) {
    if (in != out) std::memmove(out, in, count * a);
    return;
  }
  for (std::size_t i = 0; i < count; ++i) writeSample(out + i * b, to, readSample(in + i * a, from));
}

void applyGain(std::uint8_t* data, std::size_t bytes, SampleType t, double factor) {
  std::size_t a = sampleBytes(t);
  if (a == 0) return;
  std::size_t count = bytes / a;
  if (t == SampleType::Int16) {  // the common case, kept cheap
    for (std::size_t i = 0; i < count; ++i) {
      std::uint8_t* p = data + 2 * i;
      put16(p, std::uint16_t(clampRound(std::int16_t(le16(p)) * factor, -32768, 32767)));
    }
    return;
  }
  for (std::size_t i = 0; i < count; ++i) writeSample(data + i * a, t, readSample(data + i * a, t) * factor);
}

double peakOf(const std::uint8_t* data, std::size_t bytes, SampleType t) {
  std::size_t a = sampleBytes(t);
  if (a == 0) return 0.0;
  double peak = 0.0;
  std::size_t count = bytes / a;
  if (t == SampleType::Int16) {  // the common case, kept cheap
    int largest = 0;
    for (std::size_t i = 0; i < count; ++i) {
      int v = std::int16_t(le16(data + 2 * i));
      largest = std::max(largest, v < 0 ? -v : v);
    }
    return largest / 32768.0;
  }
  for (std::size_t i = 0; i < count; ++i) {
    double v = std::fabs(readSample(data + i * a, t));
    if (v > peak) peak = v;  // NaN never compares greater
  }
  return peak;
}

double dbToFactor(double db) { return std::pow(10.0, db / 20.0); }
double factorToDb(double factor) { return factor > 0 ? 20.0 * std::log10(factor) : -HUGE_VAL; }

}  // namespace tvw
