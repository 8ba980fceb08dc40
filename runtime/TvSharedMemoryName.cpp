// Object names of the shared memory block, kept apart from the platform code.
#include <string>

namespace tv {

std::string SharedMemoryMappingName(const std::string& name) { return "NSharedData_" + name; }
std::string SharedMemoryMutexName(const std::string& name) { return "SMutex_" + name; }

}  // namespace tv
