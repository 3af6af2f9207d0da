#pragma once
// Tarvo12 loaded into one process. Its members are the library's process-wide values. Loading the library
// (hooks/load.h) makes one and runs the load-time initialisation on it.
#include <memory>

#include "hud/hud_state.h"
#include "hud/previous_implementations.h"
#include "hud/status_color_cache.h"
#include "platform/device/process.h"
#include "platform/runtime/object.h"
#include "settings/preferences.h"
#include "settings/settings.h"

namespace tarvo {

class TarvoHUD;

class Tarvo12 : public platform::Process::Library {
 public:
  explicit Tarvo12(platform::Process& process);
  ~Tarvo12() override;

  platform::Process& process;

  Settings settings;
  Preferences preferences;
  bool isIPhoneX = false;
  bool isForceSplit = false;

  VolumeState volume;
  std::shared_ptr<TarvoHUD> tarvoHUD;  // null until the launch or the first volume step creates it
  HudViews views;
  HudGeometry geometry;
  HudImages images;
  HudColors colors;
  LifecycleState lifecycle;
  StatusColorCache statusColors;

  PreviousImplementations previous;
  rt::Class* volumeControlClass = nullptr;  // looked up by name once, when the views are built

  // Creates the controller and has it build its views (launch, or the first step after enabling).
  void createController();
};

}  // namespace tarvo
