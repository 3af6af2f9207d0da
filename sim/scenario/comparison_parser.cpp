#include "sim/scenario/comparison_parser.h"

#include "sim/scenario/literals.h"
#include "sim/scenario/matching.h"
#include "sim/scenario/plist_literal.h"

namespace sim {

namespace {

constexpr std::string_view kProcessField = "process";

bool isPathToken(const Token& token) { return token.kind == TokenKind::Word || token.kind == TokenKind::String; }

bool touches(const Token& before, const Token& after) {
  return before.line == after.line && before.column + before.length == after.column;
}

void splitAtDots(TokenReader& in, const Token& token, std::string_view text, std::vector<std::string>& path) {
  std::size_t from = 0;
  while (true) {
    std::size_t dot = text.find('.', from);
    std::string part(text.substr(from, dot == std::string_view::npos ? std::string_view::npos : dot - from));
    if (part.empty())
      in.fail(token, quoted(token) + " has an empty part; write fields as userInfo.modifier or hud.\"a.b\".0");
    path.push_back(std::move(part));
    if (dot == std::string_view::npos) return;
    from = dot + 1;
  }
}

// A path is one run of touching words and quoted names: words split at their dots, a quoted name is one
// key even when it holds dots, and dots join the pieces (hud."tarvoHUDSlider.minimumTrackColor".0).
std::vector<std::string> parsePath(TokenReader& in) {
  if (in.atEnd() || !isPathToken(in.peek())) in.failExpected("a field after 'where'");
  std::vector<const Token*> run{&in.take("a field")};
  while (!in.atEnd() && isPathToken(in.peek()) && touches(*run.back(), in.peek())) run.push_back(&in.take("a field"));
  std::vector<std::string> path;
  for (std::size_t i = 0; i < run.size(); ++i) {
    const Token& token = *run[i];
    if (token.kind == TokenKind::String) {
      if (i > 0 && run[i - 1]->kind == TokenKind::String)
        in.fail(token, "a dot must join two quoted names (\"a\".\"b\")");
      path.push_back(token.text);
      continue;
    }
    // Words touch only quoted names (two words would be one); the dots next to them join the pieces.
    std::string_view text = token.text;
    const bool afterQuoted = i > 0, beforeQuoted = i + 1 < run.size();
    if (afterQuoted && beforeQuoted && text == ".") continue;
    if ((afterQuoted && !text.starts_with('.')) || (beforeQuoted && !text.ends_with('.')))
      in.fail(token, "a dot must join " + quoted(token) + " and the quoted name next to it");
    if (afterQuoted) text.remove_prefix(1);
    if (beforeQuoted) text.remove_suffix(1);
    splitAtDots(in, token, text, path);
  }
  return path;
}

FieldCondition parseCondition(TokenReader& in) {
  FieldCondition condition;
  condition.path = parsePath(in);
  const Token& pathToken = in.previous();
  if (in.acceptWord("exists")) {
    condition.comparison = Comparison::Exists;
    return condition;
  }
  if (in.acceptWord("absent")) {
    condition.comparison = Comparison::Absent;
    return condition;
  }
  if (in.acceptWord("kind")) {
    condition.testsKind = true;
    condition.comparison = parseComparison(in, "== or != after 'kind'");
    if (condition.comparison != Comparison::Equal && condition.comparison != Comparison::NotEqual)
      in.fail(in.previous(), "a kind is compared with == or !=");
    const Token& kind = in.take("a kind (" + std::string(kValueKindList) + ")");
    std::optional<std::string_view> name = valueKindNamed(kind.text);
    if (!name || kind.kind != TokenKind::Word)
      in.fail(kind, "unknown kind " + quoted(kind) + " (" + std::string(kValueKindList) + ")");
    condition.value = std::string(*name);
    return condition;
  }
  condition.comparison = parseComparison(in, "a comparison, exists or absent after the field");
  const Token* valueToken = in.atEnd() ? nullptr : &in.peek();
  condition.value = parsePlistValue(in);
  // `contains` takes any value: a string looks inside strings, any value among an array's elements.
  if (condition.comparison == Comparison::StartsWith && !condition.value.asString())
    in.fail(*valueToken, "'starts-with' needs a string");
  if (isOrdering(condition.comparison) && !condition.value.isNumber())
    in.fail(*valueToken, "'" + std::string(symbolOf(condition.comparison)) + "' needs a number");
  if (condition.path.size() == 1 && condition.path[0] == kProcessField && !condition.value.asString())
    in.fail(pathToken, "'process' is the name of a process, compared with a string");
  condition.tolerance = parseTolerance(in, kDefaultTolerance);
  return condition;
}

platform::Nanos timeNoLaterThanNow(TokenReader& in, const ScenarioBuilder& builder, std::string_view what) {
  platform::Nanos time = in.duration(what);
  if (time > builder.cursor())
    in.fail(in.previous(), formatSeconds(time) + " is after the current time " +
                               formatSeconds(builder.cursor()) + ": nothing has happened then yet");
  return time;
}

}  // namespace

Comparison parseComparison(TokenReader& in, std::string_view what) {
  if (in.acceptWord("contains")) return Comparison::Contains;
  if (in.acceptWord("starts-with")) return Comparison::StartsWith;
  if (!in.peekKind(TokenKind::Operator)) in.failExpected(what);
  const Token& op = in.take(what);
  if (op.text == "==") return Comparison::Equal;
  if (op.text == "!=") return Comparison::NotEqual;
  if (op.text == "<") return Comparison::Less;
  if (op.text == "<=") return Comparison::LessOrEqual;
  if (op.text == ">") return Comparison::Greater;
  if (op.text == ">=") return Comparison::GreaterOrEqual;
  if (op.text == "=") in.fail(op, "use '==' to compare");
  in.fail(op, "unknown comparison " + quoted(op) + " (==, !=, <, <=, >, >=, contains, starts-with)");
}

bool isOrdering(Comparison comparison) {
  return comparison == Comparison::Less || comparison == Comparison::LessOrEqual ||
         comparison == Comparison::Greater || comparison == Comparison::GreaterOrEqual;
}

EventPattern parseEventPattern(TokenReader& in) {
  if (!in.peekKind(TokenKind::Word) && !in.peekKind(TokenKind::String)) in.failExpected("an event kind");
  EventPattern pattern;
  pattern.kind = in.take("an event kind").text;
  if (pattern.kind.empty()) in.fail(in.previous(), "an event kind cannot be empty");
  if (!in.acceptWord("where")) return pattern;
  do {
    pattern.conditions.push_back(parseCondition(in));
  } while (in.acceptWord("and"));
  return pattern;
}

TimeWindow parseTimeWindow(TokenReader& in, const ScenarioBuilder& builder) {
  TimeWindow window{0, builder.cursor()};
  if (in.acceptWord("last")) {
    platform::Nanos span = in.duration("a duration after 'last'");
    window.from = span > builder.cursor() ? 0 : builder.cursor() - span;
    return window;
  }
  if (in.acceptWord("from")) window.from = timeNoLaterThanNow(in, builder, "a time after 'from'");
  if (in.acceptWord("to")) {
    window.to = timeNoLaterThanNow(in, builder, "a time after 'to'");
    if (window.to < window.from)
      in.fail(in.previous(), "the window ends (" + formatSeconds(window.to) + ") before it begins (" +
                                 formatSeconds(window.from) + ")");
  }
  return window;
}

double parseTolerance(TokenReader& in, double defaultTolerance) {
  if (!in.acceptWord("within")) return defaultTolerance;
  double tolerance = in.real("a tolerance after 'within'");
  if (tolerance < 0) in.fail(in.previous(), "a tolerance cannot be negative");
  return tolerance;
}

}  // namespace sim
