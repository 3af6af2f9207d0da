#include "sim/scenario/matching.h"

#include <gtest/gtest.h>

#include <cmath>

#include "scenario_test_support.h"

namespace {

using namespace sim;
using platform::PlistArray;
using platform::PlistDict;
using platform::PlistValue;
using platform::TraceEvent;

TEST(NumberMatches, ToleranceNanAndInfinities) {
  struct Case {
    double actual;
    Comparison comparison;
    double expected;
    bool holds;
  } cases[] = {
      {0.50005, Comparison::Equal, 0.5, true},
      {0.5002, Comparison::Equal, 0.5, false},
      {0.5002, Comparison::NotEqual, 0.5, true},
      {NAN, Comparison::Equal, NAN, true},
      {NAN, Comparison::Equal, 0, false},
      {NAN, Comparison::NotEqual, 0, true},
      {INFINITY, Comparison::Equal, INFINITY, true},
      {-INFINITY, Comparison::Equal, INFINITY, false},
      {0.49999, Comparison::Less, 0.5, true},
      {0.5, Comparison::Less, 0.5, false},
      {0.50005, Comparison::LessOrEqual, 0.5, true},
      {0.6, Comparison::LessOrEqual, 0.5, false},
      {0.49995, Comparison::GreaterOrEqual, 0.5, true},
      {NAN, Comparison::GreaterOrEqual, 0.5, false},
      {1, Comparison::Greater, NAN, false},
      {1, Comparison::Contains, 1, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(numberMatches(c.actual, c.comparison, c.expected, kDefaultTolerance), c.holds)
        << c.actual << " " << symbolOf(c.comparison) << " " << c.expected;
}

TEST(ValueMatches, KindsPresenceAndContainers) {
  PlistDict nested;
  nested.set("x", 1.00001);
  PlistValue dict(nested);
  PlistValue list(PlistArray{PlistValue(1), PlistValue("two")});
  struct Case {
    const PlistValue* actual;
    Comparison comparison;
    PlistValue expected;
    bool holds;
  } cases[] = {
      {nullptr, Comparison::Absent, {}, true},
      {&dict, Comparison::Exists, {}, true},
      {nullptr, Comparison::NotEqual, 1, false},  // a missing field matches only 'absent'
      {&dict, Comparison::Equal,
       [] {
         PlistDict d;
         d.set("x", 1);
         return PlistValue(d);
       }(),
       true},
      {&dict, Comparison::Equal, PlistDict{}, false},
      {&list, Comparison::Contains, "two", true},
      {&list, Comparison::Contains, 2, false},
      {&list, Comparison::Equal, PlistArray{PlistValue(true), PlistValue("two")},
       true},  // true is the number 1
      {&list, Comparison::Greater, 0, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(valueMatches(c.actual, c.comparison, c.expected, kDefaultTolerance), c.holds);

  PlistValue text("volume 50%");
  EXPECT_TRUE(valueMatches(&text, Comparison::Contains, "50%", 0));
  EXPECT_FALSE(valueMatches(&text, Comparison::Equal, "volume", 0));
  PlistValue big(std::int64_t{1} << 60);
  EXPECT_FALSE(valueMatches(&big, Comparison::Equal, (std::int64_t{1} << 60) + 1, kDefaultTolerance));
  PlistValue date(platform::PlistDate{10});
  EXPECT_TRUE(valueMatches(&date, Comparison::Equal, platform::PlistDate{10.00001}, kDefaultTolerance));
  EXPECT_FALSE(valueMatches(&date, Comparison::Equal, 10.0, kDefaultTolerance));
}

TEST(ValueAtPath, DictionariesByKeyArraysByIndex) {
  PlistDict inner;
  inner.set("modifier", 0.5);
  PlistDict fields;
  fields.set("userInfo", inner);
  fields.set("list", PlistArray{PlistValue("a"), PlistValue("b")});
  EXPECT_EQ(*valueAtPath(fields, {"userInfo", "modifier"}), PlistValue(0.5));
  EXPECT_EQ(*valueAtPath(fields, {"list", "1"}), PlistValue("b"));
  EXPECT_EQ(valueAtPath(fields, {"list", "2"}), nullptr);
  EXPECT_EQ(valueAtPath(fields, {"list", "-1"}), nullptr);
  EXPECT_EQ(valueAtPath(fields, {"list", "1x"}), nullptr);
  EXPECT_EQ(valueAtPath(fields, {"userInfo", "modifier", "deeper"}), nullptr);
  EXPECT_EQ(valueAtPath(fields, {}), nullptr);
}

std::deque<TraceEvent> sampleTrace() {
  auto event = [](double t, const char* process, const char* kind, const char* selector) {
    PlistDict fields;
    fields.set("selector", selector);
    return TraceEvent{platform::secondsToNanos(t), process, kind, fields};
  };
  return {
      event(0.5, "SpringBoard", "timer.schedule", "tarvoHUDShouldHide:"),
      event(1.0, "SpringBoard", "timer.fire", "other:"),
      event(2.0, "SpringBoard", "timer.fire", "tarvoHUDShouldHide:"),
      event(2.0, "notes", "timer.fire", "tarvoHUDShouldHide:"),
  };
}

TEST(EventExpectations, CountWithinWindowsAndByProcess) {
  auto trace = sampleTrace();
  struct Case {
    const char* line;
    std::size_t count;
  } cases[] = {
      {"expect count timer.fire == 0", 3},
      {"expect count timer.fire where selector == \"tarvoHUDShouldHide:\" == 0", 2},
      {"expect count timer.fire where selector contains \"Hide\" and process == \"notes\" == 0", 1},
      {"expect count timer.fire to 1s == 0", 1},
      {"expect count timer.fire from 2s == 0", 2},
      {"expect count timer.fire last 0.5s == 0", 2},
      {"expect count timer.fire where interval exists == 0", 0},
  };
  for (const auto& c : cases) {
    auto expect = simtest::lastCommand<ExpectCount>("wait 2s\n" + std::string(c.line));
    EXPECT_EQ(countMatching(trace, expect.pattern, expect.window), c.count) << c.line;
  }
  EXPECT_TRUE(countSatisfies(2, Comparison::GreaterOrEqual, 2));
  EXPECT_FALSE(countSatisfies(2, Comparison::Less, 2));
}

// `contains` takes any value, as the language's documentation says: among an array's elements it finds
// numbers, strings and containers alike; in a string only a string.
TEST(EventExpectations, ContainsTakesAnyValue) {
  PlistDict fields;
  fields.set("list", platform::PlistArray{PlistValue(1), PlistValue("two"), PlistValue(platform::PlistArray{3})});
  fields.set("text", "volume 5");
  std::deque<TraceEvent> trace{{platform::secondsToNanos(1), "SpringBoard", "probe", fields}};
  struct Case {
    const char* condition;
    std::size_t count;
  } cases[] = {
      {"list contains 1", 1},       {"list contains 1.0", 1},  {"list contains \"two\"", 1},
      {"list contains [3]", 1},     {"list contains 2", 0},    {"list contains [3, 4]", 0},
      {"text contains \"5\"", 1}, {"text contains 5", 0},
  };
  for (const auto& c : cases) {
    auto expect = simtest::lastCommand<ExpectCount>("wait 2s\nexpect count probe where " + std::string(c.condition) +
                                                    " == 0");
    EXPECT_EQ(countMatching(trace, expect.pattern, expect.window), c.count) << c.condition;
  }
}

TEST(EventExpectations, OrderLooksAtTheFirstOfEach) {
  auto trace = sampleTrace();
  struct Case {
    const char* line;
    bool holds;
  } cases[] = {
      {"expect order timer.schedule before timer.fire", true},
      {"expect order timer.fire before timer.schedule", false},
      {"expect order timer.fire where process == \"SpringBoard\" before timer.fire where process == "
       "\"notes\"",
       true},
      {"expect order timer.fire where process == \"notes\" before timer.fire where process == "
       "\"SpringBoard\"",
       false},
      {"expect order timer.schedule before timer.fire from 1.5s", false},  // no schedule in the window
      {"expect order timer.schedule before sound", false},
  };
  for (const auto& c : cases) {
    auto expect = simtest::lastCommand<ExpectOrder>("wait 2s\n" + std::string(c.line));
    EXPECT_EQ(checkOrder(trace, expect).holds(), c.holds) << c.line;
  }
}

TEST(ShapeMatches, ColoursRectsAndPoints) {
  Colour purple{"#7942D8", 0x79 / 255.0, 0x42 / 255.0, 0xD8 / 255.0, 1};
  Colour near = purple;
  near.green += 0.001;
  EXPECT_TRUE(colourMatches(near, Comparison::Equal, purple, kDefaultColourTolerance));
  near.alpha = 0.5;
  EXPECT_TRUE(colourMatches(near, Comparison::NotEqual, purple, kDefaultColourTolerance));
  EXPECT_TRUE(rectMatches({0, 0, 150.00001, 40}, Comparison::Equal, {0, 0, 150, 40}, kDefaultTolerance));
  EXPECT_FALSE(rectMatches({0, 0, 150, 41}, Comparison::Equal, {0, 0, 150, 40}, kDefaultTolerance));
  EXPECT_FALSE(pointMatches({1, 2}, Comparison::Less, {3, 4}, kDefaultTolerance));
}

}  // namespace
