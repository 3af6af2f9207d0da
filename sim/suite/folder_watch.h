#pragma once
// Watches folder trees for files that change (inotify), for `test --watch`: every folder below the roots,
// folders made later included, but none below the folders left out (where the checks write their outputs,
// which would otherwise wake the watch forever).
#include <filesystem>
#include <map>
#include <vector>

namespace sim::suite {

class FolderWatch {
 public:
  // Throws std::runtime_error when the system refuses a watch.
  FolderWatch(const std::vector<std::filesystem::path>& roots, std::vector<std::filesystem::path> leftOut);
  ~FolderWatch();
  FolderWatch(const FolderWatch&) = delete;
  FolderWatch& operator=(const FolderWatch&) = delete;

  // Waits for a change, then for a short quiet spell so that a save of several files is seen as one;
  // answers the files that changed (absolute), or nothing when `interrupt` became readable first.
  std::vector<std::filesystem::path> waitForChanges(int interrupt);

 private:
  void add(const std::filesystem::path& folder);
  // Reads what is pending into `changed`.
  void drain(std::vector<std::filesystem::path>& changed);

  int fd_ = -1;
  std::map<int, std::filesystem::path> folders_;
  std::vector<std::filesystem::path> leftOut_;
};

}  // namespace sim::suite
