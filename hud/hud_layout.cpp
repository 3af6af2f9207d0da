#include "hud/hud_layout_math.h"
#include "hud/tarvo12.h"
#include "hud/tarvo_hud.h"
#include "platform/uikit/image_view.h"
#include "platform/uikit/label.h"
#include "platform/uikit/screen.h"
#include "platform/uikit/slider.h"
#include "platform/uikit/visual_effect_view.h"
#include "platform/uikit/window.h"

namespace tarvo {

using namespace platform;

namespace {
constexpr double kRotationAnimationDuration = 0.5;

void round(UIView& view, double radius, CGRect frame) {
  view.layer().setCornerRadius(radius);
  view.layer().setMasksToBounds(true);
  view.setFrame(frame);
}
}  // namespace

void TarvoHUD::adjustViewsForOrientation(long long orientation, bool animated) {
  auto& v = lib_.views;
  if (!v.tarvoHUDWindow) return;
  HudLayoutInput input;
  input.screenBounds = UIScreen::mainScreen(lib_.process)->bounds();
  input.windowBoundsOrigin = v.tarvoHUDWindow->bounds().origin;
  input.labelSize = v.tarvoHUDLabel->frame().size;
  input.minIconSize = v.tarvoHUDMinImageView->frame().size;
  input.maxIconSize = v.tarvoHUDMaxImageView->frame().size;
  input.orientation = orientation;
  input.mode = lib_.volume.tarvoVolumeMode;
  const HudLayout layout = computeHudLayout(lib_.settings, input);

  auto& g = lib_.geometry;
  g.screenWidth = layout.screenWidth;
  g.screenHeight = layout.screenHeight;
  g.sliderViewWidth = layout.sliderViewWidth;
  g.hudHeight = layout.hudHeight;

  auto window = v.tarvoHUDWindow;
  auto place = [window, &layout] {
    window->setTransform(CGAffineTransformMakeRotation(layout.rotation));
    window->setBounds(layout.windowBounds);
    window->setCenter(layout.windowCenter);
  };
  if (animated)
    UIView::animateWithDuration(lib_.process, kRotationAnimationDuration, 0, UIViewAnimationOptionBeginFromCurrentState,
                                place, nullptr);
  else
    place();

  round(*v.tarvoHUDSliderView, layout.sliderContainerRadius, layout.sliderContainerFrame);
  v.tarvoHUDSlider->setFrame(layout.sliderFrame);
  round(*v.tarvoBlurEffectView, layout.backgroundRadius, layout.backgroundFrame);
  round(*v.tarvoVibrancyEffectView, layout.backgroundRadius, layout.backgroundFrame);
  round(*v.tarvoHUDView, layout.backgroundRadius, layout.backgroundFrame);
  v.tarvoHUDLabel->setFrame(layout.labelFrame);
  v.tarvoHUDMinImageView->setFrame(layout.minIconFrame);
  v.tarvoHUDMaxImageView->setFrame(layout.maxIconFrame);
}

}  // namespace tarvo
