// `lint`: what the system will make of a settings file.
#include <iostream>
#include <memory>
#include <string>

#include "sim/tool/lint.h"
#include "sim/tool/verb.h"

namespace sim::tool {

Verb addLintVerb(CLI::App& app) {
  auto file = std::make_shared<std::string>();
  auto* command = app.add_subcommand("lint", "What the system will make of a settings file");
  command->add_option("settings", *file, "The settings file")->required();
  return {command, [file] { return runLint(*file, std::cout, std::cerr); }};
}

}  // namespace sim::tool
