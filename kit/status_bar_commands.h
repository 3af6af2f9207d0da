#pragma once
// The two status bar commands SpringBoard sends while its HUD is on screen. Both act on this process's own
// status bar only, and answer nothing.
#include "platform/device/distributed_center.h"
#include "platform/device/process.h"

namespace tarvokit {

// "velkarin.tarvo12.toggleTimeX": every background-activity view exactly four levels below the status bar
// fades to alpha 0 ("hide") or 1 (anything else) over 0.15 s, one animation each.
void fadeBackgroundActivityViews(platform::Process& process, const platform::NSNotification& note);

// "velkarin.tarvo12.modifystatusbar": the status bar's foreground view fades to alpha 0 ("hide") or 1
// (anything else) over a third of "animationDuration", computed in single precision.
void fadeForegroundView(platform::Process& process, const platform::NSNotification& note);

}  // namespace tarvokit
