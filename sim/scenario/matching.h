#pragma once
// How expectations compare, so that the runner and the documentation agree: numbers within a tolerance
// (nan equal to nan), property-list values by kind, and trace events against patterns and windows.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/plist_value.h"
#include "platform/foundation/trace.h"
#include "sim/scenario/expectations.h"
#include "sim/scenario/values.h"

namespace sim {

// == within the tolerance (and exactly equal infinities, and nan with nan); != its opposite; < and >
// strict; <= and >= also within the tolerance of equal. Orderings with nan never hold.
bool numberMatches(double actual, Comparison comparison, double expected, double tolerance);
// Component by component (red, green, blue, alpha), within the tolerance; == and != only.
bool colourMatches(const Colour& actual, Comparison comparison, const Colour& expected, double tolerance);
bool rectMatches(const Rect& actual, Comparison comparison, const Rect& expected, double tolerance);
bool pointMatches(const Point& actual, Comparison comparison, const Point& expected, double tolerance);

// A value that may be missing (nullptr). Exists and Absent look only at presence; every other
// comparison needs a value. Numbers of any kind (booleans, integers, reals) compare as numbers; strings
// compare exactly, `contains` a substring; an array `contains` an equal element; other kinds are equal
// when their kind and contents are (numbers inside within the tolerance). Orderings hold only between
// numbers.
bool valueMatches(const platform::PlistValue* actual, Comparison comparison,
                  const platform::PlistValue& expected, double tolerance);

// One entry of a dictionary (by key) or an array (by decimal index); nullptr for none or another kind.
const platform::PlistValue* entryOf(const platform::PlistValue& container, const std::string& part);

// Follows a path through dictionaries (by key) and arrays (by decimal index); nullptr when it leads
// nowhere.
const platform::PlistValue* valueAtPath(const platform::PlistDict& fields,
                                        const std::vector<std::string>& path);

// Kinds a condition can test (`FIELD kind == bool`): bool, integer, real, string, data, date, array, dict,
// and number for any of the first three. valueKindNamed also takes boolean, int and dictionary; it
// answers the canonical name.
inline constexpr std::string_view kValueKindList = "bool, integer, real, number, string, data, date, array, dict";
std::optional<std::string_view> valueKindNamed(std::string_view text);
std::string_view valueKindOf(const platform::PlistValue& value);
// A missing value has no kind: neither == nor != holds.
bool kindMatches(const platform::PlistValue* actual, Comparison comparison, std::string_view kind);

bool eventMatches(const EventPattern& pattern, const platform::TraceEvent& event);
bool inWindow(const TimeWindow& window, platform::Nanos time);

std::size_t countMatching(const std::deque<platform::TraceEvent>& events, const EventPattern& pattern,
                          const TimeWindow& window);
bool countSatisfies(std::int64_t actual, Comparison comparison, std::int64_t expected);

// Where the first event of each pattern is (indexes into the events), and whether the order holds.
struct OrderOutcome {
  std::optional<std::size_t> earlier;
  std::optional<std::size_t> later;
  bool holds() const { return earlier && later && *earlier < *later; }
};
OrderOutcome checkOrder(const std::deque<platform::TraceEvent>& events, const ExpectOrder& expect);

}  // namespace sim
