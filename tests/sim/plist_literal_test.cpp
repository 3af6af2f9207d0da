#include "sim/scenario/plist_literal.h"

#include <gtest/gtest.h>

#include <cmath>

#include "sim/scenario/lexer.h"
#include "sim/scenario/scenario_error.h"

namespace {

using platform::PlistArray;
using platform::PlistDict;
using platform::PlistValue;

const std::string kFile = "values.scenario";

PlistValue valueOf(std::string_view text) {
  auto statements = sim::lexScenario(text, kFile);
  if (statements.size() != 1) throw std::logic_error("one statement expected");
  sim::TokenReader in(statements[0], kFile);
  PlistValue value = sim::parsePlistValue(in);
  in.expectEnd("the value");
  return value;
}

std::string errorOf(std::string_view text) {
  try {
    valueOf(text);
  } catch (const sim::ScenarioError& error) {
    return error.message();
  }
  return {};
}

TEST(PlistLiteral, ExplicitKindsGiveExactlyThatKind) {
  struct Case {
    const char* text;
    PlistValue value;
  } cases[] = {
      {"bool true", true},
      {"bool no", false},
      {"int -3", -3},
      {"integer 7", 7},
      {"real 5", 5.0},
      {"real -0.25", -0.25},
      {"string \"a b\"", "a b"},
      {"string bare", "bare"},
      {"data \"AAH/\"", platform::PlistData{{0, 1, 255}}},
      {"data \"\"", platform::PlistData{}},
      {"date 12.5", platform::PlistDate{12.5}},
      {"array [int 1, real 2]", PlistArray{PlistValue(1), PlistValue(2.0)}},
  };
  for (const auto& c : cases) EXPECT_EQ(valueOf(c.text), c.value) << c.text;
}

TEST(PlistLiteral, ShorthandKindsFollowHowTheLiteralIsWritten) {
  struct Case {
    const char* text;
    PlistValue value;
  } cases[] = {
      {"true", true},
      {"no", false},
      {"42", 42},
      {"-42", -42},
      {"0.5", 0.5},
      {"1e3", 1000.0},
      {"\"#FF0000\"", "#FF0000"},
      {"[]", PlistArray{}},
      {"{}", PlistDict{}},
  };
  for (const auto& c : cases) {
    PlistValue v = valueOf(c.text);
    EXPECT_EQ(v, c.value) << c.text;
    EXPECT_EQ(v.storage.index(), c.value.storage.index()) << c.text;
  }
}

TEST(PlistLiteral, NonFiniteReals) {
  for (const char* text : {"real nan", "nan", "real NaN"}) {
    PlistValue v = valueOf(text);
    const double* d = std::get_if<double>(&v.storage);
    ASSERT_TRUE(d) << text;
    EXPECT_TRUE(std::isnan(*d)) << text;
  }
  EXPECT_EQ(valueOf("real inf"), PlistValue(INFINITY));
  EXPECT_EQ(valueOf("-inf"), PlistValue(-INFINITY));
  EXPECT_EQ(valueOf("real +infinity"), PlistValue(INFINITY));
}

TEST(PlistLiteral, NestedContainersKeepOrderAndKinds) {
  PlistValue v = valueOf(R"({ zeta = 1, "with space" = [true, {inner = real nan}], alpha = dict { } })");
  const PlistDict* dict = v.asDict();
  ASSERT_TRUE(dict);
  std::vector<std::string> keys;
  for (const auto& [k, _] : *dict) keys.push_back(k);
  EXPECT_EQ(keys, (std::vector<std::string>{"zeta", "with space", "alpha"}));
  const PlistArray* list = dict->find("with space")->asArray();
  ASSERT_TRUE(list && list->size() == 2);
  const PlistValue* inner = (*list)[1].asDict()->find("inner");
  EXPECT_TRUE(std::isnan(*inner->doubleValue()));
  EXPECT_TRUE(dict->find("alpha")->asDict()->empty());
}

TEST(PlistLiteral, TrailingCommasAndLinesInsideBrackets) {
  EXPECT_EQ(valueOf("[1, 2,]"), (PlistValue(PlistArray{PlistValue(1), PlistValue(2)})));
  PlistDict expected;
  expected.set("a", 1);
  expected.set("b", "x");
  EXPECT_EQ(valueOf("{\n  a = 1,\n  b = \"x\",\n}"), PlistValue(expected));
}

std::string nested(int levels) {
  return std::string(levels, '[') + std::string(levels, ']');
}

TEST(PlistLiteral, DepthIsLimited) {
  EXPECT_NO_THROW(valueOf(nested(sim::kMaxValueDepth)));
  EXPECT_EQ(errorOf(nested(sim::kMaxValueDepth + 1)), "values nest deeper than 32 levels");
  // Far deeper input fails at the same limit rather than recursing on.
  EXPECT_EQ(errorOf(nested(10000)), "values nest deeper than 32 levels");
  EXPECT_EQ(errorOf(std::string(40, '{')), "'{' is never closed");
}

TEST(PlistLiteral, MalformedValuesSayWhatIsWrong) {
  struct Case {
    const char* text;
    const char* message;
  } cases[] = {
      {"hello", "expected a value, found 'hello' (strings need quotes"},
      {"int 1.5", "'1.5' is not an integer"},
      {"int 99999999999999999999", "out of the 64-bit integer range"},
      {"99999999999999999999", "write it as real 99999999999999999999"},
      {"real abc", "'abc' is not a number"},
      {"real", "expected a number after 'real' at the end of the line"},
      {"0.5x", "'0.5x' is not a number (unexpected 'x')"},
      {"bool maybe", "'maybe' is not a yes/no value"},
      {"data \"abc\"", "is not base64"},
      {"date nan", "is not a finite number"},
      {"array {}", "expected '[' after 'array', found '{'"},
      {"{a 1}", "expected '=' after the key 'a', found '1'"},
      {"{a == 1}", "expected '=' after the key 'a', found '=='"},
      {"{a = 1 b = 2}", "expected ',' or '}' after the value of 'a', found 'b'"},
      {"{a = 1, a = 2}", "key 'a' appears twice"},
      {"[1 2]", "expected ',' or ']' after an array element, found '2'"},
      {"[,]", "expected a value, found ','"},
      {"{[] = 1}", "expected a key or '}', found '['"},
  };
  for (const auto& c : cases) {
    std::string error = errorOf(c.text);
    EXPECT_NE(error.find(c.message), std::string::npos) << c.text << " -> " << error;
  }
}

TEST(PlistLiteral, FormatReadsBackAsTheSameValue) {
  const char* texts[] = {
      R"({ "a" = [1, 2.5, real nan, -inf, "q\"uote\n"], b = { c = data "AAH/", d = date 3.0 }, e = false })",
      "[real 1, int 1, string \"1\"]",
      "{}",
  };
  for (const char* text : texts) {
    PlistValue v = valueOf(text);
    std::string written = sim::formatPlistLiteral(v);
    PlistValue back = valueOf(written);
    // NaN never equals itself, so compare what they look like written.
    EXPECT_EQ(sim::formatPlistLiteral(back), written) << text;
  }
  EXPECT_EQ(sim::formatPlistLiteral(PlistValue(2.0)), "2.0");
  EXPECT_EQ(sim::formatPlistLiteral(PlistValue(NAN)), "real nan");
}

TEST(PlistLiteral, FormatCutsValuesDeeperThanItCanRead) {
  PlistValue deep = PlistArray{};
  for (int i = 0; i < 40; ++i) deep = PlistArray{deep};
  EXPECT_NE(sim::formatPlistLiteral(deep).find("..."), std::string::npos);
}

}  // namespace
