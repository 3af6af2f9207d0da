#pragma once
// What the installer puts inside a new bar: the foreground view, the regions and items, the style objects
// and the background-activity views.
#include "platform/uikit/status_bar.h"
#include "platform/uikit/status_bar_installer.h"

namespace platform {

// Foreground view (when wanted) holding time, signal, service, data network, battery percentage and battery;
// style attributes and foreground style (when wanted) with the content colour as tint.
void buildClassicContent(UIStatusBarBase& bar, const StatusBarOptions& options);

// Foreground view, left region holding the time item, right region holding signal, data network and battery;
// background-activity views at the requested depths, four levels down being inside the time item.
void buildSplitContent(UISplitStatusBar& bar, const StatusBarOptions& options);

}  // namespace platform
