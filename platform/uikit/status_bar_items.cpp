#include "platform/uikit/status_bar_items.h"

#include "platform/device/process.h"
#include "platform/uikit/uikit_classes.h"

namespace platform {

namespace {

namespace item = status_bar_item;

struct Glyph {
  CGRect frame;
  double alphaShare;
};

// Sizes in points, roughly those of the phone's own glyphs.
CGSize itemSize(int number, double fontSize) {
  switch (number) {
    case item::kTime:
      return {fontSize * 3.6, fontSize * 1.4};
    case item::kSignalStrength:
      return {18, 10};
    case item::kService:
      return {fontSize * 4.5, fontSize * 1.4};
    case item::kDataNetwork:
      return {15, 11};
    case item::kBattery:
      return {25, 12};
    case item::kBatteryPercentage:
      return {fontSize * 2.8, fontSize * 1.4};
    default:
      return {0, 0};
  }
}

std::vector<Glyph> glyphs(int number) {
  switch (number) {
    case item::kSignalStrength:  // four bars rising to the right
      return {{CGRectMake(0, 6, 3, 4), 1},
              {CGRectMake(5, 4, 3, 6), 1},
              {CGRectMake(10, 2, 3, 8), 1},
              {CGRectMake(15, 0, 3, 10), 1}};
    case item::kDataNetwork:  // three arcs, drawn as narrowing bars
      return {
          {CGRectMake(0, 0, 15, 2.5), 1}, {CGRectMake(2.5, 4, 10, 2.5), 1}, {CGRectMake(5, 8, 5, 2.5), 1}};
    case item::kBattery:  // a faint body and nub around a full charge
      return {
          {CGRectMake(0, 0, 22, 12), 0.35}, {CGRectMake(2, 2, 18, 8), 1}, {CGRectMake(23, 4, 2, 4), 0.35}};
    default:
      return {};
  }
}

const char* initialText(int number) {
  switch (number) {
    case item::kTime:
      return "9:41";
    case item::kBatteryPercentage:
      return "100%";
    default:
      return "";
  }
}

NSTextAlignment alignment(int number) {
  switch (number) {
    case item::kService:
      return NSTextAlignmentLeft;
    case item::kBatteryPercentage:
      return NSTextAlignmentRight;
    default:
      return NSTextAlignmentCenter;
  }
}

bool showsText(int number) {
  return number == item::kTime || number == item::kService || number == item::kBatteryPercentage;
}

void collectItems(const UIView& view, std::vector<std::shared_ptr<UIStatusBarItemView>>& out) {
  for (const UIView::Ptr& child : view.subviews()) {
    if (auto found = std::dynamic_pointer_cast<UIStatusBarItemView>(child)) out.push_back(found);
    collectItems(*child, out);
  }
}

}  // namespace

void UIStatusBarItemView::applyServerState(const StatusBarServer& server) {
  bool hidden = server.isDisabled(item_) || (item_ == item::kTime && server.timeCloaked());
  if (hidden != isHidden()) setHidden(hidden);
  if (item_ == item::kService && label_ && label_->text() != server.serviceText())
    label_->setText(server.serviceText());
}

void UIStatusBarItemView::applyContentColor(const UIColor& color) {
  if (label_ && label_->textColor() != color) label_->setTextColor(color);
  for (const GlyphPart& part : parts_) {
    std::optional<UIColor> tone = color.colorWithAlphaComponent(color.alpha() * part.alphaShare);
    // Setting an unchanged colour would still end a running colour animation.
    if (part.view->backgroundColor() != tone) part.view->setBackgroundColor(tone);
  }
}

std::shared_ptr<UIStatusBarItemView> makeStatusBarItem(Process& process, int number, CGPoint center,
                                                       double fontSize) {
  CGSize size = itemSize(number, fontSize);
  auto view = makeView<UIStatusBarItemView>(
      process, "UIStatusBarItemView",
      CGRectMake(center.x - size.width / 2, center.y - size.height / 2, size.width, size.height));
  if (!view) return nullptr;
  view->item_ = number;
  if (showsText(number)) {
    auto label = makeView<UILabel>(process, "UILabel", CGRectMake(0, 0, size.width, size.height));
    label->setText(initialText(number));
    label->setFont(UIFont::boldSystemFontOfSize(fontSize));
    label->setTextAlignment(alignment(number));
    view->addSubview(label);
    view->label_ = label;
  }
  for (const Glyph& glyph : glyphs(number)) {
    auto part = makeView<UIView>(process, "UIView", glyph.frame);
    view->addSubview(part);
    view->parts_.push_back({part, glyph.alphaShare});
  }
  return view;
}

std::string_view statusBarItemName(int number) {
  switch (number) {
    case item::kTime: return "time";
    case item::kSignalStrength: return "signal strength";
    case item::kService: return "operator name";
    case item::kDataNetwork: return "wi-fi";
    case item::kBattery: return "battery";
    case item::kBatteryPercentage: return "battery percentage";
    default: return {};
  }
}

std::vector<std::shared_ptr<UIStatusBarItemView>> statusBarItemsBelow(const UIView& root) {
  std::vector<std::shared_ptr<UIStatusBarItemView>> items;
  collectItems(root, items);
  return items;
}

}  // namespace platform
