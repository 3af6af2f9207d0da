#include <gtest/gtest.h>

#include "scenario_test_support.h"

namespace {

using namespace sim;
using simtest::parse;

constexpr platform::Nanos kSecond = 1'000'000'000;

TEST(Cursor, WaitAdvancesAndAtJumpsForward) {
  Scenario s = parse(
      "capture a\n"
      "wait 0.5s\n"
      "capture b\n"
      "at 2s\n"
      "capture c\n"
      "at 2s capture d\n"
      "wait 250ms\n"
      "capture e\n");
  std::vector<platform::Nanos> times;
  for (const Step& step : s.steps) times.push_back(step.time);
  EXPECT_EQ(times, (std::vector<platform::Nanos>{0, 0, kSecond / 2, 2 * kSecond, 2 * kSecond,
                                                 2 * kSecond + kSecond / 4}));
  EXPECT_EQ(s.steps[1].line, 1u);
  EXPECT_EQ(s.steps[5].line, 8u);
  EXPECT_EQ(s.steps[5].file, "test.scenario");
  EXPECT_EQ(s.end, 2 * kSecond + kSecond / 4);
}

TEST(Cursor, TenthsAddUpExactly) {
  std::string text;
  for (int i = 0; i < 10; ++i) text += "wait 0.1s\n";
  EXPECT_EQ(parse(text + "capture x").steps.back().time, kSecond);
}

TEST(Cursor, EndIncludesScheduledPressesAndFrames) {
  EXPECT_EQ(parse("press up 3 every 1s").end, 2 * kSecond);
  EXPECT_EQ(parse("press up at 5s").end, 5 * kSecond);
  EXPECT_EQ(parse("record r for 1s fps 4").end, 3 * kSecond / 4);
  EXPECT_EQ(parse("record r for 1s fps 4\nwait 2s").end, 2 * kSecond);
}

TEST(Frames, CountTimesAndNames) {
  struct Case {
    platform::Nanos duration;
    int fps;
    std::size_t frames;
  } cases[] = {
      {kSecond, 10, 10}, {kSecond / 2, 30, 15}, {950'000'000, 10, 10}, {1, 30, 1}, {kSecond, 240, 240}};
  for (const auto& c : cases) EXPECT_EQ(frameCount(Record{"r", c.duration, c.fps}), c.frames) << c.duration;
  Record third{"third", kSecond, 3};
  EXPECT_EQ(frameTime(third, kSecond, 0), kSecond);
  EXPECT_EQ(frameTime(third, kSecond, 1), kSecond + 333'333'333);
  EXPECT_EQ(frameTime(third, kSecond, 2), kSecond + 666'666'667);
  EXPECT_EQ(frameName(third, 0), "third-0001");
  EXPECT_EQ(frameName(third, 2), "third-0003");
}

TEST(Timeline, ExpandsPressesAndFramesAndKeepsLineOrderAtEqualTimes) {
  Scenario s = parse(
      "press up 3 every 0.5s\n"  // step 1: 0, 0.5, 1.0
      "record r for 1s fps 2\n"  // step 2: 0, 0.5
      "wait 0.5s\n"
      "capture mid\n");  // step 3: 0.5
  auto entries = timeline(s);
  std::vector<TimelineEntry> expected{
      {0, 0, 0},  // the implicit launch
      {0, 1, 0}, {0, 2, 0}, {kSecond / 2, 1, 1}, {kSecond / 2, 2, 1}, {kSecond / 2, 3, 0}, {kSecond, 1, 2},
  };
  EXPECT_EQ(entries, expected);
}

}  // namespace
