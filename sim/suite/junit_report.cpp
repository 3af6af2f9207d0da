#include "sim/suite/junit_report.h"

#include <cstdio>
#include <map>

#include "sim/suite/markup_text.h"

namespace sim::suite {

namespace {

using baselines::Outcome;

std::string seconds(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", value);
  return text;
}

std::string firstLine(const std::string& text) {
  return text.substr(0, text.find('\n'));
}

struct Counts {
  std::size_t tests = 0, failures = 0, errors = 0, skipped = 0;
  double time = 0;
  void add(const Counts& other) {
    tests += other.tests, failures += other.failures, errors += other.errors, skipped += other.skipped;
    time += other.time;
  }
};

bool isError(const ScenarioResult& r) {
  return !r.malformed.empty() || !r.crashed.empty() || r.timedOut;
}

std::string attributes(const Counts& c) {
  return " tests=\"" + std::to_string(c.tests) + "\" failures=\"" + std::to_string(c.failures) + "\" errors=\"" +
         std::to_string(c.errors) + "\" skipped=\"" + std::to_string(c.skipped) + "\" time=\"" + seconds(c.time) +
         "\"";
}

}  // namespace

std::string detailsOf(const ScenarioResult& r, bool ci) {
  Result result = r.result(ci);
  std::string text;
  auto add = [&](const std::string& line) { text += (text.empty() ? "" : "\n") + line; };
  if (r.timedOut) add(r.file.string() + " timed out, and was stopped");
  if (!r.crashed.empty()) add(r.file.string() + " crashed: " + r.crashed);
  if (!r.malformed.empty()) add(r.malformed);
  for (const auto& failure : r.expectationFailures) add(failure);
  for (const auto& problem : r.problems) add(problem);
  for (const auto& frame : r.frames)
    if (frame.verdict.outcome == Outcome::Fail || frame.verdict.outcome == Outcome::UnexpectedPass) add(frame.verdict.report);
  if (result == Result::MissingBaseline || (result == Result::Failed && ci)) {
    for (const auto& frame : r.frames)
      if (frame.verdict.outcome == Outcome::Missing) add(frame.verdict.report);
    if (!r.missingError.empty()) add(r.missingError);
  }
  if (result == Result::ExpectedFailure)
    for (const auto& frame : r.frames)
      if (frame.verdict.outcome == Outcome::ExpectedFailure) add(frame.verdict.report);
  return text;
}

void writeJunit(std::ostream& out, const std::vector<ScenarioResult>& results, bool ci) {
  std::map<std::string, std::vector<const ScenarioResult*>> folders;
  for (const auto& r : results) {
    std::string folder = r.file.parent_path().generic_string();
    folders[folder.empty() ? "." : folder].push_back(&r);
  }
  Counts total;
  std::string body;
  for (const auto& [folder, members] : folders) {
    Counts counts;
    std::string cases;
    for (const ScenarioResult* r : members) {
      Result result = r->result(ci);
      ++counts.tests;
      counts.time += r->seconds;
      cases += "    <testcase classname=\"" + markupText(folder) + "\" name=\"" + markupText(r->file.stem().string()) +
               "\" file=\"" + markupText(r->file.generic_string()) + "\" time=\"" + seconds(r->seconds) + "\"";
      std::string details = detailsOf(*r, ci);
      if (!fails(result, ci) && result != Result::MissingBaseline && result != Result::ExpectedFailure) {
        cases += "/>\n";
        continue;
      }
      std::string element, type;
      if (result == Result::MissingBaseline || result == Result::ExpectedFailure) {
        ++counts.skipped;
        element = "skipped";
        type = std::string(nameOf(result));
      } else if (isError(*r)) {
        ++counts.errors;
        element = "error";
        type = r->timedOut ? "timed out" : !r->crashed.empty() ? "crashed" : "malformed";
      } else {
        ++counts.failures;
        element = "failure";
        auto kinds = r->failureKinds(ci);
        type = kinds.empty() ? std::string(nameOf(result)) : kinds.front();
      }
      cases += ">\n      <" + element + " type=\"" + markupText(type) + "\" message=\"" + markupText(firstLine(details)) +
               "\">" + markupText(details) + "</" + element + ">\n";
      cases += "      <system-out>outputs: " + markupText(r->out.generic_string()) + "</system-out>\n    </testcase>\n";
    }
    body += "  <testsuite name=\"" + markupText(folder) + "\"" + attributes(counts) + ">\n" + cases + "  </testsuite>\n";
    total.add(counts);
  }
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  out << "<testsuites name=\"tarvo12-sim test\"" << attributes(total) << ">\n" << body << "</testsuites>\n";
}

}  // namespace sim::suite
