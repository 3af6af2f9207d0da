#pragma once
// UIVisualEffectView with blur and vibrancy effects. Effects are plain values here; the view draws its
// effect over what lies beneath it and hosts its content in contentView.
#include <memory>
#include <optional>

#include "platform/uikit/view.h"

namespace platform {

enum UIBlurEffectStyle : int {
  UIBlurEffectStyleExtraLight = 0,
  UIBlurEffectStyleLight = 1,
  UIBlurEffectStyleDark = 2,
  UIBlurEffectStyleRegular = 4,
  UIBlurEffectStyleProminent = 5,
};

struct UIVisualEffect {
  enum class Kind { Blur, Vibrancy };
  Kind kind = Kind::Blur;
  UIBlurEffectStyle style = UIBlurEffectStyleLight;  // for vibrancy: the style of the blur it sits on
  bool operator==(const UIVisualEffect&) const = default;
};

struct UIBlurEffect {
  static UIVisualEffect effectWithStyle(UIBlurEffectStyle style) {
    return {UIVisualEffect::Kind::Blur, style};
  }
};

struct UIVibrancyEffect {
  static UIVisualEffect effectForBlurEffect(const UIVisualEffect& blur) {
    return {UIVisualEffect::Kind::Vibrancy, blur.style};
  }
};

class UIVisualEffectView : public UIView {
 public:
  using UIView::UIView;

  const std::optional<UIVisualEffect>& effect() const { return effect_; }
  void setEffect(std::optional<UIVisualEffect> effect) { effect_ = effect; }
  // Made with the view (initWithFrame:), filling it and following its size.
  std::shared_ptr<UIView> contentView();

 private:
  std::optional<UIVisualEffect> effect_;
  std::shared_ptr<UIView> contentView_;
};

// alloc + initWithEffect: through the runtime; nil when the class is missing.
std::shared_ptr<UIVisualEffectView> makeVisualEffectView(Process& process,
                                                         std::optional<UIVisualEffect> effect,
                                                         std::string_view className = "UIVisualEffectView");

}  // namespace platform
