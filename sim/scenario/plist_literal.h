#pragma once
// Inline property-list values, for settings files and notification payloads:
//   bool true   int -3   real 0.5   real nan   string "text"   data "AAEC"   date 12.5
//   "text"  true  no  42  0.5  -inf          (kinds read from how the literal is written)
//   [1, "two", real 3]   { key = value, "another key" = [ ] }   (nested to kMaxValueDepth levels)
#include <string>

#include "platform/foundation/plist_value.h"
#include "sim/scenario/token_reader.h"

namespace sim {

inline constexpr int kMaxValueDepth = 32;

// depth is the number of containers already open around the value.
platform::PlistValue parsePlistValue(TokenReader& in, int depth = 0);
// A dictionary literal: '{ ... }', optionally written 'dict { ... }'.
platform::PlistDict parsePlistDict(TokenReader& in, int depth = 0);

// Whether a word begins a value of an explicit kind (bool, int, real, ...).
bool isPlistKindWord(std::string_view word);

}  // namespace sim

namespace sim {

// The value written back in the syntax above, kinds explicit where the shorthand would read otherwise
// (reals always show a point or are written "real nan"). Containers deeper than kMaxValueDepth are cut
// short with "...", so any value can be shown.
std::string formatPlistLiteral(const platform::PlistValue& value);

}  // namespace sim
