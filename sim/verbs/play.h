#pragma once
// Playing a scenario or the built-in demo. Each answers the process exit status: 0 fine, 1 failed
// expectations, 2 bad input (a malformed scenario, a missing file, a bad option).
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

namespace sim {

struct PlayOptions {
  std::filesystem::path out = "out/run";
  std::optional<std::filesystem::path> settings;
  std::optional<std::string> device;
  bool progress = false;  // show progress on a terminal
  bool literal = false;   // the HUD without its caches: the same output, more work per show
  std::string frames = "all";       // which frames become PNG files: all, captures or none
  std::optional<double> scale;      // render at this many pixels per point instead of the device's
  std::optional<int> filmFps;       // also film the whole run as one animated WebP, FILMNAME.webp
  std::string filmName = "film";
  bool bare = false;  // frames as the screen's whole rectangle, without the display's outline
  // Also write the trace as a timeline in the Chrome trace event format (Perfetto, chrome://tracing);
  // the demo always writes one, as DIR/timeline.json.
  std::optional<std::filesystem::path> timeline;
};

int runScenarioFile(const std::filesystem::path& scenario, const PlayOptions& options, std::ostream& out,
                    std::ostream& err);
int runDemo(const PlayOptions& options, std::ostream& out, std::ostream& err);

}  // namespace sim
