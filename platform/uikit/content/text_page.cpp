#include "platform/uikit/content/text_page.h"

#include <array>
#include <string>
#include <string_view>

#include "platform/device/process.h"
#include "platform/graphics/font_cache.h"
#include "platform/graphics/text_measure.h"
#include "platform/uikit/label.h"
#include "platform/uikit/uikit_classes.h"

namespace platform {

namespace {

constexpr double kMargin = 20;
constexpr double kLineHeight = 24;
constexpr double kTitleHeight = 40;

constexpr std::string_view kTitle = "The Lighthouse Path";
constexpr auto kParagraphs = std::to_array<std::string_view>({
    "The path to the lighthouse leaves the harbour by the old net sheds and climbs the headland in long, "
    "easy turns. In the morning the fishing boats are already out beyond the point, and the gulls follow "
    "them in a loose white cloud that rises and settles with every turn of the wind.",
    "Halfway up there is a bench with a brass plate worn smooth by a hundred winters. From here the whole bay "
    "opens out: the sand bar at low water, the pale line of the breakwater, the town climbing its hill in "
    "rows of grey and ochre roofs. On clear days the islands show on the horizon like a row of sleeping "
    "animals.",
    "The keeper's cottage at the top has been a small museum for forty years. Inside are the logbooks, "
    "the brass lamp that turned every night until the light was automated, and a glass case of things the "
    "sea brought in: a ship's bell, bottles with their letters still inside, a single wooden shoe.",
    "Walk back by the cliff path when the tide is out. The rock pools below are full of anemones and small "
    "green crabs, and if you wait long enough by the largest one, a seal sometimes comes up to look at you "
    "with the same patient curiosity you bring to it.",
});

std::shared_ptr<UILabel> lineLabel(Process& process, CGRect frame, std::string text, UIFont font) {
  auto label = makeView<UILabel>(process, "UILabel", frame);
  if (!label) return nullptr;
  label->setText(std::move(text));
  label->setFont(std::move(font));
  label->setTextColor(UIColor::colorWithWhite(0.1, 1));
  return label;
}

}  // namespace

std::shared_ptr<UIView> makeTextPage(Process& process, CGRect frame) {
  auto page = makeView<UIView>(process, "UIView", frame);
  if (!page) return nullptr;
  page->setBackgroundColor(UIColor::whiteColor());
  page->setUserInteractionEnabled(false);
  const double width = frame.size.width - 2 * kMargin;
  const UIFont body = UIFont::systemFontOfSize(17);
  FontCache& fonts = process.service<FontCache>();
  double y = 6;
  auto add = [&](std::string text, const UIFont& font, double height) {
    if (y + height > frame.size.height) return false;
    if (auto label = lineLabel(process, CGRectMake(kMargin, y, width, height), std::move(text), font))
      page->addSubview(label);
    y += height;
    return true;
  };
  // The paragraphs again and again, so that any screen is full.
  for (int pass = 0; y < frame.size.height; ++pass) {
    if (!add(std::string(kTitle), UIFont::boldSystemFontOfSize(26), kTitleHeight)) break;
    for (std::string_view paragraph : kParagraphs) {
      std::string line;
      std::size_t start = 0;
      while (start < paragraph.size()) {
        std::size_t end = paragraph.find(' ', start);
        if (end == std::string_view::npos) end = paragraph.size();
        std::string word(paragraph.substr(start, end - start));
        std::string longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && measureText(fonts, longer, body).width > width) {
          if (!add(line, body, kLineHeight)) return page;
          line = word;
        } else {
          line = longer;
        }
        start = end + 1;
      }
      if (!line.empty() && !add(line, body, kLineHeight)) return page;
      y += kLineHeight / 2;
    }
    if (pass > 100) break;  // a screen cannot be that tall
  }
  return page;
}

}  // namespace platform
