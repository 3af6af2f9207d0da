#pragma once
// Reads the tokens of one statement in order, turning them into typed values and reporting what is
// wrong at the token where it is wrong.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/foundation/clock.h"
#include "sim/scenario/lexer.h"
#include "sim/scenario/values.h"

namespace sim {

class TokenReader {
 public:
  TokenReader(const Statement& statement, const std::string& file) : statement_(statement), file_(file) {}

  bool atEnd() const { return next_ >= statement_.tokens.size(); }
  const Token& peek() const;  // the next token; only when !atEnd()
  bool peekWord(std::string_view word) const;
  bool peekKind(TokenKind kind) const { return !atEnd() && peek().kind == kind; }
  // The token `ahead` places after the next one, or nullptr past the statement's end.
  const Token* peekAhead(std::size_t ahead) const {
    return next_ + ahead < statement_.tokens.size() ? &statement_.tokens[next_ + ahead] : nullptr;
  }
  // Consumes the next token when it is exactly this word.
  bool acceptWord(std::string_view word);
  bool acceptKind(TokenKind kind);

  // Each of these consumes one token; `what` names what was expected ("a duration after 'wait'").
  const Token& take(std::string_view what);
  std::string word(std::string_view what);
  std::string wordOrString(std::string_view what);
  double real(std::string_view what);  // finite
  std::int64_t integer(std::string_view what);
  std::int64_t integerWithin(std::string_view what, std::int64_t lowest, std::int64_t highest);
  platform::Nanos duration(std::string_view what);
  bool yesNo(std::string_view what);
  Colour colour(std::string_view what);
  void expectOperator(std::string_view op, std::string_view what);

  // The statement must end here.
  void expectEnd(std::string_view after);

  [[noreturn]] void fail(const Token& at, std::string message) const;
  [[noreturn]] void failAtEnd(std::string message) const;
  [[noreturn]] void failStatement(std::string message) const;
  // "expected X, found 'y'" at the next token, or "expected X at the end of the line".
  [[noreturn]] void failExpected(std::string_view what) const;

  const std::string& file() const { return file_; }
  std::size_t line() const { return statement_.line; }
  // Of the statement's first token.
  std::size_t column() const { return statement_.tokens.empty() ? 0 : statement_.tokens.front().column; }
  const Token& previous() const { return statement_.tokens.at(next_ - 1); }

 private:
  const Statement& statement_;
  const std::string& file_;
  std::size_t next_ = 0;
};

// 'word', "string" or '{' as a message quotes it.
std::string quoted(const Token& token);

}  // namespace sim
