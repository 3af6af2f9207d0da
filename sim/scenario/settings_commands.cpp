// settings set / remove / replace / delete: the settings file, changed the way the settings pane does.
#include "sim/scenario/command_parsers.h"
#include "sim/scenario/plist_literal.h"

namespace sim {

// Trailing options, each at most once: no-post, and (where a file is written) xml or binary.
SettingsWrite parseWriteOptions(TokenReader& in, bool writesFile) {
  SettingsWrite write;
  bool postGiven = false, formatGiven = false;
  while (!in.atEnd()) {
    const Token& option = in.take("an option");
    bool isWord = option.kind == TokenKind::Word;
    if (isWord && option.text == "no-post") {
      if (postGiven) in.fail(option, "'no-post' is given twice");
      write.post = false;
      postGiven = true;
    } else if (isWord && (option.text == "xml" || option.text == "binary")) {
      if (!writesFile) in.fail(option, quoted(option) + " does not apply: no file is written");
      if (formatGiven) in.fail(option, "the file format is already given");
      write.format = option.text == "xml" ? platform::PlistFormat::Xml : platform::PlistFormat::Binary;
      formatGiven = true;
    } else {
      in.fail(option, "unexpected " + quoted(option) +
                          (writesFile ? " (options: no-post, xml, binary)" : " (option: no-post)"));
    }
  }
  return write;
}

namespace {

std::string settingKey(TokenReader& in, std::string_view command) {
  if (!in.peekKind(TokenKind::Word) && !in.peekKind(TokenKind::String))
    in.failExpected("a key after 'settings " + std::string(command) + "'");
  const Token& key = in.take("a key");
  if (key.text.empty()) in.fail(key, "a settings key cannot be empty");
  return key.text;
}

}  // namespace

void parseSettings(TokenReader& in, ScenarioBuilder& builder, const Token&) {
  const std::string what = "set, remove, replace, delete, raw, file, empty or plist after 'settings'";
  if (!in.peekKind(TokenKind::Word)) in.failExpected(what);
  const Token& action = in.take(what);
  if (action.text == "set") {
    std::string key = settingKey(in, "set");
    platform::PlistValue value = parsePlistValue(in);
    builder.add(in, SetSetting{std::move(key), std::move(value), parseWriteOptions(in, true)});
  } else if (action.text == "remove") {
    std::string key = settingKey(in, "remove");
    builder.add(in, RemoveSetting{std::move(key), parseWriteOptions(in, true)});
  } else if (action.text == "replace") {
    platform::PlistDict contents = parsePlistDict(in);
    builder.add(in, ReplaceSettings{std::move(contents), parseWriteOptions(in, true)});
  } else if (action.text == "delete") {
    builder.add(in, DeleteSettings{parseWriteOptions(in, false).post});
  } else if (parseSettingsFile(in, builder, action)) {
    return;
  } else {
    in.fail(action, "expected " + what + ", found " + quoted(action));
  }
}

}  // namespace sim
