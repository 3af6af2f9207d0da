#include <cmath>

#include "platform/graphics/png_codec.h"
#include "sim/lint/geometry_check.h"
#include "sim/phone/phone_options.h"
#include "sim/scenario/device_models.h"
#include "sim/scenario/scenario_error.h"
#include "sim/verbs/all_devices_sheet.h"
#include "sim/verbs/preview.h"
#include "sim/verbs/preview_still.h"

namespace sim {

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
  PreviewBackdrop backdrop;
  if (options.wallpaper && !(backdrop.wallpaper = readContentOption(*options.wallpaper, "--wallpaper", err))) return 2;
  if (options.content && !(backdrop.content = readContentOption(*options.content, "--content", err))) return 2;
  PreviewStill still;
  try {
    if (options.allDevices) return writeAllDevicesSheet(options, backdrop, out, err);
    still = renderPreviewStill(options, *model, *orientation, std::nullopt, options.upright, backdrop);
  } catch (const ScenarioError& e) {
    err << "tarvo12-sim: " << e.message() << "\n";
    return 2;
  }
  if (!still.image || !platform::writePng(*still.image, options.output)) {
    err << "tarvo12-sim: cannot write " << options.output.string() << "\n";
    return 2;
  }
  if (!still.hudShown)
    err << "tarvo12-sim: note: the HUD is not on screen in this still (is it enabled? `lint` shows what the "
           "settings do)\n";
  out << "preview      " << options.output.string() << " (" << model->identifier << ", " << options.orientation
      << ", " << options.mode << " at " << options.level << ")\n";
  if (still.settings) {
    const auto mode = options.mode == "ringer" ? tarvo::VolumeMode::Ringer : tarvo::VolumeMode::Media;
    for (const Collision& c :
         checkHudGeometry(*still.settings, *model, static_cast<tarvo::InterfaceOrientation>(*orientation), mode))
      out << "warning: " << c.what << "\n";
  }
  return 0;
}

}  // namespace sim
