#pragma once
// The notifications Tarvo12 and Tarvo12Kit exchange, and the settings pane's reload signal.
// Header-only: both libraries include it and neither links the other.
//
// | name                  | posted by (form)                         | observed by (form)                      |
// |-----------------------|------------------------------------------|-----------------------------------------|
// | kPrefsChanged         | the settings pane                        | Tarvo12 (CF, suspension 0)              |
// | kToggleTimeX          | Tarvo12 hideTimeX/showTimeX (NS)         | every Tarvo12Kit (NS, main queue)       |
// | kModifyStatusBar      | Tarvo12 hideStatusbar/showStatusbar (NS) | Tarvo12Kit except the accessibility UI server |
// | kRequestStatusBarProperties | Tarvo12 adjustColors (NS)          | Tarvo12Kit except in SpringBoard        |
// | kGetStatusBarProperties | the front app's Tarvo12Kit (CF, immediate) | Tarvo12 (CF, deliver immediately)   |
// | kStoreColors          | Tarvo12's setForegroundColor: hook (CF, immediate) | Tarvo12 (CF, deliver immediately) |
#include <string_view>

namespace tarvo::protocol {

inline constexpr std::string_view kPrefsChanged = "velkarin.tarvo12/prefsChanged";
inline constexpr std::string_view kToggleTimeX = "velkarin.tarvo12.toggleTimeX";
inline constexpr std::string_view kModifyStatusBar = "velkarin.tarvo12.modifystatusbar";
inline constexpr std::string_view kRequestStatusBarProperties = "velkarin.tarvo12.requeststatusbarproperties";
inline constexpr std::string_view kGetStatusBarProperties = "velkarin.tarvo12.getstatusbarproperties";
inline constexpr std::string_view kStoreColors = "velkarin.tarvo12.storeColors";

// Payload keys.
inline constexpr std::string_view kModifier = "modifier";                    // "hide", anything else means show
inline constexpr std::string_view kAnimationDuration = "animationDuration";  // float seconds
inline constexpr std::string_view kFrontMostApp = "frontMostApp";            // bundle identifier
inline constexpr std::string_view kIsForceSplit = "isForceSplit";            // boolean number
inline constexpr std::string_view kIsIPhoneX = "isIPhoneX";                  // boolean number
inline constexpr std::string_view kBundle = "bundle";
inline constexpr std::string_view kHue = "hue";
inline constexpr std::string_view kSaturation = "saturation";
inline constexpr std::string_view kBrightness = "brightness";
inline constexpr std::string_view kAlpha = "alpha";

inline constexpr std::string_view kHide = "hide";
inline constexpr std::string_view kShow = "show";

// The keys a colour report or a colour store must hold, in the order they are tested.
inline constexpr std::string_view kColorKeys[] = {kBundle, kHue, kBrightness, kSaturation, kAlpha};

inline constexpr std::string_view kSpringBoardBundle = "com.apple.springboard";
inline constexpr std::string_view kAccessibilityServerBundle = "com.apple.accessibility.AccessibilityUIServer";

// Suspension behaviours the observers register with.
inline constexpr int kSuspensionPrefs = 0;
inline constexpr int kSuspensionDeliverImmediately = 4;

}  // namespace tarvo::protocol
