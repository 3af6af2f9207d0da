// Error cases: "# error: LINE:COLUMN: message" in the opening comment is what parsing the file must give,
// exactly. A bare "# error:" is a case whose message is still to be written (--rebaseline missing), and
// --rebaseline failing rewrites a line that no longer holds.
#include <fstream>

#include "sim/phone/screen_content.h"
#include "sim/scenario/parse_scenario.h"
#include "sim/suite/scenario_check.h"

namespace sim::suite {

namespace {

constexpr std::string_view kMarker = "# error:";

struct Marked {
  std::vector<std::string> expected;  // every marker line's message
  std::size_t offset = 0;             // of the first one
};

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

template <typename Visit>
void eachLine(const std::string& text, Visit visit) {
  for (std::size_t from = 0; from < text.size();) {
    std::size_t end = text.find('\n', from);
    if (end == std::string::npos) end = text.size();
    if (!visit(std::string_view(text.data() + from, end - from), from)) return;
    from = end + 1;
  }
}

Marked markedErrors(const std::string& text) {
  Marked marked;
  eachLine(text, [&](std::string_view line, std::size_t from) {
    if (line.substr(0, kMarker.size()) == kMarker) {
      if (marked.expected.empty()) marked.offset = from;
      marked.expected.emplace_back(trimmed(line.substr(kMarker.size())));
    }
    return true;
  });
  return marked;
}

// "LINE:COLUMN: message", or empty when the text parses.
std::string errorOf(const std::string& text, const std::filesystem::path& path) {
  try {
    checkScenarioContent(parseScenario(text, path.string()));
  } catch (const ScenarioError& error) {
    return std::to_string(error.line()) + ":" + std::to_string(error.column()) + ": " + error.message();
  }
  return {};
}

bool write(const std::filesystem::path& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text;
  return static_cast<bool>(file.flush());
}

}  // namespace

bool isErrorCase(const std::string& text) {
  bool found = false;
  eachLine(text, [&](std::string_view line, std::size_t) {
    std::string_view words = trimmed(line);
    if (words.empty()) return true;
    if (words.front() != '#') return false;
    found = found || line.substr(0, kMarker.size()) == kMarker;
    return !found;
  });
  return found;
}

ScenarioResult checkErrorCase(const std::filesystem::path& file, std::string text, const CheckOptions& options) {
  ScenarioResult result;
  result.file = file;
  result.out = options.out;
  result.errorCase = true;
  result.expectations = 1;
  Marked marked = markedErrors(text);
  if (marked.expected.size() != 1) {
    result.problems.push_back(file.string() + " should hold exactly one line starting '" + std::string(kMarker) +
                              " LINE:COLUMN: message'");
    return result;
  }
  std::string actual = errorOf(text, file);
  if (actual.empty()) {
    result.expectationFailures.push_back(file.string() + " parses without an error");
    return result;
  }
  const std::string& expected = marked.expected[0];
  if (actual == expected) return result;
  bool missing = expected.empty();
  if ((missing && options.rebaseline == baselines::Rebaseline::Missing) ||
      (!missing && options.rebaseline == baselines::Rebaseline::Failing)) {
    std::size_t lineEnd = std::min(text.find('\n', marked.offset), text.size());
    std::size_t from = marked.offset + kMarker.size();
    text.replace(from, lineEnd - from, " " + actual);
    if (write(file, text)) {
      result.written.push_back(file.string() + ": " + actual);
      return result;
    }
    result.problems.push_back("cannot write " + file.string());
    return result;
  }
  if (missing) {
    result.missingError = file.string() + " gives " + actual + " ('--rebaseline missing' writes it)";
    return result;
  }
  result.expectationFailures.push_back(file.string() + ": expected the error\n  " + expected + "\nfound\n  " + actual);
  return result;
}

}  // namespace sim::suite
