#pragma once
// The shell as a phone runs it: booting, and the hardware events it turns into calls on its own classes.
// Every call that a library may have replaced goes through the runtime.
#include <optional>
#include <string>

#include "platform/uikit/application.h"
#include "platform/uikit/content/builtin_content.h"
#include "platform/uikit/status_bar_installer.h"

namespace platform {

class Device;
class Process;

struct SpringBoardOptions {
  float mediaVolume = 0.5f;
  float ringerVolume = 0.5f;
  bool buttonsChangeRinger = false;
  bool silent = false;  // the ring/silent switch before boot
  UIUserInterfaceLayoutDirection layoutDirection = UIUserInterfaceLayoutDirectionLeftToRight;
  StatusBarOptions statusBar;  // the shell's own bar, shown over the home screen
  bool homeScreen = true;      // a wallpaper window with a few icons under everything
  ScreenContent wallpaper;     // plain: a dark blue
};

inline constexpr const char* kSpringBoardBundle = "com.apple.springboard";

// Spawns the shell process with UIKit and the shell's classes registered, before any library is injected.
Process& spawnSpringBoard(Device& device, const SpringBoardOptions& options = {});
// Makes the application object (through the runtime), its status bar and home screen, and finishes
// launching (applicationDidFinishLaunching:).
void startSpringBoard(Process& springBoard);

// The home screen window (nil before launch or without one).
std::shared_ptr<UIWindow> homeScreenWindow(Process& springBoard);
// The home screen's wallpaper, behind its icons; before launch, what the home screen will show.
void setWallpaper(Process& springBoard, const ScreenContent& wallpaper);

// A volume button: _changeVolumeBy: with +1/16 or -1/16 on the shared VolumeControl.
void pressVolumeButton(Process& springBoard, bool up);
// The ring/silent switch: _updateRingerState:withVisuals:updatePreferenceRegister: with visuals.
void setRingerSwitch(Process& springBoard, bool silent);
// The interface turns: the HUD controller's orientation, then reorientHUDIfNeeded: with `reorient` (YES
// unless told) and _recenterHUDView.
void rotateInterface(Process& springBoard, long long orientation, bool reorient = true);
// Which application is in front; nothing for the home screen.
void setFrontApplication(Process& springBoard, std::optional<std::string> bundleIdentifier);
void setButtonsChangeRinger(Process& springBoard, bool ringer);

}  // namespace platform
