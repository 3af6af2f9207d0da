#include "hud/colors.h"

#include "hud/hud_caches.h"
#include "hud/tarvo12.h"
#include "hud/tarvo_hud.h"
#include "platform/device/distributed_center.h"
#include "platform/graphics/color_string.h"
#include "platform/runtime/message.h"
#include "platform/uikit/application.h"
#include "settings/settings.h"
#include "shared/protocol.h"

namespace tarvo {

namespace {

using platform::UIColor;

struct ColorReport {
  std::optional<std::string> bundle;
  float hue, saturation, brightness;
};

// All five keys, tested in their order. Hue, saturation and brightness are read with floatValue, so a
// string answers its leading number; a container or data where a component belongs counts as missing.
// "alpha" is never used and only has to be there.
std::optional<ColorReport> readReport(const platform::PlistDict* info, bool bundleMustBeText) {
  if (!info) return std::nullopt;
  const platform::PlistValue* bundle = info->find(protocol::kBundle);
  if (!bundle || (bundleMustBeText && !bundle->asString())) return std::nullopt;
  auto component = [&](std::string_view key) -> std::optional<float> {
    const platform::PlistValue* value = info->find(key);
    return value ? value->floatValue() : std::nullopt;
  };
  auto hue = component(protocol::kHue);
  auto brightness = component(protocol::kBrightness);
  auto saturation = component(protocol::kSaturation);
  if (!hue || !brightness || !saturation || !info->contains(protocol::kAlpha)) return std::nullopt;
  return ColorReport{bundle->asString() ? std::optional<std::string>(*bundle->asString()) : std::nullopt, *hue,
                     *saturation, *brightness};
}

UIColor hsb(float h, float s, float b, double alpha) {
  return UIColor::colorWithHue(static_cast<double>(h), static_cast<double>(s), static_cast<double>(b), alpha);
}

// App colours always come opaque, with the rest of the track at 0.15.
void setAppColors(Tarvo12& lib, float h, float s, float b) {
  lib.colors.tarvoMinColor = hsb(h, s, b, 1.0);
  lib.colors.tarvoMaxColor = hsb(h, s, b, 0.15);
  lib.colors.tarvoIndicatorColor = hsb(h, s, b, 1.0);
}

// The shell's own status bar colour, for the home screen. Where none is defined, black.
UIColor springBoardBarColor(Tarvo12& lib, bool split) {
  rt::Id statusBar;
  if (rt::Id* bar = rt::ivarAddress<rt::Id>(lib.process.application(), "_statusBar")) statusBar = *bar;
  if (split) {
    auto* color = rt::ivarAddress<std::optional<UIColor>>(statusBar, "_foregroundColor");
    return color && *color ? **color : UIColor::blackColor();
  }
  rt::Id* attributes = rt::ivarAddress<rt::Id>(statusBar, "_styleAttributes");
  rt::Id* style = attributes ? rt::ivarAddress<rt::Id>(*attributes, "_foregroundStyle") : nullptr;
  if (!style || !*style) return UIColor::blackColor();
  return rt::send<std::optional<UIColor>()>(*style, "tintColor").value_or(UIColor::blackColor());
}

std::optional<std::string> frontMostApp(Tarvo12& lib) {
  rt::Id app = rt::send<rt::Id()>(lib.process.application(), "_accessibilityFrontMostApplication");
  return rt::send<std::optional<std::string>()>(app, "bundleIdentifier");
}

void requestColors(Tarvo12& lib, const std::string& front) {
  platform::PlistDict info;
  info.set(std::string(protocol::kFrontMostApp), front);
  info.set(std::string(protocol::kIsForceSplit), lib.isForceSplit);
  info.set(std::string(protocol::kIsIPhoneX), lib.isIPhoneX);
  platform::NSDistributedNotificationCenter::defaultCenter(lib.process)
      .postNotificationName(protocol::kRequestStatusBarProperties, nullptr, &info);
}

UIColor colorIn(const std::optional<platform::PlistDict>& file, std::string_view key, std::string_view fallback) {
  const std::string* text = file ? platform::stringForKey(*file, key) : nullptr;
  // A value that is not a string counts as absent, like the other settings.
  return platform::LCPParseColorString(text ? std::string_view(*text) : fallback, "#000000");
}

}  // namespace

UIColor TarvoHUD::colorFromPreferenceKey(std::string_view key, std::string_view fallback) {
  // Read afresh at every use: a colour change needs no reload notification.
  return colorIn(HudCaches::of(lib_.process).settingsFile(lib_.preferences.path()), key, fallback);
}

void TarvoHUD::adjustColors() {
  auto& c = lib_.colors;
  if (!lib_.settings.DYNCOLORS) {
    // The three are read at one moment, so one look at the file (one stat) serves them all; the literal
    // path reads it for each colour.
    auto& caches = HudCaches::of(lib_.process);
    const std::optional<platform::PlistDict>* file = nullptr;
    auto color = [&](const ColorSetting& setting) {
      if (!file || !caches.enabled()) file = &caches.settingsFile(lib_.preferences.path());
      return colorIn(*file, setting.key, setting.fallback);
    };
    c.tarvoMinColor = color(kMinColor);
    c.tarvoMaxColor = color(kMaxColor);
    c.tarvoIndicatorColor = color(kIndicatorColor);
    createElements();
    return;
  }
  const bool split = lib_.isIPhoneX || lib_.isForceSplit;
  if (auto front = frontMostApp(lib_)) {
    if (auto cached = lib_.statusColors.find(*front)) {
      setAppColors(lib_, (*cached)[0], (*cached)[1], (*cached)[2]);
      createElements();
    } else {
      // The answer comes later, through the colour handler; until then the colours stay as they are.
      requestColors(lib_, *front);
    }
    return;
  }
  double h = 0, s = 0, b = 0, a = 0;
  springBoardBarColor(lib_, split).getHue(&h, &s, &b, &a);
  c.tarvoMinColor = UIColor::colorWithHue(h, s, b, a);
  c.tarvoMaxColor = UIColor::colorWithHue(h, s, b, 0.15);
  c.tarvoIndicatorColor = UIColor::colorWithHue(h, s, b, a);
  createElements();
}

void TarvoHUD::saveStatusColor(const platform::PlistDict& userInfo) {
  auto report = readReport(&userInfo, true);
  if (!report) return;
  lib_.statusColors.store(*report->bundle, {report->hue, report->saturation, report->brightness});
}

void statusBarColorReceived(Tarvo12& lib, const platform::PlistDict* userInfo) {
  auto report = readReport(userInfo, false);
  if (!report) return;
  setAppColors(lib, report->hue, report->saturation, report->brightness);
  rt::send<void()>(lib.tarvoHUD, "createElements");
}

void statusColorStoreReceived(Tarvo12& lib, const platform::PlistDict* userInfo) {
  if (!readReport(userInfo, true)) return;
  // Dropped while no controller exists: a message to nil does nothing.
  rt::send<void(platform::PlistDict)>(lib.tarvoHUD, "saveStatusColor:", *userInfo);
}

}  // namespace tarvo
