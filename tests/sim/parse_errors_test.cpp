// The error cases themselves are files under examples/errors/ (error_examples_test.cpp); here are the
// near misses that must parse, and how an error is shown to a person.
#include <gtest/gtest.h>

#include "scenario_test_support.h"
#include "sim/scenario/lexer.h"
#include "sim/scenario/source_excerpt.h"

namespace {

TEST(ParseErrors, NearMissesParse) {
  for (const char* text :
       {"at 1s", "capture a\nlaunch\nsnapshot", "expect count sound == 0\nlaunch", "post \"\"",
        // `contains` takes any value, as the documentation says
        "expect count log where message contains 5 == 1", "expect count log where ids contains [1, \"a\"] == 0",
        // the ends of what a file stores as a date
        "settings set k date -2147483648", "settings set k date 2147483647"})
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

// A line of megabytes is shown by the characters around the column alone: cut at character boundaries,
// valid UTF-8, the caret under the token, however far into the line it is.
TEST(ParseErrors, VeryLongLinesAreCutAroundTheColumn) {
  struct Case {
    std::string line;
    std::size_t column;
    char under;  // the byte the caret points at
  };
  const std::string wide = "\xC3\xA9";         // two bytes
  const std::string wider = "\xF0\x9F\x94\x8A";  // four bytes
  std::string manyWide;
  for (int i = 0; i < 200000; ++i) manyWide += wide;
  std::string manyWider;
  for (int i = 0; i < 100000; ++i) manyWider += wider;
  const Case cases[] = {
      {"capture " + std::string(1 << 20, 'a') + " extra", 8 + (1 << 20) + 2, 'e'},
      {"press " + manyWide + " x", 6 + manyWide.size() + 2, 'x'},
      {"press " + manyWider + " x", 6 + manyWider.size() + 2, 'x'},
      {"x " + manyWider, 1, 'x'},
      {manyWide + "y" + manyWide, manyWide.size() + 1, 'y'},
  };
  for (const auto& c : cases) {
    sim::SourceExcerpt excerpt = sim::excerptAround(c.line, c.column);
    EXPECT_FALSE(sim::firstInvalidUtf8(excerpt.line)) << excerpt.line;
    EXPECT_LE(excerpt.line.size(), 3 + 100 * 4 + 3u);
    // The caret line has one blank per character before it; find the byte under it.
    std::size_t characters = excerpt.caret.size() - 1, at = 0;
    for (std::size_t seen = 0; seen < characters && at < excerpt.line.size(); ++seen) {
      at += 1;
      while (at < excerpt.line.size() && (static_cast<unsigned char>(excerpt.line[at]) & 0xC0) == 0x80) ++at;
    }
    ASSERT_LT(at, excerpt.line.size()) << excerpt.line;
    EXPECT_EQ(excerpt.line[at], c.under) << excerpt.line << "\n" << excerpt.caret;
  }
}

// A statement of too many tokens is refused where it crosses the limit, before it fills the memory.
TEST(ParseErrors, AStatementHoldsABoundedNumberOfTokens) {
  std::string tooMany = "tap";
  for (std::size_t i = 1; i < sim::kMaxTokensPerStatement; ++i) tooMany += " 1";
  EXPECT_EQ(simtest::errorOf(tooMany), "1: unexpected '1' after the point");
  tooMany += " 1";
  EXPECT_EQ(simtest::errorOf(tooMany), "1: a command may hold at most 100000 tokens");
}

// Long tokens are shortened in messages at a character boundary, so standard error stays valid UTF-8.
TEST(ParseErrors, ShortenedTokensKeepWholeCharacters) {
  struct Case {
    std::string text;
    std::string quoted;
  } cases[] = {
      {"press " + std::string(39, 'a') + "\xC3\xA9tail", "'" + std::string(39, 'a') + "...'"},      // é over 40
      {"press " + std::string(38, 'a') + "\xE2\x82\xACtail", "'" + std::string(38, 'a') + "...'"},  // € over 40
      {"press " + std::string(37, 'a') + "\xF0\x9F\x94\x8Ax", "'" + std::string(37, 'a') + "...'"},
      {"press " + std::string(36, 'a') + "\xF0\x9F\x94\x8Ax", "'" + std::string(36, 'a') + "\xF0\x9F\x94\x8A...'"},
      {"launch\nexpect tarvoMinColor == #12345\xC3\xA9", "'12345'"},  // a colour's six digits, by the same rule
  };
  for (const auto& c : cases) {
    std::string error = simtest::errorOf(c.text);
    EXPECT_NE(error.find(c.quoted), std::string::npos) << error;
  }
}

}  // namespace
