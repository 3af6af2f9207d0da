// expect: a field of the HUD, the number of entries of one, the number of trace events of a kind, or the
// order of two of them; `expect now` looks before what is due at the same instant has run.
#include <limits>

#include "sim/scenario/command_parsers.h"
#include "sim/scenario/comparison_parser.h"
#include "sim/scenario/literals.h"
#include "sim/scenario/plist_literal.h"

namespace sim {

namespace {

constexpr std::string_view kStatusColors = "statusColors";

bool allows(FieldType type, Comparison comparison, const ExpectedValue& expected) {
  if (comparison == Comparison::Equal || comparison == Comparison::NotEqual) return true;
  if (std::holds_alternative<Nil>(expected)) return false;
  if (comparison == Comparison::StartsWith)
    return type == FieldType::Text ||
           (type == FieldType::Value && std::get<platform::PlistValue>(expected).asString());
  if (comparison == Comparison::Contains)
    return type == FieldType::Text || type == FieldType::Value;
  if (type == FieldType::Real) return true;
  return type == FieldType::Value && std::get<platform::PlistValue>(expected).isNumber();
}

bool takesTolerance(FieldType type) {
  return type == FieldType::Real || type == FieldType::Rect || type == FieldType::Point ||
         type == FieldType::Colour || type == FieldType::Value;
}

ExpectedValue parseExpectedValue(TokenReader& in, FieldType type) {
  if (in.acceptWord("nil")) return Nil{};
  switch (type) {
    case FieldType::Bool:
      return in.yesNo("true or false");
    case FieldType::Real: {
      if (!in.peekKind(TokenKind::Word)) in.failExpected("a number");
      const Token& token = in.take("a number");
      Literal<double> value = parseRealLiteral(token.text, true);
      if (!value) in.fail(token, "expected a number: " + quoted(token) + " " + value.problem);
      return *value.value;
    }
    case FieldType::Rect: {
      Rect r;
      r.x = in.real("the x of a rectangle (x y width height)");
      r.y = in.real("the y of the rectangle");
      r.width = in.real("the width of the rectangle");
      r.height = in.real("the height of the rectangle");
      return r;
    }
    case FieldType::Point: {
      Point p;
      p.x = in.real("the x of a point (x y)");
      p.y = in.real("the y of the point");
      return p;
    }
    case FieldType::Colour:
      return in.colour("a colour or nil");
    case FieldType::Text:
      return in.wordOrString("a string");
    case FieldType::Glyph: {
      const Token& token = in.take("a glyph");
      auto glyph = glyphNamed(token.text);
      if (!glyph) in.fail(token, "expected " + std::string(nameOf(type)) + ", found " + quoted(token));
      return *glyph;
    }
    case FieldType::Alignment: {
      const Token& token = in.take("an alignment");
      auto alignment = textAlignmentNamed(token.text);
      if (!alignment) in.fail(token, "expected " + std::string(nameOf(type)) + ", found " + quoted(token));
      return *alignment;
    }
    case FieldType::Value:
      return parsePlistValue(in);
  }
  in.failStatement("unreadable field type");
}

// OP N, ending the line: a count compared with ==, !=, <, <=, > or >=.
void parseCountEnd(TokenReader& in, Comparison& comparison, std::int64_t& count) {
  comparison = parseComparison(in, "a comparison and a count (such as '== 1')");
  if (comparison == Comparison::Contains || comparison == Comparison::StartsWith)
    in.fail(in.previous(), "a count is compared with ==, !=, <, <=, > or >=");
  count = in.integerWithin("a count", 0, std::numeric_limits<std::int32_t>::max());
  in.expectEnd("the count");
}

// statusColors KEY: one entry, when a key comes before the comparison.
void parseEntryKey(TokenReader& in, SnapshotField& field) {
  if (field.name == kStatusColors &&
      (in.peekKind(TokenKind::String) ||
       (in.peekKind(TokenKind::Word) && !in.peekWord("contains") && !in.peekWord("starts-with"))))
    field.key = in.take("a key").text;
}

void parseExpectField(TokenReader& in, ScenarioBuilder& builder, const Token& head, bool now) {
  if (!in.peekKind(TokenKind::Word)) in.failExpected("a field, 'count' or 'order' after 'expect'");
  const Token& fieldToken = in.take("a field");
  std::optional<SnapshotField> field = snapshotFieldNamed(fieldToken.text);
  if (!field) in.fail(fieldToken, unknownFieldMessage(fieldToken.text));
  builder.requireLaunched(in, head, "'expect " + fieldToken.text + "'");
  parseEntryKey(in, *field);
  ExpectField expect;
  expect.comparison =
      parseComparison(in, "a comparison (==, !=, <, <=, >, >=, contains, starts-with) after the field");
  const Token* valueToken = in.atEnd() ? nullptr : &in.peek();
  expect.kept = parseKeptReference(in, builder, field->type, expect.comparison);
  if (expect.kept.empty()) expect.expected = parseExpectedValue(in, field->type);
  if (expect.kept.empty() && !allows(field->type, expect.comparison, expect.expected))
    in.fail(*valueToken, "'" + std::string(symbolOf(expect.comparison)) + "' cannot compare " +
                             std::string(nameOf(field->type)) +
                             (std::holds_alternative<Nil>(expect.expected) ? " with nil" : ""));
  double defaultTolerance = field->type == FieldType::Colour ? kDefaultColourTolerance : kDefaultTolerance;
  if (in.peekWord("within") && !takesTolerance(field->type))
    in.fail(in.peek(), "'within' applies to numbers, rectangles, points, colours and values");
  expect.tolerance = parseTolerance(in, defaultTolerance);
  in.expectEnd("the expected value");
  expect.field = std::move(*field);
  builder.add(in, std::move(expect), now);
}

// expect count FIELD [KEY] OP N
void parseExpectEntries(TokenReader& in, ScenarioBuilder& builder, const Token& head, bool now) {
  const Token& fieldToken = in.take("a field");
  ExpectEntries expect;
  expect.field = *snapshotFieldNamed(fieldToken.text);
  builder.requireLaunched(in, head, "'expect count " + fieldToken.text + "'");
  parseEntryKey(in, expect.field);
  parseCountEnd(in, expect.comparison, expect.count);
  builder.add(in, std::move(expect), now);
}

// expect count KIND [where ...] [from T] [to T] | [last D]  OP N
void parseExpectCount(TokenReader& in, ScenarioBuilder& builder, bool now) {
  ExpectCount expect;
  expect.pattern = parseEventPattern(in);
  expect.window = parseTimeWindow(in, builder);
  parseCountEnd(in, expect.comparison, expect.count);
  builder.add(in, std::move(expect), now);
}

// expect order KIND [where ...] before KIND [where ...] [from T] [to T] | [last D]
void parseExpectOrder(TokenReader& in, ScenarioBuilder& builder, bool now) {
  ExpectOrder expect;
  expect.earlier = parseEventPattern(in);
  if (!in.acceptWord("before")) in.failExpected("'before' and a second event kind");
  expect.later = parseEventPattern(in);
  expect.window = parseTimeWindow(in, builder);
  in.expectEnd("the second event");
  builder.add(in, std::move(expect), now);
}

}  // namespace

void parseExpect(TokenReader& in, ScenarioBuilder& builder, const Token& head) {
  const bool now = in.acceptWord("now");
  if (in.acceptWord("count")) {
    // A HUD field's entries, or trace events of a kind: no event kind is a field name.
    if (in.peekKind(TokenKind::Word) && snapshotFieldNamed(in.peek().text))
      return parseExpectEntries(in, builder, head, now);
    return parseExpectCount(in, builder, now);
  }
  if (in.acceptWord("order")) return parseExpectOrder(in, builder, now);
  if (in.acceptWord("app")) return parseExpectApp(in, builder, now);
  parseExpectField(in, builder, head, now);
}

}  // namespace sim
