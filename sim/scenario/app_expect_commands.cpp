// expect app APP FIELD COMPARISON VALUE: what a process shows of its own status bar, and how many platform
// objects it keeps alive.
#include <charconv>
#include <limits>

#include "sim/scenario/command_parsers.h"
#include "sim/scenario/comparison_parser.h"
#include "sim/scenario/plist_literal.h"

namespace sim {

namespace {

constexpr std::size_t kDeepestViewPath = 64;

bool isIndex(std::string_view part) {
  std::size_t index = 0;
  auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), index);
  return error == std::errc() && end == part.data() + part.size();
}

}  // namespace

void parseAppField(TokenReader& in, std::vector<std::string>& view, std::string& property) {
  if (!in.peekKind(TokenKind::Word)) in.failExpected("liveObjects, or a status bar view and a property");
  const Token& token = in.take("a field");
  if (token.text == "liveObjects") {
    property = token.text;
    return;
  }
  std::vector<std::string> parts;
  for (std::size_t from = 0;;) {
    std::size_t dot = token.text.find('.', from);
    parts.push_back(token.text.substr(from, dot == std::string::npos ? std::string::npos : dot - from));
    if (dot == std::string::npos) break;
    from = dot + 1;
  }
  const std::string usage =
      " (statusBar or foregroundView, subview indexes, then alpha, presentation.alpha, "
      "hidden or class: statusBar.0.1.alpha)";
  if (parts[0] != "statusBar" && parts[0] != "foregroundView")
    in.fail(token,
            "unknown app field " + quoted(token) + "; liveObjects or a view of the status bar" + usage);
  std::size_t i = 0;
  view.push_back(parts[i++]);
  while (i < parts.size() && isIndex(parts[i])) view.push_back(parts[i++]);
  if (view.size() > kDeepestViewPath) in.fail(token, "the view path is too deep");
  std::string name;
  for (; i < parts.size(); ++i) name += (name.empty() ? "" : ".") + parts[i];
  if (name != "alpha" && name != "presentation.alpha" && name != "hidden" && name != "class")
    in.fail(token, "expected a property at the end of " + quoted(token) + usage);
  property = name;
}

void parseExpectApp(TokenReader& in, ScenarioBuilder& builder, bool now) {
  if (!in.peekKind(TokenKind::Word) && !in.peekKind(TokenKind::String))
    in.failExpected("an app after 'expect app'");
  ExpectAppField expect;
  ProcessRef process = builder.process(in, in.take("an app"));
  expect.app = process.app.value_or("");
  parseAppField(in, expect.view, expect.property);
  expect.comparison = parseComparison(in, "a comparison after the field");
  const Token* valueToken = in.atEnd() ? nullptr : &in.peek();
  // A kept value's type was checked against the field's; what it holds is known only as the scenario plays.
  expect.kept = parseKeptReference(in, builder, appFieldType(expect.property), expect.comparison);
  if (!expect.kept.empty()) {
  } else if (in.acceptWord("nil")) {
    // nil: the view does not exist.
    if (expect.comparison != Comparison::Equal && expect.comparison != Comparison::NotEqual)
      in.fail(*valueToken, "nil is compared with == or !=");
    expect.comparison = expect.comparison == Comparison::Equal ? Comparison::Absent : Comparison::Exists;
  } else {
    expect.expected = parsePlistValue(in);
    const bool number = expect.expected.isNumber();
    if (expect.property == "class" && !expect.expected.asString())
      in.fail(*valueToken, "a class is compared with a class name in quotes");
    if (expect.property != "class" && !number)
      in.fail(*valueToken, "'" + expect.property + "' is compared with a number or a boolean");
    if (expect.comparison == Comparison::Contains && !expect.expected.asString())
      in.fail(*valueToken, "'contains' needs a string");
    if (isOrdering(expect.comparison) && !number)
      in.fail(*valueToken, "'" + std::string(symbolOf(expect.comparison)) + "' needs a number");
  }
  expect.tolerance = parseTolerance(in, kDefaultTolerance);
  in.expectEnd("the expected value");
  builder.add(in, std::move(expect), now);
}

}  // namespace sim
