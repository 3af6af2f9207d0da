#pragma once
// A verb of the command line: its subcommand, with the options it registered, and what runs it.
#include <CLI/CLI.hpp>

#include <functional>

namespace sim::tool {

struct Verb {
  CLI::App* command = nullptr;
  std::function<int()> run;  // the exit status
};

Verb addDemoVerb(CLI::App& app);
Verb addRunVerb(CLI::App& app);
Verb addPreviewVerb(CLI::App& app);
Verb addLintVerb(CLI::App& app);
Verb addStudioVerb(CLI::App& app);
Verb addTestVerb(CLI::App& app);
Verb addCheckScenarioVerb(CLI::App& app);

}  // namespace sim::tool
