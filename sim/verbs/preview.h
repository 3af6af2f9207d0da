#pragma once
// One still of the screen with the HUD fully shown. Answers 0, or 2 on bad input.
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

namespace sim {

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
  // Behind the HUD: the home screen's wallpaper, or an app in front showing this content (built-in
  // pictures by name, or PNG files).
  std::optional<std::string> wallpaper;
  std::optional<std::string> content;
};
int runPreview(const PreviewOptions& options, std::ostream& out, std::ostream& err);

}  // namespace sim
