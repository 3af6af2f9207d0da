#include "platform/uikit/screen.h"

#include "platform/device/device.h"
#include "platform/device/foundation_classes.h"
#include "platform/uikit/uikit_classes.h"

namespace platform {

namespace {

struct MainScreen {
  explicit MainScreen(Process& process)
      : screen(rt::cast<UIScreen>(allocInit(*uikitClass(process, "UIScreen")))) {}
  std::shared_ptr<UIScreen> screen;
};

}  // namespace

std::shared_ptr<UIScreen> UIScreen::mainScreen(Process& process) {
  return process.service<MainScreen>().screen;
}

CGRect UIScreen::bounds() const {
  const Device& device = process().device();
  return CGRectMake(0, 0, device.screenWidth(), device.screenHeight());
}

double UIScreen::scale() const {
  return process().device().screenScale();
}

}  // namespace platform
