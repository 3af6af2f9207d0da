#include "platform/foundation/plist_file_cache.h"

#include <sys/stat.h>

#include "platform/foundation/plist_file.h"

namespace platform {

std::optional<PlistFileCache::Stamp> PlistFileCache::stampOf(const std::filesystem::path& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  auto nanos = [](const timespec& t) { return std::int64_t{t.tv_sec} * 1'000'000'000 + t.tv_nsec; };
  return Stamp{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
               static_cast<std::int64_t>(st.st_size), nanos(st.st_mtim), nanos(st.st_ctim)};
}

const std::optional<PlistDict>& PlistFileCache::read(const std::filesystem::path& path) {
  auto stamp = stampOf(path);
  if (stamp && stamp_ && *stamp == *stamp_ && path.native() == path_.native()) return contents_;
  ++fileReads_;
  contents_ = readPlistDictionary(path);
  path_ = path;
  // Only a regular file that stayed the same while it was read may be answered from memory later.
  auto after = stampOf(path);
  stamp_ = stamp && after && *stamp == *after ? stamp : std::nullopt;
  return contents_;
}

}  // namespace platform
