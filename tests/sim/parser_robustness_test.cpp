#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "sim/scenario/parse_scenario.h"

namespace {

// Whatever the bytes, parsing ends in a scenario or a ScenarioError: never another exception, never a
// crash (the sanitizer build runs this too).
void parseAnything(const std::string& text) {
  try {
    sim::parseScenario(text, "mutated.scenario");
  } catch (const sim::ScenarioError&) {
  }
}

std::vector<std::string> exampleTexts() {
  std::vector<std::string> texts;
  for (const auto& entry :
       std::filesystem::recursive_directory_iterator(std::filesystem::path(TARVO_SOURCE_DIR) / "examples")) {
    if (entry.path().extension() != ".scenario") continue;
    std::ifstream file(entry.path(), std::ios::binary);
    std::ostringstream contents;
    contents << file.rdbuf();
    texts.push_back(contents.str());
  }
  return texts;
}

// A fixed linear congruential sequence, so that every run tries the same mutations.
struct Sequence {
  std::uint64_t state;
  std::size_t below(std::size_t n) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return n == 0 ? 0 : static_cast<std::size_t>((state >> 33) % n);
  }
};

TEST(ParserRobustness, TruncatedAndMutatedExamplesEndInAScenarioOrAnError) {
  constexpr std::string_view kInteresting[] = {"{", "}", "[", "]", "\"", "\\", "#", ",", "=", "==", "nan",
                                               "-inf", "1e999", "\n", "at", "99999999999999999999", "\xFF",
                                               "\xC3", "\x01", " ", "press up 10000 every 100s\n"};
  Sequence random{42};
  for (const std::string& text : exampleTexts()) {
    for (int i = 0; i < 60; ++i) parseAnything(text.substr(0, random.below(text.size() + 1)));
    for (int i = 0; i < 120; ++i) {
      std::string mutated = text;
      std::size_t at = random.below(mutated.size());
      switch (random.below(3)) {
        case 0: mutated[at] = static_cast<char>(random.below(256)); break;
        case 1: mutated.erase(at, random.below(8) + 1); break;
        default: mutated.insert(at, kInteresting[random.below(std::size(kInteresting))]);
      }
      parseAnything(mutated);
    }
  }
}

TEST(ParserRobustness, PathologicalShapes) {
  parseAnything(std::string(200000, '['));
  parseAnything("settings replace " + std::string(50000, '{'));
  parseAnything("post x payload {a=" + std::string(100000, '[') + std::string(100000, ']') + "}");
  parseAnything(std::string(100000, '\n') + "pres");
  parseAnything("wait " + std::string(5000, '9') + "s");
  parseAnything("press up at" + [] {
    std::string times;
    for (int i = 0; i < 20000; ++i) times += " 1s";
    return times;
  }());
  parseAnything(std::string("capture a\0b", 11));
  SUCCEED();
}

}  // namespace
