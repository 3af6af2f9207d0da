// `studio`: the settings pane and a live phone in the browser.
#include <iostream>
#include <memory>

#include "sim/studio/run_studio.h"
#include "sim/tool/verb.h"

namespace sim::tool {

Verb addStudioVerb(CLI::App& app) {
  auto studio = std::make_shared<StudioOptions>();
  auto* command =
      app.add_subcommand("studio", "The settings pane and a live phone in the browser (runs until Ctrl-C)");
  command->add_option("--settings", studio->settings, "A settings file to start from (never written)");
  command->add_option("--device", studio->device, "Device model identifier, e.g. iPhone10,3");
  command->add_option("--port", studio->port, "Port (0 picks a free one)")->capture_default_str();
  command->add_option("--listen", studio->listen, "Address to listen on (loopback unless you say so)")
      ->capture_default_str();
  command->add_flag("--open", studio->open, "Open the page in a browser");
  return {command, [studio] { return runStudio(*studio, std::cout, std::cerr); }};
}

}  // namespace sim::tool
