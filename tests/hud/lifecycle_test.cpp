// The HUD's visible life: shown on a step, faded in, kept by its timer, hidden by the timer or a tap.
#include <gtest/gtest.h>

#include "hud/tarvo_hud.h"
#include "platform/runtime/message.h"
#include "platform/springboard/hud_controller.h"
#include "platform/uikit/gesture_recognizer.h"
#include "platform/uikit/label.h"
#include "platform/uikit/slider.h"
#include "platform/uikit/visual_effect_view.h"
#include "platform/uikit/window.h"
#include "support/phone.h"

namespace {

using platform::PlistValue;
using platform::secondsToNanos;
using testing_support::Phone;
using testing_support::PhoneOptions;
using testing_support::settings;

// The animation blocks that changed the window's alpha, in order.
std::vector<platform::TraceEvent> windowFades(const Phone& phone) {
  std::vector<platform::TraceEvent> out;
  for (const auto& e : phone.events("animation.begin")) {
    for (const auto& change : *e.fields.find("changes")->asArray()) {
      const auto& c = *change.asDict();
      if (*c.find("view") == PlistValue("UIWindow") && *c.find("property") == PlistValue("alpha") &&
          *c.find("changed") == PlistValue(true)) {
        out.push_back(e);
        break;
      }
    }
  }
  return out;
}

TEST(HudLifecycle, DefaultTimingsFadeInLateAndHideAfterTheLastStep) {
  Phone phone;
  auto& lib = phone.tarvo();
  auto window = lib.views.tarvoHUDWindow;
  ASSERT_TRUE(window);
  EXPECT_TRUE(window->isHidden());
  EXPECT_EQ(window->alpha(), 0.0);

  phone.press();
  EXPECT_FALSE(window->isHidden());
  auto fades = windowFades(phone);
  ASSERT_EQ(fades.size(), 1u);
  EXPECT_EQ(*fades[0].fields.find("duration"), PlistValue(0.25));
  EXPECT_EQ(*fades[0].fields.find("delay"), PlistValue(0.125));
  EXPECT_EQ(*fades[0].fields.find("options"), PlistValue(std::int64_t{0}));
  // On screen: still clear until 0.125 s, opaque from 0.375 s.
  EXPECT_EQ(window->presentation(secondsToNanos(0.125)).alpha, 0.0);
  EXPECT_GT(window->presentation(secondsToNanos(0.25)).alpha, 0.0);
  EXPECT_LT(window->presentation(secondsToNanos(0.25)).alpha, 1.0);
  EXPECT_EQ(window->presentation(secondsToNanos(0.375)).alpha, 1.0);

  auto timers = phone.events("timer.schedule");
  ASSERT_EQ(timers.size(), 1u);
  EXPECT_EQ(*timers[0].fields.find("interval"), PlistValue(1.75));
  EXPECT_EQ(*timers[0].fields.find("selector"), PlistValue("tarvoHUDShouldHide:"));
  EXPECT_EQ(*timers[0].fields.find("repeats"), PlistValue(false));

  // A second step at 1 s restarts the timer: the hide starts 1.75 s after it.
  phone.advance(1.0);
  phone.press();
  phone.advance(1.749);
  EXPECT_FALSE(phone.hudFlag("isHiding"));
  phone.advance(0.001);
  EXPECT_TRUE(phone.hudFlag("isHiding"));
  fades = windowFades(phone);
  ASSERT_EQ(fades.size(), 2u);
  EXPECT_EQ(platform::nanosToSeconds(fades[1].time), 2.75);
  EXPECT_EQ(*fades[1].fields.find("duration"), PlistValue(0.25));
  EXPECT_EQ(*fades[1].fields.find("delay"), PlistValue(0.0));
  EXPECT_EQ(*fades[1].fields.find("options"), PlistValue(std::int64_t{0}));
  EXPECT_FALSE(window->isHidden());
  phone.advance(0.249);
  EXPECT_FALSE(window->isHidden());
  phone.advance(0.001);
  EXPECT_TRUE(window->isHidden());
  EXPECT_FALSE(phone.hudFlag("isHiding"));
  EXPECT_FALSE(lib.lifecycle.timer);
  EXPECT_EQ(phone.count("timer.fire", "selector", "tarvoHUDShouldHide:"), 1u);
}

TEST(HudLifecycle, TheTimerIsDisplayPlusAnimationSummedInSinglePrecision) {
  Phone phone(testing_support::withSettings(settings({{"durationDisplay", 0.1}, {"durationAnimation", 0.2}})));
  phone.press();
  auto timers = phone.events("timer.schedule");
  ASSERT_EQ(timers.size(), 1u);
  EXPECT_EQ(*timers[0].fields.find("interval"), PlistValue(static_cast<double>(0.1f + 0.2f)));
}

TEST(HudLifecycle, WithoutFadeTheWindowComesAndGoesAtOnce) {
  Phone phone(testing_support::withSettings(settings({{"animationFade", false}})));
  auto window = phone.tarvo().views.tarvoHUDWindow;
  phone.press();
  EXPECT_FALSE(window->isHidden());
  EXPECT_EQ(window->alpha(), 1.0);
  EXPECT_EQ(window->presentation(phone.device.now()).alpha, 1.0);
  EXPECT_TRUE(windowFades(phone).empty());
  phone.advance(1.75);
  EXPECT_TRUE(window->isHidden());  // the empty hide animation completes on the next turn
  EXPECT_EQ(window->alpha(), 1.0);
  EXPECT_TRUE(windowFades(phone).empty());
}

TEST(HudLifecycle, ATapCancelsTheTimerAndHidesAtOnce) {
  Phone phone;
  auto& lib = phone.tarvo();
  phone.press();
  phone.advance(0.5);
  auto tap = phone.tapHUD();
  ASSERT_TRUE(tap.view);
  EXPECT_EQ(tap.actionsSent, 1u);
  EXPECT_TRUE(phone.hudFlag("isHiding"));
  EXPECT_FALSE(lib.lifecycle.timer);
  EXPECT_EQ(phone.count("timer.invalidate", "selector", "tarvoHUDShouldHide:"), 1u);
  phone.advance(0.25);
  EXPECT_TRUE(phone.hudFlag("tarvoHUDWindow.hidden"));
  phone.advance(5);
  EXPECT_EQ(phone.count("timer.fire"), 0u);
}

TEST(HudLifecycle, OneRecogniserServesEveryPresentation) {
  Phone phone;
  for (int i = 0; i < 5; ++i) phone.press();
  auto& view = *phone.tarvo().views.tarvoHUDView;
  ASSERT_EQ(view.gestureRecognizers().size(), 1u);
  auto tap = std::dynamic_pointer_cast<platform::UITapGestureRecognizer>(view.gestureRecognizers()[0]);
  ASSERT_TRUE(tap);
  EXPECT_TRUE(tap->recognizesSingleTap());
  EXPECT_EQ(phone.tarvo().lifecycle.gesture.lock(), tap);
  // It still works after a hide and a new show.
  phone.advance(3);
  phone.press();
  EXPECT_EQ(phone.tapHUD().actionsSent, 1u);
  EXPECT_TRUE(phone.hudFlag("isHiding"));
}

TEST(HudLifecycle, TheControllerAnswersEveryOneOfItsMessages) {
  Phone phone;
  const char* selectors[] = {"resetTimer",       "tarvoHUDSliderMoved:", "createTarvoHUD", "presentTarvoHUD:",
                             "tarvoHUDShouldShow:", "tarvoHUDShouldHide:", "showTarvoHUD",  "hideTarvoHUD",
                             "hideTimeX",        "showTimeX",            "hideStatusbar",  "showStatusbar",
                             "addGestureToView:", "removeGestureFromView:", "tapToDismiss:", "createElements",
                             "createIndicators", "adjustColors", "adjustViewsForOrientation:animated:",
                             "saveStatusColor:", "colorFromPreferenceKey:fallback:"};
  for (const char* selector : selectors) EXPECT_TRUE(rt::respondsToSelector(phone.tarvo().tarvoHUD, selector)) << selector;
  auto color = rt::send<std::optional<platform::UIColor>(std::string, std::string)>(phone.tarvo().tarvoHUD,
                                                                     "colorFromPreferenceKey:fallback:",
                                                                     std::string("minColor"), std::string("#00FF00"));
  EXPECT_EQ(color, platform::UIColor::greenColor());
}

TEST(HudLifecycle, ARemovedRecogniserIsAttachedAgainAtTheNextPresentation) {
  Phone phone;
  auto& lib = phone.tarvo();
  phone.press();
  rt::send<void(rt::Id)>(lib.tarvoHUD, "removeGestureFromView:", rt::Id(lib.views.tarvoHUDView));
  EXPECT_TRUE(lib.views.tarvoHUDView->gestureRecognizers().empty());
  phone.press();
  EXPECT_EQ(lib.views.tarvoHUDView->gestureRecognizers().size(), 1u);
  EXPECT_EQ(phone.tapHUD().actionsSent, 1u);
}

TEST(HudLifecycle, ASecondPresentationDoesNotRestartTheTimer) {
  Phone phone;
  auto controller = platform::sharedHUDController(phone.springBoard);
  phone.press();
  phone.advance(1.0);
  // The shell presents its volume view again without a step (no resetTimer).
  rt::send<void(rt::Id)>(controller, "presentHUDView:", controller->volumeHUDView(0));
  EXPECT_EQ(phone.count("timer.schedule"), 1u);
  phone.advance(0.75);
  EXPECT_TRUE(phone.hudFlag("isHiding"));
}

TEST(HudLifecycle, ATimerFiringWhileHiddenRunsAHideOnTheHiddenWindow) {
  Phone phone;
  rt::send<void()>(phone.tarvo().tarvoHUD, "resetTimer");
  phone.advance(1.75);
  EXPECT_EQ(phone.count("timer.fire", "selector", "tarvoHUDShouldHide:"), 1u);
  // Nothing to fade on a window at alpha 0: the completion follows on the next turn.
  EXPECT_EQ(phone.count("animation.complete"), 1u);
  EXPECT_FALSE(phone.hudFlag("isHiding"));
  EXPECT_TRUE(phone.hudFlag("tarvoHUDWindow.hidden"));
  EXPECT_FALSE(phone.tarvo().lifecycle.timer);
}

TEST(HudLifecycle, EachPresentationDressesTheViewsForTheModeAndSettings) {
  struct Case {
    const char* name;
    platform::PlistDict file;
    bool ringer;
    float minimum, shadow, blur, vibrancy;
    platform::NSTextAlignment alignment;
    std::optional<platform::UIColor> background;
  } cases[] = {
      {"defaults, media", settings({}), false, 0, 0.5f, 0, 0, platform::NSTextAlignmentRight,
       platform::UIColor::colorWithRed(0x1E / 255.0, 0x21 / 255.0, 0x2B / 255.0, 1)},
      {"ringer", settings({}), true, 0.0625f, 0.5f, 0, 0, platform::NSTextAlignmentRight,
       platform::UIColor::colorWithRed(0x1E / 255.0, 0x21 / 255.0, 0x2B / 255.0, 1)},
      {"blur, no shadow, own overlay colour",
       settings({{"blurBackground", true}, {"dropShadow", false}, {"overlayColor", "#FF0000:0.5"}}), false, 0, 0,
       1, 1, platform::NSTextAlignmentRight, platform::UIColor::colorWithRed(1, 0, 0, 0.5)},
      {"no overlay", settings({{"overlayBackground", false}}), false, 0, 0.5f, 0, 0, platform::NSTextAlignmentLeft,
       platform::UIColor::clearColor()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Phone phone(testing_support::withSettings(c.file));
    auto& v = phone.tarvo().views;
    v.tarvoVibrancyEffectView->setAlpha(1);  // blur on leaves the vibrancy view as it is
    phone.hud().presentTarvoHUD(c.ringer ? tarvo::VolumeMode::Ringer : tarvo::VolumeMode::Media);
    EXPECT_EQ(phone.tarvo().volume.tarvoVolumeMode, c.ringer ? tarvo::VolumeMode::Ringer : tarvo::VolumeMode::Media);
    EXPECT_EQ(v.tarvoHUDSlider->minimumValue(), c.minimum);
    EXPECT_EQ(v.tarvoHUDSlider->maximumValue(), 1.0f);
    EXPECT_FALSE(v.tarvoHUDSlider->isUserInteractionEnabled());
    EXPECT_EQ(v.tarvoHUDWindow->layer().shadowOpacity(), c.shadow);
    EXPECT_EQ(v.tarvoBlurEffectView->alpha(), c.blur);
    EXPECT_EQ(v.tarvoVibrancyEffectView->alpha(), c.vibrancy);
    EXPECT_EQ(v.tarvoHUDLabel->textAlignment(), c.alignment);
    EXPECT_EQ(v.tarvoHUDView->backgroundColor(), c.background);
    auto thumb = v.tarvoHUDSlider->thumbImageForState(platform::UIControlStateNormal);
    ASSERT_TRUE(thumb);
    EXPECT_EQ(v.tarvoHUDSlider->thumbSize(), (platform::CGSize{0, 0}));
  }
}

// A tap while the hide runs starts a second hide; both completions run and the second leaves the bar
// alone, except for the whole-bar command, which is sent again.
TEST(HudLifecycle, ATapDuringTheHideStartsASecondHide) {
  for (bool all : {false, true}) {
    SCOPED_TRACE(all ? "whole bar" : "left items");
    Phone phone(testing_support::withSettings(settings({{all ? "statusBarHideAll" : "statusBarHideLeft", true}})));
    phone.press();
    phone.advance(1.8);
    ASSERT_TRUE(phone.hudFlag("isHiding"));
    rt::send<void(rt::Id)>(phone.tarvo().tarvoHUD, "tapToDismiss:", rt::Id());
    phone.advance(0.5);
    EXPECT_EQ(phone.count("animation.complete"), phone.count("animation.begin"));
    EXPECT_FALSE(phone.hudFlag("isHiding"));
    if (all) {
      EXPECT_EQ(phone.posted("velkarin.tarvo12.modifystatusbar").size(), 3u);  // hide, show, show
    } else {
      EXPECT_EQ(phone.count("statusbar.enable"), 8u);  // restored once
    }
  }
}

// Presenting over and over must not pile anything up: one recogniser, no new objects left behind.
TEST(HudLifecycle, AHundredThousandPresentationsLeaveNoObjectsBehind) {
  Phone phone(testing_support::withSettings(settings({{"mediaIndicator", false}, {"ringerIndicator", false}})));
  phone.device.trace().setRetention(64);
  auto& hud = phone.hud();
  auto present = [&](int times) {
    for (int i = 0; i < times; ++i) {
      hud.presentTarvoHUD(static_cast<tarvo::VolumeMode>(i % 2));
      if (i % 256 == 0) phone.device.drain();
    }
    phone.device.drain();
  };
  present(16);
  const long before = phone.springBoard.runtime().liveObjects();
  present(100000);
  EXPECT_EQ(phone.springBoard.runtime().liveObjects(), before);
  EXPECT_EQ(phone.hudNumber("tarvoHUDView.gestureRecognizers"), 1);
}

}  // namespace
