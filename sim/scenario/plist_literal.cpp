#include "sim/scenario/plist_literal.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "platform/foundation/base64.h"
#include "sim/scenario/literals.h"

namespace sim {

namespace {

using platform::PlistValue;

constexpr std::string_view kValueHint =
    " (strings need quotes; explicit kinds are bool, int, real, string, data, date, array and dict)";

constexpr auto kKindWords = std::to_array<std::string_view>(
    {"bool", "int", "integer", "real", "string", "data", "date", "array", "dict"});

bool isAllDigits(std::string_view text) {
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) text.remove_prefix(1);
  if (text.empty()) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

bool isNonFiniteWord(std::string_view word) {
  std::string_view w = word;
  if (!w.empty() && (w[0] == '+' || w[0] == '-')) w.remove_prefix(1);
  return w == "nan" || w == "inf" || w == "infinity";
}

// Containers open a level; beyond the limit the value is refused before recursing any deeper.
void checkDepth(TokenReader& in, const Token& opener, int depth) {
  if (depth >= kMaxValueDepth)
    in.fail(opener, "values nest deeper than " + std::to_string(kMaxValueDepth) + " levels");
}

platform::PlistArray parseArrayBody(TokenReader& in, const Token& opener, int depth) {
  checkDepth(in, opener, depth);
  platform::PlistArray array;
  while (!in.acceptKind(TokenKind::Close)) {
    array.push_back(parsePlistValue(in, depth + 1));
    if (in.acceptKind(TokenKind::Comma)) continue;
    if (!in.peekKind(TokenKind::Close)) in.failExpected("',' or ']' after an array element");
  }
  return array;
}

platform::PlistDict parseDictBody(TokenReader& in, const Token& opener, int depth) {
  checkDepth(in, opener, depth);
  platform::PlistDict dict;
  while (!in.acceptKind(TokenKind::Close)) {
    if (!in.peekKind(TokenKind::Word) && !in.peekKind(TokenKind::String)) in.failExpected("a key or '}'");
    const Token& keyToken = in.take("a key");
    if (dict.contains(keyToken.text))
      in.fail(keyToken, "key " + quoted(keyToken) + " appears twice in this dictionary");
    in.expectOperator("=", "'=' after the key " + quoted(keyToken));
    dict.set(keyToken.text, parsePlistValue(in, depth + 1));
    if (in.acceptKind(TokenKind::Comma)) continue;
    if (!in.peekKind(TokenKind::Close)) in.failExpected("',' or '}' after the value of " + quoted(keyToken));
  }
  return dict;
}

const Token& takeOpener(TokenReader& in, char bracket, std::string_view what) {
  if (!in.peekKind(TokenKind::Open) || in.peek().text[0] != bracket) in.failExpected(what);
  return in.take(what);
}

double realAfterKind(TokenReader& in, std::string_view kind, bool allowNonFinite) {
  if (!in.peekKind(TokenKind::Word)) in.failExpected("a number after '" + std::string(kind) + "'");
  const Token& token = in.take("a number");
  Literal<double> value = parseRealLiteral(token.text, allowNonFinite);
  if (!value)
    in.fail(token,
            "expected a number after '" + std::string(kind) + "': " + quoted(token) + " " + value.problem);
  return *value.value;
}

PlistValue parseExplicitKind(TokenReader& in, const Token& kind, int depth) {
  const std::string& k = kind.text;
  if (k == "bool") return in.yesNo("true or false after 'bool'");
  if (k == "int" || k == "integer") return in.integer("an integer after '" + k + "'");
  if (k == "real") return realAfterKind(in, k, true);
  if (k == "date") {
    double seconds = realAfterKind(in, k, false);
    if (seconds < platform::PlistDate::kEarliest || seconds > platform::PlistDate::kLatest)
      in.fail(in.previous(), "a date is seconds since 2001-01-01 from -2147483648 to 2147483647 (what a "
                             "property-list file stores), not " + quoted(in.previous()));
    return platform::PlistDate{seconds};
  }
  if (k == "string") return in.wordOrString("a string after 'string'");
  if (k == "data") {
    if (!in.peekKind(TokenKind::Word) && !in.peekKind(TokenKind::String))
      in.failExpected("base64 text after 'data'");
    const Token& token = in.take("base64 text");
    auto bytes = platform::base64Decode(token.text);
    if (!bytes)
      in.fail(token, quoted(token) + " is not base64 (standard alphabet, padded to a multiple of four)");
    return platform::PlistData{std::move(*bytes)};
  }
  if (k == "array") return parseArrayBody(in, takeOpener(in, '[', "'[' after 'array'"), depth);
  return parseDictBody(in, takeOpener(in, '{', "'{' after 'dict'"), depth);
}

PlistValue parseBareWord(TokenReader& in, const Token& token) {
  const std::string& w = token.text;
  if (Literal<bool> b = parseBoolLiteral(w); b && w != "on" && w != "off") return *b.value;
  if (isNonFiniteWord(w)) return *parseRealLiteral(w, true).value;
  if (isAllDigits(w)) {
    Literal<std::int64_t> i = parseIntegerLiteral(w);
    if (!i) in.fail(token, quoted(token) + " " + i.problem + " (write it as real " + w + " for a real)");
    return *i.value;
  }
  if (looksNumeric(w)) {
    Literal<double> r = parseRealLiteral(w, false);
    if (!r) in.fail(token, quoted(token) + " " + r.problem);
    return *r.value;
  }
  in.fail(token, "expected a value, found " + quoted(token) + std::string(kValueHint));
}

}  // namespace

bool isPlistKindWord(std::string_view word) {
  for (std::string_view k : kKindWords)
    if (k == word) return true;
  return false;
}

PlistValue parsePlistValue(TokenReader& in, int depth) {
  if (in.atEnd()) in.failExpected("a value");
  const Token& token = in.take("a value");
  switch (token.kind) {
    case TokenKind::String:
      return token.text;
    case TokenKind::Open:
      if (token.text == "[") return parseArrayBody(in, token, depth);
      return parseDictBody(in, token, depth);
    case TokenKind::Word:
      if (isPlistKindWord(token.text)) return parseExplicitKind(in, token, depth);
      return parseBareWord(in, token);
    default:
      in.fail(token, "expected a value, found " + quoted(token));
  }
}

platform::PlistDict parsePlistDict(TokenReader& in, int depth) {
  in.acceptWord("dict");
  return parseDictBody(in, takeOpener(in, '{', "a dictionary '{ key = value, ... }'"), depth);
}

}  // namespace sim

namespace sim {

namespace {

void appendString(std::string& out, const std::string& text) {
  out += '"';
  for (char c : text) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      default: {
        auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f) {
          char buffer[12];
          std::snprintf(buffer, sizeof buffer, "\\u{%X}", static_cast<unsigned>(u));
          out += buffer;
        } else {
          out += c;
        }
      }
    }
  }
  out += '"';
}

void appendReal(std::string& out, double value) {
  if (std::isnan(value)) {
    out += "real nan";
    return;
  }
  if (std::isinf(value)) {
    out += value < 0 ? "real -inf" : "real inf";
    return;
  }
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.17g", value);
  std::string text = buffer;
  if (text.find_first_of(".e") == std::string::npos) text += ".0";
  out += text;
}

void appendValue(std::string& out, const platform::PlistValue& value, int depth) {
  if (depth > kMaxValueDepth) {
    out += "...";
    return;
  }
  const auto& s = value.storage;
  if (auto* b = std::get_if<bool>(&s)) {
    out += *b ? "true" : "false";
  } else if (auto* i = std::get_if<std::int64_t>(&s)) {
    out += std::to_string(*i);
  } else if (auto* d = std::get_if<double>(&s)) {
    appendReal(out, *d);
  } else if (auto* str = std::get_if<std::string>(&s)) {
    appendString(out, *str);
  } else if (auto* data = std::get_if<platform::PlistData>(&s)) {
    out += "data \"" + platform::base64Encode(data->bytes) + "\"";
  } else if (auto* date = std::get_if<platform::PlistDate>(&s)) {
    out += "date ";
    appendReal(out, date->secondsSinceReferenceDate);
  } else if (auto* array = std::get_if<platform::PlistArray>(&s)) {
    out += '[';
    for (std::size_t k = 0; k < array->size(); ++k) {
      if (k) out += ", ";
      appendValue(out, (*array)[k], depth + 1);
    }
    out += ']';
  } else if (auto* dict = std::get_if<platform::PlistDict>(&s)) {
    out += '{';
    bool first = true;
    for (const auto& [key, v] : *dict) {
      out += first ? " " : ", ";
      first = false;
      appendString(out, key);
      out += " = ";
      appendValue(out, v, depth + 1);
    }
    out += first ? "}" : " }";
  }
}

}  // namespace

std::string formatPlistLiteral(const platform::PlistValue& value) {
  std::string out;
  appendValue(out, value, 0);
  return out;
}

}  // namespace sim
