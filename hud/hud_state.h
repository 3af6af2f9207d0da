#pragma once
// The HUD's process-wide values: its views, the images that dress them, its colours and its flags.
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "hud/icon_choice.h"
#include "hud/modes.h"
#include "platform/graphics/color.h"
#include "platform/graphics/geometry.h"
#include "platform/graphics/image.h"
#include "platform/uikit/visual_effect_view.h"

namespace platform {
class NSTimer;
class UIWindow;
class UIView;
class UILabel;
class UIImageView;
class UISlider;
class UIVisualEffectView;
class UITapGestureRecognizer;
}  // namespace platform

namespace tarvo {

struct HudViews {
  std::shared_ptr<platform::UIWindow> tarvoHUDWindow;
  std::shared_ptr<platform::UIView> tarvoHUDView;
  platform::UIVisualEffect tarvoBlurEffect;
  platform::UIVisualEffect tarvoVibrancyEffect;
  std::shared_ptr<platform::UIVisualEffectView> tarvoBlurEffectView;
  std::shared_ptr<platform::UIVisualEffectView> tarvoVibrancyEffectView;
  std::shared_ptr<platform::UILabel> tarvoHUDLabel;
  std::shared_ptr<platform::UIView> tarvoHUDSliderView;
  std::shared_ptr<platform::UISlider> tarvoHUDSlider;
  std::shared_ptr<platform::UIImageView> tarvoHUDMinImageView;
  std::shared_ptr<platform::UIImageView> tarvoHUDMaxImageView;
};

// Shared with the layout, which recomputes them on every run.
struct HudGeometry {
  double screenWidth = 0;
  double screenHeight = 0;
  float sliderViewWidth = 0;
  float hudHeight = 0;
};

struct HudImages {
  platform::UIImagePtr sliderMinTrackImage;
  platform::UIImagePtr sliderMaxTrackImage;
  platform::UIImagePtr sliderRingerMinImage, sliderRingerMedImage, sliderRingerMaxImage;
  platform::UIImagePtr sliderMediaMinImage, sliderMediaMedImage, sliderMediaMaxImage;
  platform::CGSize sliderMinMaxValImageSize{};
};

struct HudColors {
  std::optional<platform::UIColor> tarvoMinColor;
  std::optional<platform::UIColor> tarvoMaxColor;
  std::optional<platform::UIColor> tarvoIndicatorColor;
};

// What the volume hooks record and the HUD reads.
struct VolumeState {
  VolumeMode tarvoVolumeMode = VolumeMode::Media;
  float ringerVolume = 0;
  float mediaVolume = 0;
  bool silent = false;
  float volumePercentage = 0;
};

struct LifecycleState {
  std::shared_ptr<platform::NSTimer> timer;               // the one pending hide timer
  std::weak_ptr<platform::UITapGestureRecognizer> gesture;  // the view it is attached to owns it
  bool isHiding = false;
  bool hidingStatusBarItems = false;
  bool showingStatusBarItems = false;
};

}  // namespace tarvo
