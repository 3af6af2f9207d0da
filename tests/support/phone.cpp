#include "support/phone.h"

#include "platform/uikit/window.h"

namespace testing_support {

platform::TapResult Phone::tapHUD() {
  auto window = lib ? lib->views.tarvoHUDWindow : nullptr;
  if (!window) return {};
  platform::CGPoint centre = window->center();
  return tap(centre.x, centre.y);
}

}  // namespace testing_support
