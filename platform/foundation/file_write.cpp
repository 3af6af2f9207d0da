#include "platform/foundation/file_write.h"

#include <fstream>

namespace platform {

bool writeFileBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) return false;
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  file.close();  // the last bytes reach the disk only now, and may fail to
  return static_cast<bool>(file);
}

}  // namespace platform
