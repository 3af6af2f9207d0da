#include "sim/suite/folder_watch.h"

#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace sim::suite {

namespace {

namespace fs = std::filesystem;

constexpr int kQuietMilliseconds = 200;
constexpr std::uint32_t kEvents = IN_CLOSE_WRITE | IN_MOVED_TO | IN_MOVED_FROM | IN_CREATE | IN_DELETE;

fs::path normal(const fs::path& path) {
  return fs::absolute(path).lexically_normal();
}

bool within(const fs::path& path, const fs::path& folder) {
  auto relative = path.lexically_relative(folder);
  return !relative.empty() && *relative.begin() != "..";
}

}  // namespace

FolderWatch::FolderWatch(const std::vector<fs::path>& roots, std::vector<fs::path> leftOut) {
  for (auto& path : leftOut) path = normal(path);
  leftOut_ = std::move(leftOut);
  fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (fd_ < 0) throw std::runtime_error(std::string("cannot watch for changes: ") + std::strerror(errno));
  for (const auto& root : roots) add(normal(fs::is_directory(root) ? root : root.parent_path()));
}

FolderWatch::~FolderWatch() {
  if (fd_ >= 0) ::close(fd_);
}

void FolderWatch::add(const fs::path& folder) {
  if (std::any_of(leftOut_.begin(), leftOut_.end(), [&](const fs::path& out) { return within(folder, out); }))
    return;
  int wd = inotify_add_watch(fd_, folder.c_str(), kEvents | IN_ONLYDIR);
  if (wd < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return;  // gone again already
    throw std::runtime_error("cannot watch " + folder.string() + ": " + std::strerror(errno));
  }
  folders_[wd] = folder;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder, ec))
    if (entry.is_directory(ec) && !entry.is_symlink(ec)) add(entry.path());
}

void FolderWatch::drain(std::vector<fs::path>& changed) {
  alignas(inotify_event) char buffer[16 * 1024];
  for (;;) {
    ssize_t n = ::read(fd_, buffer, sizeof buffer);
    if (n <= 0) return;
    for (ssize_t at = 0; at < n;) {
      inotify_event event;
      std::memcpy(&event, buffer + at, sizeof event);
      std::string name(buffer + at + sizeof event, strnlen(buffer + at + sizeof event, event.len));
      at += static_cast<ssize_t>(sizeof event + event.len);
      auto folder = folders_.find(event.wd);
      if (folder == folders_.end() || name.empty()) continue;
      fs::path path = folder->second / name;
      if ((event.mask & IN_ISDIR) && (event.mask & (IN_CREATE | IN_MOVED_TO))) {
        add(path);
        continue;
      }
      if (!(event.mask & IN_ISDIR)) changed.push_back(path);
    }
  }
}

std::vector<fs::path> FolderWatch::waitForChanges(int interrupt) {
  std::vector<fs::path> changed;
  while (changed.empty()) {
    pollfd fds[2] = {{fd_, POLLIN, 0}, {interrupt, POLLIN, 0}};
    if (::poll(fds, 2, -1) < 0 && errno != EINTR) return {};
    if (fds[1].revents) return {};
    drain(changed);
  }
  for (;;) {
    pollfd fds[2] = {{fd_, POLLIN, 0}, {interrupt, POLLIN, 0}};
    int ready = ::poll(fds, 2, kQuietMilliseconds);
    if (ready > 0 && fds[1].revents) return {};
    if (ready <= 0) break;
    drain(changed);
  }
  std::sort(changed.begin(), changed.end());
  changed.erase(std::unique(changed.begin(), changed.end()), changed.end());
  return changed;
}

}  // namespace sim::suite
