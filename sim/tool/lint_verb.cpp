// `lint`: what the system will make of a settings file.
#include <iostream>
#include <memory>
#include <string>

#include "sim/verbs/lint.h"
#include "sim/tool/verb.h"

namespace sim::tool {

Verb addLintVerb(CLI::App& app) {
  auto lint = std::make_shared<LintOptions>();
  auto* command = app.add_subcommand("lint", "What the system will make of a settings file");
  command->add_option("settings", lint->settings, "The settings file")->required();
  command->add_option("--device", lint->device, "Check the HUD's geometry on this model only");
  return {command, [lint] { return runLint(*lint, std::cout, std::cerr); }};
}

}  // namespace sim::tool
