#pragma once
// The simulator's commands. Each answers the process exit status: 0 fine, 1 failed expectations (run,
// demo) or warnings (lint), 2 bad input (a malformed scenario, a missing file, a bad option).
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
};

int runScenarioFile(const std::filesystem::path& scenario, const PlayOptions& options, std::ostream& out,
                    std::ostream& err);
int runDemo(const PlayOptions& options, std::ostream& out, std::ostream& err);

struct PreviewOptions {
  std::optional<std::filesystem::path> settings;
  std::optional<std::string> device;
  std::string orientation = "portrait";
  std::string mode = "media";
  double level = 0.5;
  std::filesystem::path output = "preview.png";
  bool bare = false;     // the screen's whole rectangle, without the display's outline
  bool upright = false;  // a landscape screen turned the way a person holds the phone
  bool allDevices = false;  // one sheet of every model in every orientation, collisions outlined
};
int runPreview(const PreviewOptions& options, std::ostream& out, std::ostream& err);

struct LintOptions {
  std::filesystem::path settings;
  std::optional<std::string> device;  // the HUD's geometry on this model only; every model without it
};
int runLint(const LintOptions& options, std::ostream& out, std::ostream& err);

}  // namespace sim
