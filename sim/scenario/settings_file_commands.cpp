// settings raw / file / empty / plist: a settings file that is not what the settings pane would write.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/foundation/base64.h"
#include "platform/foundation/plist_file.h"
#include "sim/scenario/command_parsers.h"
#include "sim/scenario/plist_literal.h"

namespace sim {

namespace {

// The reader refuses larger files anyway; a scenario has no reason to carry more.
constexpr std::uintmax_t kLargestSettingsFile = platform::kMaxPlistFileBytes;

std::string readNamedFile(TokenReader& in, const Token& where, const ScenarioBuilder& builder) {
  if (!builder.readsFiles())
    in.fail(where, "no files are read here: give the contents with 'settings raw' or 'settings plist' instead of " + quoted(where));
  std::filesystem::path path = where.text;
  // Relative to the scenario's own folder, so that examples carry their files along.
  if (path.is_relative()) path = std::filesystem::path(builder.file()).parent_path() / path;
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) in.fail(where, "no file " + quoted(where) + " to read");
  if (std::filesystem::file_size(path, error) > kLargestSettingsFile || error)
    in.fail(where, quoted(where) + " is too large for a settings file");
  std::ifstream file(path, std::ios::binary);
  std::ostringstream contents;
  contents << file.rdbuf();
  if (!file) in.fail(where, "cannot read " + quoted(where));
  return contents.str();
}

}  // namespace

bool parseSettingsFile(TokenReader& in, ScenarioBuilder& builder, const Token& action) {
  WriteSettingsFile command;
  if (action.text == "raw") {
    if (!in.peekKind(TokenKind::String) && !in.peekKind(TokenKind::Word))
      in.failExpected("base64 text after 'settings raw'");
    const Token& text = in.take("base64 text");
    auto bytes = platform::base64Decode(text.text);
    if (!bytes) in.fail(text, quoted(text) + " is not base64");
    if (bytes->size() > kLargestSettingsFile) in.fail(text, "the bytes are too many for a settings file");
    command.contents = std::string(bytes->begin(), bytes->end());
    command.write = parseWriteOptions(in, false);
  } else if (action.text == "file") {
    if (!in.peekKind(TokenKind::String) && !in.peekKind(TokenKind::Word))
      in.failExpected("a path after 'settings file'");
    const Token& path = in.take("a path");
    command.contents = readNamedFile(in, path, builder);
    command.write = parseWriteOptions(in, false);
  } else if (action.text == "empty") {
    command.contents = std::string();
    command.write = parseWriteOptions(in, false);
  } else if (action.text == "plist") {
    command.contents = parsePlistValue(in);
    command.write = parseWriteOptions(in, true);
  } else {
    return false;
  }
  builder.add(in, std::move(command));
  return true;
}

}  // namespace sim
