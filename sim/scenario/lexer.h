#pragma once
// Splits scenario text into statements of tokens. A statement is one line, or several when a '{' or '['
// opened on it closes on a later line (inline dictionaries may be laid out over many lines).
#include <cstddef>
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

struct Statement {
  std::size_t line = 0;  // where it starts
  std::vector<Token> tokens;
};

// Throws ScenarioError for text that is not valid UTF-8, control characters, bad escapes, unterminated
// strings and brackets that are unbalanced or never closed.
std::vector<Statement> lexScenario(std::string_view text, const std::string& file);

// Offset of the first byte that breaks UTF-8 (overlong forms, surrogates and values past U+10FFFF
// included), or nothing when the text is valid.
std::optional<std::size_t> firstInvalidUtf8(std::string_view text);

}  // namespace sim
