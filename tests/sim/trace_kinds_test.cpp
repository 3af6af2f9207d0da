// The table of trace kinds, docs/trace.md and what the phone records agree: the document lists the table's
// rows in its order, and the examples between them record every kind and every field the table names (each
// event any test records is held to the table by support/trace_watch.cpp).
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "platform/foundation/trace_kinds.h"
#include "sim/play/runner.h"
#include "sim/scenario/parse_scenario.h"
#include "support/examples.h"
#include "support/markdown_table.h"

namespace {

using platform::TraceKind;
using platform::TraceSection;

// The backticked words of a cell outside parentheses: the field names, not the values they describe.
std::vector<std::string> namesOutsideParentheses(const std::string& cell) {
  std::string outside;
  int depth = 0;
  for (char c : cell) {
    if (c == '(') ++depth;
    if (depth == 0) outside += c;
    if (c == ')' && depth > 0) --depth;
  }
  return testing_support::backtickedWords(outside);
}

TEST(TraceKinds, TheDocumentListsEveryRowOfTheTableInOrder) {
  const std::pair<TraceSection, const char*> sections[] = {
      {TraceSection::Platform, "## Platform events"},
      {TraceSection::Shell, "## The shell stand-in"},
      {TraceSection::Simulator, "## Simulator events"},
  };
  std::size_t documentedRows = 0;
  for (const auto& [section, heading] : sections) {
    SCOPED_TRACE(heading);
    std::vector<const TraceKind*> rows;
    for (const TraceKind& row : platform::kTraceKinds)
      if (row.section == section) rows.push_back(&row);
    const auto documented = testing_support::readMarkdownSection("docs/trace.md", heading).rows;
    documentedRows += documented.size();
    ASSERT_EQ(documented.size(), rows.size()) << "rows in docs/trace.md against the table";
    for (std::size_t i = 0; i < rows.size(); ++i) {
      const auto& cells = documented[i];
      ASSERT_EQ(cells.size(), 4u) << "event | process | fields | when, in row " << i + 1;
      const TraceKind& row = *rows[i];
      EXPECT_EQ(cells[0], "`" + std::string(row.kind) + "`");
      EXPECT_EQ(cells[1], row.process) << row.kind;
      std::vector<std::string> fields;
      for (std::string_view name : platform::traceFieldNames(row)) fields.emplace_back(name);
      EXPECT_EQ(namesOutsideParentheses(cells[2]), fields) << row.kind;
      EXPECT_EQ(cells[3], row.when) << row.kind;
    }
  }
  EXPECT_EQ(documentedRows, platform::kTraceKinds.size());
}

TEST(TraceKinds, TheExamplesRecordEveryKindAndEveryFieldOfTheTable) {
  std::map<std::string, std::set<std::string>> seen;
  for (const auto& file : examples::scenarioFiles()) {
    const sim::Scenario scenario = sim::loadScenario(file);  // the runner keeps a reference to it
    sim::RunOptions options;
    options.keptTraceEvents = sim::kWholeTrace;
    sim::Runner runner(scenario, std::move(options));
    runner.run();
    for (const auto& event : runner.phone().device().trace().events()) {
      auto& fields = seen[event.kind];
      for (const auto& [name, value] : event.fields) fields.insert(name);
    }
  }
  for (const TraceKind& row : platform::kTraceKinds) {
    auto kind = seen.find(std::string(row.kind));
    if (kind == seen.end()) {
      ADD_FAILURE() << row.kind << " is in the table but no example records it";
      continue;
    }
    for (std::string_view name : platform::traceFieldNames(row))
      EXPECT_TRUE(kind->second.contains(std::string(name)))
          << row.kind << "'s field " << name << " is in the table but no example records it";
  }
}

TEST(TraceKinds, AnEventIsHeldToItsRow) {
  auto event = [](std::string kind, platform::PlistDict fields) {
    return platform::TraceEvent{0, "SpringBoard", std::move(kind), std::move(fields)};
  };
  platform::PlistDict fire;
  fire.set("selector", "tarvoHUDShouldHide:");
  platform::PlistDict extra = fire;
  extra.set("interval", 1.0);
  platform::PlistDict tap;
  tap.set("x", 1.0);
  tap.set("y", 2.0);
  tap.set("hit", false);
  struct Case {
    platform::TraceEvent event;
    bool fits;
  } cases[] = {
      {event("timer.fire", fire), true},
      {event("timer.fire", {}), false},        // a field every event carries is missing
      {event("timer.fire", extra), false},     // a field the row lacks
      {event("timer.fired", fire), false},     // a kind the table lacks
      {event("tap", tap), true},               // the fields of a hit are left out of a miss
      {event("hud.dismiss", {}), true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(!platform::traceEventProblem(c.event), c.fits) << platform::toJsonLine(c.event);
}

}  // namespace
