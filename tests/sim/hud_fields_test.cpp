// The field table, the snapshot and the documentation agree, and icons are read from their pixels.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "controls/builtin_icons.h"
#include "controls/image_utilities.h"
#include "sim/observe/hud_snapshot.h"
#include "sim/observe/icon_reading.h"
#include "support/markdown_table.h"
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

// The names the document's table of fields lists, written out in full: `VIEW.x` for every view,
// `IMAGEVIEW.x` for both image views, and `.x` after a name for the same view's x. Names with a space
// (`statusColors KEY`) and `setting.NAME` are forms, not fields, and are left out.
std::set<std::string> documentedFieldNames() {
  auto section = testing_support::readMarkdownSection("docs/simulator.md", "#### The HUD's fields");
  auto listAfter = [&](const std::string& lead, const std::string& end) {
    std::size_t from = section.text.find(lead);
    if (from == std::string::npos) return std::vector<std::string>{};
    from += lead.size();
    return testing_support::backtickedWords(section.text.substr(from, section.text.find(end, from) - from));
  };
  const std::vector<std::string> views = listAfter("VIEW is one of", ";");
  const std::vector<std::string> imageViews = listAfter("IMAGEVIEW is one of", ".");
  EXPECT_EQ(views.size(), 9u) << "the views listed under the table";
  EXPECT_EQ(imageViews.size(), 2u) << "the image views listed under the table";
  std::set<std::string> names;
  for (const auto& row : section.rows) {
    if (row.empty()) continue;
    std::string previousView;
    for (const std::string& word : testing_support::backtickedWords(row[0])) {
      if (word.find(' ') != std::string::npos || word == "setting.NAME") continue;
      std::string property = word.substr(word.find('.') + 1);
      if (word.starts_with("VIEW.")) {
        for (const auto& view : views) names.insert(view + "." + property);
      } else if (word.starts_with("IMAGEVIEW.")) {
        for (const auto& view : imageViews) names.insert(view + "." + property);
      } else if (word.starts_with(".")) {
        names.insert(previousView + word);
      } else {
        names.insert(word);
        previousView = word.substr(0, word.find('.'));
      }
    }
  }
  return names;
}

TEST(HudFields, TheDocumentationListsExactlyTheTablesFields) {
  std::set<std::string> inCode;
  for (const sim::SnapshotField& field : sim::snapshotFields()) {
    EXPECT_TRUE(inCode.insert(field.name).second) << field.name << " is in the table twice";
    EXPECT_FALSE(field.name.ends_with('.') || field.name.find("..") != std::string::npos) << field.name;
    EXPECT_FALSE(field.name.starts_with("setting.")) << field.name;
  }
  const std::set<std::string> documented = documentedFieldNames();
  for (const std::string& name : inCode)
    EXPECT_TRUE(documented.contains(name)) << name << " is not in docs/simulator.md";
  for (const std::string& name : documented)
    EXPECT_TRUE(inCode.contains(name)) << name << " is documented but not a field";
  EXPECT_TRUE(sim::snapshotFieldNamed("setting.WIDTH"));
}

// What a person sees in a snapshot: the documented fields and one per setting, none cut short.
TEST(HudFields, ASnapshotHoldsTheDocumentedFieldsAndTheSettings) {
  // Both image views show an icon and the label a text, so no field is without a value.
  Phone phone(withSettings(settings({{"singleIndicator", false}, {"volumePercentage", true}})));
  phone.press();
  platform::PlistDict snapshot = sim::hudSnapshot(phone.tarvo());
  for (const auto& [name, value] : snapshot) EXPECT_FALSE(name.ends_with('.')) << name;
  EXPECT_EQ(snapshot.size(), documentedFieldNames().size() + tarvo::kSettingsTable.size());
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
