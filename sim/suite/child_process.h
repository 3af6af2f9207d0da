#pragma once
// A program run in a process of its own, its output into a log file, so that whatever it does (crash,
// hang, exhaust its memory) ends there: the caller waits for it with a deadline and kills it past that.
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace sim::suite {

class ChildProcess {
 public:
  // Starts argv[0] with the arguments after it, standard output and error into `log`, standard input
  // empty. Throws std::runtime_error when it cannot.
  ChildProcess(const std::vector<std::string>& argv, const std::filesystem::path& log);
  ~ChildProcess();  // a child still running is killed
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Reaps the child if it has ended; answers whether it has.
  bool ended();
  // Kills the child and waits for it.
  void kill();
  // Readable once the child has ended; -1 where the system has no process descriptors.
  int descriptor() const { return pidfd_; }
  pid_t pid() const { return pid_; }
  // "" when it exited with status 0, else "exited with status N" or "killed by SIGSEGV".
  std::string ending() const;

 private:
  pid_t pid_ = -1;
  int pidfd_ = -1;
  bool reaped_ = false;
  int status_ = 0;
};

// Waits until one of the children ends or `timeout` passes.
void waitForAny(const std::vector<ChildProcess*>& children, std::chrono::milliseconds timeout);

}  // namespace sim::suite
