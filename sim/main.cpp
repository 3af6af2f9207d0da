// tarvo12-sim: boots a simulated phone, injects Tarvo12 and Tarvo12Kit, plays a scenario and shows what a
// person would have seen.
#include <CLI/CLI.hpp>

#include <iostream>

#include "sim/commands.h"
#include "sim/studio/command_studio.h"

int main(int argc, char** argv) {
  CLI::App app{"tarvo12-sim: a simulated phone for the Tarvo12 volume HUD"};
  app.require_subcommand(1);

  sim::PlayOptions demo;
  demo.out = "out/demo";
  demo.progress = true;
  demo.filmFps = 30;  // the whole story as DIR/demo.webp
  demo.filmName = "demo";
  auto* demoCommand = app.add_subcommand("demo", "Play the built-in demo on default settings");
  demoCommand->add_option("--out", demo.out, "Output directory")->capture_default_str();
  demoCommand->add_flag("--bare", demo.bare, "Frames as the screen's whole rectangle, without the display's outline");

  sim::PlayOptions run;
  run.progress = true;
  std::string scenario;
  auto* runCommand = app.add_subcommand("run", "Play a scenario file");
  runCommand->add_option("scenario", scenario, "The scenario file")->required();
  runCommand->add_option("--settings", run.settings, "A settings file to boot with");
  runCommand->add_option("--device", run.device, "Device model identifier, e.g. iPhone10,3");
  runCommand->add_option("--out", run.out, "Output directory")->capture_default_str();
  runCommand->add_flag("--literal", run.literal,
                       "Run the HUD without its caches (decode, tint and read the settings on every show)");
  runCommand->add_option("--frames", run.frames, "Which frames become PNG files: all, captures or none")
      ->capture_default_str();
  runCommand->add_option("--scale", run.scale, "Render at this many pixels per point (a faster draft)");
  runCommand->add_flag("--bare", run.bare, "Frames as the screen's whole rectangle, without the display's outline");

  sim::PreviewOptions preview;
  auto* previewCommand = app.add_subcommand("preview", "One still of the screen with the HUD fully shown");
  previewCommand->add_option("settings", preview.settings, "A settings file");
  previewCommand->add_option("--device", preview.device, "Device model identifier");
  previewCommand->add_option("--orientation", preview.orientation,
                             "portrait, portrait-upside-down, landscape-right, landscape-left")
      ->capture_default_str();
  previewCommand->add_option("--mode", preview.mode, "media or ringer")->capture_default_str();
  previewCommand->add_option("--level", preview.level, "Volume level from 0 to 1")->capture_default_str();
  previewCommand->add_option("-o,--output", preview.output, "PNG file to write")->capture_default_str();
  previewCommand->add_flag("--all-devices", preview.allDevices,
                           "One sheet of every model in every orientation, collisions outlined");
  previewCommand->add_flag("--bare", preview.bare, "The screen's whole rectangle, without the display's outline");
  previewCommand->add_flag("--upright", preview.upright,
                           "Turn a landscape screen the way a person holds the phone");

  sim::LintOptions lint;
  auto* lintCommand = app.add_subcommand("lint", "What the system will make of a settings file");
  lintCommand->add_option("settings", lint.settings, "The settings file")->required();
  lintCommand->add_option("--device", lint.device, "Check the HUD's geometry on this model only");

  sim::StudioOptions studio;
  auto* studioCommand =
      app.add_subcommand("studio", "The settings pane and a live phone in the browser (runs until Ctrl-C)");
  studioCommand->add_option("--settings", studio.settings, "A settings file to start from (never written)");
  studioCommand->add_option("--device", studio.device, "Device model identifier, e.g. iPhone10,3");
  studioCommand->add_option("--port", studio.port, "Port (0 picks a free one)")->capture_default_str();
  studioCommand->add_option("--listen", studio.listen, "Address to listen on (loopback unless you say so)")
      ->capture_default_str();
  studioCommand->add_flag("--open", studio.open, "Open the page in a browser");

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    int code = app.exit(e);
    return code == 0 ? 0 : 2;
  }
  if (*demoCommand) return sim::runDemo(demo, std::cout, std::cerr);
  if (*runCommand) return sim::runScenarioFile(scenario, run, std::cout, std::cerr);
  if (*previewCommand) return sim::runPreview(preview, std::cout, std::cerr);
  if (*studioCommand) return sim::runStudio(studio, std::cout, std::cerr);
  return sim::runLint(lint, std::cout, std::cerr);
}
