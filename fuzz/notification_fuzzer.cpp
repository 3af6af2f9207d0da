// The six notifications with arbitrary property-list payloads (any keys, any value kinds, NaN and
// infinities), delivered into a running phone whose HUD is shown, between presses, taps and rotations.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>

#include "fuzz/fuzz_phone.h"
#include "platform/device/distributed_center.h"
#include "settings/settings.h"
#include "shared/protocol.h"

namespace {

using platform::PlistValue;
namespace protocol = tarvo::protocol;

constexpr std::string_view kNames[] = {protocol::kPrefsChanged,
                                       protocol::kToggleTimeX,
                                       protocol::kModifyStatusBar,
                                       protocol::kRequestStatusBarProperties,
                                       protocol::kGetStatusBarProperties,
                                       protocol::kStoreColors};

constexpr std::string_view kKeys[] = {protocol::kModifier, protocol::kAnimationDuration, protocol::kFrontMostApp,
                                      protocol::kIsForceSplit, protocol::kIsIPhoneX, protocol::kBundle,
                                      protocol::kHue, protocol::kSaturation, protocol::kBrightness,
                                      protocol::kAlpha};

constexpr std::string_view kStrings[] = {"hide", "show", "HIDE", "", fuzzing::kFrontApp, fuzzing::kOtherApp,
                                         "com.apple.springboard", "#FF0000:0.5"};

double interestingDouble(FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange(0, 7)) {
    case 0: return std::numeric_limits<double>::quiet_NaN();
    case 1: return std::numeric_limits<double>::infinity();
    case 2: return -std::numeric_limits<double>::infinity();
    case 3: return std::numeric_limits<double>::max();
    case 4: return std::numeric_limits<double>::denorm_min();
    case 5: return -0.0;
    default: return in.ConsumeFloatingPoint<double>();
  }
}

PlistValue value(FuzzedDataProvider& in, int depth);

platform::PlistDict dict(FuzzedDataProvider& in, int depth) {
  platform::PlistDict d;
  const int n = in.ConsumeIntegralInRange(0, 8);
  for (int i = 0; i < n && in.remaining_bytes(); ++i) {
    std::string key = in.ConsumeBool() ? std::string(in.PickValueInArray(kKeys)) : in.ConsumeRandomLengthString(16);
    d.set(std::move(key), value(in, depth + 1));
  }
  return d;
}

PlistValue value(FuzzedDataProvider& in, int depth) {
  switch (in.ConsumeIntegralInRange(0, depth < 3 ? 9 : 7)) {
    case 0: return PlistValue(in.ConsumeBool());
    case 1: return PlistValue(in.ConsumeIntegral<std::int64_t>());
    case 2: return PlistValue(interestingDouble(in));
    case 3: return PlistValue(static_cast<double>(in.ConsumeFloatingPointInRange<float>(-2.0f, 2.0f)));
    case 4: return PlistValue(std::string(in.PickValueInArray(kStrings)));
    case 5: return PlistValue(in.ConsumeRandomLengthString(64));
    case 6: return PlistValue(platform::PlistData{in.ConsumeBytes<std::uint8_t>(in.ConsumeIntegralInRange(0, 32))});
    case 7: return PlistValue(platform::PlistDate{interestingDouble(in)});
    case 8: {
      platform::PlistArray a;
      const int n = in.ConsumeIntegralInRange(0, 4);
      for (int i = 0; i < n; ++i) a.push_back(value(in, depth + 1));
      return PlistValue(std::move(a));
    }
    default: return PlistValue(dict(in, depth));
  }
}

// Every switch of the settings table, on or off: the notifications' handlers take their paths from them.
platform::PlistDict settings(FuzzedDataProvider& in) {
  platform::PlistDict s;
  for (const auto& entry : tarvo::kSettingsTable)
    if (entry.kind == tarvo::SettingKind::Switch) s.set(std::string(entry.key), in.ConsumeBool());
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  fuzzing::FuzzPhone& phone =
      fuzzing::phoneFor({.model = in.ConsumeBool() ? "iPhone10,3" : "iPhone9,3", .settings = settings(in)});
  phone.press(true);  // the HUD is up
  for (int round = 0; round < 16 && in.remaining_bytes(); ++round) {
    switch (in.ConsumeIntegralInRange(0, 10)) {
      case 0: phone.press(in.ConsumeBool()); break;
      case 1: phone.tapHud(); break;
      case 2: phone.rotate(in.ConsumeIntegralInRange<long long>(-1, 5)); break;
      case 3: phone.device.advance(in.ConsumeFloatingPointInRange(0.0, 3.0)); break;
      case 4: {
        const char* fronts[] = {nullptr, fuzzing::kFrontApp, fuzzing::kOtherApp};
        phone.front(in.PickValueInArray(fronts));
        break;
      }
      case 5: {
        // The app with Tarvo12 changes its bar colour: the status bar hook reports it to the shell.
        sim::Colour colour{"", interestingDouble(in), interestingDouble(in), interestingDouble(in), interestingDouble(in)};
        phone.setOtherAppBarColour(in.ConsumeBool() ? std::optional<sim::Colour>(colour) : std::nullopt);
        break;
      }
      default: {
        std::string name(in.PickValueInArray(kNames));
        const bool withInfo = in.ConsumeIntegralInRange(0, 7) != 0;
        platform::PlistDict info = withInfo ? dict(in, 0) : platform::PlistDict{};
        sim::PostNotification post;
        post.name = name;
        if (!in.ConsumeBool()) post.from = sim::ProcessRef{fuzzing::kFrontApp};  // the shell or an app
        if (withInfo) post.userInfo = std::move(info);
        if (in.ConsumeBool()) post.deliverImmediately = in.ConsumeBool();
        else post.form = sim::NotificationForm::NS;
        phone.apply(post);
        phone.device.drain();
      }
    }
  }
  phone.press(false);
  (void)phone.render(0.5);
  phone.device.advance(5);
  return 0;
}
