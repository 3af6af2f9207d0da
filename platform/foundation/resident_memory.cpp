#include "platform/foundation/resident_memory.h"

#include <unistd.h>

#include <fstream>

namespace platform {

std::size_t residentBytes() {
  std::ifstream statm("/proc/self/statm");
  std::size_t pages = 0, resident = 0;
  if (!(statm >> pages >> resident)) return 0;
  return resident * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

}  // namespace platform
