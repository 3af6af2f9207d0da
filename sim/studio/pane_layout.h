#pragma once
// The settings pane as the page draws it: every key of the settings tables under its topic, each with the
// control that suits its kind, its default, its slider's range or its values' names, and whether anything
// reads it. All of it comes from the tables; the page builds the pane from this alone.
#include <nlohmann/json_fwd.hpp>
#include <optional>

#include "platform/foundation/plist_value.h"

namespace sim::studio {

nlohmann::json paneLayout();

// What the system draws for each colour key of the file, by key: {text, hex, alpha, source}. The page shows
// these and parses no colour itself.
nlohmann::json colourVerdicts(const std::optional<platform::PlistDict>& prefs);

}  // namespace sim::studio
