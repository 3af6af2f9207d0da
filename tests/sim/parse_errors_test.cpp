// The error cases themselves are files under examples/errors/ (error_examples_test.cpp); here are the
// near misses that must parse, and how an error is shown to a person.
#include <gtest/gtest.h>

#include "scenario_test_support.h"
#include "sim/scenario/source_excerpt.h"

namespace {

TEST(ParseErrors, NearMissesParse) {
  for (const char* text :
       {"at 1s", "capture a\nlaunch\nsnapshot", "expect count sound == 0\nlaunch", "post \"\""})
    EXPECT_EQ(simtest::errorOf(text), "") << text;
}

TEST(ParseErrors, MessagesCarryFileLineAndColumn) {
  try {
    sim::parseScenario("capture a\n\n# note\nsettings replace {\n  a = 1,\n  b = ?\n}\n",
                       "demo/quick.scenario");
    FAIL() << "no error";
  } catch (const sim::ScenarioError& error) {
    EXPECT_STREQ(error.what(),
                 "demo/quick.scenario:6:7: expected a value, found '?' (strings need quotes; explicit "
                 "kinds are bool, int, real, string, data, date, array and dict)");
    EXPECT_EQ(sim::describe(error), std::string(error.what()) + "\n    b = ?\n        ^");
  }
}

TEST(ParseErrors, TheCaretSitsUnderTheOffendingToken) {
  struct Case {
    const char* text;
    std::string shown;  // the two lines under the message
  };
  const Case cases[] = {
      {"wait 1.5x", "  wait 1.5x\n       ^"},
      {"wait", "  wait\n      ^"},  // missing argument: just after the line
      {"\tpress\tsideways", "  \tpress\tsideways\n  \t     \t^"},
      {"post \"caf\xC3\xA9\" from nobody",
       "  post \"caf\xC3\xA9\" from nobody\n  " + std::string(17, ' ') + "^"},
      {"post \"a\xE2\x80\xAE"
       "b\" from nobody",  // a direction override
       "  post \"a?b\" from nobody\n  " + std::string(16, ' ') + "^"},
  };
  for (const auto& c : cases) {
    try {
      sim::parseScenario(c.text, "t");
      ADD_FAILURE() << "no error for " << c.text;
    } catch (const sim::ScenarioError& error) {
      std::string text = sim::describe(error);
      EXPECT_EQ(text.substr(text.find('\n') + 1), c.shown) << c.text;
    }
  }
}

TEST(ParseErrors, LongLinesAndBrokenBytesAreShownSafely) {
  std::string longLine = "capture " + std::string(300, 'a') + " extra";
  sim::SourceExcerpt excerpt = sim::excerptAround(longLine, 310);
  EXPECT_EQ(excerpt.line.substr(0, 3), "...");
  EXPECT_LE(excerpt.line.size(), 110u);
  EXPECT_EQ(excerpt.line[excerpt.caret.size() - 1], 'e');  // the caret still points at "extra"

  sim::SourceExcerpt broken = sim::excerptAround("a\xFF\x1B[2Jb", 3);
  EXPECT_EQ(broken.line, "a??[2Jb");
  EXPECT_EQ(broken.caret, "  ^");

  // An escape can put any character into a string, and messages quote strings.
  try {
    sim::parseScenario("capture \"\\u{1B}[2J\\u{202E}\"", "t");
    ADD_FAILURE() << "no error";
  } catch (const sim::ScenarioError& error) {
    std::string shown = sim::describe(error);
    EXPECT_EQ(shown.rfind("t:1:9: '?[2J?' cannot name a frame", 0), 0u) << shown;
  }
}

}  // namespace
