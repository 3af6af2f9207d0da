#pragma once
// `preview --all-devices`: every model's screen in the four orientations with the HUD shown, as one sheet.
// Models whose screens look and behave alike share a row; each frame is turned the way the phone is held,
// labelled, and each place where the HUD collides with the phone is outlined in red and named below it.
#include <ostream>

#include "sim/verbs/preview.h"
#include "sim/verbs/preview_still.h"

namespace sim {

// The options are checked already; `--device` keeps only that model's row. Answers the exit status.
// Throws ScenarioError for a backdrop that cannot be shown.
int writeAllDevicesSheet(const PreviewOptions& options, const PreviewBackdrop& backdrop, std::ostream& out,
                         std::ostream& err);

}  // namespace sim
