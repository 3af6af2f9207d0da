// The timeline a run writes beside its trace: a file Perfetto and chrome://tracing accept (phases,
// microseconds, every slice closed, every arrow with both ends, every track named) that says what the
// trace says, and that stays bounded however much is left open.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

#include "platform/device/device.h"
#include "sim/output/trace_timeline.h"
#include "sim/verbs/play.h"

namespace {

using nlohmann::json;

json readJson(const std::filesystem::path& path) {
  std::ifstream in(path);
  return json::parse(in);
}

std::vector<json> readTrace(const std::filesystem::path& path) {
  std::vector<json> lines;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) lines.push_back(json::parse(line));
  return lines;
}

double micros(const json& traceLine) { return traceLine["t"].get<double>() * 1e6; }

struct Played {
  json timeline;
  std::vector<json> trace;
};

struct TraceTimelineRun : ::testing::Test {
  platform::Device scratch;  // only for its private temporary root
  std::filesystem::path out = scratch.root() / "out";
  std::filesystem::path file = scratch.root() / "timeline.json";
  std::ostringstream stdoutText, stderrText;

  Played play(const std::string& example) {
    sim::PlayOptions options;
    options.out = out;
    options.frames = "none";
    options.scale = 0.25;
    options.timeline = file;
    auto scenario = std::filesystem::path(TARVO_SOURCE_DIR) / "examples" / example;
    EXPECT_EQ(sim::runScenarioFile(scenario, options, stdoutText, stderrText), 0) << stderrText.str();
    return {readJson(file), readTrace(out / "trace.jsonl")};
  }
};

// The format's rules, event by event and across events.
void expectWellFormed(const json& timeline, const std::string& example) {
  SCOPED_TRACE(example);
  ASSERT_TRUE(timeline.contains("traceEvents"));
  const json& events = timeline["traceEvents"];
  ASSERT_TRUE(events.is_array());
  const std::set<std::string> phases{"M", "X", "i", "b", "e", "s", "f"};
  std::map<int, std::set<std::string>> named;          // pid: its metadata
  std::map<int, double> lastOnTrack;                   // the latest X or i
  std::map<std::int64_t, std::vector<json>> slices;    // async id: its b and e
  std::map<std::int64_t, std::vector<json>> flows;     // flow id: its s and f
  std::map<std::pair<int, double>, std::string> slicesAt;  // X: its name
  std::set<int> used;
  for (const json& e : events) {
    ASSERT_TRUE(e.contains("ph") && phases.count(e["ph"].get<std::string>())) << e.dump();
    ASSERT_TRUE(e["pid"].is_number_integer() && e["tid"].is_number_integer()) << e.dump();
    ASSERT_TRUE(e["ts"].is_number() && e["ts"].get<double>() >= 0) << e.dump();
    ASSERT_TRUE(e["name"].is_string()) << e.dump();
    const std::string ph = e["ph"];
    const int pid = e["pid"];
    const double ts = e["ts"];
    if (ph == "M") {
      EXPECT_FALSE(used.count(pid)) << "metadata after the track's first event: " << e.dump();
      named[pid].insert(e["name"].get<std::string>());
      continue;
    }
    used.insert(pid);
    // Each its own moment on its track, later than the one before: an arrow then binds to one slice.
    if (ph == "X" || ph == "i") {
      if (lastOnTrack.count(pid)) {
        EXPECT_GT(ts, lastOnTrack[pid]) << e.dump();
      }
      lastOnTrack[pid] = ts;
    }
    if (ph == "X") {
      EXPECT_TRUE(e["dur"].is_number() && e["dur"].get<double>() >= 0) << e.dump();
    }
    if (ph == "b" || ph == "e") slices[e["id"].get<std::int64_t>()].push_back(e);
    if (ph == "s" || ph == "f") flows[e["id"].get<std::int64_t>()].push_back(e);
    if (ph == "X") slicesAt[{pid, ts}] = e["name"];
  }
  // An arrow leaves from its post's slice and ends on its delivery's, both at that very moment.
  for (const auto& [id, pair] : flows) {
    for (const json& end : pair) {
      auto at = slicesAt.find({end["pid"].get<int>(), end["ts"].get<double>()});
      ASSERT_NE(at, slicesAt.end()) << end.dump();
      EXPECT_EQ(at->second, (end["ph"] == "s" ? "post " : "deliver ") + end["name"].get<std::string>()) << end.dump();
    }
  }
  for (int pid : used) {
    EXPECT_TRUE(named[pid].count("process_name")) << pid;
    EXPECT_TRUE(named[pid].count("thread_name")) << pid;
  }
  // Pairs: one opening and one closing event, the same name on the same track, the end not before.
  for (auto* pairs : {&slices, &flows}) {
    for (const auto& [id, pair] : *pairs) {
      ASSERT_EQ(pair.size(), 2u) << id;
      const json& open = pair[0]["ph"] == "b" || pair[0]["ph"] == "s" ? pair[0] : pair[1];
      const json& close = &open == &pair[0] ? pair[1] : pair[0];
      EXPECT_NE(open["ph"], close["ph"]) << open.dump();
      EXPECT_EQ(open["name"], close["name"]) << open.dump();
      EXPECT_EQ(open["cat"], close["cat"]) << open.dump();
      EXPECT_LE(open["ts"].get<double>(), close["ts"].get<double>()) << open.dump();
      if (open["ph"] == "b") {
        EXPECT_EQ(open["pid"], close["pid"]) << open.dump();
      }
    }
  }
}

std::vector<double> timesOf(const std::vector<json>& trace, const std::string& kind) {
  std::vector<double> times;
  for (const json& line : trace)
    if (line["event"] == kind) times.push_back(micros(line));
  return times;
}

std::vector<double> timesOf(const json& timeline, const std::string& ph, const std::string& name,
                            const char* ended = nullptr) {
  std::vector<double> times;
  for (const json& e : timeline["traceEvents"]) {
    if (e["ph"] != ph) continue;
    bool named = e["name"].get<std::string>().rfind(name, 0) == 0;
    if (ended) named = e["cat"] == name && e["args"]["ended"] == ended;
    if (named) times.push_back(e["ts"].get<double>());
  }
  return times;
}

void expectNear(const std::vector<double>& actual, const std::vector<double>& expected, const std::string& what) {
  ASSERT_EQ(actual.size(), expected.size()) << what;
  // Events of one instant are a nanosecond apart in the timeline.
  for (std::size_t i = 0; i < actual.size(); ++i) EXPECT_NEAR(actual[i], expected[i], 1.0) << what << " #" << i;
}

TEST_F(TraceTimelineRun, ExamplesGiveWellFormedTimelinesThatSayWhatTheTraceSays) {
  // Each instant, slice end and delivery at its trace event's moment, in microseconds.
  struct Same {
    const char* kind;  // in the trace
    const char* ph;    // in the timeline
    const char* name;  // the timeline event's name, its start, or its category with `ended`
    const char* ended;
  } same[] = {
      {"button.volume", "i", "button.volume", nullptr},
      {"button.ringer", "i", "button.ringer", nullptr},
      {"interface.rotate", "i", "interface.rotate", nullptr},
      {"tap", "i", "tap", nullptr},
      {"log", "i", "log", nullptr},
      {"notification.post", "X", "post ", nullptr},
      {"notification.deliver", "X", "deliver ", nullptr},
      {"notification.deliver", "f", "", nullptr},
      {"timer.fire", "e", "timer", "fired"},
      {"timer.invalidate", "e", "timer", "invalidated"},
      {"animation.complete", "e", "animation", "completed"},
  };
  std::map<std::string, std::size_t> seen;
  for (const char* example : {"demo.scenario", "apps-and-bars.scenario", "notification-abuse.scenario"}) {
    SCOPED_TRACE(example);
    Played played = play(example);
    expectWellFormed(played.timeline, example);
    for (const auto& s : same) {
      auto times = timesOf(played.trace, s.kind);
      expectNear(timesOf(played.timeline, s.ph, s.name, s.ended), times, s.kind);
      seen[s.kind] += times.size();
    }
  }
  for (const auto& s : same) EXPECT_GT(seen[s.kind], 0u) << s.kind << " is in none of the examples";
}

TEST_F(TraceTimelineRun, TheDemoWritesItsTimelineBesideTheTrace) {
  sim::PlayOptions options;
  options.out = out;
  options.frames = "none";
  options.scale = 0.25;
  ASSERT_EQ(sim::runDemo(options, stdoutText, stderrText), 0) << stderrText.str();
  expectWellFormed(readJson(out / "timeline.json"), "demo");
  EXPECT_NE(stdoutText.str().find("timeline     " + (out / "timeline.json").string()), std::string::npos)
      << stdoutText.str();
}

TEST_F(TraceTimelineRun, AFileThatCannotBeTheTimelineIsRefused) {
  std::filesystem::create_directories(scratch.root() / "a-folder");
  struct Case {
    std::filesystem::path timeline;
    const char* message;
  } cases[] = {
      {"", "--timeline needs the name of a file other than the trace's"},
      {out / "trace.jsonl", "--timeline needs the name of a file other than the trace's"},
      {scratch.root() / "a-folder", "cannot write"},
      {scratch.root() / "missing" / "timeline.json", "cannot write"},
  };
  auto scenario = std::filesystem::path(TARVO_SOURCE_DIR) / "examples" / "demo.scenario";
  for (const auto& c : cases) {
    sim::PlayOptions options;
    options.out = out;
    options.timeline = c.timeline;
    stderrText.str("");
    EXPECT_EQ(sim::runScenarioFile(scenario, options, stdoutText, stderrText), 2) << c.timeline;
    EXPECT_NE(stderrText.str().find(c.message), std::string::npos) << stderrText.str();
  }
}

platform::TraceEvent event(platform::Nanos time, std::string kind, platform::PlistDict fields = {}) {
  return {time, "SpringBoard", std::move(kind), std::move(fields)};
}

// What never closes (timers never fired, posts never delivered) stays within the bound, and what is
// let go or still open at the end is closed in the file all the same.
TEST(TraceTimeline, WhatStaysOpenIsBounded) {
  std::ostringstream text;
  sim::TraceTimeline timeline(text);
  platform::PlistDict observe;
  observe.set("name", "n");
  timeline.observe(event(0, "notification.observe", observe));
  const std::size_t many = sim::TraceTimeline::kMaxOpen + 10;
  for (std::size_t i = 0; i < many; ++i) {
    auto time = static_cast<platform::Nanos>(i) * 1000;
    platform::PlistDict timer;
    timer.set("interval", 1.0);
    timer.set("selector", "never:");
    timer.set("repeats", false);
    timer.set("fireAt", 1e6);
    timeline.observe(event(time, "timer.schedule", timer));
    timeline.observe(event(time, "notification.post", observe));
  }
  EXPECT_LE(timeline.open(), 2 * sim::TraceTimeline::kMaxOpen);
  // Ends with no beginning: instants, and a delivery without its arrow.
  platform::PlistDict strays;
  strays.set("id", std::int64_t{77});
  strays.set("finished", true);
  timeline.observe(event(many * 1000, "animation.complete", strays));
  platform::PlistDict deliver;
  deliver.set("name", "elsewhere");
  deliver.set("from", "Nobody");
  timeline.observe(event(many * 1000, "notification.deliver", deliver));
  timeline.finish(0);
  EXPECT_EQ(timeline.open(), 0u);
  json parsed = json::parse(text.str());
  expectWellFormed(parsed, "bounded");
  std::map<std::string, std::size_t> ended;
  for (const json& e : parsed["traceEvents"])
    if (e["ph"] == "e") ++ended[e["args"]["ended"].get<std::string>()];
  EXPECT_EQ(ended["dropped"], 10u);
  EXPECT_EQ(ended["open at the end"], sim::TraceTimeline::kMaxOpen);
}

}  // namespace
