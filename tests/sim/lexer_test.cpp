#include "sim/scenario/lexer.h"

#include <gtest/gtest.h>

#include "sim/scenario/scenario_error.h"

namespace {

using sim::TokenKind;

std::vector<sim::Statement> lex(std::string_view text) {
  return sim::lexScenario(text, "lex.scenario");
}

std::string kinds(const sim::Statement& statement) {
  std::string out;
  for (const auto& token : statement.tokens) {
    switch (token.kind) {
      case TokenKind::Word:
        out += 'w';
        break;
      case TokenKind::String:
        out += 's';
        break;
      case TokenKind::Operator:
        out += 'o';
        break;
      case TokenKind::Open:
        out += '(';
        break;
      case TokenKind::Close:
        out += ')';
        break;
      case TokenKind::Comma:
        out += ',';
        break;
    }
  }
  return out;
}

TEST(Lexer, ClassifiesTokens) {
  struct Case {
    const char* line;
    const char* kinds;
  } cases[] = {
      {"press up 3 every 0.2s", "wwwww"},
      {"expect tarvoHUDSlider.value >= 0.5", "wwow"},
      {"expect count sound where id==1005 == 1", "wwwwwowow"},
      {"settings set color \"#FF0000\"", "wwws"},
      {"device iPhone10,3", "ww"},  // the comma belongs to the word outside brackets
      {"settings replace {a = [1,2], b = \"x\"}", "ww(wo(w,w),wos)"},
      {"expect tarvoMinColor == #FF0000:0.5", "wwow"},
  };
  for (const auto& c : cases) {
    auto statements = lex(c.line);
    ASSERT_EQ(statements.size(), 1u) << c.line;
    EXPECT_EQ(kinds(statements[0]), c.kinds) << c.line;
  }
  EXPECT_EQ(lex("device iPhone10,3")[0].tokens[1].text, "iPhone10,3");
}

TEST(Lexer, HashStartsACommentOnlyAtLineStartOrBeforeABlank) {
  auto statements =
      lex("# a comment\n  #indented comment\ncapture a # trailing\nexpect x == #00FF00 ## two\n");
  ASSERT_EQ(statements.size(), 2u);
  EXPECT_EQ(statements[0].line, 3u);
  EXPECT_EQ(kinds(statements[0]), "ww");
  EXPECT_EQ(statements[1].tokens.back().text, "#00FF00");
}

TEST(Lexer, StatementsContinueWhileABracketIsOpen) {
  auto statements = lex("settings replace {\n  a = 1,  # note\n  b = [\n 2 ]\n}\ncapture x\r\n");
  ASSERT_EQ(statements.size(), 2u);
  EXPECT_EQ(statements[0].line, 1u);
  EXPECT_EQ(statements[0].tokens.back().line, 5u);
  EXPECT_EQ(statements[1].line, 6u);
  EXPECT_EQ(statements[1].tokens.back().text, "x");  // the carriage return is not part of it
}

TEST(Lexer, ResolvesStringEscapes) {
  auto statements = lex(R"(post "a\"b\\c\n\t\u{E9}\u{1F600}")");
  EXPECT_EQ(statements[0].tokens[1].text, "a\"b\\c\n\t\xC3\xA9\xF0\x9F\x98\x80");
}

TEST(Lexer, ReportsWhereTheTextIsBroken) {
  struct Case {
    const char* text;
    std::size_t line;
    std::size_t column;
    const char* message;
  } cases[] = {
      {"capture \"open", 1, 9, "unterminated string"},
      {"x\nsettings replace {\n a = [1,\n", 3, 6, "'[' is never closed"},
      {"settings replace { a = [1 }", 1, 27, "'}' does not close the '[' opened on line 1"},
      {"capture ]", 1, 9, "unexpected ']': nothing is open"},
      {"post \"\\q\"", 1, 7, "unknown escape '\\q'"},
      {"post \"\\u{D800}\"", 1, 7, "Unicode character"},
      {"post \"\\u{0}\"", 1, 7, "other than NUL"},
      {"post \"\\u{1234567}\"", 1, 7, "one to six"},
      {"post \"\\u41\"", 1, 7, "{hex digits}"},
      {"capture a\x01", 1, 10, "control character 0x01"},
      {"capture \"tab\x7f\"", 1, 13, "control character 0x7F"},
      {"wait 1s\ncapture \xC3\x28", 2, 9, "not valid UTF-8"},
      {"capture \xED\xA0\x80", 1, 9, "not valid UTF-8"},  // an encoded surrogate
      {"capture \xC0\xAF", 1, 9, "not valid UTF-8"},      // an overlong slash
  };
  for (const auto& c : cases) {
    try {
      lex(c.text);
      ADD_FAILURE() << "no error for: " << c.text;
    } catch (const sim::ScenarioError& error) {
      EXPECT_EQ(error.line(), c.line) << c.text;
      EXPECT_EQ(error.column(), c.column) << c.text;
      EXPECT_NE(error.message().find(c.message), std::string::npos) << c.text << " -> " << error.message();
      std::string where = "lex.scenario:" + std::to_string(c.line) + ":" + std::to_string(c.column) + ": ";
      EXPECT_EQ(std::string(error.what()).rfind(where, 0), 0u) << error.what();
    }
  }
}

TEST(Lexer, ValidUtf8PassesThrough) {
  EXPECT_FALSE(sim::firstInvalidUtf8("plain \xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"));
  EXPECT_EQ(sim::firstInvalidUtf8("ab\xF4\x90\x80\x80"), 2u);  // past U+10FFFF
  EXPECT_EQ(sim::firstInvalidUtf8("abc\xE2\x82"), 3u);         // truncated
}

}  // namespace
