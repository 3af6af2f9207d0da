#pragma once
// The shell's application class, SpringBoard, and the applications it knows (SBApplication).
#include <map>
#include <optional>
#include <string>

#include "platform/runtime/runtime.h"
#include "platform/uikit/application.h"

namespace platform {

class SBApplication : public rt::Object {
 public:
  using rt::Object::Object;
  std::optional<std::string> bundleIdentifier;
};

class SpringBoard : public UIApplication {
 public:
  using UIApplication::UIApplication;

  bool launched = false;
  bool ringerSilent = false;
  // The application in front; nothing on the home screen.
  std::optional<std::string> frontApplication;

  // The SBApplication for a bundle identifier, made on first use.
  rt::Id applicationFor(const std::string& bundleIdentifier);

 private:
  std::map<std::string, rt::Id> applications_;
};

// SpringBoard (under UIApplication): applicationDidFinishLaunching:,
// _updateRingerState:withVisuals:updatePreferenceRegister: (presents the ringer view when asked for visuals),
// _accessibilityFrontMostApplication; and SBApplication with bundleIdentifier.
void registerSpringBoardApplicationClasses(rt::Runtime& runtime);

}  // namespace platform
