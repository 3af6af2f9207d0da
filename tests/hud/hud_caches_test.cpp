#include <gtest/gtest.h>

#include "hud/bounded_cache.h"
#include "hud/hud_caches.h"
#include "hud/tarvo12.h"
#include "platform/device/distributed_center.h"
#include "platform/uikit/image_view.h"
#include "shared/protocol.h"
#include "support/phone.h"

namespace {

using testing_support::Phone;
using testing_support::PhoneOptions;

platform::PlistDict colourSettings(const char* indicator) {
  platform::PlistDict s;
  s.set("minColor", "#7942D8:1.000000");
  s.set("maxColor", "#FFFFFF:0.400000");
  s.set("indicatorColor", indicator);
  s.set("overlayColor", "#1E212B:0.900000");
  return s;
}

PhoneOptions withSettings(platform::PlistDict settings) {
  PhoneOptions options;
  options.settings = std::move(settings);
  return options;
}

TEST(BoundedCache, MakesOnceAndDropsTheLeastRecentlyUsed) {
  tarvo::BoundedCache<int, int> cache(2);
  int made = 0;
  auto make = [&](int v) { return [&made, v] { return ++made, v * 10; }; };
  EXPECT_EQ(cache.findOrMake(1, make(1)), 10);
  EXPECT_EQ(cache.findOrMake(2, make(2)), 20);
  EXPECT_EQ(cache.findOrMake(1, make(1)), 10);  // used: 2 is now the oldest
  EXPECT_EQ(cache.findOrMake(3, make(3)), 30);
  EXPECT_EQ(made, 3);
  EXPECT_EQ(cache.findOrMake(1, make(1)), 10);
  EXPECT_EQ(made, 3);
  EXPECT_EQ(cache.findOrMake(2, make(2)), 20);  // it had gone
  EXPECT_EQ(made, 4);
  EXPECT_EQ(cache.size(), 2u);
}

struct WorkCase {
  bool cached;
  std::size_t decodes, tints, fileReads;
};

class HudCachesWork : public testing::TestWithParam<WorkCase> {};

// Five presses with the default icons (both families) and static colours: the literal path decodes and
// tints six icons and reads the file four times (three colours and the overlay) on every show.
TEST_P(HudCachesWork, PerPress) {
  const WorkCase c = GetParam();
  Phone phone(withSettings(colourSettings("#F0F0F0:1.000000")));
  auto& caches = tarvo::HudCaches::of(phone.springBoard);
  caches.setEnabled(c.cached);
  for (int i = 0; i < 5; ++i) phone.press(i % 2 == 0);
  EXPECT_EQ(caches.work().decodes, c.decodes);
  EXPECT_EQ(caches.work().tints, c.tints);
  EXPECT_EQ(caches.work().fileReads, c.fileReads);
}

INSTANTIATE_TEST_SUITE_P(CachedAndLiteral, HudCachesWork,
                         testing::Values(WorkCase{true, 6, 6, 1}, WorkCase{false, 30, 30, 20}),
                         [](const auto& p) { return p.param.cached ? "Cached" : "Literal"; });

TEST(HudCaches, ANewIndicatorColourInTheFileTintsAfreshAtTheNextShow) {
  Phone phone(withSettings(colourSettings("#F0F0F0:1.000000")));
  auto& caches = tarvo::HudCaches::of(phone.springBoard);
  phone.press();
  const auto before = caches.work();
  phone.writeSettings(colourSettings("#00FF00:1.000000"));  // no notification: colours are read at each use
  phone.press();
  EXPECT_EQ(caches.work().fileReads, before.fileReads + 1);
  EXPECT_EQ(caches.work().tints, before.tints + 6);
  auto& lib = phone.tarvo();
  ASSERT_TRUE(lib.colors.tarvoIndicatorColor);
  EXPECT_EQ(*lib.colors.tarvoIndicatorColor, platform::UIColor::colorWithRed(0, 1, 0, 1));
  // The icon shown is green where it is not transparent.
  auto icon = lib.views.tarvoHUDMinImageView->image();
  ASSERT_TRUE(icon && icon->CGImage());
  bool sawGreen = false;
  for (int y = 0; y < icon->CGImage()->height(); ++y)
    for (int x = 0; x < icon->CGImage()->width(); ++x) {
      auto p = icon->CGImage()->rgba(x, y);
      if (p.a == 0) continue;
      EXPECT_EQ(p.r, 0);
      EXPECT_EQ(p.b, 0);
      sawGreen = sawGreen || (p.g == 255 && p.a == 255);
    }
  EXPECT_TRUE(sawGreen);
  // Back to the first colour: its tints are still kept.
  phone.writeSettings(colourSettings("#F0F0F0:1.000000"));
  phone.press();
  EXPECT_EQ(caches.work().tints, before.tints + 6);
}

TEST(HudCaches, MirroredIconsAreKeptApartFromUprightOnes) {
  for (auto direction : {platform::UIUserInterfaceLayoutDirectionLeftToRight,
                         platform::UIUserInterfaceLayoutDirectionRightToLeft}) {
    PhoneOptions options = withSettings(colourSettings("#F0F0F0:1.000000"));
    options.springBoard.layoutDirection = direction;
    Phone phone(options);
    phone.press();
    const bool mirrored = direction == platform::UIUserInterfaceLayoutDirectionRightToLeft;
    EXPECT_EQ(phone.hudFlag("tarvoHUDMinImageView.mirrored"), mirrored);
    auto tinted = phone.tarvo().images.sliderMediaMaxImage;
    ASSERT_TRUE(tinted);
    EXPECT_EQ(tinted->imageOrientation(),
              mirrored ? platform::UIImageOrientationUpMirrored : platform::UIImageOrientationUp);
  }
}

// Colour reports from apps may name any colour: what is kept stays within the capacities.
TEST(HudCaches, ManyColoursStayBounded) {
  Phone phone;
  auto& caches = tarvo::HudCaches::of(phone.springBoard);
  auto& app = phone.device.spawn("Painter", std::string("com.example.painter"));
  for (int i = 0; i < 300; ++i) {
    platform::PlistDict info;
    info.set("bundle", "com.example.painter");
    info.set("hue", static_cast<float>(i) / 300.0f);
    info.set("saturation", 1.0f);
    info.set("brightness", 1.0f);
    info.set("alpha", 1.0f);
    platform::CFNotificationCenterPostNotification(platform::CFNotificationCenterGetDistributedCenter(app),
                                                   tarvo::protocol::kGetStatusBarProperties, nullptr, &info, true);
    phone.device.drain();
  }
  EXPECT_EQ(caches.work().tints, 300u * 6);
  EXPECT_LE(caches.entries(), tarvo::HudCaches::kTintCapacity + tarvo::HudCaches::kFitCapacity +
                                  tarvo::HudCaches::kTrackCapacity + 8);
}

}  // namespace
