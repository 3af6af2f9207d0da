#include <gtest/gtest.h>

#include "hud/tarvo_hud.h"
#include "platform/uikit/window.h"
#include "support/phone.h"

namespace {

using testing_support::Phone;
using testing_support::PhoneOptions;

TEST(HudLifecycle, DefaultTimingsShowAndHide) {
  Phone phone;
  auto& lib = phone.tarvo();
  ASSERT_TRUE(lib.tarvoHUD);
  auto window = lib.views.tarvoHUDWindow;
  ASSERT_TRUE(window);
  EXPECT_TRUE(window->isHidden());

  phone.press();
  EXPECT_FALSE(window->isHidden());
  EXPECT_EQ(window->alpha(), 1.0);  // the model value; the fade shows in the presentation
  auto begin = phone.events("animation.begin");
  ASSERT_FALSE(begin.empty());
  phone.advance(1.74);
  EXPECT_FALSE(window->isHidden());
  phone.advance(0.02);
  EXPECT_TRUE(lib.lifecycle.isHiding);
  phone.advance(0.25);
  EXPECT_TRUE(window->isHidden());
  EXPECT_FALSE(lib.lifecycle.isHiding);
  EXPECT_EQ(phone.count("timer.fire", "selector", "tarvoHUDShouldHide:"), 1u);
}

}  // namespace
