#include "hud/hud_layout_math.h"

#include <algorithm>
#include <cmath>

#include "hud/icon_choice.h"
#include "settings/settings.h"

namespace tarvo {

namespace {
constexpr double kPi = 3.14159265358979323846;

// Where the HUD's centre sits along its own width, measured along the side the user sees as the top.
double alongWidth(int alignment, double W, double L, double length, bool mirrored) {
  int near = mirrored ? 2 : 0;  // the code that puts the HUD at the start of this axis
  int far = mirrored ? 0 : 2;
  if (alignment == near) return W / 2 + L;
  if (alignment == far) return length - W / 2 - L;
  return length / 2;
}
}  // namespace

HudLayout computeHudLayout(const Settings& s, const HudLayoutInput& in) {
  HudLayout out;
  const double bw = in.screenBounds.size.width;
  const double bh = in.screenBounds.size.height;
  out.screenWidth = std::fmin(bw, bh);
  out.screenHeight = std::fmax(bw, bh);
  const bool landscape = isLandscape(in.orientation);

  float width = s.WIDTH;
  if (s.FULLWIDTH) {
    double margin = landscape ? s.RIGHTLEFTFIXEDLANDSCAPE : s.RIGHTLEFTFIXED;
    double side = landscape ? out.screenHeight : out.screenWidth;
    width = static_cast<float>(side - margin);
    out.fullWidth = width;
  }

  float W = width;
  if (s.OVERLAYBACKGROUND) {
    W = width + 2 * s.PADDINGRIGHTLEFT;
    out.hudHeight = s.HEIGHT + 2 * s.PADDINGTOPBOTTOM;
  } else {
    out.hudHeight = s.HEIGHT + 16;
  }
  if (s.VOLUMEPERCENTAGE) W += 40;
  out.W = W;

  const bool icons = iconsShown(s, in.mode);
  if (icons) {
    out.sliderViewWidth = width - (s.SINGLEINDICATOR ? 20 : 40);
    out.x0 = 20;
  } else {
    out.sliderViewWidth = width - 8;
    out.x0 = 4;
  }

  const double L = landscape ? s.RIGHTLEFTFIXEDLANDSCAPE : s.RIGHTLEFTFIXED;
  const double Y = landscape ? s.YPOSITIONLANDSCAPE : s.YPOSITION;
  const double h = out.hudHeight;
  const double sw = out.screenWidth;
  const double sh = out.screenHeight;
  if (in.orientation == InterfaceOrientation::LandscapeRight) {
    out.rotation = kPi / 2;
    out.windowCenter.y = alongWidth(s.ALIGNMENT, out.W, L, sh, false);
    out.windowCenter.x = s.FROMBOTTOM ? h / 2 + Y : sw - Y - h / 2;
  } else if (in.orientation == InterfaceOrientation::LandscapeLeft) {
    out.rotation = -kPi / 2;
    out.windowCenter.y = alongWidth(s.ALIGNMENT, out.W, L, sh, true);
    out.windowCenter.x = s.FROMBOTTOM ? sw - Y - h / 2 : h / 2 + Y;
  } else {
    out.rotation = 0;
    out.windowCenter.x = alongWidth(s.ALIGNMENT, out.W, L, sw, false);
    out.windowCenter.y = s.FROMBOTTOM ? sh - Y - h / 2 : h / 2 + Y;
  }
  out.windowBounds = {in.windowBoundsOrigin, {out.W, h}};

  const double padding = s.OVERLAYBACKGROUND ? s.PADDINGRIGHTLEFT : 0.0;
  const float containerY = out.hudHeight / 2 - s.HEIGHT / 2;
  out.sliderContainerRadius = s.HEIGHT / 2;
  out.sliderContainerFrame = {{out.x0 + padding, containerY}, {out.sliderViewWidth, s.HEIGHT}};
  out.sliderFrame = {{0, 0}, {out.sliderViewWidth, s.HEIGHT}};

  out.backgroundRadius = s.RADIUS;
  out.backgroundFrame = out.windowBounds;

  const double hudViewWidth = out.backgroundFrame.size.width;
  double labelX = s.OVERLAYBACKGROUND ? out.W - s.PADDINGRIGHTLEFT - 34 : hudViewWidth - (icons ? 34 : 38);
  out.labelFrame = {{labelX, h / 2 - in.labelSize.height / 2}, in.labelSize};
  out.minIconFrame = {{padding, h / 2 - in.minIconSize.height / 2}, in.minIconSize};
  double maxRight = s.OVERLAYBACKGROUND ? out.W - s.PADDINGRIGHTLEFT : hudViewWidth;
  out.maxIconFrame = {{maxRight - 14, h / 2 - in.maxIconSize.height / 2}, in.maxIconSize};
  return out;
}

}  // namespace tarvo
