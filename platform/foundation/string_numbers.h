#pragma once
// What NSString's boolValue, intValue and doubleValue make of a string: the number it starts with, after
// leading whitespace, and 0 (or NO) when it starts with none. Trailing text is ignored.
#include <string_view>

namespace platform {

// YES for a leading Y, y, T, t or a digit 1-9, after whitespace, one optional sign and any zeros.
bool leadingBool(std::string_view text);
// The leading decimal integer, saturating at the int range.
int leadingInt(std::string_view text);
// The leading decimal number (digits, an optional fraction, an optional exponent); infinite beyond the
// double range, 0 below it.
double leadingDouble(std::string_view text);

}  // namespace platform
