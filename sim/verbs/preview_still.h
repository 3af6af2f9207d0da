#pragma once
// One still of a model's screen with the HUD fully shown, as `preview` makes it: a short scenario that
// steps the volume onto the level and waits out the fade-in.
#include <optional>
#include <string>

#include "platform/graphics/image.h"
#include "settings/settings.h"
#include "sim/verbs/preview.h"
#include "sim/scenario/device_models.h"
#include "sim/scenario/values.h"

namespace sim {

struct PreviewStill {
  platform::CGImageRef image;               // nil when the frame could not be drawn
  std::optional<tarvo::Settings> settings;  // what the HUD ran with; nothing without the library
  bool hudShown = false;
};

// What is behind the HUD: the scenario's words for a wallpaper and for an app's content (as
// readContentOption gives them), when asked for.
struct PreviewBackdrop {
  std::optional<std::string> wallpaper;
  std::optional<std::string> content;
};

// The options are checked already. `scale` is pixels per point (the device's own when absent); `upright`
// turns a landscape frame the way a person holds the phone. Throws ScenarioError for content that cannot be
// shown (an image file that does not decode).
PreviewStill renderPreviewStill(const PreviewOptions& options, const DeviceModel& model, Orientation orientation,
                                std::optional<double> scale, bool upright, const PreviewBackdrop& backdrop = {});

}  // namespace sim
