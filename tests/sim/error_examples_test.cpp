// The parser's error cases, one file each under examples/errors/: each holds the line
// "# error: LINE:COLUMN: message" that parsing it must give, exactly. TARVO_REBASELINE=missing writes the
// line into a new case, =failing rewrites lines that no longer hold.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iostream>
#include <sstream>

#include "sim/scenario/parse_scenario.h"
#include "support/baselines/baseline_check.h"
#include "support/examples.h"

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kMarker = "# error: ";

std::string read(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// "LINE:COLUMN: message", or empty when the text parses.
std::string errorOf(const std::string& text, const fs::path& path) {
  try {
    sim::parseScenario(text, path.string());
  } catch (const sim::ScenarioError& error) {
    return std::to_string(error.line()) + ":" + std::to_string(error.column()) + ": " + error.message();
  }
  return {};
}

struct Marked {
  std::vector<std::string> expected;       // every "# error:" line's text
  std::size_t offset = std::string::npos;  // of the first one
};

Marked markedErrors(const std::string& text) {
  Marked marked;
  std::size_t from = 0;
  while (from < text.size()) {
    std::size_t end = text.find('\n', from);
    if (end == std::string::npos) end = text.size();
    std::string_view line(text.data() + from, end - from);
    if (line.substr(0, kMarker.size()) == kMarker) {
      if (marked.expected.empty()) marked.offset = from;
      marked.expected.emplace_back(line.substr(kMarker.size()));
    }
    from = end + 1;
  }
  return marked;
}

void write(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// One file's check; failures name the file.
void checkErrorExample(const fs::path& path, baselines::Rebaseline mode) {
  std::string text = read(path);
  Marked marked = markedErrors(text);
  if (marked.expected.empty() && mode == baselines::Rebaseline::Missing) {
    // The new first line moves everything down by one, so the error is read with it in place.
    text = std::string(kMarker) + "\n" + text;
    std::string actual = errorOf(text, path);
    if (actual.empty()) {
      ADD_FAILURE() << path.string() << " parses without an error";
      return;
    }
    write(path, std::string(kMarker) + actual + text.substr(kMarker.size()));
    std::cout << "[ WRITTEN  ] " << path.string() << ": " << actual << "\n";
    return;
  }
  if (marked.expected.size() != 1) {
    ADD_FAILURE() << path.string() << " should hold exactly one line starting '" << kMarker
                  << "LINE:COLUMN: message'";
    return;
  }
  std::string actual = errorOf(text, path);
  if (actual.empty()) {
    ADD_FAILURE() << path.string() << " parses without an error";
    return;
  }
  if (actual == marked.expected[0]) return;
  if (mode == baselines::Rebaseline::Failing) {
    std::size_t lineEnd = std::min(text.find('\n', marked.offset), text.size());
    text.replace(marked.offset + kMarker.size(), lineEnd - marked.offset - kMarker.size(), actual);
    write(path, text);
    std::cout << "[ WRITTEN  ] " << path.string() << ": " << actual << "\n";
    return;
  }
  ADD_FAILURE() << path.string() << ": expected the error\n  " << marked.expected[0] << "\nfound\n  "
                << actual;
}

// One test for all the files: each would otherwise cost a process of its own in the suite.
TEST(ErrorExamples, EachGivesTheErrorItStates) {
  auto files = examples::errorFiles();
  EXPECT_GE(files.size(), 100u);
  auto mode = baselines::rebaselineFromEnvironment();
  for (const fs::path& path : files) checkErrorExample(path, mode);
}

}  // namespace
