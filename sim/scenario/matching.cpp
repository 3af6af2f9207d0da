#include "sim/scenario/matching.h"

#include <array>
#include <charconv>
#include <cmath>
#include <variant>

namespace sim {

namespace {

using platform::PlistValue;

bool equalWithin(double a, double b, double tolerance) {
  if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
  return a == b || std::fabs(a - b) <= tolerance;
}

// Equality of two values of any kind; recursion follows `expected`, which the parser limited in depth.
bool valuesEqual(const PlistValue& actual, const PlistValue& expected, double tolerance, int depth) {
  if (depth > 64) return false;
  if (actual.isNumber() && expected.isNumber()) {
    auto* ai = std::get_if<std::int64_t>(&actual.storage);
    auto* ei = std::get_if<std::int64_t>(&expected.storage);
    // Two integers compare exactly: doubles cannot tell large neighbours apart.
    if (ai && ei && tolerance < 1) return *ai == *ei;
    return equalWithin(*actual.doubleValue(), *expected.doubleValue(), tolerance);
  }
  if (actual.storage.index() != expected.storage.index()) return false;
  if (auto* date = std::get_if<platform::PlistDate>(&expected.storage))
    return equalWithin(std::get<platform::PlistDate>(actual.storage).secondsSinceReferenceDate,
                       date->secondsSinceReferenceDate, tolerance);
  if (auto* array = std::get_if<platform::PlistArray>(&expected.storage)) {
    const auto& other = std::get<platform::PlistArray>(actual.storage);
    if (other.size() != array->size()) return false;
    for (std::size_t i = 0; i < array->size(); ++i)
      if (!valuesEqual(other[i], (*array)[i], tolerance, depth + 1)) return false;
    return true;
  }
  if (auto* dict = std::get_if<platform::PlistDict>(&expected.storage)) {
    const auto& other = std::get<platform::PlistDict>(actual.storage);
    if (other.size() != dict->size()) return false;
    for (const auto& [key, value] : *dict) {
      const PlistValue* found = other.find(key);
      if (!found || !valuesEqual(*found, value, tolerance, depth + 1)) return false;
    }
    return true;
  }
  return actual == expected;  // strings and data
}

bool equalityOnly(bool equal, Comparison comparison) {
  if (comparison == Comparison::Equal) return equal;
  if (comparison == Comparison::NotEqual) return !equal;
  return false;
}

}  // namespace

bool numberMatches(double actual, Comparison comparison, double expected, double tolerance) {
  bool equal = equalWithin(actual, expected, tolerance);
  bool ordered = !std::isnan(actual) && !std::isnan(expected);
  switch (comparison) {
    case Comparison::Equal:
      return equal;
    case Comparison::NotEqual:
      return !equal;
    case Comparison::Less:
      return ordered && actual < expected;
    case Comparison::LessOrEqual:
      return ordered && (actual < expected || equal);
    case Comparison::Greater:
      return ordered && actual > expected;
    case Comparison::GreaterOrEqual:
      return ordered && (actual > expected || equal);
    default:
      return false;
  }
}

bool colourMatches(const Colour& actual, Comparison comparison, const Colour& expected, double tolerance) {
  bool equal = equalWithin(actual.red, expected.red, tolerance) &&
               equalWithin(actual.green, expected.green, tolerance) &&
               equalWithin(actual.blue, expected.blue, tolerance) &&
               equalWithin(actual.alpha, expected.alpha, tolerance);
  return equalityOnly(equal, comparison);
}

bool rectMatches(const Rect& actual, Comparison comparison, const Rect& expected, double tolerance) {
  bool equal = equalWithin(actual.x, expected.x, tolerance) && equalWithin(actual.y, expected.y, tolerance) &&
               equalWithin(actual.width, expected.width, tolerance) &&
               equalWithin(actual.height, expected.height, tolerance);
  return equalityOnly(equal, comparison);
}

bool pointMatches(const Point& actual, Comparison comparison, const Point& expected, double tolerance) {
  bool equal = equalWithin(actual.x, expected.x, tolerance) && equalWithin(actual.y, expected.y, tolerance);
  return equalityOnly(equal, comparison);
}

bool valueMatches(const PlistValue* actual, Comparison comparison, const PlistValue& expected,
                  double tolerance) {
  if (comparison == Comparison::Exists) return actual != nullptr;
  if (comparison == Comparison::Absent) return actual == nullptr;
  if (!actual) return false;
  if (comparison == Comparison::StartsWith) {
    const std::string* prefix = expected.asString();
    const std::string* text = actual->asString();
    return prefix && text && text->starts_with(*prefix);
  }
  if (comparison == Comparison::Contains) {
    const std::string* needle = expected.asString();
    if (const std::string* text = actual->asString())
      return needle && text->find(*needle) != std::string::npos;
    if (const platform::PlistArray* array = actual->asArray()) {
      for (const PlistValue& element : *array)
        if (valuesEqual(element, expected, tolerance, 0)) return true;
    }
    return false;
  }
  if (comparison == Comparison::Equal || comparison == Comparison::NotEqual)
    return equalityOnly(valuesEqual(*actual, expected, tolerance, 0), comparison);
  if (!actual->isNumber() || !expected.isNumber()) return false;
  return numberMatches(*actual->doubleValue(), comparison, *expected.doubleValue(), tolerance);
}

const PlistValue* entryOf(const PlistValue& container, const std::string& part) {
  if (const platform::PlistDict* dict = container.asDict()) return dict->find(part);
  const platform::PlistArray* array = container.asArray();
  if (!array) return nullptr;
  std::size_t index = 0;
  auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), index);
  if (error != std::errc() || end != part.data() + part.size() || index >= array->size()) return nullptr;
  return &(*array)[index];
}

const PlistValue* valueAtPath(const platform::PlistDict& fields, const std::vector<std::string>& path) {
  if (path.empty()) return nullptr;
  const PlistValue* current = fields.find(path[0]);
  for (std::size_t i = 1; current && i < path.size(); ++i) current = entryOf(*current, path[i]);
  return current;
}

std::optional<std::string_view> valueKindNamed(std::string_view text) {
  static constexpr auto kNames = std::to_array<std::pair<std::string_view, std::string_view>>({
      {"bool", "bool"},
      {"boolean", "bool"},
      {"integer", "integer"},
      {"int", "integer"},
      {"real", "real"},
      {"number", "number"},
      {"string", "string"},
      {"data", "data"},
      {"date", "date"},
      {"array", "array"},
      {"dict", "dict"},
  });
  if (text == "dictionary") return "dict";
  for (const auto& [name, canonical] : kNames)
    if (name == text) return canonical;
  return std::nullopt;
}

std::string_view valueKindOf(const PlistValue& value) {
  static constexpr auto kKinds =
      std::to_array<std::string_view>({"bool", "integer", "real", "string", "data", "date", "array", "dict"});
  static_assert(kKinds.size() == std::variant_size_v<PlistValue::Storage>);
  return kKinds[value.storage.index()];
}

bool kindMatches(const PlistValue* actual, Comparison comparison, std::string_view kind) {
  if (!actual) return false;
  const bool same = kind == "number" ? actual->isNumber() : valueKindOf(*actual) == kind;
  return comparison == Comparison::NotEqual ? !same : same;
}

bool eventMatches(const EventPattern& pattern, const platform::TraceEvent& event) {
  if (event.kind != pattern.kind) return false;
  for (const FieldCondition& condition : pattern.conditions) {
    if (condition.path.size() == 1 && condition.path[0] == "process") {
      PlistValue process(event.process);
      if (!valueMatches(&process, condition.comparison, condition.value, condition.tolerance)) return false;
      continue;
    }
    const PlistValue* actual = valueAtPath(event.fields, condition.path);
    if (condition.testsKind) {
      if (!kindMatches(actual, condition.comparison, *condition.value.asString())) return false;
      continue;
    }
    if (!valueMatches(actual, condition.comparison, condition.value, condition.tolerance)) return false;
  }
  return true;
}

bool inWindow(const TimeWindow& window, platform::Nanos time) {
  return time >= window.from && time <= window.to;
}

std::size_t countMatching(const std::deque<platform::TraceEvent>& events, const EventPattern& pattern,
                          const TimeWindow& window) {
  std::size_t count = 0;
  for (const platform::TraceEvent& event : events)
    if (inWindow(window, event.time) && eventMatches(pattern, event)) ++count;
  return count;
}

bool countSatisfies(std::int64_t actual, Comparison comparison, std::int64_t expected) {
  switch (comparison) {
    case Comparison::Equal:
      return actual == expected;
    case Comparison::NotEqual:
      return actual != expected;
    case Comparison::Less:
      return actual < expected;
    case Comparison::LessOrEqual:
      return actual <= expected;
    case Comparison::Greater:
      return actual > expected;
    case Comparison::GreaterOrEqual:
      return actual >= expected;
    default:
      return false;
  }
}

OrderOutcome checkOrder(const std::deque<platform::TraceEvent>& events, const ExpectOrder& expect) {
  OrderOutcome outcome;
  for (std::size_t i = 0; i < events.size() && !(outcome.earlier && outcome.later); ++i) {
    const platform::TraceEvent& event = events[i];
    if (!inWindow(expect.window, event.time)) continue;
    if (!outcome.earlier && eventMatches(expect.earlier, event)) outcome.earlier = i;
    if (!outcome.later && eventMatches(expect.later, event)) outcome.later = i;
  }
  return outcome;
}

}  // namespace sim
