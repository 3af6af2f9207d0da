#include "sim/suite/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace sim::suite {

namespace {

// Checked every this often where the system cannot say when a child ends.
constexpr std::chrono::milliseconds kPollingStep{10};

int openProcessDescriptor(pid_t pid) {
#ifdef SYS_pidfd_open
  long fd = ::syscall(SYS_pidfd_open, pid, 0);
  return fd < 0 ? -1 : static_cast<int>(fd);
#else
  (void)pid;
  return -1;
#endif
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::filesystem::path& log) {
  if (argv.empty()) throw std::runtime_error("no program to start");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
  std::vector<char*> args;
  for (const auto& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  int error = posix_spawn(&pid_, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) throw std::runtime_error("cannot start " + argv[0] + ": " + std::strerror(error));
  pidfd_ = openProcessDescriptor(pid_);
}

ChildProcess::~ChildProcess() {
  if (!reaped_) kill();
  if (pidfd_ >= 0) ::close(pidfd_);
}

bool ChildProcess::ended() {
  if (reaped_) return true;
  pid_t done = ::waitpid(pid_, &status_, WNOHANG);
  if (done == pid_ || (done < 0 && errno == ECHILD)) reaped_ = true;
  return reaped_;
}

void ChildProcess::kill() {
  if (reaped_) return;
  ::kill(pid_, SIGKILL);
  while (::waitpid(pid_, &status_, 0) < 0 && errno == EINTR) {
  }
  reaped_ = true;
}

std::string ChildProcess::ending() const {
  if (WIFEXITED(status_)) return WEXITSTATUS(status_) == 0 ? "" : "exited with status " + std::to_string(WEXITSTATUS(status_));
  if (WIFSIGNALED(status_)) {
    const char* name = sigabbrev_np(WTERMSIG(status_));
    return "killed by " + (name ? "SIG" + std::string(name) : "signal " + std::to_string(WTERMSIG(status_)));
  }
  return "ended with status " + std::to_string(status_);
}

void waitForAny(const std::vector<ChildProcess*>& children, std::chrono::milliseconds timeout) {
  std::vector<pollfd> fds;
  for (ChildProcess* child : children) {
    if (child->descriptor() < 0) {
      std::this_thread::sleep_for(std::min(timeout, kPollingStep));
      return;
    }
    fds.push_back({child->descriptor(), POLLIN, 0});
  }
  if (fds.empty()) {
    std::this_thread::sleep_for(timeout);
    return;
  }
  ::poll(fds.data(), fds.size(), static_cast<int>(std::max<long long>(0, timeout.count())));
}

}  // namespace sim::suite
