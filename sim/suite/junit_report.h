#pragma once
// A suite's results as JUnit XML, the form CI systems read: <testsuites> holding a <testsuite> per folder
// of scenarios, a <testcase> per scenario with its time, <failure> for a failed expectation, frame or
// unexpected pass (message, then the details with the diff images' paths), <error> for a malformed
// scenario, a crash or a time-out, <skipped> for a missing baseline outside CI and an expected failure.
#include <ostream>
#include <vector>

#include "sim/suite/scenario_result.h"

namespace sim::suite {

void writeJunit(std::ostream& out, const std::vector<ScenarioResult>& results, bool continuousIntegration);

// What a person reads about a result that is not a pass: its first line a message, then the details.
std::string detailsOf(const ScenarioResult& result, bool continuousIntegration);

}  // namespace sim::suite
