#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>

#include "platform/device/device.h"
#include "platform/foundation/plist_file.h"
#include "support/phone.h"

namespace {

struct UnreadableSettingsPath : ::testing::Test {
  platform::Device device;
  platform::Process& proc = device.spawn("SpringBoard", "com.apple.springboard");
  std::filesystem::path path = proc.resolvePath("/var/mobile/Library/Preferences/odd.plist");
};

// A directory in the file's place used to make the stream throw out of the reader, which in the shell would
// end SpringBoard.
TEST_F(UnreadableSettingsPath, ADirectoryReadsAsNothing) {
  std::filesystem::create_directories(path);
  EXPECT_FALSE(platform::readPlistDictionary(path));
}

// A FIFO would block the reader for good.
TEST_F(UnreadableSettingsPath, AFifoReadsAsNothing) {
  std::filesystem::create_directories(path.parent_path());
  ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
  EXPECT_FALSE(platform::readPlistDictionary(path));
}

TEST_F(UnreadableSettingsPath, AFileFarLargerThanAnySettingsIsNotRead) {
  std::filesystem::create_directories(path.parent_path());
  {
    std::ofstream out(path, std::ios::binary);
    out << "<?xml version=\"1.0\"?><plist><dict></dict></plist>";
  }
  EXPECT_TRUE(platform::readPlistDictionary(path));
  std::filesystem::resize_file(path, platform::kMaxPlistFileBytes + 1);  // sparse: nothing is written
  EXPECT_FALSE(platform::readPlistDictionary(path));
}

// The whole library on a phone whose settings path is a directory: the defaults, and the HUD works.
TEST(UnreadableSettingsFile, TheShellKeepsRunningOnDefaults) {
  testing_support::PhoneOptions options;
  options.launch = false;
  testing_support::Phone phone(options);
  std::filesystem::create_directories(phone.springBoard.resolvePath(tarvo::kPreferencesPath));
  phone.postSettingsChanged();
  phone.launch();
  phone.press();
  EXPECT_TRUE(phone.tarvo().settings.ENABLED);
  EXPECT_FLOAT_EQ(phone.tarvo().settings.WIDTH, 80.0f);
  ASSERT_TRUE(phone.hudColour("tarvoMinColor"));
  EXPECT_EQ(*phone.hudColour("tarvoMinColor"), platform::UIColor::colorWithRed(0x79 / 255.0, 0x42 / 255.0, 0xD8 / 255.0, 1));
}

}  // namespace
