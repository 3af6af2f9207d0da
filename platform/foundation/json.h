#pragma once
// JSON text for property-list values (the trace's format).
#include <string>

#include "platform/foundation/plist_value.h"

namespace platform {

// Reals that JSON cannot hold (NaN, infinities) are written as the strings "NaN", "Infinity", "-Infinity";
// data as base64 text; dates as seconds since 2001-01-01.
void appendJson(std::string& out, const PlistValue& value);
void appendJsonString(std::string& out, std::string_view text);
std::string toJson(const PlistValue& value);

}  // namespace platform
