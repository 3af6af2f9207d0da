// `test`: a folder of scenarios as a regression suite; and the hidden verb each of its checks runs in.
#include <iostream>
#include <memory>
#include <string>

#include "sim/suite/test_command.h"
#include "sim/suite/suite_run.h"
#include "sim/tool/verb.h"

namespace sim::tool {

Verb addTestVerb(CLI::App& app) {
  auto options = std::make_shared<suite::TestOptions>();
  options->progress = true;
  auto* command = app.add_subcommand("test", "Check scenarios against their baselines, each in its own process");
  command->add_option("paths", options->paths, "Scenario files and folders (default: the current folder)");
  command->add_option("-j,--jobs", options->jobs, "Scenarios checked at once (default: the number of cores)");
  command->add_option("--junit", options->junit, "Write the results as JUnit XML to this file");
  command->add_option("--report", options->report, "Write an HTML report, DIR/index.html");
  command->add_option("--rebaseline", options->rebaseline,
                      "failing: rewrite the baselines of failing frames; missing: write those not there yet");
  command->add_option("--shard", options->shard, "Check only shard K of N (K/N), split by file");
  command->add_option("--filter", options->filter, "Check only the scenarios whose path holds this text");
  command->add_flag("--watch", options->watch, "After the run, check again what each change touches, until Ctrl-C");
  command->add_option("--timeout", options->timeout, "Seconds a scenario may take before it is stopped")
      ->capture_default_str();
  command->add_option("--out", options->out, "Folder for each scenario's outputs")->capture_default_str();
  return {command, [options] { return suite::runTests(*options, std::cout, std::cerr); }};
}

Verb addCheckScenarioVerb(CLI::App& app) {
  struct Check {
    std::string scenario, out, rebaseline;
  };
  auto check = std::make_shared<Check>();
  auto* command = app.add_subcommand(suite::kCheckVerb, "");
  command->group("");  // run by `test` only
  command->add_option("scenario", check->scenario)->required();
  command->add_option("--out", check->out)->required();
  command->add_option("--rebaseline", check->rebaseline);
  return {command, [check] { return suite::runScenarioCheck(check->scenario, check->out, check->rebaseline, std::cerr); }};
}

}  // namespace sim::tool
