#pragma once
// Makes an output folder belong to one run at a time: an advisory lock on FOLDER/.tarvo12-sim.lock, held
// while the object lives. The system lets go of it when the process ends, however it ends, so a crashed
// run leaves no stale lock behind.
#include <filesystem>

namespace sim {

class FolderLock {
 public:
  // Throws std::runtime_error when another run holds the folder (naming its process when it can), or
  // when the lock file cannot be made. The folder must exist.
  explicit FolderLock(const std::filesystem::path& folder);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  static constexpr const char* kFileName = ".tarvo12-sim.lock";

 private:
  int fd_ = -1;
};

}  // namespace sim
