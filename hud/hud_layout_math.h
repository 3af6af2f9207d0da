#pragma once
// The HUD's geometry for an interface orientation, computed from the settings, the mode and the screen.
// The controller applies it to the views in the documented order; keeping the arithmetic here, free of
// views, lets it be checked number by number.
#include <optional>

#include "hud/modes.h"
#include "platform/graphics/geometry.h"

namespace tarvo {

struct Settings;

struct HudLayoutInput {
  platform::CGRect screenBounds;          // the main screen's bounds
  platform::CGPoint windowBoundsOrigin;   // kept from the window's current bounds
  platform::CGSize labelSize{34, 40};     // the label keeps its size
  platform::CGSize minIconSize{14, 14};   // the icon views keep theirs
  platform::CGSize maxIconSize{14, 14};
  InterfaceOrientation orientation = InterfaceOrientation::Portrait;
  VolumeMode mode = VolumeMode::Media;
};

struct HudLayout {
  std::optional<float> fullWidth;  // in full-width mode, the WIDTH the layout is made for
  double screenWidth = 0;   // shorter side
  double screenHeight = 0;  // longer side
  float sliderViewWidth = 0;
  float hudHeight = 0;
  double W = 0;   // the HUD's width
  double x0 = 0;  // the slider container's base inset
  double rotation = 0;
  platform::CGRect windowBounds;
  platform::CGPoint windowCenter;
  platform::CGRect sliderContainerFrame;
  double sliderContainerRadius = 0;
  platform::CGRect sliderFrame;
  platform::CGRect backgroundFrame;  // blur, vibrancy and HUD view
  double backgroundRadius = 0;
  platform::CGRect labelFrame;
  platform::CGRect minIconFrame;
  platform::CGRect maxIconFrame;
};

// In full-width mode the layout is made for the width the screen leaves (`fullWidth`), which the caller
// writes to WIDTH, as the layout always has; the next settings load restores it.
HudLayout computeHudLayout(const Settings& settings, const HudLayoutInput& input);

}  // namespace tarvo
