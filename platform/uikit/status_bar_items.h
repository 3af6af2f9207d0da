#pragma once
// The items a status bar shows, as real subviews the renderer draws like any other: labels for text, plain
// coloured views for glyphs. Each item view knows the number the shell's state provider gives its item, so
// that it can follow what the status bar server says about that item.
//
// | item | shows                        | classic bar      | split bar     |
// |------|------------------------------|------------------|---------------|
// | 0    | time ("9:41")                | centre           | left ear      |
// | 3    | signal strength (four bars)  | left             | right ear     |
// | 4    | service (the server's text)  | left             | -             |
// | 6    | data network (wi-fi)         | left             | right ear     |
// | 12   | battery                      | right            | right ear     |
// | 13   | battery percentage ("100%")  | right            | -             |
#include <memory>
#include <string_view>
#include <vector>

#include "platform/graphics/color.h"
#include "platform/graphics/geometry.h"
#include "platform/uikit/label.h"
#include "platform/uikit/status_bar_server.h"
#include "platform/uikit/view.h"

namespace platform {

class Process;

namespace status_bar_item {
inline constexpr int kSignalStrength = 3;
inline constexpr int kService = 4;
inline constexpr int kDataNetwork = 6;
inline constexpr int kBattery = 12;
inline constexpr int kBatteryPercentage = 13;
}  // namespace status_bar_item

// Runtime class "UIStatusBarItemView".
class UIStatusBarItemView : public UIView {
 public:
  using UIView::UIView;

  int item() const { return item_; }
  const std::shared_ptr<UILabel>& label() const { return label_; }

  // Hidden while any requestor disables the item (the time also while it is cloaked); the service label
  // shows the server's text.
  void applyServerState(const StatusBarServer& server);
  // Text in the colour; glyph parts in it at their own share of its alpha.
  void applyContentColor(const UIColor& color);

 private:
  friend std::shared_ptr<UIStatusBarItemView> makeStatusBarItem(Process&, int, CGPoint, double);
  struct GlyphPart {
    std::shared_ptr<UIView> view;
    double alphaShare;
  };
  int item_ = -1;
  std::shared_ptr<UILabel> label_;
  std::vector<GlyphPart> parts_;
};

// The item view for an item number, centred on `center` (in its future superview's coordinates), with its
// text at `fontSize`. Numbers outside the table make an empty item view.
std::shared_ptr<UIStatusBarItemView> makeStatusBarItem(Process& process, int item, CGPoint center,
                                                       double fontSize);

// What the item shows, for people: "time", "battery", ...; empty for numbers outside the table.
std::string_view statusBarItemName(int item);

// Every item view at any depth below `root`, in depth-first order.
std::vector<std::shared_ptr<UIStatusBarItemView>> statusBarItemsBelow(const UIView& root);

}  // namespace platform
