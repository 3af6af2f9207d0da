// Which icon each view beside the slider shows, and how the icons are tinted and mirrored.
#include <gtest/gtest.h>

#include "controls/builtin_icons.h"
#include "controls/image_utilities.h"
#include "platform/runtime/message.h"
#include "platform/uikit/image_view.h"
#include "platform/uikit/slider.h"
#include "support/phone.h"

namespace {

using tarvo::Glyph;
using testing_support::Phone;
using testing_support::settings;

struct IconCase {
  const char* name;
  int mode;
  bool media, ringer, single, silent;
  float level;
  Glyph left, right;
};

TEST(Icons, TheChoiceTableRowByRow) {
  const IconCase cases[] = {
      {"ringer silent", 1, true, true, true, true, 0.9f, Glyph::RingerMin, Glyph::None},
      {"ringer lowest step", 1, true, true, true, false, 0.0625f, Glyph::RingerMed, Glyph::None},
      {"ringer half", 1, true, true, true, false, 0.5f, Glyph::RingerMed, Glyph::None},
      {"ringer above half", 1, true, true, true, false, 0.51f, Glyph::RingerMax, Glyph::None},
      {"ringer full", 1, true, true, true, false, 1.0f, Glyph::RingerMax, Glyph::None},
      {"ringer pair ignores level and silence", 1, true, true, false, true, 0.0625f, Glyph::RingerMed, Glyph::RingerMax},
      {"ringer icons off", 1, true, false, true, false, 0.5f, Glyph::None, Glyph::None},
      {"ringer with only media icons", 1, true, false, false, false, 0.5f, Glyph::None, Glyph::None},
      {"media silence", 0, true, true, true, false, 0.0f, Glyph::MediaMin, Glyph::None},
      {"media lowest step", 0, true, true, true, false, 0.0625f, Glyph::MediaMed, Glyph::None},
      {"media half", 0, true, true, true, false, 0.5f, Glyph::MediaMed, Glyph::None},
      {"media above half", 0, true, true, true, false, 0.51f, Glyph::MediaMax, Glyph::None},
      {"media full", 0, true, true, true, false, 1.0f, Glyph::MediaMax, Glyph::None},
      {"media silent switch has no effect", 0, true, true, true, true, 1.0f, Glyph::MediaMax, Glyph::None},
      {"media pair", 0, true, true, false, false, 0.0f, Glyph::MediaMin, Glyph::MediaMax},
      {"media with only ringer icons", 0, false, true, true, false, 0.5f, Glyph::None, Glyph::None},
      {"no icons at all", 0, false, false, true, false, 0.5f, Glyph::None, Glyph::None},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Phone phone(testing_support::withSettings(
        settings({{"mediaIndicator", c.media}, {"ringerIndicator", c.ringer}, {"singleIndicator", c.single}})));
    auto& lib = phone.tarvo();
    lib.volume.tarvoVolumeMode = static_cast<tarvo::VolumeMode>(c.mode);
    lib.volume.silent = c.silent;
    // The level of the other mode is set to the opposite end, so that only the mode's own level counts.
    (c.mode == 1 ? lib.volume.ringerVolume : lib.volume.mediaVolume) = c.level;
    (c.mode == 1 ? lib.volume.mediaVolume : lib.volume.ringerVolume) = c.level > 0.5f ? 0.0f : 1.0f;
    phone.hud().adjustColors();
    // Read from the pixels each view shows.
    EXPECT_EQ(phone.hudText("tarvoHUDMinImageView.glyph"), tarvo::glyphName(c.left));
    EXPECT_EQ(phone.hudText("tarvoHUDMaxImageView.glyph"), tarvo::glyphName(c.right));
    EXPECT_EQ(phone.hudField("tarvoHUDMinImageView.image.size").has_value(), c.left != Glyph::None);
    EXPECT_EQ(phone.hudField("tarvoHUDMaxImageView.image.size").has_value(), c.right != Glyph::None);
    for (const char* size : {"tarvoHUDMinImageView.image.size", "tarvoHUDMaxImageView.image.size"})
      if (auto value = phone.hudField(size)) {
        EXPECT_EQ(*value, platform::PlistValue(platform::PlistArray{14.0, 14.0}));
      }
    auto& v = lib.views;
    // Only the enabled families are built.
    EXPECT_EQ(lib.images.sliderMediaMaxImage != nullptr, c.media);
    EXPECT_EQ(lib.images.sliderRingerMaxImage != nullptr, c.ringer);
    EXPECT_FALSE(v.tarvoHUDSlider->minimumValueImage());
    EXPECT_FALSE(v.tarvoHUDSlider->maximumValueImage());
  }
}

TEST(Icons, TurningAnIconSettingOffEmptiesTheViewsAtTheNextDressing) {
  Phone phone;
  auto& lib = phone.tarvo();
  phone.press();
  EXPECT_TRUE(lib.views.tarvoHUDMinImageView->image());
  phone.changeSettings(settings({{"mediaIndicator", false}}));
  phone.advance(3);
  phone.press();
  EXPECT_FALSE(lib.views.tarvoHUDMinImageView->image());
  EXPECT_FALSE(lib.views.tarvoHUDMaxImageView->image());
}

int alpha(const platform::UIImagePtr& image, int x, int y) { return image->CGImage()->rgba(x, y).a; }

// Each tinted icon is the glyph's silhouette in the indicator colour: the glyph's alpha, upright.
TEST(Icons, TintedIconsAreSilhouettesInTheIndicatorColour) {
  Phone phone(testing_support::withSettings(settings({{"indicatorColor", "#FF8000:1.0"}})));
  phone.hud().adjustColors();
  auto& images = phone.tarvo().images;
  const std::pair<platform::UIImagePtr, const char*> pairs[] = {
      {images.sliderMediaMinImage, tarvo::mediaMinBase64},   {images.sliderMediaMedImage, tarvo::mediaMedBase64},
      {images.sliderMediaMaxImage, tarvo::mediaMaxBase64},   {images.sliderRingerMinImage, tarvo::ringerMinBase64},
      {images.sliderRingerMedImage, tarvo::ringerMedBase64}, {images.sliderRingerMaxImage, tarvo::ringerMaxBase64}};
  for (const auto& [tintedIcon, source] : pairs) {
    ASSERT_TRUE(tintedIcon);
    auto glyph = tarvo::decodeBase64ToImage(source);
    EXPECT_EQ(tintedIcon->size(), (platform::CGSize{72, 72}));
    EXPECT_EQ(tintedIcon->scale(), 1.0);
    int maxDifference = 0;
    for (int y = 0; y < 72; ++y) {
      for (int x = 0; x < 72; ++x) {
        maxDifference = std::max(maxDifference, std::abs(alpha(tintedIcon, x, y) - alpha(glyph, x, y)));
        auto p = tintedIcon->CGImage()->rgba(x, y);
        if (p.a == 255) {
          EXPECT_EQ(p.r, 255);
          EXPECT_NEAR(p.g, 128, 1);
          EXPECT_EQ(p.b, 0);
        }
      }
    }
    EXPECT_LE(maxDifference, 1);
  }
}

TEST(Icons, ARightToLeftInterfaceMirrorsEveryIcon) {
  testing_support::PhoneOptions rtl;
  rtl.springBoard.layoutDirection = platform::UIUserInterfaceLayoutDirectionRightToLeft;
  Phone mirrored(rtl);
  Phone upright;
  for (Phone* phone : {&mirrored, &upright}) phone->hud().adjustColors();
  auto& m = mirrored.tarvo().images;
  for (const auto& image : {m.sliderMediaMinImage, m.sliderMediaMedImage, m.sliderMediaMaxImage, m.sliderRingerMinImage,
                            m.sliderRingerMedImage, m.sliderRingerMaxImage})
    EXPECT_EQ(image->imageOrientation(), platform::UIImageOrientationUpMirrored);
  EXPECT_EQ(upright.tarvo().images.sliderMediaMedImage->imageOrientation(), platform::UIImageOrientationUp);

  // What the icon view shows: the same pixels, left for right.
  auto shownMirrored = mirrored.tarvo().views.tarvoHUDMinImageView->image();
  auto shownUpright = upright.tarvo().views.tarvoHUDMinImageView->image();
  ASSERT_TRUE(shownMirrored && shownUpright);
  const int w = shownUpright->CGImage()->width();
  const int h = shownUpright->CGImage()->height();
  int asymmetric = 0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      EXPECT_NEAR(alpha(shownMirrored, x, y), alpha(shownUpright, w - 1 - x, y), 2);
      asymmetric += std::abs(alpha(shownUpright, x, y) - alpha(shownUpright, w - 1 - x, y)) > 64;
    }
  }
  EXPECT_GT(asymmetric, 10);  // the glyph is not its own mirror image, so the check means something
}

}  // namespace
