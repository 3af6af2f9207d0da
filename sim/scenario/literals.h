#pragma once
// Reading one word of a scenario as a number, a duration, a yes/no or a colour. Strict: the whole word
// must be the literal, so "1.5x" is an error rather than 1.5.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/foundation/clock.h"
#include "sim/scenario/values.h"

namespace sim {

// The latest moment a scenario may reach, and so the longest duration it may name: about eleven days.
inline constexpr double kMaxScenarioSeconds = 1'000'000;

// A literal, or why the word is not one (a phrase that completes "'word' ...").
template <class T>
struct Literal {
  std::optional<T> value;
  std::string problem;
  explicit operator bool() const { return value.has_value(); }
};

// Decimal reals such as 1, -0.5, .25, 3e-2. With allowNonFinite, also nan, inf, +inf, -inf, infinity
// (any case).
Literal<double> parseRealLiteral(std::string_view text, bool allowNonFinite);
// Decimal integers that fit in 64 bits, with an optional sign.
Literal<std::int64_t> parseIntegerLiteral(std::string_view text);
// Seconds: "1.5s", "250ms" or a bare number of seconds; never negative, at most kMaxScenarioSeconds.
Literal<platform::Nanos> parseDurationLiteral(std::string_view text);
// true/false, yes/no, on/off.
Literal<bool> parseBoolLiteral(std::string_view text);
// "#RRGGBB" or "#RRGGBB:alpha" with alpha in 0...1.
Literal<Colour> parseColourLiteral(std::string_view text);

// Whether a word starts like a number (a sign, a digit or a decimal point followed by a digit), so that
// "12px" can be reported as a bad number rather than as an unknown word.
bool looksNumeric(std::string_view text);

// "1.5s", the way durations are written back in messages.
std::string formatSeconds(platform::Nanos time);

}  // namespace sim
