#pragma once
// Checks an `expect` on a HUD field against a snapshot; the failure, when there is one, says what was found.
#include <optional>
#include <string>

#include "platform/foundation/plist_value.h"
#include "sim/scenario/expectations.h"

namespace sim {

// Nothing when the expectation holds for the field's value (nothing: the field has none); otherwise
// "expected NAME OP VALUE, found ACTUAL".
std::optional<std::string> checkField(const std::optional<platform::PlistValue>& value, const ExpectField& expect);

// The same for the number of entries of the field's value.
std::optional<std::string> checkEntryCount(const std::optional<platform::PlistValue>& value,
                                           const ExpectEntries& expect);

// How a snapshot value reads in messages: colours as #RRGGBB:alpha, rectangles as "x y w h".
std::string describeSnapshotValue(const platform::PlistValue* value, FieldType type);

// What an expectation on `field` finds in the field's value, as its failure would say it ("nil" for none).
std::string describeFound(const std::optional<platform::PlistValue>& value, const SnapshotField& field);

}  // namespace sim
