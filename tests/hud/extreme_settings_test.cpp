#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/render/renderer.h"
#include "platform/uikit/window.h"
#include "settings/settings.h"
#include "support/phone.h"

namespace {

using testing_support::Phone;

// What the settings fuzzer does with one file, with every real of the table at an extreme at once: the
// library loads it, lays the HUD out in every orientation, shows it, renders a frame and hides it again.
// Nothing may be undefined (the sanitizers check), and the HUD may not get stuck shown.
class ExtremeSettings : public testing::TestWithParam<double> {};

TEST_P(ExtremeSettings, LoadLayOutShowRenderAndHide) {
  const double value = GetParam();
  platform::PlistDict file;
  for (const auto& entry : tarvo::kSettingsTable)
    if (entry.kind == tarvo::SettingKind::Real) file.set(std::string(entry.key), value);
  file.set("alignment", std::numeric_limits<std::int64_t>::min());
  file.set("fullWidth", true);
  file.set("volumePercentage", true);
  file.set("blurBackground", true);
  file.set("minColor", "#FF0000:1e999");
  testing_support::PhoneOptions options = testing_support::notchedPhone();
  options.launch = false;
  Phone phone(options);
  phone.writeSettings(file, platform::PlistFormat::Binary);  // the binary form keeps NaN and infinities
  phone.postSettingsChanged();
  phone.launch();

  const float height = phone.tarvo().settings.HEIGHT;
  if (std::isnan(value)) {
    EXPECT_TRUE(std::isnan(height));
  } else if (std::fabs(value) > std::numeric_limits<float>::max()) {
    EXPECT_TRUE(std::isinf(height));  // beyond the float range: an infinity, never an undefined conversion
  }
  EXPECT_EQ(phone.tarvo().settings.ALIGNMENT, std::numeric_limits<std::int32_t>::min());

  phone.press();
  for (long long orientation : {1, 3, 2, 4, 0, 9}) phone.rotate(orientation);
  phone.press(false);
  phone.advance(0.3);
  platform::Renderer renderer;
  auto frame = renderer.renderScreen(phone.device, 1);
  ASSERT_TRUE(frame);
  EXPECT_EQ(frame->width(), 375);

  phone.tapHUD();
  // A huge or infinite animation time makes a hide that does not end within the test; NaN and negative
  // times count as none.
  phone.advance(5);
  const float animation = phone.tarvo().settings.DURATIONANIMATION;
  if (!(animation > 1)) {
    EXPECT_TRUE(phone.hudFlag("tarvoHUDWindow.hidden"));
  }
}

INSTANTIATE_TEST_SUITE_P(Values, ExtremeSettings,
                         testing::Values(std::numeric_limits<double>::quiet_NaN(),
                                         std::numeric_limits<double>::infinity(),
                                         -std::numeric_limits<double>::infinity(), 1e308, -1e308, 1e30, -1e9, 0.0,
                                         std::numeric_limits<double>::denorm_min()));

}  // namespace
