#include "sim/output/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>

namespace sim {

namespace {

// The process that wrote its number into the lock file, or empty.
std::string holderOf(int fd) {
  char buffer[32] = {};
  ssize_t n = pread(fd, buffer, sizeof buffer - 1, 0);
  std::string text = n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
  for (char c : text)
    if (c < '0' || c > '9') return {};
  return text;
}

}  // namespace

FolderLock::FolderLock(const std::filesystem::path& folder) {
  const std::filesystem::path path = folder / kFileName;
  fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd_ < 0) throw std::runtime_error("cannot create " + path.string() + ": " + std::strerror(errno));
  int locked;
  do {
    locked = ::flock(fd_, LOCK_EX | LOCK_NB);
  } while (locked != 0 && errno == EINTR);
  if (locked != 0) {
    int error = errno;
    std::string holder = error == EWOULDBLOCK ? holderOf(fd_) : std::string();
    ::close(fd_);
    fd_ = -1;
    if (error != EWOULDBLOCK) throw std::runtime_error("cannot lock " + path.string() + ": " + std::strerror(error));
    throw std::runtime_error(folder.string() + " is in use by another run" +
                             (holder.empty() ? std::string() : " (process " + holder + ")") +
                             ": wait for it to end, or write into another folder");
  }
  // Only for the message another run gives; the lock itself is what keeps it out.
  std::string pid = std::to_string(::getpid()) + "\n";
  if (::ftruncate(fd_, 0) == 0) {
    [[maybe_unused]] ssize_t written = ::pwrite(fd_, pid.data(), pid.size(), 0);
  }
}

FolderLock::~FolderLock() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace sim
