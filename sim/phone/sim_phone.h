#pragma once
// The simulated phone a scenario plays on: the device, the shell with what the injection filter gives it,
// and the apps the scenario starts.
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/device/device.h"
#include "platform/graphics/image.h"
#include "sim/scenario/device_models.h"
#include "sim/scenario/scenario.h"

namespace platform {
class Renderer;
class UIWindow;
}  // namespace platform

namespace tarvo {
class Tarvo12;
}

namespace sim {

class SimPhone {
 public:
  // `root` is the device's file-system root; empty makes a temporary one.
  SimPhone(const DeviceModel& model, const DeviceSetup& setup, std::filesystem::path root = {});

  platform::Device& device() { return device_; }
  platform::Process& springBoard() { return *springBoard_; }
  // The settings pane's process: it writes the settings file and posts the change.
  platform::Process& preferences() { return *preferences_; }
  const DeviceModel& model() const { return model_; }
  bool launched() const { return launched_; }
  // Tarvo12 in the shell, when the filter injected it.
  tarvo::Tarvo12* tarvo() const;

  void launch();
  // An app by the bundle identifier its `app start` line gave.
  platform::Process* app(std::string_view bundle) const;

  void startApp(const StartApp& command);
  // Content the phone cannot show (an unknown name, an image that does not decode) leaves the plain colour;
  // checkScenarioContent refuses such scenarios before they play.
  void setAppContent(const std::string& bundle, const ContentChoice& content);
  void setWallpaper(const ContentChoice& wallpaper);
  void bringToFront(const std::string& bundle);
  void goHome();
  void setAppBarColour(const std::string& bundle, const std::optional<Colour>& colour);
  void setAppBarStyle(const std::string& bundle, std::int64_t style);  // (an empty bundle: the shell)
  void refreshServiceItem();
  // The shell's +[_UIStatusBar setForceSplit:], sent as it runs.
  void setForceSplit(bool split);
  // What the shell's classic bar answers to _usesModernBar from now on, then asked through the runtime;
  // false when the shell's bar is not a classic one.
  bool setModernBar(bool modern);
  void presentOtherHud(const PresentOtherHud& command);
  void post(const PostNotification& command);

  // What the screen shows now: the shell's windows over the app in front (or the home screen), drawn at
  // the device's scale, inside the display's outline (rounded corners, the sensor housing) unless bare.
  platform::CGImageRef renderScreen(platform::Renderer& renderer);
  platform::CGImageRef renderScreen(platform::Renderer& renderer, double scale);
  std::vector<std::shared_ptr<platform::UIWindow>> screenWindows();
  // Bare frames are the whole rectangle of the screen, without the display's outline.
  void setBareScreen(bool bare) { bare_ = bare; }

 private:
  const DeviceModel& model_;
  DeviceSetup setup_;
  platform::Device device_;
  platform::Process* springBoard_ = nullptr;
  platform::Process* preferences_ = nullptr;
  bool launched_ = false;
  bool bare_ = false;
  std::map<std::string, platform::Process*, std::less<>> apps_;
  std::optional<std::string> front_;
};

}  // namespace sim
