#pragma once
// Splits scenario text into statements of tokens. A statement is one line, or several when a '{' or '['
// opened on it closes on a later line (inline dictionaries may be laid out over many lines).
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

enum class TokenKind {
  Word,      // a run of anything else: commands, names, numbers, durations, colours, dotted paths
  String,    // "quoted", with its escapes already resolved in text
  Operator,  // a run of = < > ! such as =, ==, !=, <=
  Open,      // { or [
  Close,     // } or ]
  Comma,     // only inside brackets; elsewhere a comma is part of a word
};

struct Token {
  TokenKind kind = TokenKind::Word;
  std::string text;
  std::size_t line = 0;
  std::size_t column = 0;  // 1-based, in bytes
  std::size_t length = 0;  // in bytes as written, quotes and escapes included
};

// A statement holds at most this many tokens: far more than any command takes (10,000 press times,
// a settings dictionary of thousands of keys), few enough that one line cannot fill the memory.
inline constexpr std::size_t kMaxTokensPerStatement = 100000;
// And a scenario at most this many in all: what a scenario keeps in memory (the values of settings and
// payloads, the conditions of expectations) grows with its tokens, some 50 bytes each at most.
inline constexpr std::size_t kMaxTokensPerScenario = 1500000;

struct Statement {
  std::size_t line = 0;  // where it starts
  std::vector<Token> tokens;
};

// Throws ScenarioError for text that is not valid UTF-8, control characters, bad escapes, unterminated
// strings, brackets that are unbalanced or never closed, and statements of too many tokens.
std::vector<Statement> lexScenario(std::string_view text, const std::string& file);
// The same, handing each statement on as soon as it is complete, so that only one is held at a time.
void lexScenario(std::string_view text, const std::string& file, const std::function<void(Statement&&)>& each);

// Offset of the first byte that breaks UTF-8 (overlong forms, surrogates and values past U+10FFFF
// included), or nothing when the text is valid.
std::optional<std::size_t> firstInvalidUtf8(std::string_view text);

}  // namespace sim
