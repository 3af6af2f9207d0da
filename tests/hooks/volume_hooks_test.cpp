// The volume, ringer and HUD-presentation replacements, driven by the shell's own events.
#include <gtest/gtest.h>

#include "platform/device/foundation_classes.h"
#include "platform/runtime/message.h"
#include "platform/springboard/hud_controller.h"
#include "platform/uikit/label.h"
#include "platform/uikit/slider.h"
#include "platform/uikit/uikit_classes.h"
#include "platform/uikit/window.h"
#include "support/phone.h"

namespace {

using platform::PlistValue;
using testing_support::Phone;
using testing_support::PhoneOptions;
using testing_support::settings;

PhoneOptions ringerButtons(platform::PlistDict file, float ringer = 0.5f) {
  PhoneOptions o = testing_support::withSettings(std::move(file));
  o.springBoard.buttonsChangeRinger = true;
  o.springBoard.ringerVolume = ringer;
  return o;
}

// Index of the first trace event of a kind, or the trace's size.
std::size_t firstIndex(const Phone& phone, std::string_view kind) {
  const auto& events = phone.device.trace().events();
  for (std::size_t i = 0; i < events.size(); ++i)
    if (events[i].kind == kind) return i;
  return events.size();
}

TEST(VolumeHooks, TheRingerSwitchMovesTheSliderAndLabelBeforeTheShellActs) {
  for (bool percentage : {true, false}) {
    SCOPED_TRACE(percentage ? "with percentage" : "without percentage");
    Phone phone(testing_support::withSettings(settings({{"volumePercentage", percentage}})));
    auto& lib = phone.tarvo();
    EXPECT_EQ(lib.volume.ringerVolume, 0.5f);  // seeded at launch from the shell's volume
    phone.press();                             // media to 0.5625
    EXPECT_EQ(phone.hudText("tarvoHUDLabel.text"), percentage ? "56%" : "");
    phone.advance(3);

    phone.clearTrace();
    phone.ringerSwitch(true);
    EXPECT_TRUE(lib.volume.silent);
    EXPECT_EQ(lib.volume.tarvoVolumeMode, tarvo::VolumeMode::Ringer);
    EXPECT_EQ(*testing_support::lastChange(phone, "UISliderExtended", "value")->find("to"), PlistValue(0.0));
    EXPECT_EQ(phone.hudText("tarvoHUDLabel.text"), percentage ? "0%" : "");
    EXPECT_FLOAT_EQ(lib.volume.volumePercentage, 56.25f);  // silent leaves it
    // The ringer presentation that follows keeps the slider at the lowest ringer step.
    EXPECT_EQ(phone.hudNumber("tarvoHUDSlider.value"), 0.0625f);
    // Mode, timer, slider, then the shell's own method.
    EXPECT_LT(firstIndex(phone, "timer.schedule"), firstIndex(phone, "springboard.ringerState"));
    EXPECT_LT(firstIndex(phone, "animation.begin"), firstIndex(phone, "springboard.ringerState"));
    phone.advance(3);

    phone.ringerSwitch(false);
    EXPECT_FALSE(lib.volume.silent);
    EXPECT_EQ(*testing_support::lastChange(phone, "UISliderExtended", "value")->find("to"), PlistValue(0.5));
    EXPECT_EQ(phone.hudText("tarvoHUDLabel.text"), percentage ? "50%" : "");
    EXPECT_FLOAT_EQ(lib.volume.volumePercentage, 50.0f);
  }
}

TEST(VolumeHooks, RingingShowsTheLastRingerLevelFromTheButtons) {
  Phone phone(ringerButtons(settings({{"volumePercentage", true}}), 0.25f));
  phone.press(true);  // the ringer to 0.3125
  phone.advance(3);
  phone.ringerSwitch(true);
  phone.advance(3);
  phone.ringerSwitch(false);
  EXPECT_EQ(phone.hudNumber("tarvoHUDSlider.value"), 0.3125f);
  EXPECT_EQ(phone.hudText("tarvoHUDLabel.text"), "31%");
}

TEST(VolumeHooks, ProgressSetsTheLabelAsAWholePercentage) {
  platform::SpringBoardOptions sb;
  sb.mediaVolume = 0.5625f;
  PhoneOptions o = testing_support::withSettings(settings({{"volumePercentage", true}}));
  o.springBoard = sb;
  Phone phone(o);
  phone.press(false);
  EXPECT_EQ(phone.hudText("tarvoHUDLabel.text"), "50%");
  EXPECT_EQ(phone.tarvo().volume.mediaVolume, 0.5f);
  EXPECT_EQ(phone.tarvo().volume.tarvoVolumeMode, tarvo::VolumeMode::Media);
  EXPECT_EQ(phone.hudNumber("tarvoHUDSlider.value"), 0.5f);
  // The stock view never gets its progress while the library is on.
  EXPECT_EQ(phone.count("hud.progress"), 0u);
}

TEST(VolumeHooks, HapticFeedbackAtTheEndsOfTheRange) {
  struct Case {
    const char* name;
    bool ringer;
    float start;
    bool up;
    bool haptic;
    std::vector<PlistValue> sounds;  // one entry per press that sounds
  } cases[] = {
      {"media to the top", false, 0.9375f, true, true, {std::int64_t{1520}}},
      {"media at the top again", false, 1.0f, true, true, {std::int64_t{1520}}},
      {"media to silence", false, 0.0625f, false, true, {std::int64_t{1519}}},
      {"media in the middle", false, 0.5f, true, true, {}},
      {"ringer to its lowest step", true, 0.125f, false, true, {std::int64_t{1519}}},
      {"ringer stays at its lowest step", true, 0.0625f, false, true, {std::int64_t{1519}}},
      {"ringer to the top", true, 0.9375f, true, true, {std::int64_t{1520}}},
      {"ringer in the middle", true, 0.5f, false, true, {}},
      {"haptics off at the top", false, 0.9375f, true, false, {}},
      {"haptics off at the bottom", true, 0.0625f, false, false, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    PhoneOptions o = testing_support::withSettings(settings({{"hapticEnabled", c.haptic}}));
    o.springBoard.buttonsChangeRinger = c.ringer;
    (c.ringer ? o.springBoard.ringerVolume : o.springBoard.mediaVolume) = c.start;
    Phone phone(o);
    phone.press(c.up);
    auto sounds = phone.events("sound");
    ASSERT_EQ(sounds.size(), c.sounds.size());
    for (std::size_t i = 0; i < sounds.size(); ++i) EXPECT_EQ(*sounds[i].fields.find("id"), c.sounds[i]);
  }
}

TEST(VolumeHooks, PressingUpAtTheTopPlaysThePeakEveryTime) {
  PhoneOptions o = testing_support::withSettings(settings({{"hapticEnabled", true}}));
  o.springBoard.mediaVolume = 1.0f;
  Phone phone(o);
  for (int i = 0; i < 4; ++i) phone.press(true);
  EXPECT_EQ(phone.count("sound", "id", std::int64_t{1520}), 4u);
  EXPECT_EQ(phone.count("sound"), 4u);
}

TEST(VolumeHooks, AStepResetsTheTimerBeforeTheShellChangesTheVolume) {
  Phone phone;
  phone.press();
  EXPECT_LT(firstIndex(phone, "timer.schedule"), firstIndex(phone, "volume.change"));
}

TEST(VolumeHooks, APresentationDuringTheHideIsDroppedCompletely) {
  Phone phone;
  auto& lib = phone.tarvo();
  phone.press();
  phone.advance(1.8);  // the timer fired at 1.75; the fade runs until 2.0
  ASSERT_TRUE(phone.hudFlag("isHiding"));
  const std::size_t presented = phone.count("hud.present");
  const std::size_t shows = phone.count("animation.begin");
  phone.press();
  EXPECT_EQ(phone.count("hud.present"), presented);  // the stock HUD is not presented either
  // Only the slider's move to the new level starts an animation; no show.
  EXPECT_EQ(phone.count("animation.begin"), shows + 1);
  EXPECT_TRUE(lib.lifecycle.timer);  // the step's timer, which the hide completion cancels
  phone.advance(0.2);
  EXPECT_TRUE(phone.hudFlag("tarvoHUDWindow.hidden"));
  EXPECT_FALSE(lib.lifecycle.timer);
  phone.advance(5);
  EXPECT_EQ(phone.count("timer.fire"), 1u);
}

// A HUD view of the shell's that is neither the volume nor the ringer view, with the subviews the stripping
// looks at: exact backdrop and plain views go, subclasses of them and other views stay.
std::shared_ptr<platform::UIView> otherHudView(platform::Process& sb) {
  auto& runtime = sb.runtime();
  if (!runtime.lookUpClass("TestBackdropSubclass")) runtime.registerClass("TestBackdropSubclass", "_UIBackdropView");
  if (!runtime.lookUpClass("TestPlainSubclass")) runtime.registerClass("TestPlainSubclass", "UIView");
  auto view = platform::makeView<platform::UIView>(sb, "SBHUDView", platform::CGRect{{0, 0}, {100, 100}});
  for (const char* cls : {"_UIBackdropView", "UIView", "UILabel", "TestBackdropSubclass", "TestPlainSubclass", "UIView"})
    view->addSubview(platform::makeView<platform::UIView>(sb, cls, platform::CGRect{{0, 0}, {10, 10}}));
  return view;
}

std::vector<std::string> subviewClasses(const platform::UIView& view) {
  std::vector<std::string> names;
  for (const auto& sub : view.subviews()) names.push_back(sub->className());
  return names;
}

TEST(VolumeHooks, OtherHudViewsAreStrippedButShowNoOwnHud) {
  Phone phone;
  auto controller = platform::sharedHUDController(phone.springBoard);
  auto view = otherHudView(phone.springBoard);
  rt::send<void(rt::Id)>(controller, "presentHUDView:", view);
  phone.device.drain();
  EXPECT_EQ(subviewClasses(*view), (std::vector<std::string>{"UILabel", "TestBackdropSubclass", "TestPlainSubclass"}));
  EXPECT_EQ(controller->presentedView(), view);
  EXPECT_TRUE(phone.hudFlag("tarvoHUDWindow.hidden"));
  EXPECT_EQ(phone.count("timer.schedule"), 0u);
}

TEST(VolumeHooks, OffPresentsOtherViewsUntouched) {
  Phone phone(testing_support::withSettings(settings({{"isEnabled", false}})));
  auto controller = platform::sharedHUDController(phone.springBoard);
  auto view = otherHudView(phone.springBoard);
  rt::send<void(rt::Id, double)>(controller, "presentHUDView:autoDismissWithDelay:", view, 2.0);
  EXPECT_EQ(view->subviews().size(), 6u);
  EXPECT_EQ(phone.count("hud.present", "delay", 2.0), 1u);
}

TEST(VolumeHooks, SubclassesOfTheVolumeViewShowTheOwnHud) {
  PhoneOptions o;
  o.beforeLoad = [](platform::Process& sb) { sb.runtime().registerClass("TestVolumeHUDView", "SBVolumeHUDView"); };
  Phone phone(o);
  auto view = platform::makeView<platform::UIView>(phone.springBoard, "TestVolumeHUDView", platform::CGRect{});
  rt::send<void(rt::Id)>(platform::sharedHUDController(phone.springBoard), "presentHUDView:", view);
  EXPECT_FALSE(phone.hudFlag("tarvoHUDWindow.hidden"));
}

TEST(VolumeHooks, ReorientLaysOutOnlyWhenAsked) {
  Phone phone;
  auto controller = platform::sharedHUDController(phone.springBoard);
  auto window = phone.tarvo().views.tarvoHUDWindow;
  phone.rotate(1);
  const platform::CGPoint portrait = window->center();
  controller->orientation = 3;
  rt::send<void(bool)>(controller, "reorientHUDIfNeeded:", false);
  EXPECT_EQ(window->center(), portrait);
  EXPECT_EQ(phone.count("hud.reorient", "needed", false), 1u);  // the shell's own method still ran
  rt::send<void(bool)>(controller, "reorientHUDIfNeeded:", true);
  EXPECT_NE(window->center(), portrait);
  EXPECT_NEAR(window->transform().b, 1.0, 1e-12);
}

TEST(VolumeHooks, TheSettingsNotificationReloadsAndAFileAloneDoesNot) {
  Phone phone;
  auto& s = phone.tarvo().settings;
  phone.writeSettings(settings({{"durationDisplay", 3}, {"alignment", 0}}));
  phone.device.drain();
  EXPECT_EQ(s.DURATIONDISPLAY, 1.5f);
  phone.postSettingsChanged();
  EXPECT_EQ(s.DURATIONDISPLAY, 3.0f);
  EXPECT_EQ(s.ALIGNMENT, 0);
  phone.removeSettings();
  phone.postSettingsChanged();
  EXPECT_EQ(s.DURATIONDISPLAY, 1.5f);
  EXPECT_EQ(s.ALIGNMENT, 2);
}

// A shell whose volume view has no `_mode` and whose HUD controller has no `_orientation`.
TEST(VolumeHooks, MissingModeCountsAsMediaAndMissingOrientationLaysOutNothing) {
  platform::Device device;
  platform::Process& sb = device.spawn("SpringBoard", "com.apple.springboard");
  platform::loadUIKit(sb);
  auto& runtime = sb.runtime();
  runtime.registerClass("SBVolumeHUDView", "UIView");
  rt::defineMethod<void(float)>(runtime.requireClass("SBVolumeHUDView"), "setProgress:", [](const rt::Id&, float) {});
  rt::Class& controllerClass = runtime.registerClass("SBHUDController", "NSObject");
  rt::defineMethod<void()>(controllerClass, "_recenterHUDView", [](const rt::Id&) {});
  rt::defineMethod<void(bool)>(controllerClass, "reorientHUDIfNeeded:", [](const rt::Id&, bool) {});
  auto& lib = tarvo::loadTarvo12(sb);
  lib.createController();
  auto window = lib.views.tarvoHUDWindow;
  const platform::CGRect before = window->bounds();

  auto view = platform::makeView<platform::UIView>(sb, "SBVolumeHUDView", platform::CGRect{});
  lib.volume.tarvoVolumeMode = tarvo::VolumeMode::Ringer;
  rt::send<void(float)>(view, "setProgress:", 0.25f);
  EXPECT_EQ(lib.volume.tarvoVolumeMode, tarvo::VolumeMode::Media);
  EXPECT_EQ(lib.volume.mediaVolume, 0.25f);
  EXPECT_EQ(lib.volume.ringerVolume, 0.0f);

  rt::Id controller = platform::allocInit(controllerClass);
  rt::send<void()>(controller, "_recenterHUDView");
  rt::send<void(bool)>(controller, "reorientHUDIfNeeded:", true);
  EXPECT_EQ(window->bounds(), before);
}

}  // namespace
