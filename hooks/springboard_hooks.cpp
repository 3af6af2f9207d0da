#include <cstdio>

#include "hooks/hooks.h"
#include "hud/tarvo12.h"
#include "hud/tarvo_hud.h"
#include "platform/uikit/label.h"
#include "platform/uikit/slider.h"
#include "platform/uikit/system_sound.h"
#include "platform/uikit/view.h"
#include "settings/device_model.h"

namespace tarvo {

namespace {

constexpr unsigned kSoundPeak = 1520;  // top of the range
constexpr unsigned kSoundFloor = 1519;  // bottom of the range

std::string percentText(float percentage) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.f%%", static_cast<double>(percentage));
  return buffer;
}

// Moves the slider to a level with the volume animation, and the label with it.
void animateLevel(Tarvo12& lib, float level, bool updatePercentage) {
  auto& v = lib.views;
  platform::UIView::animateWithDuration(
      lib.process, lib.settings.DURATIONVOLUMEANIMATION, 0, 0,
      [&lib, &v, level, updatePercentage] {
        if (v.tarvoHUDSlider) v.tarvoHUDSlider->setValue(level, true);
        if (updatePercentage) lib.volume.volumePercentage = level * 100;
        if (!v.tarvoHUDLabel) return;
        if (!lib.settings.VOLUMEPERCENTAGE) v.tarvoHUDLabel->setText("");
        else v.tarvoHUDLabel->setText(updatePercentage ? percentText(lib.volume.volumePercentage) : "0%");
      },
      nullptr);
}

void hookLaunch(Tarvo12& lib) {
  rt::MSHookMessageEx<void(rt::Id)>(
      rt::objc_getClass(lib.process.runtime(), "SpringBoard"), "applicationDidFinishLaunching:",
      [&lib](const rt::Id& self, rt::Id application) {
        callPrevious(lib.previous.applicationDidFinishLaunching, self, application);
        runModelTest(lib.process, lib.isIPhoneX);
        if (lib.settings.ENABLED && !lib.tarvoHUD) {
          rt::Class* volumeControl = rt::objc_getClass(lib.process.runtime(), "VolumeControl");
          rt::Id shared = volumeControl ? rt::send<rt::Id()>(rt::classObject(*volumeControl), "sharedVolumeControl")
                                        : nullptr;
          lib.volume.ringerVolume = rt::send<float()>(shared, "volume");
          lib.createController();
        }
      },
      &lib.previous.applicationDidFinishLaunching);
}

void hookRingerState(Tarvo12& lib) {
  rt::MSHookMessageEx<void(int, bool, bool)>(
      rt::objc_getClass(lib.process.runtime(), "SpringBoard"),
      "_updateRingerState:withVisuals:updatePreferenceRegister:",
      [&lib](const rt::Id& self, int state, bool visuals, bool updatePreferences) {
        if (lib.settings.ENABLED) {
          lib.volume.tarvoVolumeMode = 1;
          rt::send<void()>(lib.tarvoHUD, "resetTimer");
          if (state != 0) {
            lib.volume.silent = false;
            animateLevel(lib, lib.volume.ringerVolume, true);
          } else {
            lib.volume.silent = true;
            animateLevel(lib, 0, false);
          }
        }
        callPrevious(lib.previous.updateRingerState, self, state, visuals, updatePreferences);
      },
      &lib.previous.updateRingerState);
}

void hookChangeVolume(Tarvo12& lib) {
  rt::MSHookMessageEx<void(float)>(
      rt::objc_getClass(lib.process.runtime(), "VolumeControl"), "_changeVolumeBy:",
      [&lib](const rt::Id& self, float step) {
        // Enabled after launch: the controller comes with the first step, without a seeded ringer level.
        if (lib.settings.ENABLED && !lib.tarvoHUD) lib.createController();
        if (lib.settings.ENABLED) rt::send<void()>(lib.tarvoHUD, "resetTimer");
        callPrevious(lib.previous.changeVolumeBy, self, step);
      },
      &lib.previous.changeVolumeBy);
}

void hookSetProgress(Tarvo12& lib) {
  rt::MSHookMessageEx<void(float)>(
      rt::objc_getClass(lib.process.runtime(), "SBVolumeHUDView"), "setProgress:",
      [&lib](const rt::Id& self, float p) {
        if (!lib.settings.ENABLED) return callPrevious(lib.previous.setProgress, self, p);
        bool played = false;
        auto play = [&](unsigned sound) {
          if (played || !lib.settings.HAPTIC) return;
          platform::AudioServicesPlaySystemSound(lib.process, sound);
          played = true;
        };
        if (p == 1.0f) play(kSoundPeak);
        // A view without the mode variable counts as media: the level is still shown, nothing is misread.
        const std::int32_t* mode = rt::ivarAddress<std::int32_t>(self, "_mode");
        if (mode && *mode == 1) {
          if (static_cast<double>(p) < 0.07) play(kSoundFloor);
          lib.volume.ringerVolume = p;
          lib.volume.tarvoVolumeMode = 1;
        } else {
          if (p == 0.0f) play(kSoundFloor);
          lib.volume.mediaVolume = p;
          lib.volume.tarvoVolumeMode = 0;
        }
        animateLevel(lib, p, true);
      },
      &lib.previous.setProgress);
}

}  // namespace

void installSpringBoardHooks(Tarvo12& lib) {
  hookLaunch(lib);
  hookRingerState(lib);
  hookChangeVolume(lib);
  hookSetProgress(lib);
}

}  // namespace tarvo
