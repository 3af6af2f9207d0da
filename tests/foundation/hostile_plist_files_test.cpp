// Settings files built to crash or stall the shell's reader: each must read as nothing (the defaults) or,
// when well formed, in one linear pass.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/foundation/plist_file.h"
#include "support/hostile_plists.h"
#include "support/phone.h"

namespace {

using testing_support::chainedBinarySettings;
using testing_support::deeplyNestedXml;

struct HostileFile {
  const char* name;
  std::string bytes;
};

// Full size: a reader that recursed per level would overflow its stack on every one of these.
TEST(HostilePlistFiles, DeepNestingReadsAsNothing) {
  const HostileFile files[] = {
      {"binary, 100,000 nested arrays", chainedBinarySettings(100'000, false)},
      {"xml, 200,000 nested arrays, closed", deeplyNestedXml(200'000, true)},
      {"xml, 200,000 nested arrays, never closed", deeplyNestedXml(200'000, false)},
      {"binary, 257 nested arrays", chainedBinarySettings(257, false)},
      {"xml, 257 nested arrays", deeplyNestedXml(257, true)},
  };
  for (const auto& file : files) EXPECT_FALSE(platform::parsePlistDictionary(file.bytes)) << file.name;
}

TEST(HostilePlistFiles, NestingUpToTheCapStillReads) {
  // The dictionary holds the chain, so 256 arrays put the innermost at depth 256.
  for (const auto& bytes : {chainedBinarySettings(256, false), deeplyNestedXml(256, true)}) {
    auto dict = platform::parsePlistDictionary(bytes);
    ASSERT_TRUE(dict);
    EXPECT_TRUE(dict->find("isEnabled")->asArray());
  }
}

// One object referenced twice at every level: 60 levels expand to 2^60 values.
TEST(HostilePlistFiles, SharedObjectsThatExpandExponentiallyReadAsNothing) {
  EXPECT_FALSE(platform::parsePlistDictionary(chainedBinarySettings(60, true)));
  // A little sharing is an ordinary file.
  auto small = platform::parsePlistDictionary(chainedBinarySettings(8, true));
  ASSERT_TRUE(small);
  EXPECT_EQ(small->find("isEnabled")->asArray()->size(), 2u);
}

TEST(HostilePlistFiles, ReferenceCyclesReadAsNothing) {
  std::string bytes = chainedBinarySettings(4, false);
  // Objects: 0 the dictionary (8 bytes in, 9 long), 1 its key (10 long), 2 the first array (5 long), 3 the
  // second. Make the second array hold the first.
  const std::size_t second = 8 + 9 + 10 + 5;
  ASSERT_EQ(bytes[second], '\xA1');
  bytes[second + 4] = 2;
  EXPECT_FALSE(platform::parsePlistDictionary(bytes));
}

// The 100,000-key file in both forms: every key read, in order.
TEST(HostilePlistFiles, AHundredThousandKeysReadInOrder) {
  for (const auto& bytes : {testing_support::wideXml(100'000), testing_support::wideBinary(100'000)}) {
    auto dict = platform::parsePlistDictionary(bytes);
    ASSERT_TRUE(dict);
    ASSERT_EQ(dict->size(), 100'000u);
    EXPECT_EQ(dict->begin()->first, "setting000000");
    EXPECT_EQ(std::prev(dict->end())->first, "setting099999");
    EXPECT_EQ(numberForKey(*dict, "setting054321"), 54321.5);
  }
}

// The shell itself on these files: defaults (or the file's values), and the HUD still shows.
TEST(HostilePlistFiles, TheShellBootsOnEachOnDefaults) {
  const HostileFile files[] = {
      {"deep binary", chainedBinarySettings(100'000, false)},
      {"deep xml", deeplyNestedXml(200'000, false)},
      {"wide xml", testing_support::wideXml(100'000)},
      {"wide binary", testing_support::wideBinary(100'000)},
  };
  for (const auto& file : files) {
    testing_support::PhoneOptions options;
    options.launch = false;
    testing_support::Phone phone(options);
    auto path = phone.springBoard.resolvePath(tarvo::kPreferencesPath);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << file.bytes;
    phone.postSettingsChanged();
    phone.launch();
    phone.press();
    EXPECT_TRUE(phone.tarvo().settings.ENABLED) << file.name;
    EXPECT_FLOAT_EQ(phone.tarvo().settings.DURATIONDISPLAY, 1.5f) << file.name;
    EXPECT_TRUE(phone.tarvo().colors.tarvoMinColor) << file.name;
  }
}

}  // namespace
