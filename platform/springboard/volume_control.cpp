#include "platform/springboard/volume_control.h"

#include <algorithm>
#include <cmath>

#include "platform/device/process.h"
#include "platform/runtime/message.h"
#include "platform/springboard/hud_controller.h"
#include "platform/springboard/shared_instances.h"

namespace platform {

namespace {

float stepped(float level, float step, float lowest) {
  float next = level + step;
  if (std::isnan(next)) next = level;
  return std::clamp(next, lowest, 1.0f);
}

// The shell's own reaction to a volume step: the new level on its volume view, then the view presented.
void showVolume(VolumeControl& control) {
  Process& process = control.process();
  auto hud = sharedHUDController(process);
  if (!hud) return;
  rt::Id view = hud->volumeHUDView(control.buttonsChangeRinger ? 1 : 0);
  rt::send<void(float)>(view, "setProgress:", control.volume());
  rt::send<void(rt::Id, double)>(hud, "presentHUDView:autoDismissWithDelay:", view, SBHUDController::kAutoDismissDelay);
}

}  // namespace

void registerVolumeControlClass(rt::Runtime& runtime) {
  rt::Class& cls = runtime.registerClass("VolumeControl", "NSObject");
  cls.setAllocator([](rt::Class& c) { return std::make_shared<VolumeControl>(c); });
  defineSharedAccessor(cls, "sharedVolumeControl");
  rt::defineMethod<float()>(cls, "volume", [](const rt::Id& self) {
    auto control = rt::cast<VolumeControl>(self);
    PlistDict f;
    f.set("level", control->volume());
    control->process().trace("volume.read", std::move(f));
    return control->volume();
  });
  rt::defineMethod<void(float)>(cls, "_changeVolumeBy:", [](const rt::Id& self, float step) {
    auto control = rt::cast<VolumeControl>(self);
    // From the buttons the ringer never goes below its lowest step; media goes down to silence.
    if (control->buttonsChangeRinger)
      control->ringerVolume = stepped(control->ringerVolume, step, VolumeControl::kStep);
    else
      control->mediaVolume = stepped(control->mediaVolume, step, 0.0f);
    PlistDict f;
    f.set("step", step);
    f.set("category", control->buttonsChangeRinger ? "ringer" : "media");
    f.set("level", control->volume());
    control->process().trace("volume.change", std::move(f));
    showVolume(*control);
  });
}

std::shared_ptr<VolumeControl> sharedVolumeControl(Process& process) {
  return rt::cast<VolumeControl>(sendShared(process, "VolumeControl", "sharedVolumeControl"));
}

}  // namespace platform
