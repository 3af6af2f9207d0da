#include "sim/scenario/token_reader.h"

#include "sim/scenario/literals.h"
#include "sim/scenario/scenario_error.h"

namespace sim {

namespace {
constexpr std::size_t kLongestQuote = 40;
}

std::string quoted(const Token& token) {
  std::string text =
      token.text.size() > kLongestQuote ? token.text.substr(0, kLongestQuote) + "..." : token.text;
  if (token.kind == TokenKind::String) return "\"" + text + "\"";
  return "'" + text + "'";
}

const Token& TokenReader::peek() const {
  return statement_.tokens.at(next_);
}

bool TokenReader::peekWord(std::string_view word) const {
  return !atEnd() && peek().kind == TokenKind::Word && peek().text == word;
}

bool TokenReader::acceptWord(std::string_view word) {
  if (!peekWord(word)) return false;
  ++next_;
  return true;
}

bool TokenReader::acceptKind(TokenKind kind) {
  if (!peekKind(kind)) return false;
  ++next_;
  return true;
}

const Token& TokenReader::take(std::string_view what) {
  if (atEnd()) failExpected(what);
  return statement_.tokens[next_++];
}

std::string TokenReader::word(std::string_view what) {
  if (!peekKind(TokenKind::Word)) failExpected(what);
  return take(what).text;
}

std::string TokenReader::wordOrString(std::string_view what) {
  if (!peekKind(TokenKind::Word) && !peekKind(TokenKind::String)) failExpected(what);
  return take(what).text;
}

double TokenReader::real(std::string_view what) {
  if (!peekKind(TokenKind::Word)) failExpected(what);
  const Token& token = take(what);
  Literal<double> value = parseRealLiteral(token.text, false);
  if (!value) fail(token, "expected " + std::string(what) + ": " + quoted(token) + " " + value.problem);
  return *value.value;
}

std::int64_t TokenReader::integer(std::string_view what) {
  if (!peekKind(TokenKind::Word)) failExpected(what);
  const Token& token = take(what);
  Literal<std::int64_t> value = parseIntegerLiteral(token.text);
  if (!value) fail(token, "expected " + std::string(what) + ": " + quoted(token) + " " + value.problem);
  return *value.value;
}

std::int64_t TokenReader::integerWithin(std::string_view what, std::int64_t lowest, std::int64_t highest) {
  std::int64_t value = integer(what);
  if (value < lowest || value > highest)
    fail(previous(), std::string(what) + " must be from " + std::to_string(lowest) + " to " +
                         std::to_string(highest) + ", not " + std::to_string(value));
  return value;
}

platform::Nanos TokenReader::duration(std::string_view what) {
  if (!peekKind(TokenKind::Word)) failExpected(what);
  const Token& token = take(what);
  Literal<platform::Nanos> value = parseDurationLiteral(token.text);
  if (!value) fail(token, "expected " + std::string(what) + ": " + quoted(token) + " " + value.problem);
  return *value.value;
}

bool TokenReader::yesNo(std::string_view what) {
  if (!peekKind(TokenKind::Word)) failExpected(what);
  const Token& token = take(what);
  Literal<bool> value = parseBoolLiteral(token.text);
  if (!value) fail(token, "expected " + std::string(what) + ": " + quoted(token) + " " + value.problem);
  return *value.value;
}

Colour TokenReader::colour(std::string_view what) {
  if (!peekKind(TokenKind::Word)) failExpected(what);
  const Token& token = take(what);
  Literal<Colour> value = parseColourLiteral(token.text);
  if (!value) fail(token, "expected " + std::string(what) + ": " + quoted(token) + " " + value.problem);
  return *value.value;
}

void TokenReader::expectOperator(std::string_view op, std::string_view what) {
  if (!peekKind(TokenKind::Operator) || peek().text != op) failExpected(what);
  ++next_;
}

void TokenReader::expectEnd(std::string_view after) {
  if (!atEnd()) fail(peek(), "unexpected " + quoted(peek()) + " after " + std::string(after));
}

void TokenReader::fail(const Token& at, std::string message) const {
  throw ScenarioError(file_, at.line, at.column, std::move(message));
}

void TokenReader::failAtEnd(std::string message) const {
  if (statement_.tokens.empty()) failStatement(std::move(message));
  const Token& last = statement_.tokens.back();
  throw ScenarioError(file_, last.line, last.column + last.length, std::move(message));
}

void TokenReader::failStatement(std::string message) const {
  // The statement's first token stands for the whole statement.
  throw ScenarioError(file_, statement_.line, column(), std::move(message));
}

void TokenReader::failExpected(std::string_view what) const {
  if (atEnd()) failAtEnd("expected " + std::string(what) + " at the end of the line");
  fail(peek(), "expected " + std::string(what) + ", found " + quoted(peek()));
}

}  // namespace sim
