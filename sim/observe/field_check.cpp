#include "sim/observe/field_check.h"

#include <cmath>
#include <cstdio>

#include "sim/scenario/matching.h"

namespace sim {

namespace {

using platform::PlistValue;

std::optional<std::vector<double>> numbers(const PlistValue* value, std::size_t count) {
  const platform::PlistArray* array = value ? value->asArray() : nullptr;
  if (!array || array->size() != count) return std::nullopt;
  std::vector<double> out;
  for (const auto& item : *array) {
    auto d = item.doubleValue();
    if (!d) return std::nullopt;
    out.push_back(*d);
  }
  return out;
}

std::optional<Colour> colourOf(const PlistValue* value) {
  auto c = numbers(value, 4);
  if (!c) return std::nullopt;
  return Colour{"", (*c)[0], (*c)[1], (*c)[2], (*c)[3]};
}

std::string formatNumber(double d) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.6g", d);
  return buffer;
}

std::string formatColour(const Colour& c) {
  auto channel = [](double v) { return static_cast<int>(std::lround(std::fmin(std::fmax(v, 0.0), 1.0) * 255)); };
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X:%.3f", channel(c.red), channel(c.green), channel(c.blue),
                c.alpha);
  return buffer;
}

const PlistValue* lookUp(const std::optional<PlistValue>& value, const SnapshotField& field) {
  if (!value) return nullptr;
  return field.key ? entryOf(*value, *field.key) : &*value;
}

bool textMatches(const std::string& actual, Comparison comparison, const std::string& expected) {
  switch (comparison) {
    case Comparison::Equal: return actual == expected;
    case Comparison::NotEqual: return actual != expected;
    case Comparison::Contains: return actual.find(expected) != std::string::npos;
    case Comparison::StartsWith: return actual.starts_with(expected);
    default: return false;
  }
}

bool holds(const PlistValue* actual, const ExpectField& expect) {
  const Comparison cmp = expect.comparison;
  if (cmp == Comparison::Exists) return actual != nullptr;
  if (cmp == Comparison::Absent || std::holds_alternative<Nil>(expect.expected))
    return cmp == Comparison::NotEqual ? actual != nullptr : actual == nullptr;
  if (!actual) return cmp == Comparison::NotEqual;
  const double tol = expect.tolerance;
  return std::visit(
      [&](const auto& want) -> bool {
        using T = std::decay_t<decltype(want)>;
        if constexpr (std::is_same_v<T, Nil>) return false;
        else if constexpr (std::is_same_v<T, bool>) {
          auto b = actual->boolValue();
          return b && numberMatches(*b, cmp, want, 0);
        } else if constexpr (std::is_same_v<T, double>) {
          auto d = actual->doubleValue();
          return d && numberMatches(*d, cmp, want, tol);
        } else if constexpr (std::is_same_v<T, Rect>) {
          auto r = numbers(actual, 4);
          return r && rectMatches(Rect{(*r)[0], (*r)[1], (*r)[2], (*r)[3]}, cmp, want, tol);
        } else if constexpr (std::is_same_v<T, Point>) {
          auto p = numbers(actual, 2);
          return p && pointMatches(Point{(*p)[0], (*p)[1]}, cmp, want, tol);
        } else if constexpr (std::is_same_v<T, Colour>) {
          auto c = colourOf(actual);
          return c && colourMatches(*c, cmp, want, std::fmax(tol, kDefaultColourTolerance));
        } else if constexpr (std::is_same_v<T, std::string>) {
          const std::string* s = actual->asString();
          return s && textMatches(*s, cmp, want);
        } else if constexpr (std::is_same_v<T, Glyph>) {
          const std::string* s = actual->asString();
          return s && textMatches(*s, cmp, std::string(nameOf(want)));
        } else if constexpr (std::is_same_v<T, TextAlignment>) {
          const std::string* s = actual->asString();
          return s && textMatches(*s, cmp, std::string(nameOf(want)));
        } else {
          return valueMatches(actual, cmp, want, tol);
        }
      },
      expect.expected);
}

}  // namespace

std::string describeSnapshotValue(const PlistValue* value, FieldType type) {
  if (!value) return "nil";
  if (type == FieldType::Colour)
    if (auto c = colourOf(value)) return formatColour(*c);
  if (const std::string* s = value->asString()) return type == FieldType::Text ? "\"" + *s + "\"" : *s;
  if (const auto* array = value->asArray()) {
    std::string out;
    for (const auto& item : *array) {
      if (!out.empty()) out += ' ';
      out += describeSnapshotValue(&item, FieldType::Value);
    }
    return type == FieldType::Value ? "[" + out + "]" : out;
  }
  if (const auto* dict = value->asDict()) {
    std::string out;
    for (const auto& [k, v] : *dict) out += (out.empty() ? "" : ", ") + k + " = " + describeSnapshotValue(&v, FieldType::Value);
    return "{" + out + "}";
  }
  if (std::holds_alternative<bool>(value->storage)) return std::get<bool>(value->storage) ? "true" : "false";
  if (auto d = value->doubleValue()) return formatNumber(*d);
  return "a value";
}

std::optional<std::string> checkField(const std::optional<PlistValue>& value, const ExpectField& expect) {
  const PlistValue* actual = lookUp(value, expect.field);
  if (holds(actual, expect)) return std::nullopt;
  std::string name = expect.field.name + (expect.field.key ? " \"" + *expect.field.key + "\"" : "");
  std::string wanted = describe(expect.expected);
  if (!expect.kept.empty()) wanted = "kept " + expect.kept + " (" + wanted + ")";
  return "expected " + name + " " + std::string(symbolOf(expect.comparison)) + " " + wanted + ", found " + describeSnapshotValue(actual, expect.field.type);
}

std::string describeFound(const std::optional<PlistValue>& value, const SnapshotField& field) {
  return describeSnapshotValue(lookUp(value, field), field.type);
}

std::optional<std::string> checkEntryCount(const std::optional<PlistValue>& value, const ExpectEntries& expect) {
  const PlistValue* actual = lookUp(value, expect.field);
  std::optional<std::int64_t> entries;
  if (const auto* array = actual ? actual->asArray() : nullptr) entries = static_cast<std::int64_t>(array->size());
  if (const auto* dict = actual ? actual->asDict() : nullptr) entries = static_cast<std::int64_t>(dict->size());
  if (entries && countSatisfies(*entries, expect.comparison, expect.count)) return std::nullopt;
  std::string name = expect.field.name + (expect.field.key ? " \"" + *expect.field.key + "\"" : "");
  return "expected count " + name + " " + std::string(symbolOf(expect.comparison)) + " " +
         std::to_string(expect.count) + ", found " +
         (entries ? std::to_string(*entries) : describeSnapshotValue(actual, expect.field.type) + " (no entries)");
}

}  // namespace sim
