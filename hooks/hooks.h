#pragma once
// The method replacements Tarvo12 installs in the shell, in the order the constructor installs them.

namespace tarvo {

class Tarvo12;

// applicationDidFinishLaunching:, _updateRingerState:withVisuals:updatePreferenceRegister:,
// _changeVolumeBy: and setProgress:.
void installSpringBoardHooks(Tarvo12& lib);
// forceUpdate (added), operatorName, setForceSplit:, setForegroundColor:, _usesModernBar.
void installStatusBarHooks(Tarvo12& lib);
// presentHUDView:, presentHUDView:autoDismissWithDelay:, _recenterHUDView, reorientHUDIfNeeded:,
// modifyHUD: (added).
void installHUDControllerHooks(Tarvo12& lib);

}  // namespace tarvo
