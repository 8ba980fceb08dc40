#include "NDpiScale.h"

int NScaleBy(int value, int dpi)
{
    if (dpi <= 0 || dpi == 96) return value;
    const long long scaled = static_cast<long long>(value) * dpi;
    return static_cast<int>(scaled >= 0 ? (scaled + 48) / 96 : -((-scaled + 48) / 96));
}

std::uint32_t NScaleNameX(std::uint32_t nameX, int dpi)
{
    const int low = NScaleBy(static_cast<int>(nameX & 0xFFFFu), dpi);
    return (nameX & 0xFFFF0000u) | (static_cast<std::uint32_t>(low) & 0xFFFFu);
}
