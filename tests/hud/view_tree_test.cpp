// The window and view tree createTarvoHUD builds once, before any layout or colour.
#include <gtest/gtest.h>

#include "platform/springboard/volume_control.h"
#include "platform/uikit/image_view.h"
#include "platform/uikit/label.h"
#include "platform/uikit/slider.h"
#include "platform/uikit/visual_effect_view.h"
#include "platform/uikit/window.h"
#include "support/phone.h"

namespace {

using platform::CGRect;
using platform::UIColor;
using testing_support::Phone;
using testing_support::settings;

TEST(ViewTree, TheWindowIsBuiltHiddenClearAndSecure) {
  Phone phone;
  auto& w = *phone.tarvo().views.tarvoHUDWindow;
  EXPECT_EQ(w.frame(), (CGRect{{0, 0}, {375, 667}}));
  EXPECT_EQ(w.backgroundColor(), UIColor::clearColor());
  EXPECT_EQ(w.windowLevel(), 100001.0);
  EXPECT_TRUE(w.isHidden());
  EXPECT_EQ(w.alpha(), 0.0);
  EXPECT_TRUE(w.autoresizesSubviews());
  EXPECT_EQ(w.layer().shadowOffset(), (platform::CGSize{0, 3}));
  EXPECT_EQ(w.layer().shadowRadius(), 5.0);
  EXPECT_EQ(w.layer().shadowOpacity(), 0.0f);  // set at each presentation
  EXPECT_TRUE(w.isSecure());
  EXPECT_TRUE(w.isUserInteractionEnabled());
}

TEST(ViewTree, ViewsInTheirOrderWithTheirFramesAndFlags) {
  struct Case {
    const char* name;
    platform::PlistDict file;
    double sliderWidth, hudHeight;
  } cases[] = {
      {"defaults", settings({}), 80, 4},
      {"own width and height", settings({{"sliderWidth", 120}, {"sliderHeight", 6}}), 120, 6},
      {"full width: the screen's shorter side", settings({{"fullWidth", true}, {"sliderWidth", 120}}), 375, 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    // A landscape-shaped screen: the shorter side is still the portrait width.
    testing_support::PhoneOptions o = testing_support::withSettings(c.file);
    o.width = 667;
    o.height = 375;
    Phone phone(o);
    auto& lib = phone.tarvo();
    auto& v = lib.views;
    EXPECT_EQ(lib.geometry.screenWidth, 375);
    EXPECT_EQ(lib.geometry.screenHeight, 667);
    EXPECT_EQ(lib.geometry.sliderViewWidth, static_cast<float>(c.sliderWidth));
    EXPECT_EQ(lib.geometry.hudHeight, static_cast<float>(c.hudHeight));

    ASSERT_EQ(v.tarvoHUDWindow->subviews().size(), 1u);
    EXPECT_EQ(v.tarvoHUDWindow->subviews()[0], v.tarvoHUDView);
    const CGRect full{{0, 0}, {375, 667}};
    EXPECT_EQ(v.tarvoHUDView->frame(), full);
    EXPECT_EQ(v.tarvoHUDView->autoresizingMask(), 18u);
    EXPECT_TRUE(v.tarvoHUDView->isUserInteractionEnabled());

    std::vector<std::shared_ptr<platform::UIView>> expected{
        v.tarvoBlurEffectView, v.tarvoVibrancyEffectView, v.tarvoHUDLabel,
        v.tarvoHUDSliderView,  v.tarvoHUDMinImageView,    v.tarvoHUDMaxImageView};
    EXPECT_EQ(v.tarvoHUDView->subviews(), expected);
    ASSERT_EQ(v.tarvoHUDSliderView->subviews().size(), 1u);
    EXPECT_EQ(v.tarvoHUDSliderView->subviews()[0], v.tarvoHUDSlider);

    EXPECT_EQ(v.tarvoBlurEffectView->effect(), platform::UIBlurEffect::effectWithStyle(platform::UIBlurEffectStyleLight));
    EXPECT_EQ(v.tarvoVibrancyEffectView->effect(),
              platform::UIVibrancyEffect::effectForBlurEffect(v.tarvoBlurEffect));
    EXPECT_EQ(v.tarvoBlurEffectView->frame(), full);
    EXPECT_EQ(v.tarvoVibrancyEffectView->frame(), full);

    EXPECT_EQ(v.tarvoHUDLabel->frame(), (CGRect{{0, 0}, {34, 40}}));
    EXPECT_EQ(v.tarvoHUDLabel->text(), "");
    EXPECT_EQ(v.tarvoHUDLabel->font(), platform::UIFont::fontWithName("Avenir-Heavy", 12));
    EXPECT_EQ(v.tarvoHUDLabel->textColor(), UIColor::blackColor());

    const CGRect slider{{0, 0}, {c.sliderWidth, c.hudHeight}};
    EXPECT_EQ(v.tarvoHUDSliderView->frame(), slider);
    EXPECT_EQ(v.tarvoHUDSliderView->backgroundColor(), UIColor::clearColor());
    for (const auto& icon : {v.tarvoHUDMinImageView, v.tarvoHUDMaxImageView}) {
      EXPECT_EQ(icon->frame(), (CGRect{{0, 0}, {14, 14}}));
      EXPECT_EQ(icon->backgroundColor(), UIColor::clearColor());
      EXPECT_FALSE(icon->image());
    }

    auto& s = *v.tarvoHUDSlider;
    EXPECT_EQ(s.className(), "UISliderExtended");
    EXPECT_EQ(s.frame(), slider);
    EXPECT_EQ(s.backgroundColor(), UIColor::clearColor());
    EXPECT_EQ(s.value(), 0.5f);  // the shell's volume
    EXPECT_TRUE(s.isContinuous());
    EXPECT_EQ(s.maximumValue(), 1.0f);
    EXPECT_EQ(s.minimumValue(), 0.0f);
    EXPECT_FALSE(s.isUserInteractionEnabled());
    EXPECT_TRUE(s.translatesAutoresizingMaskIntoConstraints());
    EXPECT_FALSE(s.currentMinimumTrackImage());  // no colours yet
  }
}

TEST(ViewTree, TheSliderOnlyRestartsTheTimerWhenItMoves) {
  Phone phone;
  auto& slider = *phone.tarvo().views.tarvoHUDSlider;
  const float volume = platform::sharedVolumeControl(phone.springBoard)->volume();
  EXPECT_EQ(slider.simulateUserValueChange(0.9f), 1u);
  EXPECT_EQ(phone.count("timer.schedule", "selector", "tarvoHUDShouldHide:"), 1u);
  EXPECT_EQ(platform::sharedVolumeControl(phone.springBoard)->volume(), volume);  // it sets no volume
}

}  // namespace
