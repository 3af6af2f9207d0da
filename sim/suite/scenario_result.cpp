#include "sim/suite/scenario_result.h"

#include <nlohmann/json.hpp>

#include <algorithm>

namespace sim::suite {

namespace {

using baselines::Outcome;
using nlohmann::json;

bool any(const ScenarioResult& r, Outcome outcome) {
  return std::any_of(r.frames.begin(), r.frames.end(),
                     [&](const FrameResult& f) { return f.verdict.outcome == outcome; });
}

constexpr Outcome kOutcomes[] = {Outcome::Pass,    Outcome::Fail,   Outcome::ExpectedFailure, Outcome::UnexpectedPass,
                                 Outcome::Missing, Outcome::Written};

std::optional<Outcome> outcomeNamed(const std::string& name) {
  for (Outcome o : kOutcomes)
    if (baselines::nameOf(o) == name) return o;
  return std::nullopt;
}

// What fails the scenario whatever the rules of the run.
std::vector<std::string> hardFailures(const ScenarioResult& r) {
  std::vector<std::string> kinds;
  if (!r.expectationFailures.empty() || !r.problems.empty()) kinds.emplace_back("expectation");
  if (any(r, Outcome::Fail)) kinds.emplace_back("frame");
  if (!r.malformed.empty()) kinds.emplace_back("malformed");
  if (!r.crashed.empty()) kinds.emplace_back("crashed");
  if (r.timedOut) kinds.emplace_back("timed out");
  return kinds;
}

bool missesBaselines(const ScenarioResult& r) {
  return any(r, Outcome::Missing) || !r.missingError.empty();
}

}  // namespace

std::vector<std::string> ScenarioResult::failureKinds(bool continuousIntegration) const {
  std::vector<std::string> kinds = hardFailures(*this);
  if (any(*this, Outcome::UnexpectedPass)) kinds.emplace_back("unexpected pass");
  if (continuousIntegration && missesBaselines(*this)) kinds.emplace_back("missing baseline");
  return kinds;
}

Result ScenarioResult::result(bool continuousIntegration) const {
  if (!hardFailures(*this).empty()) return Result::Failed;
  if (any(*this, Outcome::UnexpectedPass)) return Result::UnexpectedPass;
  if (missesBaselines(*this)) return continuousIntegration ? Result::Failed : Result::MissingBaseline;
  if (any(*this, Outcome::ExpectedFailure)) return Result::ExpectedFailure;
  return Result::Passed;
}

std::string_view nameOf(Result result) {
  switch (result) {
    case Result::Passed: return "passed";
    case Result::Failed: return "failed";
    case Result::ExpectedFailure: return "expected failure";
    case Result::UnexpectedPass: return "unexpected pass";
    case Result::MissingBaseline: return "missing baseline";
  }
  return "failed";
}

bool fails(Result result, bool continuousIntegration) {
  return result == Result::Failed || result == Result::UnexpectedPass ||
         (result == Result::MissingBaseline && continuousIntegration);
}

std::string toJson(const ScenarioResult& r) {
  json frames = json::array();
  for (const auto& f : r.frames)
    frames.push_back({{"name", f.name},
                      {"outcome", baselines::nameOf(f.verdict.outcome)},
                      {"report", f.verdict.report},
                      {"baseline", f.verdict.baseline.string()},
                      {"actual", f.verdict.actual.string()},
                      {"diff", f.verdict.diff.string()}});
  json j = {{"file", r.file.string()},
            {"out", r.out.string()},
            {"errorCase", r.errorCase},
            {"expectations", r.expectations},
            {"expectationFailures", r.expectationFailures},
            {"frames", frames},
            {"malformed", r.malformed},
            {"problems", r.problems},
            {"missingError", r.missingError},
            {"written", r.written}};
  // Messages quote the scenario, which may hold any bytes: never let that stop the result from being written.
  return j.dump(-1, ' ', false, json::error_handler_t::replace);
}

std::optional<ScenarioResult> resultFromJson(std::string_view text) {
  json j = json::parse(text, nullptr, false);
  if (j.is_discarded() || !j.is_object()) return std::nullopt;
  try {
    ScenarioResult r;
    r.file = j.at("file").get<std::string>();
    r.out = j.at("out").get<std::string>();
    r.errorCase = j.at("errorCase").get<bool>();
    r.expectations = j.at("expectations").get<std::size_t>();
    r.expectationFailures = j.at("expectationFailures").get<std::vector<std::string>>();
    r.malformed = j.at("malformed").get<std::string>();
    r.problems = j.at("problems").get<std::vector<std::string>>();
    r.missingError = j.at("missingError").get<std::string>();
    r.written = j.at("written").get<std::vector<std::string>>();
    for (const auto& f : j.at("frames")) {
      auto outcome = outcomeNamed(f.at("outcome").get<std::string>());
      if (!outcome) return std::nullopt;
      baselines::Verdict v{*outcome, f.at("report").get<std::string>(), f.at("baseline").get<std::string>(),
                           f.at("actual").get<std::string>(), f.at("diff").get<std::string>()};
      r.frames.push_back({f.at("name").get<std::string>(), std::move(v)});
    }
    return r;
  } catch (const json::exception&) {
    return std::nullopt;
  }
}

}  // namespace sim::suite
