// The field table, the snapshot and the documentation agree, and icons are read from their pixels.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "controls/builtin_icons.h"
#include "controls/image_utilities.h"
#include "sim/observe/hud_snapshot.h"
#include "sim/observe/icon_reading.h"
#include "support/phone.h"

namespace {

using testing_support::Phone;
using testing_support::settings;
using testing_support::withSettings;

TEST(HudFields, AShownHudHasEveryField) {
  // Two icons, so both image views show one; a colour for every part.
  Phone phone(withSettings(settings({{"singleIndicator", false}, {"volumePercentage", true}})));
  phone.press();
  platform::PlistDict snapshot = sim::hudSnapshot(phone.tarvo());
  for (const sim::SnapshotField& field : sim::snapshotFields()) {
    EXPECT_TRUE(snapshot.contains(field.name)) << field.name;
    auto one = sim::readHudField(phone.tarvo(), field);
    const platform::PlistValue* inSnapshot = snapshot.find(field.name);
    EXPECT_TRUE(one && inSnapshot && *one == *inSnapshot) << field.name;
  }
  EXPECT_TRUE(snapshot.contains("setting.WIDTH"));
  EXPECT_THROW(sim::readHudField(phone.tarvo(), "tarvoHUDWindow.colour"), std::logic_error);
}

TEST(HudFields, TheDocumentationNamesEveryField) {
  std::ifstream file(std::string(TARVO_SOURCE_DIR) + "/docs/simulator.md");
  std::stringstream text;
  text << file.rdbuf();
  const std::string docs = text.str();
  for (const sim::SnapshotField& field : sim::snapshotFields()) {
    // View fields are documented as `VIEW.property`, `IMAGEVIEW.property` or `tarvoHUDSlider.property`.
    std::string written = field.view ? field.name.substr(field.name.find('.')) + "`" : "`" + field.name + "`";
    EXPECT_NE(docs.find(written), std::string::npos) << field.name << " is not in docs/simulator.md";
  }
}

TEST(IconReading, KnowsEachGlyphPlainAndMirroredAndNothingElse) {
  struct Case {
    const char* dataURL;
    const char* glyph;
  } cases[] = {
      {tarvo::ringerMinBase64, "ringerMin"}, {tarvo::ringerMedBase64, "ringerMed"},
      {tarvo::ringerMaxBase64, "ringerMax"}, {tarvo::mediaMinBase64, "mediaMin"},
      {tarvo::mediaMedBase64, "mediaMed"},   {tarvo::mediaMaxBase64, "mediaMax"},
  };
  std::set<std::string> digests;
  for (const auto& c : cases) {
    platform::UIImagePtr icon = tarvo::decodeBase64ToImage(c.dataURL);
    ASSERT_TRUE(icon) << c.glyph;
    sim::IconReading plain = sim::readIcon(icon);
    EXPECT_EQ(plain.glyph, c.glyph);
    EXPECT_FALSE(plain.mirrored) << c.glyph;
    auto mirroredImage = platform::UIImage::imageWithCGImage(icon->CGImage(), 1, platform::UIImageOrientationUpMirrored);
    sim::IconReading mirrored = sim::readIcon(mirroredImage);
    EXPECT_EQ(mirrored.glyph, c.glyph);
    EXPECT_TRUE(mirrored.mirrored) << c.glyph;
    EXPECT_NE(mirrored.alphaDigest, plain.alphaDigest) << c.glyph;
    digests.insert(plain.alphaDigest);

    // The same glyph in a translucent colour (premultiplied, as the HUD tints it) is still that glyph.
    std::vector<std::uint32_t> faint(icon->CGImage()->pixels().begin(), icon->CGImage()->pixels().end());
    for (std::uint32_t& p : faint) {
      auto scaled = [&](int shift) { return static_cast<std::uint32_t>(((p >> shift) & 0xFF) * 2 / 5) << shift; };
      p = scaled(24) | scaled(16) | scaled(8) | scaled(0);
    }
    auto faintImage = platform::CGImage::make(icon->CGImage()->width(), icon->CGImage()->height(), faint);
    sim::IconReading translucent = sim::readIcon(platform::UIImage::imageWithCGImage(faintImage));
    EXPECT_EQ(translucent.glyph, c.glyph) << "at 40 %";
    ASSERT_TRUE(translucent.colour) << c.glyph;
  }
  EXPECT_EQ(digests.size(), 6u);

  // A blank image shows no glyph; a filled square is none of them.
  auto blank = platform::CGImage::make(8, 8, std::vector<std::uint32_t>(64, 0));
  EXPECT_EQ(sim::readIcon(platform::UIImage::imageWithCGImage(blank)).glyph, "none");
  EXPECT_EQ(sim::readIcon(nullptr).glyph, "none");
  auto square = platform::CGImage::make(8, 8, std::vector<std::uint32_t>(64, 0xFFFF0000u));
  sim::IconReading red = sim::readIcon(platform::UIImage::imageWithCGImage(square));
  EXPECT_EQ(red.glyph, "unrecognised");
  ASSERT_TRUE(red.colour);
  EXPECT_EQ(*red.colour, platform::UIColor::colorWithRed(1, 0, 0, 1));
}

}  // namespace
