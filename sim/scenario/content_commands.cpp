// wallpaper and the content of apps: a built-in picture by name, or a PNG file read now.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "sim/scenario/command_parsers.h"
#include "sim/scenario/literals.h"

namespace sim {

namespace {

// A PNG of the largest image the platform decodes, uncompressed, is about this large.
constexpr std::uintmax_t kLargestImageFile = 80 * 1024 * 1024;

bool namesAFile(std::string_view text) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  bool png = text.size() >= 4 && lower(text[text.size() - 4]) == '.' && lower(text[text.size() - 3]) == 'p' &&
             lower(text[text.size() - 2]) == 'n' && lower(text[text.size() - 1]) == 'g';
  return png || text.find('/') != std::string_view::npos;
}

std::vector<std::uint8_t> readImageFile(TokenReader& in, const Token& where, const ScenarioBuilder& builder) {
  if (!builder.readsFiles()) in.fail(where, "no files are read here: name a built-in picture instead of " + quoted(where));
  std::filesystem::path path = where.text;
  // Relative to the scenario's own folder, so that examples carry their pictures along.
  if (path.is_relative()) path = std::filesystem::path(builder.file()).parent_path() / path;
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) in.fail(where, "no file " + quoted(where) + " to read");
  auto size = std::filesystem::file_size(path, error);
  if (error || size > kLargestImageFile) in.fail(where, quoted(where) + " is too large for an image");
  std::ifstream file(path, std::ios::binary);
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (!file && !file.eof()) in.fail(where, "cannot read " + quoted(where));
  return bytes;
}

}  // namespace

ContentChoice parseContentChoice(TokenReader& in, const ScenarioBuilder& builder, std::string_view after) {
  const std::string what = "a picture or a PNG file after '" + std::string(after) + "'";
  if (!in.peekKind(TokenKind::Word) && !in.peekKind(TokenKind::String)) in.failExpected(what);
  const Token& token = in.take(what);
  ContentChoice choice;
  choice.line = token.line;
  choice.column = token.column;
  if (namesAFile(token.text)) {
    choice.file = token.text;
    choice.bytes = std::make_shared<const std::vector<std::uint8_t>>(readImageFile(in, token, builder));
  } else {
    choice.name = token.text;
  }
  return choice;
}

void parseWallpaper(TokenReader& in, ScenarioBuilder& builder, const Token& head) {
  ContentChoice content = parseContentChoice(in, builder, head.text);
  in.expectEnd("the wallpaper");
  builder.add(in, SetWallpaper{std::move(content)});
}

}  // namespace sim
