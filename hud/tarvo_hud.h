#pragma once
// TarvoHUD: the controller that builds, shows, hides, lays out and colours the HUD. It holds no state of
// its own; everything lives in the library's process-wide values.
#include <string_view>

#include "hud/modes.h"
#include "platform/foundation/plist_value.h"
#include "platform/graphics/color.h"
#include "platform/runtime/object.h"

namespace platform {
class UIView;
}

namespace tarvo {

class Tarvo12;

class TarvoHUD : public rt::Object {
 public:
  TarvoHUD(rt::Class& cls, Tarvo12& lib) : rt::Object(cls), lib_(lib) {}

  // Lifecycle.
  void resetTimer();
  void tarvoHUDSliderMoved(const rt::Id& sender);
  void presentTarvoHUD(VolumeMode mode);
  void tarvoHUDShouldShow(const rt::Id& sender);
  void tarvoHUDShouldHide(const rt::Id& sender);
  void showTarvoHUD();
  void hideTarvoHUD();
  void addGestureToView(const std::shared_ptr<platform::UIView>& view);
  void removeGestureFromView(const std::shared_ptr<platform::UIView>& view);
  void tapToDismiss(const rt::Id& recognizer);

  // Status bar commands to the apps.
  void hideTimeX();
  void showTimeX();
  void hideStatusbar();
  void showStatusbar();

  // Views.
  void createTarvoHUD();
  void createElements();
  void createIndicators();
  void adjustViewsForOrientation(InterfaceOrientation orientation, bool animated);

  // Colours.
  void adjustColors();
  void saveStatusColor(const platform::PlistDict& userInfo);
  platform::UIColor colorFromPreferenceKey(std::string_view key, std::string_view fallback);

 private:
  void scheduleHideTimer();
  void hideCompleted();
  Tarvo12& lib_;
};

// Registers the class "TarvoHUD" with its messages, so that timers, taps and control actions reach it.
void registerTarvoHUDClass(rt::Runtime& runtime, Tarvo12& lib);

}  // namespace tarvo
