#include "platform/uikit/status_bar_content.h"

#include <algorithm>

#include "platform/device/device.h"
#include "platform/device/foundation_classes.h"
#include "platform/uikit/status_bar_items.h"
#include "platform/uikit/status_bar_style.h"
#include "platform/uikit/uikit_classes.h"

namespace platform {

namespace {

namespace item = status_bar_item;

constexpr double kClassicFontSize = 12;
constexpr double kSplitFontSize = 15;
constexpr double kXHousingWidth = 209;  // what a split bar leaves between its ears on a screen without a housing
constexpr double kItemGap = 5;
constexpr double kEdgeInset = 6;

std::shared_ptr<UIView> plainView(Process& process, CGRect frame) {
  auto view = makeView<UIView>(process, "UIView", frame);
  view->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
  return view;
}

rt::Id make(Process& process, std::string_view className) {
  rt::Class* cls = uikitClass(process, className);
  return cls ? allocInit(*cls) : nullptr;
}

// Lays the items out from `x` in the given direction, vertically centred on `centerY`.
void placeRow(Process& process, UIView& parent, const std::vector<int>& items, double x, bool leftToRight,
              double centerY, double fontSize) {
  for (int number : items) {
    auto view = makeStatusBarItem(process, number, {0, centerY}, fontSize);
    if (!view) continue;
    double width = view->frame().size.width;
    view->setCenter({leftToRight ? x + width / 2 : x - width / 2, centerY});
    parent.addSubview(view);
    x += leftToRight ? width + kItemGap : -(width + kItemGap);
  }
}

std::shared_ptr<UIView> makeBackgroundActivityView(Process& process, CGRect frame, const std::string& className,
                                                   const std::optional<UIColor>& color) {
  constexpr std::string_view kBase = "_UIStatusBarBackgroundActivityView";
  std::string name = className.empty() ? std::string(kBase) : className;
  rt::Runtime& runtime = process.runtime();
  if (!runtime.lookUpClass(name)) runtime.registerClass(name, kBase);
  // A class of that name that is no view cannot stand in the bar: a plain view takes its place.
  if (!runtime.requireClass(name).isSubclassOf(runtime.requireClass("UIView"))) return plainView(process, frame);
  auto pill = makeView<UIView>(process, name, frame);
  if (!pill) return plainView(process, frame);
  pill->setBackgroundColor(color);
  pill->layer().setCornerRadius(frame.size.height / 2);
  return pill;
}

// levels[d] is the view d levels below the bar (levels[0] the bar itself); deeper views get wrappers of
// their own below the deepest level, so that a pill at depth d has exactly d - 1 ancestors inside the bar.
void addBackgroundActivityViews(Process& process, const std::vector<std::shared_ptr<UIView>>& levels,
                                const UIView& timeItem, const StatusBarOptions& options) {
  for (std::size_t i = 0; i < options.backgroundActivityDepths.size(); ++i) {
    const int depth = options.backgroundActivityDepths[i];
    if (depth < 1 || depth > kMaxBackgroundActivityDepth) continue;
    const std::string className =
        i < options.backgroundActivityClasses.size() ? options.backgroundActivityClasses[i] : std::string();
    auto parent = levels[static_cast<std::size_t>(std::min<int>(depth, static_cast<int>(levels.size())) - 1)];
    for (int level = static_cast<int>(levels.size()); level < depth; ++level) {
      auto wrapper = plainView(process, parent->bounds());
      parent->addSubview(wrapper);
      parent = wrapper;
    }
    // Every level above the time item shares the bar's origin, so its frame fits them all.
    bool insideItem = depth >= static_cast<int>(levels.size());
    CGRect frame = insideItem ? parent->bounds() : timeItem.frame();
    parent->insertSubviewAtIndex(
        makeBackgroundActivityView(process, frame, className, options.backgroundActivityColor), 0);
  }
}

rt::Id makeStyleAttributes(Process& process, const StatusBarOptions& options) {
  auto attributes = rt::cast<UIStatusBarStyleAttributes>(make(process, "UIStatusBarStyleAttributes"));
  if (!attributes || !options.hasForegroundStyle) return attributes;
  if (auto foreground = rt::cast<UIStatusBarForegroundStyleAttributes>(
          make(process, "UIStatusBarForegroundStyleAttributes"))) {
    foreground->tint = options.contentColor;
    attributes->foregroundStyle = foreground;
  }
  return attributes;
}

}  // namespace

void buildClassicContent(UIStatusBarBase& bar, const StatusBarOptions& options) {
  Process& process = bar.process();
  CGRect bounds = bar.bounds();
  std::shared_ptr<UIView> container = std::static_pointer_cast<UIView>(bar.self());
  if (options.hasForegroundView) {
    container = plainView(process, bounds);
    bar.addSubview(container);
    bar.foregroundView = container;
  }
  if (options.hasStyleAttributes) bar.styleAttributes = makeStyleAttributes(process, options);
  double centerY = bounds.size.height / 2;
  placeRow(process, *container, {item::kSignalStrength, item::kService, item::kDataNetwork}, kEdgeInset, true,
           centerY, kClassicFontSize);
  placeRow(process, *container, {item::kBattery, item::kBatteryPercentage}, bounds.size.width - kEdgeInset,
           false, centerY, kClassicFontSize);
  if (auto time = makeStatusBarItem(process, item::kTime, {bounds.size.width / 2, centerY}, kClassicFontSize))
    container->addSubview(time);
}

void buildSplitContent(UISplitStatusBar& bar, const StatusBarOptions& options) {
  Process& process = bar.process();
  CGRect bounds = bar.bounds();
  double width = bounds.size.width, height = bounds.size.height;
  const double housing = sensorHousingWidth(process.device());
  // The ears either side of the housing; narrow screens forced into this layout still get usable ears.
  double ear = std::clamp((width - (housing > 0 ? housing : kXHousingWidth)) / 2, std::min(60.0, width / 2), width / 2);
  double centerY = height / 2 + (height >= 40 ? 1.5 : 0);

  auto foreground = plainView(process, bounds);
  bar.addSubview(foreground);
  bar.foregroundView = foreground;
  auto left = plainView(process, CGRectMake(0, 0, ear, height));
  left->setAutoresizingMask(UIViewAutoresizingFlexibleRightMargin | UIViewAutoresizingFlexibleHeight);
  foreground->addSubview(left);
  auto right = plainView(process, CGRectMake(width - ear, 0, ear, height));
  right->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin | UIViewAutoresizingFlexibleHeight);
  foreground->addSubview(right);

  auto time = makeStatusBarItem(process, item::kTime, {ear / 2, centerY}, kSplitFontSize);
  left->addSubview(time);
  placeRow(process, *right, {item::kBattery, item::kDataNetwork, item::kSignalStrength}, ear - 14, false,
           centerY, kSplitFontSize);

  std::vector<std::shared_ptr<UIView>> levels{std::static_pointer_cast<UIView>(bar.self()), foreground, left,
                                              time};
  addBackgroundActivityViews(process, levels, *time, options);
}

}  // namespace platform
