// The HUD's three colours: from the settings file, from the colour cache, from the front app's answer, or
// from the shell's own status bar on the home screen.
#include <gtest/gtest.h>

#include <limits>

#include "platform/springboard/springboard_app.h"
#include "platform/uikit/label.h"
#include "platform/uikit/slider.h"
#include "support/phone.h"
#include "support/status_bar_stubs.h"

namespace {

using platform::PlistDict;
using platform::PlistValue;
using platform::UIColor;
using testing_support::Phone;
using testing_support::PhoneOptions;
using testing_support::settings;

constexpr const char* kRequest = "velkarin.tarvo12.requeststatusbarproperties";

void expectColor(const std::optional<UIColor>& got, const UIColor& want) {
  ASSERT_TRUE(got);
  EXPECT_NEAR(got->red(), want.red(), 1e-6);
  EXPECT_NEAR(got->green(), want.green(), 1e-6);
  EXPECT_NEAR(got->blue(), want.blue(), 1e-6);
  EXPECT_NEAR(got->alpha(), want.alpha(), 1e-6);
}

// Min, max and indicator colours as they come from one colour: opaque, 0.15, opaque (or the bar's alpha).
void expectTriple(tarvo::Tarvo12& lib, const UIColor& base, double alpha = 1.0) {
  expectColor(lib.colors.tarvoMinColor, base.colorWithAlphaComponent(alpha));
  expectColor(lib.colors.tarvoMaxColor, base.colorWithAlphaComponent(0.15));
  expectColor(lib.colors.tarvoIndicatorColor, base.colorWithAlphaComponent(alpha));
}

PlistDict colorReport(std::optional<std::string> bundle, PlistValue hue, PlistValue saturation, PlistValue brightness,
                      std::optional<PlistValue> alpha = PlistValue(1.0f)) {
  PlistDict info;
  if (bundle) info.set("bundle", *bundle);
  info.set("hue", std::move(hue));
  info.set("saturation", std::move(saturation));
  info.set("brightness", std::move(brightness));
  if (alpha) info.set("alpha", *alpha);
  return info;
}

// What an app's agent would post, sent by hand from a process of its own.
void postFrom(Phone& phone, platform::Process& from, std::string_view name, const PlistDict& info) {
  platform::CFNotificationCenterPostNotification(platform::CFNotificationCenterGetDistributedCenter(from), name,
                                                 nullptr, &info, true);
  phone.device.drain();
}

PhoneOptions dynamic(PhoneOptions o = {}) {
  o.settings = settings({{"dynamicColors", true}});
  o.beforeLoad = testing_support::registerStubStatusBars;
  return o;
}

TEST(Colors, StaticColoursComeFromTheFileOrTheirFallbacks) {
  const UIColor purple = UIColor::colorWithRed(0x79 / 255.0, 0x42 / 255.0, 0xD8 / 255.0, 1);
  struct Case {
    const char* name;
    PlistDict file;
    UIColor min, max, indicator;
  } cases[] = {
      {"no keys", settings({}), purple, UIColor::whiteColor(), UIColor::whiteColor()},
      {"half-alpha maximum", settings({{"maxColor", "#FF0000:0.500000"}}), purple, UIColor::colorWithRed(1, 0, 0, 0.5),
       UIColor::whiteColor()},
      {"malformed maximum is opaque black", settings({{"maxColor", "red"}}), purple, UIColor::blackColor(),
       UIColor::whiteColor()},
      {"a number is no colour string: fallback", settings({{"maxColor", 3}}), purple, UIColor::whiteColor(),
       UIColor::whiteColor()},
      {"all three", settings({{"minColor", "#00FF00"}, {"maxColor", "#0000FF:0.25"}, {"indicatorColor", "#000000:1"}}),
       UIColor::greenColor(), UIColor::colorWithRed(0, 0, 1, 0.25), UIColor::blackColor()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Phone phone(testing_support::withSettings(c.file));
    auto& lib = phone.tarvo();
    phone.press();
    expectColor(lib.colors.tarvoMinColor, c.min);
    expectColor(lib.colors.tarvoMaxColor, c.max);
    expectColor(lib.colors.tarvoIndicatorColor, c.indicator);
    // Drawn: the label, and the one-colour track images (1 x 1 point at the screen's scale).
    expectColor(lib.views.tarvoHUDLabel->textColor(), c.indicator);
    auto track = lib.views.tarvoHUDSlider->minimumTrackImageForState(platform::UIControlStateNormal);
    ASSERT_TRUE(track);
    EXPECT_EQ(track->size(), (platform::CGSize{1, 1}));
    EXPECT_EQ(track->scale(), 2.0);
    auto maxTrack = lib.views.tarvoHUDSlider->maximumTrackImageForState(platform::UIControlStateNormal);
    EXPECT_NEAR(maxTrack->CGImage()->rgba(1, 1).a, c.max.alpha() * 255, 1);
    EXPECT_TRUE(phone.posted(kRequest).empty());
  }
}

TEST(Colors, AChangedColourTakesEffectAtTheNextShowWithoutANotification) {
  Phone phone;
  phone.press();
  expectColor(phone.hudColour("tarvoMinColor"),
              UIColor::colorWithRed(0x79 / 255.0, 0x42 / 255.0, 0xD8 / 255.0, 1));
  phone.writeSettings(settings({{"minColor", "#FF0000"}}));
  phone.press();
  expectColor(phone.hudColour("tarvoMinColor"), UIColor::redColor());
  EXPECT_EQ(phone.count("notification.deliver"), 0u);
  EXPECT_EQ(phone.tarvo().settings.DURATIONDISPLAY, 1.5f);  // the other settings were not reloaded
}

TEST(Colors, ACachedAppNeedsNoRequest) {
  Phone phone(dynamic());
  platform::Process& app = phone.device.spawn("Maps", std::string("com.example.maps"));
  postFrom(phone, app, "velkarin.tarvo12.storeColors", colorReport("com.example.maps", 0.5f, 1.0f, 1.0f, 0.3f));
  phone.front("com.example.maps");
  phone.press();
  EXPECT_TRUE(phone.posted(kRequest).empty());
  expectTriple(phone.tarvo(), UIColor::colorWithRed(0, 1, 1, 1));  // the report's own alpha is not kept
}

TEST(Colors, AnUncachedAppIsAskedOnceAndTheAnswerRecolours) {
  for (bool notched : {false, true}) {
    SCOPED_TRACE(notched ? "notched" : "classic");
    Phone phone(dynamic(notched ? testing_support::notchedPhone() : PhoneOptions{}));
    auto& lib = phone.tarvo();
    platform::Process& app = phone.device.spawn("Notes", std::string("com.example.notes"));
    phone.front("com.example.notes");
    phone.press();
    auto requests = phone.posted(kRequest);
    ASSERT_EQ(requests.size(), 1u);
    std::vector<std::string> keys;
    for (const auto& [key, value] : requests[0]) keys.push_back(key);
    EXPECT_EQ(keys, (std::vector<std::string>{"frontMostApp", "isForceSplit", "isIPhoneX"}));
    EXPECT_EQ(*requests[0].find("frontMostApp"), PlistValue("com.example.notes"));
    EXPECT_EQ(*requests[0].find("isForceSplit"), PlistValue(false));
    EXPECT_EQ(*requests[0].find("isIPhoneX"), PlistValue(notched));
    // Nothing changes until the answer: no colours yet, no track images drawn.
    EXPECT_FALSE(lib.colors.tarvoMinColor);
    EXPECT_FALSE(lib.views.tarvoHUDSlider->minimumTrackImageForState(platform::UIControlStateNormal));

    postFrom(phone, app, "velkarin.tarvo12.getstatusbarproperties",
             colorReport("com.example.notes", 0.0f, 1.0f, 1.0f, 0.4f));
    expectTriple(lib, UIColor::redColor());
    EXPECT_TRUE(lib.views.tarvoHUDSlider->minimumTrackImageForState(platform::UIControlStateNormal));
    EXPECT_EQ(lib.statusColors.size(), 0u);  // an answer is not filed

    // Not cached, so the next show asks again.
    phone.press();
    EXPECT_EQ(phone.posted(kRequest).size(), 2u);
  }
}

// All five keys must be there; "alpha" is never used, so only its presence counts. Components are read
// with floatValue: strings answer their number, containers and data count as missing.
TEST(Colors, AnswersAndStoreReportsNeedTheFiveKeysAndReadComponentsWithFloatValue) {
  struct Case {
    const char* name;
    PlistDict info;
    bool applied;
  } cases[] = {
      {"no alpha", colorReport("com.example.notes", 0.0f, 1.0f, 1.0f, std::nullopt), false},
      {"no bundle", colorReport(std::nullopt, 0.0f, 1.0f, 1.0f), false},
      {"hue an array", colorReport("com.example.notes", platform::PlistArray{0.0}, 1.0f, 1.0f), false},
      {"brightness data", colorReport("com.example.notes", 0.0f, 1.0f, platform::PlistData{{1}}), false},
      {"empty", PlistDict{}, false},
      {"alpha a string", colorReport("com.example.notes", 0.0f, 1.0f, 1.0f, PlistValue("opaque")), true},
      {"alpha an array", colorReport("com.example.notes", 0.0f, 1.0f, 1.0f, platform::PlistArray{}), true},
      {"alpha a dictionary", colorReport("com.example.notes", 0.0f, 1.0f, 1.0f, PlistDict{}), true},
      {"components strings", colorReport("com.example.notes", "0", " 1.0", "1"), true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Phone phone(dynamic());
    platform::Process& app = phone.device.spawn("Notes", std::string("com.example.notes"));
    phone.front("com.example.notes");
    phone.press();
    postFrom(phone, app, "velkarin.tarvo12.getstatusbarproperties", c.info);
    postFrom(phone, app, "velkarin.tarvo12.storeColors", c.info);
    if (!c.applied) {
      EXPECT_FALSE(phone.hudColour("tarvoMinColor"));
      EXPECT_EQ(phone.tarvo().statusColors.size(), 0u);
      continue;
    }
    expectTriple(phone.tarvo(), UIColor::redColor());
    ASSERT_TRUE(phone.tarvo().statusColors.find("com.example.notes"));
    EXPECT_EQ(*phone.tarvo().statusColors.find("com.example.notes"), (tarvo::StatusColorCache::HSB{0, 1, 1}));
  }
}

TEST(Colors, AnswersAreAppliedWhoeverSendsThemAndWhenever) {
  Phone phone;  // dynamic colours off
  platform::Process& app = phone.device.spawn("Other", std::string("com.example.other"));
  phone.press();
  phone.advance(3);  // hidden again
  postFrom(phone, app, "velkarin.tarvo12.getstatusbarproperties", colorReport("com.example.nobody", 1.0f / 3, 1.0f, 1.0f));
  expectTriple(phone.tarvo(), UIColor::greenColor());
}

TEST(Colors, ComponentsOutOfRangeBecomeDefinedColours) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  Phone phone;
  platform::Process& app = phone.device.spawn("Other", std::string("com.example.other"));
  phone.press();
  postFrom(phone, app, "velkarin.tarvo12.getstatusbarproperties", colorReport("x", nan, inf, -5.0f, nan));
  expectTriple(phone.tarvo(), UIColor::blackColor());  // brightness clamped to 0
  postFrom(phone, app, "velkarin.tarvo12.getstatusbarproperties", colorReport("x", 1e300, nan, 1e300));
  expectTriple(phone.tarvo(), UIColor::whiteColor());  // no saturation, full brightness
  // The same through the cache.
  postFrom(phone, app, "velkarin.tarvo12.storeColors", colorReport("com.example.other", nan, -inf, inf));
  auto stored = phone.tarvo().statusColors.find("com.example.other");
  ASSERT_TRUE(stored);
  phone.changeSettings(settings({{"dynamicColors", true}}));
  phone.front("com.example.other");
  phone.press();
  expectTriple(phone.tarvo(), UIColor::whiteColor());
}

TEST(Colors, StoreReportsNeedTheControllerAndReplaceEarlierOnes) {
  PhoneOptions o;
  o.launch = false;
  Phone phone(o);
  platform::Process& app = phone.device.spawn("Notes", std::string("com.example.notes"));
  postFrom(phone, app, "velkarin.tarvo12.storeColors", colorReport("com.example.notes", 0.1f, 0.2f, 0.3f));
  EXPECT_EQ(phone.tarvo().statusColors.size(), 0u);  // no controller yet: dropped
  phone.launch();
  postFrom(phone, app, "velkarin.tarvo12.storeColors", colorReport("com.example.notes", 0.1f, 0.2f, 0.3f));
  postFrom(phone, app, "velkarin.tarvo12.storeColors", colorReport("com.example.notes", 0.4f, 0.5f, 0.6f));
  postFrom(phone, app, "velkarin.tarvo12.storeColors", colorReport("com.example.notes", 0.7f, 0.8f, 0.9f, std::nullopt));
  ASSERT_EQ(phone.tarvo().statusColors.size(), 1u);
  EXPECT_EQ(*phone.tarvo().statusColors.find("com.example.notes"), (tarvo::StatusColorCache::HSB{0.4f, 0.5f, 0.6f}));
}

TEST(Colors, TheCacheIsBoundedAndEvictsTheOldestStored) {
  tarvo::StatusColorCache cache(2);
  cache.store("a", {0.1f, 0, 0});
  cache.store("b", {0.2f, 0, 0});
  cache.store("a", {0.3f, 0, 0});  // replaced: now the newest
  cache.store("c", {0.4f, 0, 0});
  EXPECT_EQ(cache.size(), 2u);
  EXPECT_FALSE(cache.find("b"));
  EXPECT_EQ((*cache.find("a"))[0], 0.3f);
  EXPECT_EQ((*cache.find("c"))[0], 0.4f);
  EXPECT_EQ(tarvo::StatusColorCache().capacity(), 1024u);

  Phone phone;
  platform::Process& app = phone.device.spawn("Spammer", std::string("com.example.spam"));
  for (int i = 0; i < 1100; ++i)
    postFrom(phone, app, "velkarin.tarvo12.storeColors", colorReport("app" + std::to_string(i), 0.1f, 0.1f, 0.1f));
  EXPECT_EQ(phone.tarvo().statusColors.size(), 1024u);
  EXPECT_FALSE(phone.tarvo().statusColors.find("app0"));
  EXPECT_TRUE(phone.tarvo().statusColors.find("app1099"));
}

TEST(Colors, TheHomeScreenTakesTheClassicBarsForegroundStyle) {
  const UIColor halfRed = UIColor::colorWithRed(1, 0, 0, 0.5);
  struct Case {
    const char* name;
    bool bar, attributes, style;
    std::optional<UIColor> tint;
    UIColor expected;
  } cases[] = {
      {"no status bar", false, false, false, std::nullopt, UIColor::blackColor()},
      {"no style attributes", true, false, false, std::nullopt, UIColor::blackColor()},
      {"no foreground style", true, true, false, std::nullopt, UIColor::blackColor()},
      {"no tint colour", true, true, true, std::nullopt, UIColor::blackColor()},
      {"half-alpha red", true, true, true, halfRed, halfRed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Phone phone(dynamic());
    if (c.bar)
      testing_support::installStatusBar(
          phone.springBoard, testing_support::makeClassicStatusBar(phone.springBoard, c.attributes, c.style, c.tint));
    phone.press();
    EXPECT_TRUE(phone.posted(kRequest).empty());
    expectTriple(phone.tarvo(), c.expected.colorWithAlphaComponent(1), c.expected.alpha());
  }
}

TEST(Colors, TheHomeScreenTakesTheSplitBarsForegroundColourWithItsAlpha) {
  struct Case {
    const char* name;
    bool notched;
    std::optional<UIColor> color;
    UIColor expected;
  } cases[] = {
      {"white at 0.6", true, UIColor::colorWithWhite(1, 0.6), UIColor::colorWithWhite(1, 0.6)},
      {"no foreground colour", true, std::nullopt, UIColor::blackColor()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Phone phone(dynamic(testing_support::notchedPhone()));
    testing_support::installStatusBar(phone.springBoard, testing_support::makeSplitStatusBar(phone.springBoard, c.color));
    phone.press();
    expectTriple(phone.tarvo(), c.expected.colorWithAlphaComponent(1), c.expected.alpha());
  }
}

TEST(Colors, AFrontApplicationWithoutAnIdentifierCountsAsTheHomeScreen) {
  Phone phone(dynamic());
  phone.front("com.example.ghost");
  auto springBoard = rt::cast<platform::SpringBoard>(phone.springBoard.application());
  rt::cast<platform::SBApplication>(springBoard->applicationFor("com.example.ghost"))->bundleIdentifier.reset();
  phone.press();
  EXPECT_TRUE(phone.posted(kRequest).empty());
  expectTriple(phone.tarvo(), UIColor::blackColor());
}

}  // namespace
