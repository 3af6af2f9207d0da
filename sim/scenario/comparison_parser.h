#pragma once
// Reading the checks of `expect` lines: comparison operators, trace event patterns and time windows.
#include "sim/scenario/expectations.h"
#include "sim/scenario/scenario_builder.h"
#include "sim/scenario/token_reader.h"

namespace sim {

// ==, !=, <, <=, >, >= and the words contains and starts-with.
Comparison parseComparison(TokenReader& in, std::string_view what);
bool isOrdering(Comparison comparison);

// KIND [where CONDITION [and CONDITION]...]
EventPattern parseEventPattern(TokenReader& in);
// [from TIME] [to TIME] | [last DURATION]; by default from 0 to the current time.
TimeWindow parseTimeWindow(TokenReader& in, const ScenarioBuilder& builder);
// `within TOLERANCE`, if present; otherwise the default.
double parseTolerance(TokenReader& in, double defaultTolerance);

}  // namespace sim
