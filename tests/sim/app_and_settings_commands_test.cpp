#include <gtest/gtest.h>

#include "scenario_test_support.h"

namespace {

using namespace sim;
using simtest::lastCommand;
using simtest::parse;

TEST(AppCommands, StartDefaultsToABlackClassicBarAndTheFilter) {
  auto app = lastCommand<StartApp>("app start com.example.notes");
  EXPECT_EQ(app.bundle, "com.example.notes");
  EXPECT_EQ(app.name, "notes");
  EXPECT_EQ(app.bar, BarKind::Classic);
  ASSERT_TRUE(app.colour);
  EXPECT_EQ(app.colour->text, "#000000");
  EXPECT_EQ(app.style, 0);
  EXPECT_EQ(app.classicParts, ClassicBarParts{});
  EXPECT_TRUE(app.backgroundActivityDepths.empty());
  EXPECT_FALSE(app.loadsTarvo12Kit);
  EXPECT_FALSE(app.loadsTarvo12);
}

TEST(AppCommands, StartOptionsInAnyOrder) {
  auto classic = lastCommand<StartApp>(
      "app start com.example.maps without foreground-view color nil name Maps without style-attributes "
      "kit no tarvo yes bar classic without foreground-style");
  EXPECT_EQ(classic.name, "Maps");
  EXPECT_FALSE(classic.colour);
  EXPECT_EQ(classic.classicParts, (ClassicBarParts{false, false, false}));
  EXPECT_EQ(classic.loadsTarvo12Kit, false);
  EXPECT_EQ(classic.loadsTarvo12, true);

  auto split = lastCommand<StartApp>(
      "app start com.example.music activity 4 bar split style 1 activity 3 color #FFFFFF");
  EXPECT_EQ(split.bar, BarKind::Split);
  EXPECT_EQ(split.style, 1);
  EXPECT_EQ(split.colour->text, "#FFFFFF");
  EXPECT_EQ(split.backgroundActivityDepths, (std::vector<int>{4, 3}));

  auto none = lastCommand<StartApp>("app start com.example.game bar none");
  EXPECT_EQ(none.bar, BarKind::None);
  EXPECT_FALSE(none.colour);
}

TEST(AppCommands, FrontColourAndStyleNameAStartedApp) {
  const char* start = "app start com.example.notes name Notes\napp start com.example.music bar split\n";
  EXPECT_EQ(lastCommand<BringToFront>(std::string(start) + "app front Notes").app, "com.example.notes");
  EXPECT_EQ(lastCommand<BringToFront>(std::string(start) + "app front com.example.notes").app,
            "com.example.notes");
  auto colour = lastCommand<SetAppBarColour>(std::string(start) + "app color Notes #FFFFFF:0.5");
  EXPECT_EQ(colour.app, "com.example.notes");
  ASSERT_TRUE(colour.colour);
  EXPECT_EQ(colour.colour->alpha, 0.5);
  EXPECT_FALSE(lastCommand<SetAppBarColour>(std::string(start) + "app color Notes nil").colour);
  auto style = lastCommand<SetAppBarStyle>(std::string(start) + "app style music 1");
  EXPECT_EQ(style.app, "com.example.music");
  EXPECT_EQ(style.style, 1);
}

TEST(SettingsCommands, SetRemoveReplaceDeleteWithOptions) {
  auto set = lastCommand<SetSetting>("settings set width real 150");
  EXPECT_EQ(set.key, "width");
  EXPECT_EQ(set.value, platform::PlistValue(150.0));
  EXPECT_TRUE(set.write.post);
  EXPECT_EQ(set.write.format, platform::PlistFormat::Xml);

  auto quiet = lastCommand<SetSetting>("settings set \"odd key\" \"#FF0000:0.5\" binary no-post");
  EXPECT_EQ(quiet.key, "odd key");
  EXPECT_EQ(quiet.value, platform::PlistValue("#FF0000:0.5"));
  EXPECT_FALSE(quiet.write.post);
  EXPECT_EQ(quiet.write.format, platform::PlistFormat::Binary);

  auto remove = lastCommand<RemoveSetting>("settings remove enabled no-post");
  EXPECT_EQ(remove.key, "enabled");
  EXPECT_FALSE(remove.write.post);

  auto replace =
      lastCommand<ReplaceSettings>("settings replace {\n  enabled = false,\n  width = int 90,\n} xml");
  EXPECT_EQ(replace.contents.size(), 2u);
  EXPECT_EQ(*replace.contents.find("width"), platform::PlistValue(90));
  EXPECT_TRUE(replace.write.post);
  EXPECT_TRUE(lastCommand<ReplaceSettings>("settings replace dict {}").contents.empty());

  EXPECT_TRUE(lastCommand<DeleteSettings>("settings delete").post);
  EXPECT_FALSE(lastCommand<DeleteSettings>("settings delete no-post").post);
}

}  // namespace
