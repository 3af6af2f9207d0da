#pragma once
// VolumeControl: the shell's volume, stepped by the buttons in sixteenths.
#include "platform/runtime/object.h"
#include "platform/runtime/runtime.h"

namespace platform {

class Process;

class VolumeControl : public rt::Object {
 public:
  using rt::Object::Object;

  static constexpr float kStep = 1.0f / 16;

  float mediaVolume = 0.5f;
  float ringerVolume = 0.5f;
  // Whether the buttons change the ringer (no audio playing, "change with buttons" on) or the media volume.
  bool buttonsChangeRinger = false;

  // The level the buttons change.
  float volume() const { return buttonsChangeRinger ? ringerVolume : mediaVolume; }
};

// VolumeControl with sharedVolumeControl (class), volume and _changeVolumeBy:. The original _changeVolumeBy:
// steps the level, sets it on the shell's volume HUD view with setProgress: and presents that view.
void registerVolumeControlClass(rt::Runtime& runtime);

std::shared_ptr<VolumeControl> sharedVolumeControl(Process& process);

}  // namespace platform
