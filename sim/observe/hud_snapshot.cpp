#include "sim/observe/hud_snapshot.h"

#include <cmath>
#include <stdexcept>

#include "hud/tarvo12.h"
#include "platform/device/device.h"
#include "platform/uikit/image_view.h"
#include "platform/uikit/label.h"
#include "platform/uikit/slider.h"
#include "platform/uikit/visual_effect_view.h"
#include "platform/uikit/window.h"
#include "sim/observe/icon_reading.h"

namespace sim {

using platform::PlistArray;
using platform::PlistDict;
using platform::PlistValue;

namespace {

using Read = std::optional<PlistValue>;

PlistValue rect(const platform::CGRect& r) { return PlistArray{r.origin.x, r.origin.y, r.size.width, r.size.height}; }
PlistValue point(const platform::CGPoint& p) { return PlistArray{p.x, p.y}; }
PlistValue size(const platform::CGSize& s) { return PlistArray{s.width, s.height}; }

Read colour(const std::optional<platform::UIColor>& c) {
  if (!c) return std::nullopt;
  return PlistArray{c->red(), c->green(), c->blue(), c->alpha()};
}

double degrees(const platform::CGAffineTransform& t) { return std::atan2(t.b, t.a) * 180 / 3.14159265358979323846; }

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

platform::UIView* viewOf(const tarvo::HudViews& v, HudView view) {
  switch (view) {
    case HudView::Window: return v.tarvoHUDWindow.get();
    case HudView::HUDView: return v.tarvoHUDView.get();
    case HudView::BlurEffectView: return v.tarvoBlurEffectView.get();
    case HudView::VibrancyEffectView: return v.tarvoVibrancyEffectView.get();
    case HudView::Label: return v.tarvoHUDLabel.get();
    case HudView::SliderView: return v.tarvoHUDSliderView.get();
    case HudView::Slider: return v.tarvoHUDSlider.get();
    case HudView::MinImageView: return v.tarvoHUDMinImageView.get();
    case HudView::MaxImageView: return v.tarvoHUDMaxImageView.get();
  }
  return nullptr;
}

Read statusColors(const tarvo::Tarvo12& lib) {
  PlistDict colors;
  for (const auto& [bundle, hsb] : lib.statusColors.entries())
    colors.set(bundle, PlistArray{static_cast<double>(hsb[0]), static_cast<double>(hsb[1]), static_cast<double>(hsb[2])});
  return PlistValue(std::move(colors));
}

Read setting(const tarvo::Tarvo12& lib, std::string_view name) {
  PlistDict all = tarvo::settingsSnapshot(lib.settings);
  if (const PlistValue* value = all.find(std::string(name))) return *value;
  return std::nullopt;
}

template <class View, class Reader>
Read readAs(platform::UIView* view, Reader read) {
  auto* as = dynamic_cast<View*>(view);
  return as ? Read(read(*as)) : std::nullopt;
}

// Every source in one switch: a source without a reader here does not build.
Read read(const tarvo::Tarvo12& lib, platform::Nanos now, const SnapshotField& field) {
  platform::UIView* view = field.view ? viewOf(lib.views, *field.view) : nullptr;
  if (field.view && !view) return std::nullopt;
  // A field of one kind of view reads nothing on the others. The cast is made for such a field only: a
  // snapshot reads a hundred fields.
  auto label = [&](auto read) { return readAs<platform::UILabel>(view, read); };
  auto slider = [&](auto read) { return readAs<platform::UISlider>(view, read); };
  auto imageView = [&](auto read) { return readAs<platform::UIImageView>(view, read); };
  auto image = [&](auto read) {
    return imageView([&](platform::UIImageView& i) {
      const platform::UIImagePtr shown = i.image();
      return shown ? Read(read(shown)) : std::nullopt;
    });
  };
  switch (field.source) {
    case FieldSource::Frame: return rect(view->frame());
    case FieldSource::Bounds: return rect(view->bounds());
    case FieldSource::Center: return point(view->center());
    case FieldSource::Alpha: return view->alpha();
    case FieldSource::Hidden: return view->isHidden();
    case FieldSource::CornerRadius: return view->layer().cornerRadius();
    case FieldSource::MasksToBounds: return view->layer().masksToBounds();
    case FieldSource::GestureRecognizers: return static_cast<std::int64_t>(view->gestureRecognizers().size());
    case FieldSource::PresentationFrame: return rect(view->presentation(now).frame());
    case FieldSource::PresentationBounds: return rect(view->presentation(now).bounds);
    case FieldSource::PresentationCenter: return point(view->presentation(now).center);
    case FieldSource::PresentationAlpha: return view->presentation(now).alpha;
    case FieldSource::Rotation: return degrees(view->transform());
    case FieldSource::PresentationRotation: return degrees(view->presentation(now).transform);
    case FieldSource::ShadowOpacity: return static_cast<double>(view->layer().shadowOpacity());
    case FieldSource::BackgroundColor: return colour(view->backgroundColor());
    case FieldSource::PresentationBackgroundColor: return colour(view->presentation(now).backgroundColor);
    case FieldSource::Text: return label([](auto& l) { return l.text(); });
    case FieldSource::TextAlignment: return label([](auto& l) { return alignmentName(l.textAlignment()); });
    case FieldSource::TextColor: return label([](auto& l) { return colour(l.textColor()); });
    case FieldSource::SliderValue: return slider([](auto& s) { return static_cast<double>(s.value()); });
    case FieldSource::PresentationSliderValue:
      return slider([&](auto& s) { return static_cast<double>(s.presentationValue(now)); });
    case FieldSource::MinimumValue: return slider([](auto& s) { return static_cast<double>(s.minimumValue()); });
    case FieldSource::MaximumValue: return slider([](auto& s) { return static_cast<double>(s.maximumValue()); });
    case FieldSource::MinimumTrackColor:
      return slider([](auto& s) { return colour(imageColour(s.minimumTrackImageForState(0))); });
    case FieldSource::MaximumTrackColor:
      return slider([](auto& s) { return colour(imageColour(s.maximumTrackImageForState(0))); });
    case FieldSource::TrackRect:
      return slider([&](auto& s) { return rect(platform::sliderTrackRect(lib.views.tarvoHUDSlider, s.bounds())); });
    case FieldSource::Glyph: return imageView([](auto& i) { return readIcon(i.image()).glyph; });
    case FieldSource::Mirrored: return imageView([](auto& i) { return readIcon(i.image()).mirrored; });
    case FieldSource::TintColor: return image([](auto& i) { return colour(readIcon(i).colour); });
    case FieldSource::ImageSize: return image([](auto& i) { return size(i->size()); });
    case FieldSource::ImageScale: return image([](auto& i) { return i->scale(); });
    case FieldSource::ImageOrientation:
      return image([](auto& i) { return std::string(orientationName(i->imageOrientation())); });
    case FieldSource::ImageAlphaDigest: return image([](auto& i) { return readIcon(i).alphaDigest; });
    case FieldSource::MinColor: return colour(lib.colors.tarvoMinColor);
    case FieldSource::MaxColor: return colour(lib.colors.tarvoMaxColor);
    case FieldSource::IndicatorColor: return colour(lib.colors.tarvoIndicatorColor);
    case FieldSource::IsHiding: return lib.lifecycle.isHiding;
    case FieldSource::HidingStatusBarItems: return lib.lifecycle.hidingStatusBarItems;
    case FieldSource::ShowingStatusBarItems: return lib.lifecycle.showingStatusBarItems;
    case FieldSource::IsIPhoneX: return lib.isIPhoneX;
    case FieldSource::IsForceSplit: return lib.isForceSplit;
    case FieldSource::StatusColors: return statusColors(lib);
    case FieldSource::Setting: return setting(lib, settingNameOf(field));
  }
  return std::nullopt;
}

platform::Nanos now(const tarvo::Tarvo12& lib) { return lib.process.device().now(); }

}  // namespace

std::optional<PlistValue> readHudField(const tarvo::Tarvo12& lib, const SnapshotField& field) {
  return read(lib, now(lib), field);
}

std::optional<PlistValue> readHudField(const tarvo::Tarvo12& lib, std::string_view name) {
  std::optional<SnapshotField> field = snapshotFieldNamed(name);
  if (!field) throw std::logic_error("no HUD field named " + std::string(name));
  return read(lib, now(lib), *field);
}

PlistDict hudSnapshot(const tarvo::Tarvo12& lib) {
  PlistDict out;
  out.reserve(snapshotFields().size() + tarvo::kSettingsTable.size());
  const platform::Nanos time = now(lib);
  for (const SnapshotField& field : snapshotFields())
    if (auto value = read(lib, time, field)) out.set(field.name, std::move(*value));
  for (const auto& [name, value] : tarvo::settingsSnapshot(lib.settings)) out.set("setting." + name, value);
  return out;
}

std::optional<HudView> hudViewOf(const tarvo::Tarvo12& lib, const platform::UIView* view) {
  if (!view) return std::nullopt;
  for (const SnapshotField& field : snapshotFields())
    if (field.view && viewOf(lib.views, *field.view) == view) return field.view;
  return std::nullopt;
}

}  // namespace sim
