#include <cmath>
#include <limits>

#include "kit_fixture.h"
#include "platform/uikit/status_bar_installer.h"
#include "platform/uikit/uikit_classes.h"

namespace {

using namespace platform;
using kit_test::KitTest;
namespace protocol = tarvo::protocol;

StatusBarOptions splitWithDepths(std::vector<int> depths) {
  StatusBarOptions options;
  options.kind = StatusBarKind::Split;
  options.backgroundActivityDepths = std::move(depths);
  return options;
}

double numberField(const TraceEvent& e, std::string_view key) {
  return numberForKey(e.fields, key).value_or(-1);
}

TEST_F(KitTest, HideFadesEachBackgroundActivityViewFourLevelsDownOnItsOwn) {
  Process& app = launch("App", "com.example.app", splitWithDepths({4, 4}));
  auto pills = backgroundActivityViews(app);
  ASSERT_EQ(pills.size(), 2u);
  const Nanos start = device.now();
  postCommand(protocol::kToggleTimeX, "hide");

  auto begun = events(app, "animation.begin");
  ASSERT_EQ(begun.size(), 2u);
  for (const auto& e : begun) {
    EXPECT_DOUBLE_EQ(numberField(e, "duration"), 0.15);
    EXPECT_EQ(numberField(e, "delay"), 0);
    EXPECT_EQ(numberField(e, "options"), 0);
    const PlistArray* changes = e.fields.find("changes")->asArray();
    ASSERT_EQ(changes->size(), 1u);
    const PlistDict& change = *(*changes)[0].asDict();
    EXPECT_EQ(*stringForKey(change, "view"), "_UIStatusBarBackgroundActivityView");
    EXPECT_EQ(*stringForKey(change, "property"), "alpha");
    EXPECT_EQ(numberForKey(change, "to"), 0);
  }
  for (const auto& [pill, depth] : pills) {
    EXPECT_EQ(depth, 4);
    EXPECT_EQ(pill->alpha(), 0);
    const PropertyAnimation* fade = alphaAnimation(*pill);
    ASSERT_NE(fade, nullptr);
    EXPECT_EQ(fade->begin, start);
    EXPECT_EQ(fade->duration, secondsToNanos(0.15));
    EXPECT_EQ(pill->presentation(start).alpha, 1);
    EXPECT_EQ(pill->presentation(start + secondsToNanos(0.15)).alpha, 0);
  }
  EXPECT_EQ(foregroundView(app)->alpha(), 1);  // the toggle touches nothing else

  device.advance(1);
  postCommand(protocol::kToggleTimeX, "show");
  for (const auto& [pill, depth] : pills) EXPECT_EQ(pill->alpha(), 1);
  EXPECT_TRUE(logLines(app).empty());  // neither command logs
}

struct DepthCase {
  std::vector<int> depths;
  std::size_t fadedViews;
};

TEST_F(KitTest, OnlyViewsExactlyFourLevelsDownAreTested) {
  const DepthCase cases[] = {
      {{4}, 1}, {{3}, 0}, {{5}, 0}, {{1, 2, 3, 5, 6}, 0}, {{3, 4, 5}, 1}, {{4, 4, 4}, 3}, {{}, 0},
  };
  int n = 0;
  for (const auto& c : cases) {
    const std::string name = "App" + std::to_string(n++);
    Process& app = launch(name, "com.example." + name, splitWithDepths(c.depths));
    ASSERT_EQ(backgroundActivityViews(app).size(), c.depths.size());
    postCommand(protocol::kToggleTimeX, "hide");
    std::size_t faded = 0;
    for (const auto& [pill, depth] : backgroundActivityViews(app)) {
      bool fades = depth == 4;
      faded += fades;
      EXPECT_EQ(pill->alpha(), fades ? 0 : 1) << "depth " << depth;
      EXPECT_EQ(alphaAnimation(*pill) != nullptr, fades) << "depth " << depth;
    }
    EXPECT_EQ(faded, c.fadedViews);
    EXPECT_EQ(events(app, "animation.begin").size(), c.fadedViews);
  }
}

TEST_F(KitTest, SubclassesOfTheBackgroundActivityViewCountAndLookAlikesDoNot) {
  Process& app = launch("App", "com.example.app", splitWithDepths({}));
  app.runtime().registerClass("CustomActivityView", "_UIStatusBarBackgroundActivityView");
  app.runtime().registerClass("UIStatusBarBackgroundActivityView", "UIView");  // a name, not the class
  auto region = foregroundView(app)->subviews().front();
  auto item = region->subviews().front();
  auto subclassed = makeView<UIView>(app, "CustomActivityView", CGRectMake(0, 0, 10, 10));
  auto lookalike = makeView<UIView>(app, "UIStatusBarBackgroundActivityView", CGRectMake(0, 0, 10, 10));
  item->addSubview(subclassed);
  item->addSubview(lookalike);
  postCommand(protocol::kToggleTimeX, "hide");
  EXPECT_EQ(subclassed->alpha(), 0);
  EXPECT_EQ(lookalike->alpha(), 1);
}

struct ModifierCase {
  const char* label;
  std::optional<PlistValue> modifier;
  double alpha;
};

TEST_F(KitTest, OnlyTheExactWordHideHidesForBothCommands) {
  const ModifierCase cases[] = {
      {"hide", PlistValue("hide"), 0}, {"show", PlistValue("show"), 1},   {"HIDE", PlistValue("HIDE"), 1},
      {"Hide", PlistValue("Hide"), 1}, {"hide ", PlistValue("hide "), 1}, {"empty", PlistValue(""), 1},
      {"number", PlistValue(1), 1},    {"absent", std::nullopt, 1},
  };
  Process& app = launch("App", "com.example.app");
  auto pill = backgroundActivityViews(app).at(0).first;
  auto foreground = foregroundView(app);
  for (const auto& c : cases) {
    pill->setAlpha(0.5);
    foreground->setAlpha(0.5);
    PlistDict info;
    if (c.modifier) info.set(std::string(protocol::kModifier), *c.modifier);
    post(protocol::kToggleTimeX, info);
    post(protocol::kModifyStatusBar, info);
    EXPECT_EQ(pill->alpha(), c.alpha) << c.label;
    EXPECT_EQ(foreground->alpha(), c.alpha) << c.label;
  }
  // A notification without any payload is a show as well.
  pill->setAlpha(0);
  NSDistributedNotificationCenter::defaultCenter(host).postNotificationName(protocol::kToggleTimeX, nullptr,
                                                                            nullptr);
  device.drain();
  EXPECT_EQ(pill->alpha(), 1);
}

struct DurationCase {
  const char* label;
  std::optional<PlistValue> duration;
  double seconds;  // what the animation runs for
};

TEST_F(KitTest, TheForegroundFadeTakesAThirdOfTheDurationInSinglePrecision) {
  const double inf = std::numeric_limits<double>::infinity();
  const DurationCase cases[] = {
      {"0.3", PlistValue(0.3), static_cast<double>(0.3f / 3.0f)},
      {"0.3f", PlistValue(0.3f), static_cast<double>(0.3f / 3.0f)},
      {"integer", PlistValue(3), 1.0},
      {"absent", std::nullopt, 0},
      {"string", PlistValue("0.3"), static_cast<double>(0.3f / 3.0f)},  // floatValue reads the number
      {"string with no number", PlistValue("soon"), 0},
      {"array", PlistValue(platform::PlistArray{0.3}), 0},
      {"negative", PlistValue(-3.0), 0},
      {"NaN", PlistValue(std::numeric_limits<double>::quiet_NaN()), 0},
      {"infinite", PlistValue(inf), 1e6},  // the animation system's longest
      {"beyond float", PlistValue(1e300), 1e6},
  };
  Process& app = launch("App", "com.example.app");
  auto foreground = foregroundView(app);
  for (const auto& c : cases) {
    foreground->setAlpha(1);
    PlistDict info;
    info.set(std::string(protocol::kModifier), "hide");
    if (c.duration) info.set(std::string(protocol::kAnimationDuration), *c.duration);
    const std::size_t before = events(app, "animation.begin").size();
    const Nanos start = device.now();
    post(protocol::kModifyStatusBar, info);
    auto begun = events(app, "animation.begin");
    ASSERT_EQ(begun.size(), before + 1) << c.label;
    EXPECT_EQ(numberField(begun.back(), "duration"), c.seconds) << c.label;
    EXPECT_EQ(foreground->alpha(), 0) << c.label;
    const PropertyAnimation* fade = alphaAnimation(*foreground);
    ASSERT_NE(fade, nullptr) << c.label;
    EXPECT_EQ(fade->duration, secondsToNanos(c.seconds)) << c.label;
    EXPECT_EQ(fade->begin, start) << c.label;
  }
}

TEST_F(KitTest, AFadeOverPointThreeSecondsTakesATenthAndWithoutDurationIsImmediate) {
  Process& app = launch("App", "com.example.app");
  auto foreground = foregroundView(app);
  PlistDict info;
  info.set(std::string(protocol::kModifier), "hide");
  info.set(std::string(protocol::kAnimationDuration), 0.3f);
  const Nanos start = device.now();
  post(protocol::kModifyStatusBar, info);
  EXPECT_EQ(foreground->presentation(start).alpha, 1);
  EXPECT_GT(foreground->presentation(start + secondsToNanos(0.05)).alpha, 0);
  // A tenth in single precision, a little over the double one.
  EXPECT_GT(foreground->presentation(start + secondsToNanos(0.1)).alpha, 0);
  EXPECT_EQ(foreground->presentation(start + secondsToNanos(0.1000001)).alpha, 0);

  device.advance(1);
  postCommand(protocol::kModifyStatusBar, "show");
  EXPECT_EQ(foreground->alpha(), 1);
  EXPECT_EQ(foreground->presentation(device.now()).alpha, 1);
}

TEST_F(KitTest, WithoutAStatusBarOrItsForegroundViewNothingHappens) {
  StatusBarOptions none;
  none.kind = StatusBarKind::None;
  Process& bare = launch("Bare", "com.example.bare", none);
  StatusBarOptions classicWithoutForeground;
  classicWithoutForeground.kind = StatusBarKind::Classic;
  classicWithoutForeground.hasForegroundView = false;
  Process& classic = launch("Classic", "com.example.classic", classicWithoutForeground);
  // A status bar of some other make: a plain view, with the right view four levels down but no ivars.
  Process& odd = launch("Odd", "com.example.odd", none);
  auto plain = makeView<UIView>(odd, "UIView", CGRectMake(0, 0, 375, 44));
  std::shared_ptr<UIView> parent = plain;
  for (int level = 1; level < 4; ++level) {
    auto child = makeView<UIView>(odd, "UIView", CGRectMake(0, 0, 10, 10));
    parent->addSubview(child);
    parent = child;
  }
  auto pill = makeView<UIView>(odd, "_UIStatusBarBackgroundActivityView", CGRectMake(0, 0, 10, 10));
  parent->addSubview(pill);
  UIApplication::sharedApplication(odd)->statusBar = plain;

  postCommand(protocol::kModifyStatusBar, "hide");
  EXPECT_TRUE(events(bare, "animation.begin").empty());
  EXPECT_TRUE(events(classic, "animation.begin").empty());
  EXPECT_TRUE(events(odd, "animation.begin").empty());
  EXPECT_EQ(plain->alpha(), 1);

  postCommand(protocol::kToggleTimeX, "hide");
  EXPECT_TRUE(events(bare, "animation.begin").empty());
  EXPECT_TRUE(events(classic, "animation.begin").empty());  // classic bars have no such views
  EXPECT_EQ(pill->alpha(), 0);                              // the walk needs no ivar below "_statusBar"
}

TEST_F(KitTest, TheLastCommandStartedWins) {
  Process& app = launch("App", "com.example.app");
  auto pill = backgroundActivityViews(app).at(0).first;
  postCommand(protocol::kToggleTimeX, "hide");
  device.advance(0.05);
  postCommand(protocol::kToggleTimeX, "show");
  EXPECT_EQ(pill->alpha(), 1);
  const PropertyAnimation* fade = alphaAnimation(*pill);
  ASSERT_NE(fade, nullptr);
  EXPECT_EQ(std::get<double>(fade->to), 1);
  EXPECT_EQ(std::get<double>(fade->from), 0);  // from the model value, not from where the fade had got to
  // Hiding twice is two fades to 0, the second with nothing to change.
  postCommand(protocol::kToggleTimeX, "hide");
  postCommand(protocol::kToggleTimeX, "hide");
  EXPECT_EQ(pill->alpha(), 0);
}

}  // namespace
