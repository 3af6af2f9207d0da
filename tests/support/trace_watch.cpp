// Every event any test records is held to the table of trace kinds: a kind or a field the table lacks, or
// a field every event of its kind carries missing, fails the test that recorded it.
#include <gtest/gtest.h>

#include "platform/foundation/trace_kinds.h"

namespace {

void check(const platform::TraceEvent& event) {
  if (auto problem = platform::traceEventProblem(event))
    ADD_FAILURE() << event.process << " recorded " << *problem << ": " << platform::toJsonLine(event);
}

[[maybe_unused]] const bool kWatching = [] {
  platform::watchEveryTrace(check);
  return true;
}();

}  // namespace
