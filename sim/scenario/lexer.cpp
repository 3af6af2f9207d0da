#include "sim/scenario/lexer.h"

#include <array>
#include <cstdint>
#include <cstdio>

#include "platform/foundation/utf8.h"
#include "sim/scenario/scenario_error.h"

namespace sim {

namespace {

// What the lexer asks of a byte, looked up once rather than answered by a chain of comparisons: every
// character of a scenario is asked.
enum ByteClass : std::uint8_t { kBlank = 1, kControl = 2, kOperator = 4, kEndsWord = 8, kComma = 16 };
constexpr std::array<std::uint8_t, 256> kByteClasses = [] {
  std::array<std::uint8_t, 256> classes{};
  for (int u = 0; u < 256; ++u) {
    const char c = static_cast<char>(u);
    const bool blank = c == ' ' || c == '\t';
    const bool op = c == '=' || c == '<' || c == '>' || c == '!';
    std::uint8_t bits = 0;
    if (blank) bits |= kBlank;
    if ((u < 0x20 && c != '\t') || u == 0x7f) bits |= kControl;
    if (op) bits |= kOperator;
    if (blank || op || c == '{' || c == '}' || c == '[' || c == ']' || c == '"') bits |= kEndsWord;
    if (c == ',') bits |= kComma;
    classes[static_cast<std::size_t>(u)] = bits;
  }
  return classes;
}();

bool is(char c, std::uint8_t classes) { return (kByteClasses[static_cast<unsigned char>(c)] & classes) != 0; }
bool isBlank(char c) { return is(c, kBlank); }
bool isControl(char c) { return is(c, kControl); }
bool isOperatorChar(char c) { return is(c, kOperator); }
// Commas separate only inside brackets; elsewhere they belong to words such as "iPhone10,3".
bool endsWord(char c, bool insideBrackets) { return is(c, insideBrackets ? kEndsWord | kComma : kEndsWord); }

std::string byteText(char c) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "0x%02X", static_cast<unsigned>(static_cast<unsigned char>(c)));
  return buffer;
}

class Lexer {
 public:
  Lexer(const std::string& file, const std::function<void(Statement&&)>& each) : file_(file), each_(each) {}

  void run(std::string_view text) {
    std::size_t lineNumber = 0;
    std::size_t from = 0;
    while (from <= text.size()) {
      std::size_t newline = text.find('\n', from);
      std::string_view line =
          text.substr(from, newline == std::string_view::npos ? text.size() - from : newline - from);
      ++lineNumber;
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      lexLine(line, lineNumber);
      if (open_.empty() && !current_.tokens.empty()) {
        each_(std::move(current_));
        current_.tokens.clear();  // what the consumer did not take lends its room to the next statement
      }
      if (newline == std::string_view::npos) break;
      from = newline + 1;
    }
    if (!open_.empty()) {
      const Token& bracket = open_.back();
      throw ScenarioError(file_, bracket.line, bracket.column, "'" + bracket.text + "' is never closed");
    }
  }

 private:
  [[noreturn]] void fail(std::size_t line, std::size_t index, std::string message) const {
    throw ScenarioError(file_, line, index + 1, std::move(message));
  }

  void add(TokenKind kind, std::string text, std::size_t line, std::size_t index, std::size_t length) {
    if (current_.tokens.empty()) {
      current_.line = line;
      current_.tokens.reserve(8);  // most commands are this long or shorter
    }
    if (current_.tokens.size() >= kMaxTokensPerStatement)
      fail(line, index, "a command may hold at most " + std::to_string(kMaxTokensPerStatement) + " tokens");
    if (++tokens_ > kMaxTokensPerScenario)
      fail(line, index, "the scenario holds more than " + std::to_string(kMaxTokensPerScenario) + " tokens");
    current_.tokens.push_back(Token{kind, std::move(text), line, index + 1, length});
  }

  void lexLine(std::string_view line, std::size_t lineNumber) {
    std::size_t i = 0;
    bool firstOnLine = true;
    while (true) {
      while (i < line.size() && isBlank(line[i])) ++i;
      if (i >= line.size()) return;
      char c = line[i];
      // '#' starts a comment at the start of a line or before a blank; otherwise it begins a colour.
      if (c == '#' && (firstOnLine || i + 1 == line.size() || isBlank(line[i + 1]) || line[i + 1] == '#'))
        return;
      firstOnLine = false;
      if (isControl(c)) fail(lineNumber, i, "unexpected control character " + byteText(c));
      if (c == '"') {
        i = lexString(line, lineNumber, i);
      } else if (c == '{' || c == '[') {
        add(TokenKind::Open, std::string(1, c), lineNumber, i, 1);
        open_.push_back(current_.tokens.back());
        ++i;
      } else if (c == '}' || c == ']') {
        closeBracket(c, lineNumber, i);
        ++i;
      } else if (c == ',' && !open_.empty()) {
        add(TokenKind::Comma, ",", lineNumber, i, 1);
        ++i;
      } else if (isOperatorChar(c)) {
        std::size_t start = i;
        while (i < line.size() && isOperatorChar(line[i])) ++i;
        add(TokenKind::Operator, std::string(line.substr(start, i - start)), lineNumber, start, i - start);
      } else {
        std::size_t start = i;
        while (i < line.size() && !endsWord(line[i], !open_.empty())) {
          if (isControl(line[i])) fail(lineNumber, i, "unexpected control character " + byteText(line[i]));
          ++i;
        }
        add(TokenKind::Word, std::string(line.substr(start, i - start)), lineNumber, start, i - start);
      }
    }
  }

  void closeBracket(char c, std::size_t lineNumber, std::size_t index) {
    char wanted = c == '}' ? '{' : '[';
    if (open_.empty()) fail(lineNumber, index, std::string("unexpected '") + c + "': nothing is open");
    const Token& opened = open_.back();
    if (opened.text[0] != wanted)
      fail(lineNumber, index,
           std::string("'") + c + "' does not close the '" + opened.text + "' opened on line " +
               std::to_string(opened.line));
    open_.pop_back();
    add(TokenKind::Close, std::string(1, c), lineNumber, index, 1);
  }

  // Answers the index just past the closing quote.
  std::size_t lexString(std::string_view line, std::size_t lineNumber, std::size_t start) {
    std::string text;
    std::size_t i = start + 1;
    while (true) {
      if (i >= line.size()) fail(lineNumber, start, "unterminated string");
      char c = line[i];
      if (c == '"') break;
      if (isControl(c))
        fail(lineNumber, i, "unexpected control character " + byteText(c) + " in a string (use \\n, \\t)");
      if (c != '\\') {
        text += c;
        ++i;
        continue;
      }
      if (i + 1 >= line.size()) fail(lineNumber, start, "unterminated string");
      char e = line[i + 1];
      switch (e) {
        case '\\':
          text += '\\';
          break;
        case '"':
          text += '"';
          break;
        case 'n':
          text += '\n';
          break;
        case 't':
          text += '\t';
          break;
        case 'r':
          text += '\r';
          break;
        case 'u':
          i = lexUnicodeEscape(line, lineNumber, i, text);
          continue;
        default:
          fail(lineNumber, i,
               std::string("unknown escape '\\") + e + "' (use \\\\, \\\", \\n, \\t, \\r or \\u{...})");
      }
      i += 2;
    }
    add(TokenKind::String, std::move(text), lineNumber, start, i + 1 - start);
    return i + 1;
  }

  // \u{1F600}: one to six hexadecimal digits naming a Unicode scalar value other than NUL.
  std::size_t lexUnicodeEscape(std::string_view line, std::size_t lineNumber, std::size_t at,
                               std::string& text) {
    std::size_t i = at + 2;
    if (i >= line.size() || line[i] != '{') fail(lineNumber, at, "'\\u' must be followed by {hex digits}");
    ++i;
    char32_t cp = 0;
    std::size_t digits = 0;
    while (i < line.size() && line[i] != '}') {
      char c = line[i];
      int v = (c >= '0' && c <= '9')   ? c - '0'
              : (c >= 'a' && c <= 'f') ? c - 'a' + 10
              : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                       : -1;
      if (v < 0 || ++digits > 6) fail(lineNumber, at, "'\\u{...}' takes one to six hexadecimal digits");
      cp = cp * 16 + static_cast<char32_t>(v);
      ++i;
    }
    if (i >= line.size()) fail(lineNumber, at, "unterminated '\\u{'");
    if (digits == 0) fail(lineNumber, at, "'\\u{...}' takes one to six hexadecimal digits");
    if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
      fail(lineNumber, at, "'\\u{...}' must name a Unicode character other than NUL");
    platform::appendUtf8(text, cp);
    return i + 1;
  }

  const std::string& file_;
  const std::function<void(Statement&&)>& each_;
  Statement current_;
  std::size_t tokens_ = 0;
  std::vector<Token> open_;
};

}  // namespace

std::optional<std::size_t> firstInvalidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    auto b = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    char32_t cp = 0, minimum = 0;
    if (b < 0x80) {
      ++i;
      continue;
    } else if ((b & 0xE0) == 0xC0) {
      length = 2, cp = b & 0x1F, minimum = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
      length = 3, cp = b & 0x0F, minimum = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
      length = 4, cp = b & 0x07, minimum = 0x10000;
    } else {
      return i;
    }
    if (text.size() - i < length) return i;
    for (std::size_t k = 1; k < length; ++k) {
      auto cont = static_cast<unsigned char>(text[i + k]);
      if ((cont & 0xC0) != 0x80) return i;
      cp = (cp << 6) | (cont & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return i;
    i += length;
  }
  return std::nullopt;
}

std::vector<Statement> lexScenario(std::string_view text, const std::string& file) {
  std::vector<Statement> statements;
  lexScenario(text, file, [&](Statement&& statement) { statements.push_back(std::move(statement)); });
  return statements;
}

void lexScenario(std::string_view text, const std::string& file, const std::function<void(Statement&&)>& each) {
  if (auto bad = firstInvalidUtf8(text)) {
    std::size_t line = 1, lineStart = 0;
    for (std::size_t i = 0; i < *bad; ++i)
      if (text[i] == '\n') ++line, lineStart = i + 1;
    throw ScenarioError(file, line, *bad - lineStart + 1, "the text is not valid UTF-8");
  }
  Lexer(file, each).run(text);
}

}  // namespace sim
