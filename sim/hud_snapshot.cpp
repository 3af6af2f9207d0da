#include "sim/hud_snapshot.h"

#include <cmath>

#include "hud/icon_choice.h"
#include "hud/tarvo12.h"
#include "platform/uikit/image_view.h"
#include "platform/uikit/label.h"
#include "platform/uikit/slider.h"
#include "platform/uikit/visual_effect_view.h"
#include "platform/uikit/window.h"

namespace sim {

using platform::PlistArray;
using platform::PlistDict;
using platform::PlistValue;

namespace {

PlistValue rect(const platform::CGRect& r) {
  return PlistArray{r.origin.x, r.origin.y, r.size.width, r.size.height};
}
PlistValue point(const platform::CGPoint& p) { return PlistArray{p.x, p.y}; }

void setColour(PlistDict& out, const std::string& name, const std::optional<platform::UIColor>& c) {
  if (c) out.set(name, PlistArray{c->red(), c->green(), c->blue(), c->alpha()});
}

// The colour a one-colour track image was filled with: its centre pixel.
std::optional<platform::UIColor> imageColour(const platform::UIImagePtr& image) {
  if (!image || !image->CGImage()) return std::nullopt;
  const auto& cg = *image->CGImage();
  auto px = cg.rgba(cg.width() / 2, cg.height() / 2);
  return platform::UIColor::colorWithRed(px.r / 255.0, px.g / 255.0, px.b / 255.0, px.a / 255.0);
}

const char* alignmentName(platform::NSTextAlignment a) {
  switch (a) {
    case platform::NSTextAlignmentLeft: return "left";
    case platform::NSTextAlignmentCenter: return "center";
    case platform::NSTextAlignmentRight: return "right";
    case platform::NSTextAlignmentJustified: return "justified";
    default: return "natural";
  }
}

void addView(PlistDict& out, const std::string& name, const platform::UIView* view) {
  if (!view) return;
  out.set(name + ".frame", rect(view->frame()));
  out.set(name + ".bounds", rect(view->bounds()));
  out.set(name + ".center", point(view->center()));
  out.set(name + ".alpha", view->alpha());
  out.set(name + ".hidden", view->isHidden());
}

void addIcon(PlistDict& out, const std::string& name, const platform::UIImageView* view, tarvo::Glyph glyph,
             const std::optional<platform::UIColor>& tint) {
  if (!view) return;
  addView(out, name, view);
  bool shown = view->image() != nullptr;
  out.set(name + ".glyph", std::string(tarvo::glyphName(shown ? glyph : tarvo::Glyph::None)));
  out.set(name + ".mirrored", false);
  if (!shown) return;
  // The icon view shows a scaled copy; the tinted source says whether it was mirrored.
  setColour(out, name + ".tintColor", tint);
}

}  // namespace

PlistDict hudSnapshot(const tarvo::Tarvo12& lib) {
  PlistDict out;
  const auto& v = lib.views;
  addView(out, "tarvoHUDWindow", v.tarvoHUDWindow.get());
  if (v.tarvoHUDWindow) {
    const auto& t = v.tarvoHUDWindow->transform();
    out.set("tarvoHUDWindow.rotation", std::atan2(t.b, t.a) * 180 / 3.14159265358979323846);
    out.set("tarvoHUDWindow.shadowOpacity", static_cast<double>(v.tarvoHUDWindow->layer().shadowOpacity()));
  }
  addView(out, "tarvoHUDView", v.tarvoHUDView.get());
  if (v.tarvoHUDView) {
    setColour(out, "tarvoHUDView.backgroundColor", v.tarvoHUDView->backgroundColor());
    out.set("tarvoHUDView.cornerRadius", v.tarvoHUDView->layer().cornerRadius());
  }
  addView(out, "tarvoBlurEffectView", v.tarvoBlurEffectView.get());
  addView(out, "tarvoVibrancyEffectView", v.tarvoVibrancyEffectView.get());
  addView(out, "tarvoHUDLabel", v.tarvoHUDLabel.get());
  if (v.tarvoHUDLabel) {
    out.set("tarvoHUDLabel.text", v.tarvoHUDLabel->text());
    out.set("tarvoHUDLabel.textAlignment", alignmentName(v.tarvoHUDLabel->textAlignment()));
    setColour(out, "tarvoHUDLabel.textColor", v.tarvoHUDLabel->textColor());
  }
  addView(out, "tarvoHUDSliderView", v.tarvoHUDSliderView.get());
  addView(out, "tarvoHUDSlider", v.tarvoHUDSlider.get());
  if (v.tarvoHUDSlider) {
    out.set("tarvoHUDSlider.value", static_cast<double>(v.tarvoHUDSlider->value()));
    out.set("tarvoHUDSlider.minimumValue", static_cast<double>(v.tarvoHUDSlider->minimumValue()));
    out.set("tarvoHUDSlider.maximumValue", static_cast<double>(v.tarvoHUDSlider->maximumValue()));
    setColour(out, "tarvoHUDSlider.minimumTrackColor", imageColour(v.tarvoHUDSlider->minimumTrackImageForState(0)));
    setColour(out, "tarvoHUDSlider.maximumTrackColor", imageColour(v.tarvoHUDSlider->maximumTrackImageForState(0)));
  }
  const auto& shown = lib.images.shownIcons;
  addIcon(out, "tarvoHUDMinImageView", v.tarvoHUDMinImageView.get(), shown.left, lib.colors.tarvoIndicatorColor);
  addIcon(out, "tarvoHUDMaxImageView", v.tarvoHUDMaxImageView.get(), shown.right, lib.colors.tarvoIndicatorColor);
  for (const char* name : {"tarvoHUDMinImageView", "tarvoHUDMaxImageView"})
    if (out.contains(std::string(name) + ".glyph")) out.set(std::string(name) + ".mirrored", lib.images.iconsMirrored);

  setColour(out, "tarvoMinColor", lib.colors.tarvoMinColor);
  setColour(out, "tarvoMaxColor", lib.colors.tarvoMaxColor);
  setColour(out, "tarvoIndicatorColor", lib.colors.tarvoIndicatorColor);
  out.set("isHiding", lib.lifecycle.isHiding);
  out.set("hidingStatusBarItems", lib.lifecycle.hidingStatusBarItems);
  out.set("showingStatusBarItems", lib.lifecycle.showingStatusBarItems);
  out.set("isIPhoneX", lib.isIPhoneX);
  out.set("isForceSplit", lib.isForceSplit);
  PlistDict colors;
  for (const auto& [bundle, hsb] : lib.statusColors.entries())
    colors.set(bundle, PlistArray{static_cast<double>(hsb[0]), static_cast<double>(hsb[1]), static_cast<double>(hsb[2])});
  out.set("statusColors", std::move(colors));
  for (const auto& [name, value] : tarvo::settingsSnapshot(lib.settings)) out.set("setting." + name, value);
  return out;
}

}  // namespace sim
