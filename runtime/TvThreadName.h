// The name of a thread's stop event, formed without the platform.
#pragma once
#include <string>

namespace tv {
// "TRDEVTQ-" and the decimal value of `counter` plus `tick`.
std::string ThreadStopEventName(unsigned long counter, unsigned long tick);
}  // namespace tv
