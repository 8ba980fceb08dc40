// The stop event's name, kept apart from the platform code.
#include <string>

#include "TvThreadName.h"

namespace tv {

std::string ThreadStopEventName(unsigned long counter, unsigned long tick) {
  // The sum wraps like the tick count it is made of.
  return "TRDEVTQ-" + std::to_string(static_cast<unsigned long>(counter + tick));
}

}  // namespace tv
