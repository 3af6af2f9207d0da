#include "sim/lint/hud_placement.h"

#include <algorithm>
#include <cmath>

#include "hud/hud_layout_math.h"
#include "hud/icon_choice.h"
#include "settings/settings.h"

namespace sim {

using platform::CGRect;

HudPlacement placeHud(const tarvo::Settings& settings, const DeviceModel& model,
                      tarvo::InterfaceOrientation orientation, tarvo::VolumeMode mode) {
  tarvo::HudLayoutInput input;
  input.screenBounds = {{0, 0}, {model.width, model.height}};
  input.orientation = orientation;
  input.mode = mode;
  const tarvo::HudLayout layout = tarvo::computeHudLayout(settings, input);

  const CGRect bounds = layout.windowBounds;
  CGRect extent = bounds;
  if (!settings.OVERLAYBACKGROUND) {
    extent = layout.sliderContainerFrame;
    if (tarvo::iconsShown(settings, mode))
      extent = platform::CGRectUnion(extent, platform::CGRectUnion(layout.minIconFrame, layout.maxIconFrame));
    if (settings.VOLUMEPERCENTAGE) {
      CGRect label = layout.labelFrame;
      const double top = std::max(label.origin.y, bounds.origin.y);
      const double bottom =
          std::min(label.origin.y + label.size.height, bounds.origin.y + bounds.size.height);
      if (bottom > top) label = {{label.origin.x, top}, {label.size.width, bottom - top}};
      extent = platform::CGRectUnion(extent, label);
    }
  }

  // The window turns about its centre, which sits at windowCenter on the screen.
  const double midX = bounds.origin.x + bounds.size.width / 2,
               midY = bounds.origin.y + bounds.size.height / 2;
  platform::CGAffineTransform place = platform::CGAffineTransformMakeRotation(layout.rotation);
  place.tx = layout.windowCenter.x;
  place.ty = layout.windowCenter.y;
  auto onScreen = [&](CGRect r) {
    return platform::CGRectApplyAffineTransform(platform::CGRectOffset(r, -midX, -midY), place);
  };

  HudPlacement out;
  out.window = onScreen(bounds);
  out.extent = onScreen(extent);
  if (settings.OVERLAYBACKGROUND) {
    const double fits = std::min(extent.size.width, extent.size.height) / 2;
    out.radius = std::clamp(static_cast<double>(layout.backgroundRadius), 0.0, std::max(0.0, fits));
  }
  return out;
}

CGRect asSeen(CGRect r, tarvo::InterfaceOrientation orientation, double width, double height) {
  r = platform::CGRectStandardize(r);
  const double minX = r.origin.x, minY = r.origin.y, w = r.size.width, h = r.size.height;
  switch (orientation) {
    case tarvo::InterfaceOrientation::PortraitUpsideDown:
      return {{width - minX - w, height - minY - h}, {w, h}};
    // The top edge they see is the portrait right edge; their left is the portrait top.
    case tarvo::InterfaceOrientation::LandscapeRight:
      return {{minY, width - minX - w}, {h, w}};
    // Their top is the portrait left edge; their left is the portrait bottom.
    case tarvo::InterfaceOrientation::LandscapeLeft:
      return {{height - minY - h, minX}, {h, w}};
    case tarvo::InterfaceOrientation::Portrait:
      break;
  }
  return r;
}

}  // namespace sim
