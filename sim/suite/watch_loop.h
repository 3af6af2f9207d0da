#pragma once
// `test --watch`: after the first run, re-runs the scenarios a change touches (the scenario itself, a
// baseline in its folder, a rules file above it, a file it names) until Ctrl-C.
#include <filesystem>
#include <functional>
#include <ostream>
#include <vector>

namespace sim::suite {

// The scenarios of `suite` that a change to `changed` touches, in suite order.
std::vector<std::filesystem::path> affectedBy(const std::vector<std::filesystem::path>& changed,
                                              const std::vector<std::filesystem::path>& suite);

// `select` answers the suite as it is now (a new scenario joins it); `play` runs some of it and answers the
// exit status. Answers the status of the last run once interrupted.
int watchAndRerun(const std::vector<std::filesystem::path>& roots, const std::vector<std::filesystem::path>& leftOut,
                  const std::function<std::vector<std::filesystem::path>()>& select,
                  const std::function<int(const std::vector<std::filesystem::path>&)>& play, int status,
                  std::ostream& out, std::ostream& err);

}  // namespace sim::suite
