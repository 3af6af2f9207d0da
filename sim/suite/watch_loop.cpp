#include "sim/suite/watch_loop.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <optional>
#include <sstream>

#include "sim/baselines/baseline_rules.h"
#include "sim/suite/folder_watch.h"
#include "sim/suite/scenario_check.h"

namespace sim::suite {

namespace {

namespace fs = std::filesystem;

int interruptPipe[2] = {-1, -1};

extern "C" void onInterrupt(int) {
  char byte = 1;
  [[maybe_unused]] ssize_t n = ::write(interruptPipe[1], &byte, 1);
}

// Ctrl-C ends the watch instead of the process, for as long as it lives.
class InterruptCatcher {
 public:
  InterruptCatcher() {
    if (::pipe2(interruptPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, &previousInt_);
    ::sigaction(SIGTERM, &action, &previousTerm_);
  }
  ~InterruptCatcher() {
    ::sigaction(SIGINT, &previousInt_, nullptr);
    ::sigaction(SIGTERM, &previousTerm_, nullptr);
    for (int& fd : interruptPipe) {
      if (fd >= 0) ::close(fd);
      fd = -1;
    }
  }
  int descriptor() const { return interruptPipe[0]; }

 private:
  struct sigaction previousInt_ {};
  struct sigaction previousTerm_ {};
};

fs::path normal(const fs::path& path) {
  return fs::absolute(path).lexically_normal();
}

bool within(const fs::path& path, const fs::path& folder) {
  auto relative = path.lexically_relative(folder);
  return !relative.empty() && *relative.begin() != "..";
}

bool names(const fs::path& scenario, const std::string& fileName) {
  std::ifstream file(scenario, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str().find(fileName) != std::string::npos;
}

bool touches(const fs::path& change, const fs::path& scenario) {
  fs::path file = normal(scenario);
  if (change.extension() == ".scenario") return change == file;
  if (change.filename() == baselines::kRulesFileName) return within(file, change.parent_path());
  if (change.parent_path() == normal(baselineFolder(file))) return true;
  return names(file, change.filename().string());
}

}  // namespace

std::vector<fs::path> affectedBy(const std::vector<fs::path>& changed, const std::vector<fs::path>& suite) {
  std::vector<fs::path> affected;
  for (const auto& scenario : suite)
    if (std::any_of(changed.begin(), changed.end(), [&](const fs::path& c) { return touches(normal(c), scenario); }))
      affected.push_back(scenario);
  return affected;
}

int watchAndRerun(const std::vector<fs::path>& roots, const std::vector<fs::path>& leftOut,
                  const std::function<std::vector<fs::path>()>& select,
                  const std::function<int(const std::vector<fs::path>&)>& play, int status, std::ostream& out,
                  std::ostream& err) {
  InterruptCatcher interrupt;
  std::optional<FolderWatch> watch;
  try {
    watch.emplace(roots, leftOut);
  } catch (const std::exception& e) {
    err << "tarvo12-sim: " << e.what() << "\n";
    return 2;
  }
  out << "watching for changes (Ctrl-C ends)\n" << std::flush;
  for (;;) {
    std::vector<fs::path> changed = watch->waitForChanges(interrupt.descriptor());
    if (changed.empty()) return status;
    std::vector<fs::path> affected;
    try {
      affected = affectedBy(changed, select());
    } catch (const std::exception& e) {
      err << "tarvo12-sim: " << e.what() << "\n";  // a folder named on the command line went away, say
      continue;
    }
    if (affected.empty()) continue;
    out << "\nchanged: " << changed.front().string() << (changed.size() > 1 ? " ..." : "") << "\n";
    status = play(affected);
    out << "watching for changes (Ctrl-C ends)\n" << std::flush;
  }
}

}  // namespace sim::suite
