#include <cmath>
#include <sstream>

#include "hud/tarvo12.h"
#include "platform/render/renderer.h"
#include "platform/uikit/window.h"
#include "sim/phone/phone_options.h"
#include "sim/tool/preview.h"
#include "sim/phone/display_shape.h"
#include "sim/observe/hud_snapshot.h"
#include "sim/play/runner.h"
#include "sim/scenario/device_models.h"
#include "sim/scenario/parse_scenario.h"

namespace sim {

namespace {

// A scenario that leaves the HUD fully shown at `level`: one step towards the level, then a frame once the
// fade-in is over.
std::string previewScenario(const PreviewOptions& o, const DeviceModel& model, Orientation orientation) {
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
  s << "at 0.1s press " << (up ? "up" : "down") << "\n";
  s << "at 0.8s capture preview\n";
  return s.str();
}

}  // namespace

int runPreview(const PreviewOptions& options, std::ostream& out, std::ostream& err) {
  const DeviceModel* model = &defaultDeviceModel();
  if (!readDeviceOption(options.device, model, err)) return 2;
  auto orientation = orientationNamed(options.orientation);
  if (!orientation) {
    err << "tarvo12-sim: unknown orientation '" << options.orientation
        << "' (portrait, portrait-upside-down, landscape-right, landscape-left or 1 to 4)\n";
    return 2;
  }
  if (options.mode != "media" && options.mode != "ringer") {
    err << "tarvo12-sim: --mode is media or ringer\n";
    return 2;
  }
  if (!std::isfinite(options.level) || options.level < 0 || options.level > 1) {
    err << "tarvo12-sim: --level is a number from 0 to 1\n";
    return 2;
  }
  if (!checkSettingsOption(options.settings, err)) return 2;
  Scenario scenario = parseScenario(previewScenario(options, *model, *orientation), "preview");
  RunOptions run;
  run.settings = options.settings;
  platform::Renderer renderer;
  bool written = false;
  run.frames = [&](const std::string&, platform::Nanos, SimPhone& phone) {
    platform::CGImageRef image = phone.renderScreen(renderer);
    if (options.upright) image = turnUpright(image, static_cast<int>(*orientation));
    written = image && platform::writePng(*image, options.output);
  };
  Runner runner(scenario, std::move(run));
  runner.phone().setBareScreen(options.bare);
  runner.run();
  if (!written) {
    err << "tarvo12-sim: cannot write " << options.output.string() << "\n";
    return 2;
  }
  tarvo::Tarvo12* lib = runner.phone().tarvo();
  auto hidden = lib ? readHudField(*lib, "tarvoHUDWindow.hidden") : std::nullopt;
  if (!hidden || hidden->boolValue().value_or(true))
    err << "tarvo12-sim: note: the HUD is not on screen in this still (is it enabled? `lint` shows what the "
           "settings do)\n";
  out << "preview      " << options.output.string() << " (" << model->identifier << ", " << options.orientation
      << ", " << options.mode << " at " << options.level << ")\n";
  return 0;
}

}  // namespace sim
