#include <gtest/gtest.h>

#include <string>

#include "hud/status_color_cache.h"
#include "hud/tarvo12.h"
#include "shared/protocol.h"
#include "support/phone.h"

namespace {

using tarvo::StatusColorCache;

std::string bundle(int i) { return "com.example.app" + std::to_string(i); }

TEST(StatusColorCache, KeepsEveryAppOfARealPhone) {
  StatusColorCache cache;
  for (int i = 0; i < 400; ++i) cache.store(bundle(i), {i / 400.0f, 0.5f, 1});
  EXPECT_EQ(cache.size(), 400u);
  for (int i = 0; i < 400; ++i) {
    auto found = cache.find(bundle(i));
    ASSERT_TRUE(found) << i;
    EXPECT_EQ((*found)[0], i / 400.0f);
  }
}

TEST(StatusColorCache, PastTheCapacityTheEntryStoredLongestAgoGoes) {
  StatusColorCache cache(3);
  cache.store("a", {0.1f, 0, 0});
  cache.store("b", {0.2f, 0, 0});
  cache.store("c", {0.3f, 0, 0});
  cache.store("a", {0.4f, 0, 0});  // replaced: stored now, so "b" is the oldest
  cache.store("d", {0.5f, 0, 0});
  EXPECT_FALSE(cache.find("b"));
  EXPECT_EQ((*cache.find("a"))[0], 0.4f);
  EXPECT_TRUE(cache.find("c"));
  EXPECT_TRUE(cache.find("d"));
  EXPECT_EQ(cache.size(), 3u);
  ASSERT_EQ(cache.entries().size(), 3u);
  EXPECT_EQ(cache.entries().front().first, "c");
  EXPECT_EQ(cache.entries().back().first, "d");
}

TEST(StatusColorCache, AZeroCapacityStillKeepsTheLatest) {
  StatusColorCache cache(0);
  cache.store("a", {0.1f, 0, 0});
  cache.store("b", {0.2f, 0, 0});
  EXPECT_EQ(cache.size(), 1u);
  EXPECT_TRUE(cache.find("b"));
}

// Any process may post a store report under any bundle identifier: the cache stays bounded, keeps the
// newest reports, and the app in front still finds its colour.
TEST(StatusColorCache, StoreReportsFromThousandsOfIdentifiersStayBounded) {
  testing_support::PhoneOptions options;
  platform::PlistDict settings;
  settings.set("dynamicColors", true);
  options.settings = settings;
  testing_support::Phone phone(options);
  auto& app = phone.device.spawn("Flood", std::string("com.example.flood"));
  auto post = [&](const std::string& id, float hue) {
    platform::PlistDict info;
    info.set("bundle", id);
    info.set("hue", hue);
    info.set("saturation", 1.0f);
    info.set("brightness", 1.0f);
    info.set("alpha", 1.0f);
    platform::CFNotificationCenterPostNotification(platform::CFNotificationCenterGetDistributedCenter(app),
                                                   tarvo::protocol::kStoreColors, nullptr, &info, true);
  };
  const int reports = 3000;
  for (int i = 0; i < reports; ++i) post(bundle(i), 0.25f);
  phone.device.drain();
  auto& colors = phone.tarvo().statusColors;
  EXPECT_EQ(colors.size(), StatusColorCache::kCapacity);
  EXPECT_FALSE(colors.find(bundle(0)));
  EXPECT_FALSE(colors.find(bundle(reports - static_cast<int>(StatusColorCache::kCapacity) - 1)));
  EXPECT_TRUE(colors.find(bundle(reports - static_cast<int>(StatusColorCache::kCapacity))));
  EXPECT_TRUE(colors.find(bundle(reports - 1)));

  // The front app's entry is used, with no request sent.
  post("com.example.front", 0.5f);
  phone.device.drain();
  platform::setFrontApplication(phone.springBoard, std::string("com.example.front"));
  phone.press();
  EXPECT_EQ(phone.count("notification.post", "name", tarvo::protocol::kRequestStatusBarProperties.data()), 0u);
  ASSERT_TRUE(phone.hudColour("tarvoMinColor"));
  EXPECT_EQ(*phone.hudColour("tarvoMinColor"), platform::UIColor::colorWithHue(0.5, 1, 1, 1));
}

}  // namespace
