#pragma once
// `tarvo12-sim studio`: the settings pane and a live simulated phone in the browser.
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

namespace sim {

struct StudioOptions {
  std::optional<std::filesystem::path> settings;
  std::optional<std::string> device;
  int port = 8412;
  std::string listen = "127.0.0.1";
  bool open = false;
};

// Serves until interrupted (Ctrl-C or SIGTERM); 0 after a clean end, 2 for bad options.
int runStudio(const StudioOptions& options, std::ostream& out, std::ostream& err);

}  // namespace sim
