#include "sim/baselines/baseline_rules.h"

#include <fnmatch.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace baselines {

namespace {

struct Line {
  std::string where;
  std::vector<std::string> words;
  std::string rest;  // what follows the second word, for a reason that runs to the end of the line
};

[[noreturn]] void fail(const Line& line, const std::string& message) {
  throw std::runtime_error(line.where + ": " + message);
}

int channelValue(const Line& line, const std::string& word) {
  int value = -1;
  auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size() || value < 0 || value > 255)
    fail(line, "'" + word + "' is not a channel difference from 0 to 255");
  return value;
}

double number(const Line& line, const std::string& word, const char* what) {
  char* end = nullptr;
  double value = std::strtod(word.c_str(), &end);
  if (word.empty() || *end != '\0' || !std::isfinite(value)) fail(line, "'" + word + "' is not " + what);
  return value;
}

// A frame pattern is a shell pattern matched against the frame's path relative to the rules file's
// folder, so "shown" in examples/quick-look/ and "*/shown" in examples/ name the same frame.
bool matches(const std::string& pattern, const std::string& relativeFrame) {
  return fnmatch(pattern.c_str(), relativeFrame.c_str(), 0) == 0;
}

// Whether a line applies to the frame: always, or when one of the patterns after 'frames' at `from`
// matches it.
bool appliesTo(const Line& line, std::size_t from, const std::string& relativeFrame) {
  const auto& w = line.words;
  if (w.size() == from) return true;
  if (w[from] != "frames" || w.size() == from + 1)
    fail(line, "expected 'frames PATTERN...' after the region");
  for (std::size_t i = from + 1; i < w.size(); ++i)
    if (matches(w[i], relativeFrame)) return true;
  return false;
}

void applyText(const Line& line, const std::string& relativeFrame, FrameRules& rules) {
  const auto& w = line.words;
  if (w.size() >= 2 && w[1] == "none") {
    if (appliesTo(line, 2, relativeFrame)) rules.textRegions.clear();
    return;
  }
  if (w.size() < 5) fail(line, "expected 'text X Y WIDTH HEIGHT [frames PATTERN...]' or 'text none'");
  platform::CGRect rect{{number(line, w[1], "a number"), number(line, w[2], "a number")},
                        {number(line, w[3], "a number"), number(line, w[4], "a number")}};
  if (rect.size.width <= 0 || rect.size.height <= 0) fail(line, "a text region needs a positive size");
  if (appliesTo(line, 5, relativeFrame)) rules.textRegions.push_back(rect);
}

void applyLine(const Line& line, const std::string& relativeFrame, FrameRules& rules) {
  const auto& w = line.words;
  const std::string& key = w[0];
  if (key == "text") return applyText(line, relativeFrame, rules);
  if (key == "expected-failure") {
    if (w.size() < 3) fail(line, "expected 'expected-failure PATTERN REASON'");
    if (matches(w[1], relativeFrame)) rules.expectedFailure = ExpectedFailure{line.rest, line.where};
    return;
  }
  if (w.size() != 2) fail(line, "expected one value after '" + key + "'");
  if (key == "tolerance") {
    rules.tolerance = channelValue(line, w[1]);
  } else if (key == "text-tolerance") {
    rules.textTolerance = channelValue(line, w[1]);
  } else if (key == "text-budget") {
    rules.textBudget = number(line, w[1], "a share from 0 to 1");
    if (rules.textBudget < 0 || rules.textBudget > 1) fail(line, "'" + w[1] + "' is not a share from 0 to 1");
  } else {
    fail(line,
         "unknown setting '" + key + "' (tolerance, text-tolerance, text-budget, text, expected-failure)");
  }
}

void applyFile(const std::filesystem::path& file, const std::string& relativeFrame, FrameRules& rules) {
  std::ifstream in(file);
  if (!in) return;
  std::string text;
  for (std::size_t number = 1; std::getline(in, text); ++number) {
    Line line{file.string() + ":" + std::to_string(number), {}, {}};
    std::istringstream words(text);
    for (std::string word; words >> word;) {
      line.words.push_back(word);
      if (line.words.size() == 2 && words.tellg() >= 0) {
        line.rest = text.substr(static_cast<std::size_t>(words.tellg()));
        line.rest.erase(0, line.rest.find_first_not_of(" \t"));
      }
    }
    // Comments take whole lines, so that a reason may say anything.
    if (line.words.empty() || line.words[0][0] == '#') continue;
    applyLine(line, relativeFrame, rules);
  }
}

}  // namespace

FrameRules rulesFor(const std::filesystem::path& root, const std::filesystem::path& frame) {
  FrameRules rules;
  std::filesystem::path folder = root;
  std::vector<std::filesystem::path> parts(frame.begin(), frame.end());
  for (std::size_t depth = 0; depth < parts.size(); ++depth) {
    std::filesystem::path relative;
    for (std::size_t k = depth; k < parts.size(); ++k) relative /= parts[k];
    applyFile(folder / kRulesFileName, relative.generic_string(), rules);
    folder /= parts[depth];
  }
  return rules;
}

}  // namespace baselines
