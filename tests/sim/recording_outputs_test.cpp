// What a run leaves behind for its recordings: the animated WebP with every frame, lossless, at its time;
// the PNG files the --frames choice asks for; a contact sheet that stays within its cells.
#include <gtest/gtest.h>
#include <webp/demux.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/render/contact_sheet.h"
#include "platform/foundation/trace.h"
#include "sim/output/animated_webp.h"
#include "sim/play/demo_scenario.h"
#include "sim/output/output_directory.h"
#include "sim/play/runner.h"
#include "sim/scenario/parse_scenario.h"

namespace {

using platform::CGImage;
using platform::CGImageRef;

CGImageRef solid(int width, int height, std::uint32_t argb, int markX = -1) {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height, argb);
  if (markX >= 0) pixels[static_cast<std::size_t>(markX)] = 0xff00ff00u;
  return CGImage::make(width, height, std::move(pixels));
}

struct DecodedFrame {
  std::vector<std::uint32_t> argb;
  int timestampMs;
};

std::vector<DecodedFrame> decode(const std::vector<std::uint8_t>& bytes) {
  WebPData data{bytes.data(), bytes.size()};
  WebPAnimDecoderOptions options;
  WebPAnimDecoderOptionsInit(&options);
  options.color_mode = MODE_BGRA;  // little-endian ARGB words
  WebPAnimDecoder* decoder = WebPAnimDecoderNew(&data, &options);
  std::vector<DecodedFrame> frames;
  if (!decoder) return frames;
  WebPAnimInfo info;
  WebPAnimDecoderGetInfo(decoder, &info);
  while (WebPAnimDecoderHasMoreFrames(decoder)) {
    std::uint8_t* buffer = nullptr;
    int timestamp = 0;
    if (!WebPAnimDecoderGetNext(decoder, &buffer, &timestamp)) break;
    DecodedFrame frame{std::vector<std::uint32_t>(info.canvas_width * info.canvas_height), timestamp};
    std::memcpy(frame.argb.data(), buffer, frame.argb.size() * 4);
    frames.push_back(std::move(frame));
  }
  WebPAnimDecoderDelete(decoder);
  return frames;
}

TEST(AnimatedWebp, KeepsEveryChangedFrameExactlyAtItsTime) {
  sim::AnimatedWebp webp(6, 4);
  const platform::Nanos ms = 1'000'000;
  EXPECT_TRUE(webp.add(*solid(6, 4, 0xff102030u), 1000 * ms));
  EXPECT_TRUE(webp.add(*solid(6, 4, 0xff102030u, 2), 1033 * ms));
  EXPECT_TRUE(webp.add(*solid(6, 4, 0xff102030u, 2), 1067 * ms));  // unchanged: lengthens the frame before
  EXPECT_TRUE(webp.add(*solid(6, 4, 0xffa0b0c0u), 1100 * ms));
  EXPECT_FALSE(webp.add(*solid(6, 4, 0xffa0b0c0u), 1100 * ms)) << "no later than the frame before";
  EXPECT_FALSE(webp.add(*solid(5, 4, 0xffa0b0c0u), 1200 * ms)) << "another size";
  auto frames = decode(webp.finish(1200 * ms));
  ASSERT_EQ(frames.size(), 3u);
  // A decoded frame's timestamp is when it ends.
  EXPECT_EQ(frames[0].timestampMs, 33);
  EXPECT_EQ(frames[1].timestampMs, 100);
  EXPECT_EQ(frames[2].timestampMs, 200);
  EXPECT_TRUE(frames[0].argb == solid(6, 4, 0xff102030u)->pixels());
  EXPECT_TRUE(frames[1].argb == solid(6, 4, 0xff102030u, 2)->pixels());
  EXPECT_TRUE(frames[2].argb == solid(6, 4, 0xffa0b0c0u)->pixels());
}

TEST(AnimatedWebp, AStillRecordingIsStillAnAnimationOfItsLength) {
  const platform::Nanos ms = 1'000'000;
  for (int repeats : {1, 3}) {  // one frame, or several alike
    sim::AnimatedWebp webp(6, 4);
    for (int i = 0; i < repeats; ++i) EXPECT_TRUE(webp.add(*solid(6, 4, 0xff102030u), (500 + 40 * i) * ms));
    auto bytes = webp.finish(1500 * ms);
    std::string text(bytes.begin(), bytes.end());
    EXPECT_NE(text.find("VP8X"), std::string::npos);
    EXPECT_NE(text.find("ANIM"), std::string::npos);
    EXPECT_NE(text.find("ANMF"), std::string::npos);
    auto frames = decode(bytes);
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames.back().timestampMs, 1000) << "the length asked for";
    for (const auto& f : frames) EXPECT_TRUE(f.argb == solid(6, 4, 0xff102030u)->pixels());
  }
}

TEST(AnimatedWebp, NothingAddedOrNoSizeGivesNoFile) {
  EXPECT_TRUE(sim::AnimatedWebp(6, 4).finish(0).empty());
  sim::AnimatedWebp empty(0, 4);
  EXPECT_FALSE(empty.add(*solid(1, 1, 0xff000000u), 0));
  EXPECT_TRUE(empty.finish(1).empty());
}

TEST(ContactSheet, ThinsEvenlyAndKeepsWithinItsCells) {
  platform::ContactSheet sheet(4, 16, 8);
  for (int i = 0; i < 100; ++i) {
    if (sheet.wantsNext())
      sheet.add(solid(32, 64, 0xff000000u), "frame " + std::to_string(i));
    else
      sheet.skip();
    EXPECT_LE(sheet.cells(), 8u) << "after frame " << i;
  }
  // 100 frames, every 16th kept: 0, 16, ... 96.
  EXPECT_EQ(sheet.cells(), 7u);
  CGImageRef composed = sheet.compose();
  ASSERT_TRUE(composed);
  EXPECT_EQ(composed->width(), 16 + 4 * (16 + 16));
}

std::filesystem::path scratchDirectory(const std::string& name) {
  auto dir = std::filesystem::temp_directory_path() /
             ("tarvo-recording-" + name + "-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  std::filesystem::remove_all(dir);
  return dir;
}

std::size_t filesIn(const std::filesystem::path& dir) {
  std::size_t count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) count += entry.is_regular_file() ? 1 : 0;
  return count;
}

TEST(OutputDirectory, FramesChoiceDecidesWhichPngsAreWrittenAndEveryRecordingGetsItsWebp) {
  const char* text =
      "device iPhone9,3\nat 0.2s press up\nrecord clip for 0.2s fps 20\nat 0.3s capture still\n";
  struct Case {
    sim::FrameFiles files;
    std::size_t pngs;
  };
  for (const Case& c : {Case{sim::FrameFiles::All, 5}, Case{sim::FrameFiles::Captures, 1},
                        Case{sim::FrameFiles::None, 0}}) {
    sim::Scenario scenario = sim::parseScenario(text, "clip");
    auto dir = scratchDirectory("frames-" + std::to_string(static_cast<int>(c.files)));
    sim::OutputOptions options;
    options.frameFiles = c.files;
    options.scale = 0.5;
    {
      sim::OutputDirectory out(dir, options);
      sim::RunOptions run;
      run.frames = out.frameSink();
      run.recordings = out.recordingSink();
      sim::Runner runner(scenario, std::move(run));
      auto result = runner.run();
      EXPECT_FALSE(out.finish(result.end).empty());
      EXPECT_TRUE(out.failures().empty());
      EXPECT_EQ(out.framesWritten(), c.pngs);
    }
    EXPECT_EQ(filesIn(dir / "frames"), c.pngs);
    std::ifstream webp(dir / "clip.webp", std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(webp)), std::istreambuf_iterator<char>());
    auto frames = decode(bytes);
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames.back().timestampMs, 200) << "the last frame lasts until the recording's end";
    std::filesystem::remove_all(dir);
  }
}

}  // namespace

namespace {

std::vector<std::string> traceOfDemo(bool filmed) {
  sim::Scenario scenario = sim::parseScenario(sim::demoScenarioText(), "demo");
  platform::Renderer renderer;
  sim::RunOptions run;
  run.keptTraceEvents = sim::kWholeTrace;
  run.frames = [&](const std::string&, platform::Nanos, sim::SimPhone& phone) { phone.renderScreen(renderer, 0.25); };
  if (filmed) run.film = sim::Film{30, [&](platform::Nanos, sim::SimPhone& phone) { phone.renderScreen(renderer, 0.25); }};
  sim::Runner runner(scenario, std::move(run));
  runner.run();
  std::vector<std::string> lines;
  for (const auto& event : runner.phone().device().trace().events()) lines.push_back(platform::toJsonLine(event));
  return lines;
}

// Drawing the screen thirty times a second lays out views and brings status bars up to date more often than
// the captures alone would: none of it may show in what the phone does.
TEST(Film, LeavesTheTraceAsItWas) {
  auto plain = traceOfDemo(false);
  auto filmed = traceOfDemo(true);
  ASSERT_EQ(plain.size(), filmed.size());
  for (std::size_t i = 0; i < plain.size(); ++i) ASSERT_EQ(plain[i], filmed[i]) << "trace line " << i + 1;
}

}  // namespace
