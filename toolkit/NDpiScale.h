// Screen scaling arithmetic (no platform headers): sizes are designed for
// 96 dots per inch and scaled to the screen's resolution.
#pragma once
#include <cstdint>

// value * dpi / 96, rounded to the nearest pixel (also for negative values).
int NScaleBy(int value, int dpi);

// A row's name x carries a position in its lower 16 bits, which is scaled,
// and a look hint in its upper 16 bits, which is passed on unchanged.
std::uint32_t NScaleNameX(std::uint32_t nameX, int dpi);
inline int NNameXPosition(std::uint32_t nameX) { return static_cast<int>(nameX & 0xFFFFu); }
inline int NNameXHint(std::uint32_t nameX) { return static_cast<int>(nameX >> 16); }
