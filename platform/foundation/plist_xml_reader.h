#pragma once
// The XML form of a property list, read without recursion and in time linear in its length: nesting is
// counted on an explicit stack and refused past `maxDepth` enclosing containers, so no file can exhaust
// the reader's stack, and dictionaries are built through PlistDict's index.
#include <optional>
#include <string_view>

#include "platform/foundation/plist_value.h"

namespace platform {

// The one top-level value (inside <plist> when there is one), or nothing when the text is not a
// well-formed property list or nests deeper than `maxDepth`.
std::optional<PlistValue> readXmlPlist(std::string_view text, int maxDepth);

}  // namespace platform
