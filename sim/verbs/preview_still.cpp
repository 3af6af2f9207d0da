#include "sim/verbs/preview_still.h"

#include <cmath>
#include <sstream>

#include "hud/tarvo12.h"
#include "platform/render/renderer.h"
#include "sim/phone/display_shape.h"
#include "sim/phone/screen_content.h"
#include "sim/observe/hud_snapshot.h"
#include "sim/play/runner.h"
#include "sim/scenario/parse_scenario.h"

namespace sim {

namespace {

// A scenario that leaves the HUD fully shown at `level`: one step towards the level, then a frame once the
// fade-in is over.
std::string previewScenario(const PreviewOptions& o, const DeviceModel& model, Orientation orientation,
                            const PreviewBackdrop& backdrop) {
  const double step = 1.0 / 16;
  const bool ringer = o.mode == "ringer";
  double level = std::fmin(std::fmax(o.level, ringer ? step : 0.0), 1.0);
  bool up = level > 1 - step / 2;  // at the top, step up onto it; elsewhere step down onto it
  double start = up ? level - step : level + step;
  std::ostringstream s;
  s << "device " << model.identifier << "\n";
  s << "level " << (ringer ? "ringer " : "media ") << start << "\n";
  s << "buttons " << (ringer ? "ringer" : "media") << "\n";
  s << "rotate " << static_cast<int>(orientation) << "\n";
  if (backdrop.wallpaper) s << "wallpaper " << *backdrop.wallpaper << "\n";
  if (backdrop.content)
    s << "app start com.example.preview name Preview content " << *backdrop.content << "\napp front Preview\n";
  s << "at 0.1s press " << (up ? "up" : "down") << "\n";
  s << "at 0.8s capture preview\n";
  return s.str();
}

}  // namespace

PreviewStill renderPreviewStill(const PreviewOptions& options, const DeviceModel& model, Orientation orientation,
                                std::optional<double> scale, bool upright, const PreviewBackdrop& backdrop) {
  Scenario scenario = parseScenario(previewScenario(options, model, orientation, backdrop), "preview");
  checkScenarioContent(scenario);
  RunOptions run;
  run.settings = options.settings;
  platform::Renderer renderer;
  PreviewStill still;
  run.frames = [&](const std::string&, platform::Nanos, SimPhone& phone) {
    platform::CGImageRef image = scale ? phone.renderScreen(renderer, *scale) : phone.renderScreen(renderer);
    still.image = upright ? turnUpright(image, static_cast<int>(orientation)) : image;
  };
  Runner runner(scenario, std::move(run));
  runner.phone().setBareScreen(options.bare);
  runner.run();
  if (tarvo::Tarvo12* lib = runner.phone().tarvo()) {
    still.settings = lib->settings;
    auto hidden = readHudField(*lib, "tarvoHUDWindow.hidden");
    still.hudShown = hidden && !hidden->boolValue().value_or(true);
  }
  return still;
}

}  // namespace sim
