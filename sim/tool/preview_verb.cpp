// `preview`: one still of the screen with the HUD fully shown.
#include <iostream>
#include <memory>

#include "platform/uikit/content/builtin_content.h"
#include "sim/verbs/preview.h"
#include "sim/tool/verb.h"

namespace sim::tool {

Verb addPreviewVerb(CLI::App& app) {
  auto preview = std::make_shared<PreviewOptions>();
  auto* command = app.add_subcommand("preview", "One still of the screen with the HUD fully shown");
  command->add_option("settings", preview->settings, "A settings file");
  command->add_option("--device", preview->device, "Device model identifier");
  command->add_option("--orientation", preview->orientation,
                      "portrait, portrait-upside-down, landscape-right, landscape-left")
      ->capture_default_str();
  command->add_option("--mode", preview->mode, "media or ringer")->capture_default_str();
  command->add_option("--level", preview->level, "Volume level from 0 to 1")->capture_default_str();
  command->add_option("-o,--output", preview->output, "PNG file to write")->capture_default_str();
  command->add_flag("--all-devices", preview->allDevices,
                    "One sheet of every model in every orientation, collisions outlined");
  command->add_flag("--bare", preview->bare, "The screen's whole rectangle, without the display's outline");
  command->add_flag("--upright", preview->upright, "Turn a landscape screen the way a person holds the phone");
  command->add_option("--wallpaper", preview->wallpaper,
                      "Behind the home screen's icons: " + platform::builtinContentNames() + " or a PNG file");
  command->add_option("--content", preview->content,
                      "An app in front showing " + platform::builtinContentNames() + " or a PNG file");
  return {command, [preview] { return runPreview(*preview, std::cout, std::cerr); }};
}

}  // namespace sim::tool
