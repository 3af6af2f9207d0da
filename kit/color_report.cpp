#include "kit/color_report.h"

#include "kit/object_lookup.h"
#include "platform/device/log.h"
#include "platform/graphics/color.h"
#include "platform/runtime/message.h"
#include "shared/protocol.h"

namespace tarvokit {

namespace protocol = tarvo::protocol;
using platform::UIColor;

namespace {

bool flag(const platform::PlistDict* info, std::string_view key) {
  const platform::PlistValue* value = info ? info->find(key) : nullptr;
  return value && value->boolValue().value_or(false);
}

std::string describe(const rt::Id& object) {
  if (!object) return "(null)";
  if (rt::respondsToSelector(object, "description")) return rt::send<std::string()>(object, "description");
  return object->description();
}

// A bar that does not know the message answers 0, as nil does.
long long currentStyle(const rt::Id& statusBar) {
  return rt::respondsToSelector(statusBar, "currentStyle") ? rt::send<long long()>(statusBar, "currentStyle")
                                                           : 0;
}

std::optional<UIColor> tintColor(const rt::Id& foregroundStyle) {
  if (!rt::respondsToSelector(foregroundStyle, "tintColor")) return std::nullopt;
  return rt::send<std::optional<UIColor>()>(foregroundStyle, "tintColor");
}

// The colour the status bar draws its content in, or nothing when there is nothing to answer with.
std::optional<std::optional<UIColor>> statusBarColor(platform::Process& process, bool split) {
  rt::Id statusBar = sharedStatusBar(process);
  if (split) {
    platform::NSLog(process, "[TARVO12] [Line 111]: statusBar: " + describe(statusBar));
    return currentStyle(statusBar) == 1 ? UIColor::whiteColor() : UIColor::blackColor();
  }
  if (!statusBar) return std::nullopt;
  rt::Id attributes = objectIvar(statusBar, "_styleAttributes");
  if (!attributes) return std::nullopt;
  rt::Id foregroundStyle = objectIvar(attributes, "_foregroundStyle");
  if (!foregroundStyle) return UIColor::blackColor();
  return tintColor(foregroundStyle);
}

}  // namespace

void reportStatusBarColor(platform::Process& process, const std::optional<std::string>& bundle,
                          const platform::NSNotification& note) {
  platform::NSLog(process, "[TARVO12] [Line 104]: Requested status bar colors");
  const platform::PlistDict* info = note.userInfo();
  const std::string* frontMostApp = info ? platform::stringForKey(*info, protocol::kFrontMostApp) : nullptr;
  const bool split = flag(info, protocol::kIsForceSplit) || flag(info, protocol::kIsIPhoneX);
  if (!bundle || !frontMostApp || *bundle != *frontMostApp) return;

  auto color = statusBarColor(process, split);
  if (!color) return;
  // A nil tint cannot be taken apart; black keeps the numbers defined.
  double hue = 0, saturation = 0, brightness = 0, alpha = 0;
  color->value_or(UIColor::blackColor()).getHue(&hue, &saturation, &brightness, &alpha);

  platform::PlistDict reply;
  reply.set(std::string(protocol::kBundle), *bundle);
  reply.set(std::string(protocol::kHue), static_cast<float>(hue));
  reply.set(std::string(protocol::kSaturation), static_cast<float>(saturation));
  reply.set(std::string(protocol::kBrightness), static_cast<float>(brightness));
  reply.set(std::string(protocol::kAlpha), static_cast<float>(alpha));
  platform::CFNotificationCenterPostNotification(platform::CFNotificationCenterGetDistributedCenter(process),
                                                 protocol::kGetStatusBarProperties, nullptr, &reply, true);
}

}  // namespace tarvokit
