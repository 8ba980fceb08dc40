// Sample access for every supported sample type, as values where full scale
// is 1.0: integers are divided by 2^(bits-1); 8-bit samples are unsigned
// with 128 as silence, as WAVE stores them.
#pragma once
#include <cstddef>
#include <cstdint>

#include "WaveFormat.h"

namespace tvw {

std::size_t sampleBytes(SampleType t);
double readSample(const std::uint8_t* p, SampleType t);
// Integers are rounded to nearest and clipped to their range; floats stored as given.
void writeSample(std::uint8_t* p, SampleType t, double v);

// Converts `count` samples; in and out may not overlap unless they are the
// same buffer and the type is unchanged.
void convertSamples(const std::uint8_t* in, SampleType from, std::uint8_t* out, SampleType to, std::size_t count);

// Multiplies `bytes` of interleaved samples in place.
void applyGain(std::uint8_t* data, std::size_t bytes, SampleType t, double factor);
// The largest magnitude in `bytes` of samples (0 for silence).
double peakOf(const std::uint8_t* data, std::size_t bytes, SampleType t);

double dbToFactor(double db);
double factorToDb(double factor);

}  // namespace tvw
