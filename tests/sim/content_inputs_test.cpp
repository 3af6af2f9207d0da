// Pictures a scenario or the command line names behind the HUD: every one that cannot be shown is an
// error naming it (file:line:column in a scenario, the path on the command line) with status 2, before
// anything plays or is written, and never a crash.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/device/device.h"
#include "sim/verbs/play.h"
#include "sim/verbs/preview.h"

namespace {

struct ContentInputs : ::testing::Test {
  platform::Device scratch;  // only for its private temporary root
  std::filesystem::path root = scratch.root();
  std::filesystem::path out = root / "out";
  std::ostringstream stdoutText, stderrText;

  void SetUp() override {
    std::ofstream(root / "empty.png", std::ios::binary);
    std::ofstream(root / "text.png") << "not a picture at all";
    std::ifstream whole(std::string(TARVO_SOURCE_DIR) + "/examples/files/dunes.png", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(whole)), std::istreambuf_iterator<char>());
    ASSERT_GT(bytes.size(), 100u);
    std::ofstream(root / "truncated.png", std::ios::binary) << bytes.substr(0, bytes.size() / 2);
    std::filesystem::create_directories(root / "folder.png");
  }
  int run(const std::string& text) {
    std::ofstream(root / "s.scenario") << text;
    stdoutText.str("");
    stderrText.str("");
    sim::PlayOptions options;
    options.out = out;
    return sim::runScenarioFile(root / "s.scenario", options, stdoutText, stderrText);
  }
  int preview(std::optional<std::string> wallpaper, std::optional<std::string> content) {
    stdoutText.str("");
    stderrText.str("");
    sim::PreviewOptions options;
    options.output = root / "preview.png";
    options.wallpaper = std::move(wallpaper);
    options.content = std::move(content);
    return sim::runPreview(options, stdoutText, stderrText);
  }
};

TEST_F(ContentInputs, ScenarioNamesWhatItCannotShowAtItsWord) {
  struct Case {
    const char* line;
    const char* where;
    const char* message;
  } cases[] = {
      {"wallpaper nowhere.png", "s.scenario:2:11", "no file 'nowhere.png' to read"},
      {"wallpaper folder.png", "s.scenario:2:11", "no file 'folder.png' to read"},
      {"wallpaper empty.png", "s.scenario:2:11", "cannot read 'empty.png' as an image"},
      {"wallpaper text.png", "s.scenario:2:11", "cannot read 'text.png' as an image"},
      {"app start com.a content truncated.png", "s.scenario:2:25", "cannot read 'truncated.png' as an image"},
      {"app start com.a\napp content com.a sunset", "s.scenario:3:19", "unknown picture 'sunset' (plain, photo"},
      {"wallpaper Photo", "s.scenario:2:11", "unknown picture 'Photo'"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(run(std::string("launch\n") + c.line + "\ncapture x\n"), 2) << c.line;
    EXPECT_NE(stderrText.str().find(std::string(c.where) + ": " + c.message), std::string::npos)
        << c.line << "\n" << stderrText.str();
    EXPECT_FALSE(std::filesystem::exists(out)) << c.line << ": nothing is written for a malformed scenario";
  }
}

TEST_F(ContentInputs, ScenarioShowsEveryPictureItCanRead) {
  std::filesystem::copy_file(std::string(TARVO_SOURCE_DIR) + "/examples/files/dunes.png", root / "dunes.png");
  EXPECT_EQ(run("wallpaper dunes.png\nlaunch\napp start com.a content video\napp content com.a text\n"
                "app front com.a\nat 0.5s press up\nat 1s capture x\nexpect tarvoHUDWindow.hidden == false\n"),
            0)
      << stderrText.str();
}

TEST_F(ContentInputs, PreviewNamesTheFileItCannotRead) {
  struct Case {
    std::optional<std::string> wallpaper, content;
    std::string message;
  } cases[] = {
      {"nowhere.png", {}, "--wallpaper: cannot read nowhere.png"},
      {{}, (root / "truncated.png").string(), "--content: cannot read " + (root / "truncated.png").string()},
      {{}, (root / "folder.png").string(), "--content: cannot read " + (root / "folder.png").string()},
      {"sunset", {}, "--wallpaper: cannot read sunset (plain, photo, text, map, video, or a PNG file)"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(preview(c.wallpaper, c.content), 2) << c.message;
    EXPECT_NE(stderrText.str().find("tarvo12-sim: " + c.message), std::string::npos) << stderrText.str();
    EXPECT_FALSE(std::filesystem::exists(root / "preview.png"));
  }
  EXPECT_EQ(preview("photo", "map"), 0) << stderrText.str();
  EXPECT_TRUE(std::filesystem::is_regular_file(root / "preview.png"));
}

}  // namespace
