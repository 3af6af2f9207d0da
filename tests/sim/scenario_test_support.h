#pragma once
// Shared helpers of the scenario parser tests.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "sim/scenario/parse_scenario.h"

namespace simtest {

inline sim::Scenario parse(std::string_view text) {
  return sim::parseScenario(text, "test.scenario");
}

// The command of the last step, which must be of kind T.
template <class T>
T lastCommand(std::string_view text) {
  sim::Scenario scenario = parse(text);
  if (scenario.steps.empty()) throw std::logic_error("no steps");
  const T* command = std::get_if<T>(&scenario.steps.back().command);
  if (!command)
    throw std::logic_error("last step is " + std::string(sim::commandName(scenario.steps.back().command)));
  return *command;
}

// The error a text gives, as "line: message"; empty when it parses.
inline std::string errorOf(std::string_view text) {
  try {
    parse(text);
  } catch (const sim::ScenarioError& error) {
    return std::to_string(error.line()) + ": " + error.message();
  }
  return {};
}

}  // namespace simtest
