#include "sim/scenario/expectations.h"
#include "sim/scenario/overloaded.h"

#include <cstdio>

#include "sim/scenario/plist_literal.h"

namespace sim {

namespace {

std::string number(double value) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.9g", value);
  return buffer;
}


}  // namespace

std::string_view symbolOf(Comparison comparison) {
  switch (comparison) {
    case Comparison::Equal:
      return "==";
    case Comparison::NotEqual:
      return "!=";
    case Comparison::Less:
      return "<";
    case Comparison::LessOrEqual:
      return "<=";
    case Comparison::Greater:
      return ">";
    case Comparison::GreaterOrEqual:
      return ">=";
    case Comparison::Contains:
      return "contains";
    case Comparison::StartsWith:
      return "starts-with";
    case Comparison::Exists:
      return "exists";
    case Comparison::Absent:
      return "absent";
  }
  return "?";
}

FieldType appFieldType(std::string_view property) {
  if (property == "hidden") return FieldType::Bool;
  if (property == "class") return FieldType::Text;
  return FieldType::Real;
}

std::string describe(const ExpectedValue& value) {
  return std::visit(Overloaded{
                        [](const Nil&) -> std::string { return "nil"; },
                        [](bool b) -> std::string { return b ? "true" : "false"; },
                        [](double d) { return number(d); },
                        [](const Rect& r) {
                          return number(r.x) + " " + number(r.y) + " " + number(r.width) + " " +
                                 number(r.height);
                        },
                        [](const Point& p) { return number(p.x) + " " + number(p.y); },
                        [](const Colour& c) { return c.text; },
                        [](const std::string& s) { return formatPlistLiteral(s); },
                        [](Glyph g) { return std::string(nameOf(g)); },
                        [](TextAlignment a) { return std::string(nameOf(a)); },
                        [](const platform::PlistValue& v) { return formatPlistLiteral(v); },
                    },
                    value);
}

}  // namespace sim
