// `demo` and `run`: playing the built-in story or a scenario file.
#include <iostream>
#include <memory>
#include <string>

#include "sim/verbs/play.h"
#include "sim/tool/verb.h"

namespace sim::tool {

Verb addDemoVerb(CLI::App& app) {
  auto demo = std::make_shared<PlayOptions>();
  demo->out = "out/demo";
  demo->progress = true;
  demo->filmFps = 30;  // the whole story as DIR/demo.webp
  demo->filmName = "demo";
  auto* command = app.add_subcommand("demo", "Play the built-in demo on default settings");
  command->add_option("--out", demo->out, "Output directory")->capture_default_str();
  command->add_flag("--bare", demo->bare, "Frames as the screen's whole rectangle, without the display's outline");
  return {command, [demo] { return runDemo(*demo, std::cout, std::cerr); }};
}

Verb addRunVerb(CLI::App& app) {
  auto run = std::make_shared<PlayOptions>();
  auto scenario = std::make_shared<std::string>();
  run->progress = true;
  auto* command = app.add_subcommand("run", "Play a scenario file");
  command->add_option("scenario", *scenario, "The scenario file")->required();
  command->add_option("--settings", run->settings, "A settings file to boot with");
  command->add_option("--device", run->device, "Device model identifier, e.g. iPhone10,3");
  command->add_option("--out", run->out, "Output directory")->capture_default_str();
  command->add_flag("--literal", run->literal,
                    "Run the HUD without its caches (decode, tint and read the settings on every show)");
  command->add_option("--frames", run->frames, "Which frames become PNG files: all, captures or none")
      ->capture_default_str();
  command->add_option("--scale", run->scale, "Render at this many pixels per point (a faster draft)");
  command->add_flag("--bare", run->bare, "Frames as the screen's whole rectangle, without the display's outline");
  command->add_option("--timeline", run->timeline,
                      "Also write the trace as a Chrome trace event file (Perfetto, chrome://tracing)");
  return {command, [run, scenario] { return runScenarioFile(*scenario, *run, std::cout, std::cerr); }};
}

}  // namespace sim::tool
