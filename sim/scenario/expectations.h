#pragma once
// What `expect` lines check: a field of the HUD against a value, or the trace's events by kind and
// fields, counted within a time window or in order.
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/foundation/clock.h"
#include "platform/foundation/plist_value.h"
#include "sim/scenario/snapshot_fields.h"
#include "sim/scenario/values.h"

namespace sim {

enum class Comparison {
  Equal,           // ==   (reals: within the tolerance; nan equals nan)
  NotEqual,        // !=
  Less,            // <    (numbers only, strict, no tolerance)
  LessOrEqual,     // <=   (within the tolerance counts as equal)
  Greater,         // >
  GreaterOrEqual,  // >=
  Contains,        // contains   (a substring of a string, an equal element of an array)
  StartsWith,      // starts-with (strings: a prefix)
  Exists,          // exists     (trace fields: present, whatever the value)
  Absent,          // absent     (trace fields: not present)
};
std::string_view symbolOf(Comparison comparison);

// Reals, rectangles, points, and numbers inside values are equal within this unless `within` says.
inline constexpr double kDefaultTolerance = 1e-4;
// Colour components (0...1) are equal within half a step of eight bits.
inline constexpr double kDefaultColourTolerance = 0.5 / 255;

// `nil`: the field has no value (the view or the entry does not exist, or the colour is nil).
struct Nil {
  bool operator==(const Nil&) const = default;
};
// The alternative matches the field's type: Bool bool, Real double, Rect, Point, Colour, Text
// std::string, Glyph, Alignment TextAlignment, Value PlistValue; or Nil for any of them.
using ExpectedValue = std::variant<Nil, bool, double, Rect, Point, Colour, std::string, Glyph, TextAlignment,
                                   platform::PlistValue>;
std::string describe(const ExpectedValue& value);

struct ExpectField {
  SnapshotField field;
  Comparison comparison = Comparison::Equal;
  ExpectedValue expected;
  double tolerance = kDefaultTolerance;
  std::string kept;  // when set: compared with the value kept under this name instead of `expected`
  bool operator==(const ExpectField&) const = default;
};

// The number of entries of a HUD field's value: the elements of an array, the keys of a dictionary.
// A field without a value, or with one of another kind, has none to count and fails.
struct ExpectEntries {
  SnapshotField field;
  Comparison comparison = Comparison::Equal;  // one of == != < <= > >=
  std::int64_t count = 0;
  bool operator==(const ExpectEntries&) const = default;
};

// A condition on one field of a trace event. The path goes into nested dictionaries by key and into
// arrays by index ("userInfo.modifier", "values.0"); the single name "process" is the event's process.
struct FieldCondition {
  std::vector<std::string> path;
  Comparison comparison = Comparison::Equal;
  platform::PlistValue value;  // unused for Exists and Absent
  double tolerance = kDefaultTolerance;
  // `FIELD kind == KIND`: the value's kind is compared (== or !=) with the kind name in `value`
  // (bool, integer, real, number, string, data, date, array, dict).
  bool testsKind = false;
  bool operator==(const FieldCondition&) const = default;
};

// A value of a process's own: a view of its status bar, or its count of live platform objects.
// `view` is "statusBar" or "foregroundView" followed by subview indexes ("statusBar.0.1"); `property` is
// alpha, presentation.alpha, hidden or class; or `view` is empty and `property` is liveObjects.
struct ExpectAppField {
  std::string app;  // bundle identifier; empty for the shell
  std::vector<std::string> view;
  std::string property;
  Comparison comparison = Comparison::Equal;
  platform::PlistValue expected;  // a number, a boolean or a string; integer 0 with Exists/Absent
  double tolerance = kDefaultTolerance;
  std::string kept;  // when set: compared with the value kept under this name instead of `expected`
  bool operator==(const ExpectAppField&) const = default;
};

// How an app field's value is written: liveObjects and the alphas are numbers, hidden a boolean, class a
// string. A kept value is compared only with fields of its own type.
FieldType appFieldType(std::string_view property);

// `keep FIELD as NAME`: a field's value as it is now, kept under a name for later `expect ... kept NAME`
// (the live objects after the 200th press against after the 2nd, say). Keeping a name again replaces it.
struct KeepValue {
  std::string name;
  std::optional<SnapshotField> hud;  // a HUD field; without one, the app field below
  std::string app;                   // as ExpectAppField's
  std::vector<std::string> view;
  std::string property;
  bool operator==(const KeepValue&) const = default;
};

struct EventPattern {
  std::string kind;                        // the trace's "event", matched exactly
  std::vector<FieldCondition> conditions;  // all must hold
  bool operator==(const EventPattern&) const = default;
};

// Both ends included, in device time.
struct TimeWindow {
  platform::Nanos from = 0;
  platform::Nanos to = 0;
  bool operator==(const TimeWindow&) const = default;
};

struct ExpectCount {
  EventPattern pattern;
  TimeWindow window;
  Comparison comparison = Comparison::Equal;  // one of == != < <= > >=
  std::int64_t count = 0;
  bool operator==(const ExpectCount&) const = default;
};

// Both patterns match events in the window, and the first event matching `earlier` comes before the
// first event matching `later` (events at the same time keep the order they were recorded in).
struct ExpectOrder {
  EventPattern earlier;
  EventPattern later;
  TimeWindow window;
  bool operator==(const ExpectOrder&) const = default;
};

}  // namespace sim
