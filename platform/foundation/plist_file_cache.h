#pragma once
// A property-list file read again only when it may have changed. The file is identified by its device,
// inode, size, and modification and change times in nanoseconds: the settings pane replaces the file by
// renaming a new one over it, which always brings a new inode, and an edit in place moves the times or the
// size. Anything that cannot be stat'ed is read the ordinary way, uncached.
#include <cstdint>
#include <filesystem>
#include <optional>

#include "platform/foundation/plist_value.h"

namespace platform {

class Process;

class PlistFileCache {
 public:
  PlistFileCache() = default;
  // As a per-process service.
  explicit PlistFileCache(Process&) {}

  // What readPlistDictionary(path) would answer now.
  const std::optional<PlistDict>& read(const std::filesystem::path& path);

  // How many times the file itself was read and parsed (for tests and benchmarks).
  std::uint64_t fileReads() const { return fileReads_; }

 private:
  struct Stamp {
    std::uint64_t device = 0, inode = 0;
    std::int64_t size = 0;
    std::int64_t modified = 0, changed = 0;  // nanoseconds since the epoch
    bool operator==(const Stamp&) const = default;
  };
  static std::optional<Stamp> stampOf(const std::filesystem::path& path);

  std::filesystem::path path_;
  std::optional<Stamp> stamp_;  // nothing: no cached contents
  std::optional<PlistDict> contents_;
  std::uint64_t fileReads_ = 0;
};

}  // namespace platform
