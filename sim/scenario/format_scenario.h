#pragma once
// Commands written back as scenario lines, the inverse of the parser: parsing what these write gives the
// same commands, the same setup and the same times. Whatever acts on the phone as commands (the studio,
// the random-scenario generator) writes its scenario this way rather than by hand.
#include <string>
#include <vector>

#include "platform/foundation/clock.h"
#include "sim/scenario/scenario.h"

namespace sim {

// Where a line stands: the scenario's time when it runs (press times and expectation windows are written
// relative to it) and whether it looks before what is due at that time (`now`).
struct LineContext {
  platform::Nanos time = 0;
  bool beforeDue = false;
};

std::string formatCommand(const Command& command, const LineContext& context = {});
// The setup lines that give this setup (none for the defaults).
std::vector<std::string> formatSetup(const DeviceSetup& setup);
// The whole scenario: setup, then each step, with `at` where its time is ahead of the line before.
std::string formatScenario(const Scenario& scenario);

// A time or duration exactly, in seconds: "1.5s", "0.001s", "0s".
std::string formatTime(platform::Nanos time);
// The shortest decimal that reads back as the same double; "nan", "inf" and "-inf" for the others.
std::string formatReal(double value);
// A word as it is when it reads back as itself, otherwise in quotes with escapes.
std::string formatWord(const std::string& text);

}  // namespace sim
