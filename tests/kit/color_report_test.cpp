#include "kit_fixture.h"
#include "platform/uikit/status_bar_installer.h"
#include "platform/uikit/status_bar_style.h"

namespace {

using namespace platform;
using kit_test::KitTest;
namespace protocol = tarvo::protocol;

const std::string kRequested = "[TARVO12] [Line 104]: Requested status bar colors";

StatusBarOptions split(long long style) {
  StatusBarOptions options;
  options.kind = StatusBarKind::Split;
  options.style = style;
  return options;
}

StatusBarOptions classic(std::optional<UIColor> tint) {
  StatusBarOptions options;
  options.kind = StatusBarKind::Classic;
  options.contentColor = tint;
  return options;
}

// The reply's keys and values, in order, as floats were boxed.
std::vector<std::pair<std::string, PlistValue>> entries(const PlistDict& dict) {
  return {dict.begin(), dict.end()};
}

std::vector<std::pair<std::string, PlistValue>> expectedReply(std::string bundle, float h, float s, float b,
                                                              float a) {
  return {{"bundle", PlistValue(std::move(bundle))},
          {"hue", PlistValue(h)},
          {"saturation", PlistValue(s)},
          {"brightness", PlistValue(b)},
          {"alpha", PlistValue(a)}};
}

struct SplitCase {
  long long style;
  bool forceSplit, iPhoneX;
  float brightness;
};

TEST_F(KitTest, TheSplitKindAnswersWhiteForStyleOneAndBlackOtherwise) {
  const SplitCase cases[] = {
      {1, true, false, 1}, {1, false, true, 1},  {1, true, true, 1}, {0, false, true, 0},
      {2, true, false, 0}, {-1, false, true, 0}, {3, true, true, 0},
  };
  int n = 0;
  for (const auto& c : cases) {
    const std::string bundle = "com.example.split" + std::to_string(n++);
    Process& app = launch(bundle, bundle, split(c.style));
    replies.clear();
    request(bundle, c.forceSplit, c.iPhoneX);
    ASSERT_EQ(replies.size(), 1u) << bundle;
    EXPECT_EQ(replies[0].from, bundle);
    EXPECT_EQ(entries(replies[0].userInfo), expectedReply(bundle, 0, 0, c.brightness, 1)) << bundle;
    const std::string bar = statusBar(app)->description();
    EXPECT_EQ(logLines(app),
              (std::vector<std::string>{kRequested, "[TARVO12] [Line 111]: statusBar: " + bar}));
  }
}

TEST_F(KitTest, TheSplitKindReadsTheStyleNotTheColour) {
  StatusBarOptions options = split(0);
  options.contentColor = UIColor::redColor();
  launch("App", "com.example.app", options);
  request("com.example.app", true, false);
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(entries(replies[0].userInfo), expectedReply("com.example.app", 0, 0, 0, 1));
}

TEST_F(KitTest, TheClassicKindAnswersItsForegroundTint) {
  const UIColor halfRed = UIColor::colorWithRed(1, 0, 0, 0.5);
  const UIColor teal = UIColor::colorWithRed(0.2, 0.6, 0.6, 1);
  struct Case {
    std::optional<UIColor> tint;
    UIColor reported;
  } cases[] = {{halfRed, halfRed}, {teal, teal}, {std::nullopt, UIColor::blackColor()}};
  int n = 0;
  for (const auto& c : cases) {
    const std::string bundle = "com.example.classic" + std::to_string(n++);
    Process& app = launch(bundle, bundle, classic(c.tint));
    replies.clear();
    request(bundle);
    ASSERT_EQ(replies.size(), 1u) << bundle;
    double h = 0, s = 0, b = 0, a = 0;
    c.reported.getHue(&h, &s, &b, &a);
    EXPECT_EQ(entries(replies[0].userInfo),
              expectedReply(bundle, static_cast<float>(h), static_cast<float>(s), static_cast<float>(b),
                            static_cast<float>(a)));
    EXPECT_EQ(logLines(app), std::vector<std::string>{kRequested});  // the classic kind logs no bar
  }
  // The half-alpha red, spelled out.
  launch("Red", "com.example.red", classic(halfRed));
  replies.clear();
  request("com.example.red");
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(entries(replies[0].userInfo), expectedReply("com.example.red", 0, 1, 1, 0.5f));
}

TEST_F(KitTest, TheReportFollowsTheColourTheAppSetsLater) {
  Process& app = launch("App", "com.example.app", classic(UIColor::blackColor()));
  setStatusBarColor(app, UIColor::whiteColor());
  request("com.example.app");
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(entries(replies[0].userInfo), expectedReply("com.example.app", 0, 0, 1, 1));
}

struct MissingPartCase {
  const char* label;
  StatusBarOptions options;
  bool replies;
  float brightness;
};

TEST_F(KitTest, MissingPartsOfTheClassicBarMeanBlackOrNoReply) {
  StatusBarOptions none;
  none.kind = StatusBarKind::None;
  StatusBarOptions noAttributes = classic(UIColor::whiteColor());
  noAttributes.hasStyleAttributes = false;
  StatusBarOptions noForegroundStyle = classic(UIColor::whiteColor());
  noForegroundStyle.hasForegroundStyle = false;
  const MissingPartCase cases[] = {
      {"no status bar", none, false, 0},
      {"no style attributes", noAttributes, false, 0},
      {"no foreground style", noForegroundStyle, true, 0},
      {"all there", classic(UIColor::whiteColor()), true, 1},
  };
  int n = 0;
  for (const auto& c : cases) {
    const std::string bundle = "com.example.part" + std::to_string(n++);
    Process& app = launch(bundle, bundle, c.options);
    replies.clear();
    request(bundle);
    EXPECT_EQ(logLines(app), std::vector<std::string>{kRequested}) << c.label;
    ASSERT_EQ(replies.size(), c.replies ? 1u : 0u) << c.label;
    if (c.replies) {
      EXPECT_EQ(entries(replies[0].userInfo), expectedReply(bundle, 0, 0, c.brightness, 1)) << c.label;
    }
  }
}

TEST_F(KitTest, TheSplitKindWithoutABarStillAnswersBlack) {
  StatusBarOptions none;
  none.kind = StatusBarKind::None;
  Process& app = launch("App", "com.example.app", none);
  request("com.example.app", false, true);
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(entries(replies[0].userInfo), expectedReply("com.example.app", 0, 0, 0, 1));
  EXPECT_EQ(logLines(app), (std::vector<std::string>{kRequested, "[TARVO12] [Line 111]: statusBar: (null)"}));
}

TEST_F(KitTest, ObjectsOfOtherMakesCountAsHoldingNothing) {
  // "_styleAttributes" on a class that keeps something else under that name, and a status bar that answers
  // no currentStyle: no reply for the classic kind, black for the split kind.
  StatusBarOptions none;
  none.kind = StatusBarKind::None;
  Process& app = launch("App", "com.example.app", none);
  struct Odd : UIView {
    using UIView::UIView;
    int styleAttributes = 7;
  };
  rt::Class& odd = app.runtime().registerClass("OddStatusBar", "UIView");
  odd.setAllocator([](rt::Class& cls) { return std::make_shared<Odd>(cls); });
  odd.addIvar("_styleAttributes", &Odd::styleAttributes);
  UIApplication::sharedApplication(app)->statusBar = makeView<UIView>(app, "OddStatusBar", CGRectZero);
  request("com.example.app");
  EXPECT_TRUE(replies.empty());
  request("com.example.app", true, false);
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(entries(replies[0].userInfo), expectedReply("com.example.app", 0, 0, 0, 1));
}

TEST_F(KitTest, OnlyTheNamedAppAnswersAndOthersOnlyLogTheRequest) {
  Process& first = launch("First", "com.example.first", split(1));
  Process& second = launch("Second", "com.example.second", split(0));
  Process& anonymous = launch("Anonymous", std::nullopt, split(1));
  Process& shell = launch("SpringBoard", "com.apple.springboard", split(1));
  Process& server = launchApp(device, accessibilityServerOptions());
  device.drain();

  request("com.example.second", true, true);
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(replies[0].from, "Second");
  EXPECT_EQ(*stringForKey(replies[0].userInfo, "bundle"), "com.example.second");
  for (Process* p : {&first, &anonymous, &server})
    EXPECT_EQ(logLines(*p), std::vector<std::string>{kRequested});
  EXPECT_TRUE(logLines(shell).empty());  // SpringBoard's own agent does not even listen
  EXPECT_TRUE(events(first, "notification.post").empty());

  // The reply goes out in the CF form, delivered immediately, with no object.
  auto posts = events(second, "notification.post");
  ASSERT_EQ(posts.size(), 1u);
  EXPECT_EQ(*stringForKey(posts[0].fields, "name"), protocol::kGetStatusBarProperties);
  EXPECT_EQ(*stringForKey(posts[0].fields, "form"), "CF");
  EXPECT_EQ(posts[0].fields.find("deliverImmediately")->boolValue(), true);
}

TEST_F(KitTest, RequestsNamingNobodyGetNoReply) {
  launch("App", "com.example.app", split(1));
  launch("Anonymous", std::nullopt, split(1));
  auto send = [&](PlistDict info) { post(protocol::kRequestStatusBarProperties, info); };
  send({});  // no frontMostApp
  PlistDict numeric;
  numeric.set(std::string(protocol::kFrontMostApp), 42);
  send(numeric);  // not a string
  PlistDict wrongCase;
  wrongCase.set(std::string(protocol::kFrontMostApp), "com.example.APP");
  send(wrongCase);
  PlistDict gone;
  gone.set(std::string(protocol::kFrontMostApp), "com.example.gone");  // no such app
  send(gone);
  PlistDict empty;
  empty.set(std::string(protocol::kFrontMostApp), "");
  send(empty);
  NSDistributedNotificationCenter::defaultCenter(host).postNotificationName(
      protocol::kRequestStatusBarProperties, nullptr, nullptr);
  device.drain();
  EXPECT_TRUE(replies.empty());
}

TEST_F(KitTest, FlagsAreReadWithBoolValue) {
  launch("App", "com.example.app", classic(UIColor::redColor()));
  PlistDict info;
  info.set(std::string(protocol::kFrontMostApp), "com.example.app");
  // Neither an array nor a string that boolValue reads as NO makes the bar split.
  info.set(std::string(protocol::kIsForceSplit), "NO");
  info.set(std::string(protocol::kIsIPhoneX), PlistArray{true});
  post(protocol::kRequestStatusBarProperties, info);
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(entries(replies[0].userInfo),
            expectedReply("com.example.app", 0, 1, 1, 1));  // classic: the red tint
  // A string boolValue reads as YES does.
  replies.clear();
  info.set(std::string(protocol::kIsIPhoneX), "YES");
  post(protocol::kRequestStatusBarProperties, info);
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(entries(replies[0].userInfo), expectedReply("com.example.app", 0, 0, 0, 1));  // split, style 0
  // A number flag, however written, counts when it is not zero.
  replies.clear();
  info.set(std::string(protocol::kIsForceSplit), 2);
  post(protocol::kRequestStatusBarProperties, info);
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(entries(replies[0].userInfo), expectedReply("com.example.app", 0, 0, 0, 1));  // split, style 0
}

}  // namespace
