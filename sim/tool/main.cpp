// tarvo12-sim: boots a simulated phone, injects Tarvo12 and Tarvo12Kit, plays a scenario and shows what a
// person would have seen. Each verb registers its own options; the work is done by the simulator library.
#include <CLI/CLI.hpp>

#include <vector>

#include "sim/tool/verb.h"

int main(int argc, char** argv) {
  CLI::App app{"tarvo12-sim: a simulated phone for the Tarvo12 volume HUD"};
  app.require_subcommand(1);
  const std::vector<sim::tool::Verb> verbs{sim::tool::addDemoVerb(app), sim::tool::addRunVerb(app),
                                           sim::tool::addPreviewVerb(app), sim::tool::addLintVerb(app),
                                           sim::tool::addStudioVerb(app),  sim::tool::addTestVerb(app),
                                           sim::tool::addCheckScenarioVerb(app)};
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    int code = app.exit(e);
    return code == 0 ? 0 : 2;
  }
  for (const auto& verb : verbs) {
    if (*verb.command) return verb.run();
  }
  return 2;
}
