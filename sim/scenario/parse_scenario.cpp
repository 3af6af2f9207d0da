#include "sim/scenario/parse_scenario.h"

#include <algorithm>
#include <array>
#include <fstream>

#include "sim/scenario/command_parsers.h"
#include "sim/scenario/command_words.h"
#include "sim/scenario/lexer.h"
#include "sim/scenario/literals.h"
#include "sim/scenario/source_excerpt.h"

namespace sim {

namespace {

constexpr std::uintmax_t kLargestScenarioFile = 16 * 1024 * 1024;

struct CommandEntry {
  std::string_view word;
  CommandParser parse;
  bool setup;  // describes the device as it boots: before every other line, and never timed
};

constexpr auto kCommands = std::to_array<CommandEntry>({
    {"device", parseDevice, true},
    {"filter", parseFilter, true},
    {"shell", parseShell, true},
    {"level", parseLevel, true},
    {"launch", parseLaunch, false},
    {"settings", parseSettings, false},
    {"app", parseApp, false},
    {"home", parseHome, false},
    {"wallpaper", parseWallpaper, false},
    {"buttons", parseButtons, false},
    {"press", parsePress, false},
    {"ringer-switch", parseRingerSwitch, false},
    {"rotate", parseRotate, false},
    {"tap", parseTap, false},
    {"post", parsePost, false},
    {"refresh-service", parseRefreshService, false},
    {"present-hud", parsePresentHud, false},
    {"force-split", parseForceSplit, false},
    {"modern-bar", parseModernBar, false},
    {"capture", parseCapture, false},
    {"record", parseRecord, false},
    {"snapshot", parseSnapshot, false},
    {"expect", parseExpect, false},
    {"keep", parseKeep, false},
    {"wait", nullptr, false},  // these two move the cursor and are read here
    {"at", nullptr, false},
});

// Every command's first word has a parser here: the words come from the one table of command_words.h.
constexpr bool parsesEveryCommand() {
  bool every = true;
  forEachCommandWords([&](std::string_view words) {
    bool found = false;
    for (const CommandEntry& entry : kCommands) found = found || entry.word == headWord(words);
    every = every && found;
  });
  return every;
}
static_assert(parsesEveryCommand(), "a command's first word has no parser in kCommands");

const CommandEntry* commandNamed(std::string_view word) {
  for (const CommandEntry& entry : kCommands)
    if (entry.word == word) return &entry;
  return nullptr;
}

// Whether a statement is a `launch` line, possibly written "at TIME launch".
bool isLaunchStatement(const Statement& statement) {
  const auto& t = statement.tokens;
  auto isWord = [&](std::size_t i, std::string_view w) {
    return i < t.size() && t[i].kind == TokenKind::Word && t[i].text == w;
  };
  return isWord(0, "launch") || (isWord(0, "at") && isWord(2, "launch"));
}

void parseStatement(const Statement& statement, ScenarioBuilder& builder) {
  TokenReader in(statement, builder.file());
  const Token* head = &in.take("a command");
  if (head->kind != TokenKind::Word) in.fail(*head, "expected a command, found " + quoted(*head));
  const CommandEntry* entry = commandNamed(head->text);
  if (!entry) in.fail(*head, "unknown command " + quoted(*head) + " (commands: " + commandWordList() + ")");
  if (!entry->setup) builder.closeSetup(statement.line);

  if (entry->word == "wait") {
    platform::Nanos duration = in.duration("a duration after 'wait'");
    in.expectEnd("the duration");
    builder.advanceBy(in, in.previous(), duration);
    return;
  }
  if (entry->word == "at") {
    platform::Nanos time = in.duration("a time after 'at'");
    builder.jumpTo(in, in.previous(), time);
    if (in.atEnd()) return;
    head = &in.take("a command");
    entry = head->kind == TokenKind::Word ? commandNamed(head->text) : nullptr;
    if (!entry) in.fail(*head, "expected a command after the time, found " + quoted(*head));
    if (entry->setup)
      in.fail(*head, quoted(*head) + " sets up the device as it boots, so it cannot be timed");
    if (!entry->parse) in.fail(*head, quoted(*head) + " cannot follow 'at'");
  }
  entry->parse(in, builder, *head);
}

}  // namespace

std::string commandWordList() {
  std::string list;
  for (const CommandEntry& entry : kCommands) list += (list.empty() ? "" : ", ") + std::string(entry.word);
  return list;
}

Scenario parseScenario(std::string_view text, std::string fileName) {
  try {
    // Two passes over the text, one statement at a time, so that tokens never pile up: the first finds
    // whether a `launch` line exists (lines before it cannot look at the HUD) and reports every lexical
    // error before any other; the second parses.
    bool explicitLaunch = false;
    std::size_t lastLine = 1, statements = 0;
    lexScenario(text, fileName, [&](Statement&& statement) {
      explicitLaunch = explicitLaunch || isLaunchStatement(statement);
      lastLine = statement.line;
      ++statements;
    });
    ScenarioBuilder builder(std::move(fileName), explicitLaunch);
    // At most one step per statement (and the launch): room made once, not doubled as the steps come.
    builder.scenario().steps.reserve(std::min(statements, kMaxActionsPerScenario) + 1);
    lexScenario(text, builder.file(), [&](Statement&& statement) { parseStatement(statement, builder); });
    Scenario scenario = builder.finish(lastLine);
    scenario.text = text;
    return scenario;
  } catch (const ScenarioError& error) {
    // Only the whole text knows the line as written, for the caret under the offending token.
    throw ScenarioError(error.file(), error.line(), error.column(), error.message(),
                        std::string(lineOf(text, error.line())));
  }
}

LineReader::LineReader(std::string fileName, FileReading files)
    : builder_(std::make_unique<ScenarioBuilder>(std::move(fileName), true)) {
  builder_->closeSetup(0);
  builder_->markLaunched();
  if (files == FileReading::Refused) builder_->refuseFiles();
}
LineReader::~LineReader() = default;
LineReader::LineReader(LineReader&&) noexcept = default;
LineReader& LineReader::operator=(LineReader&&) noexcept = default;

std::vector<Step> LineReader::read(std::string_view text, platform::Nanos now) {
  ScenarioBuilder& builder = *builder_;
  builder.moveTo(now);
  std::size_t before = builder.scenario().steps.size();
  try {
    for (const Statement& statement : lexScenario(text, builder.file())) parseStatement(statement, builder);
  } catch (const ScenarioError& error) {
    builder.scenario().steps.resize(before);  // a line that fails adds nothing
    throw ScenarioError(error.file(), error.line(), error.column(), error.message(),
                        std::string(lineOf(text, error.line())));
  }
  std::vector<Step>& steps = builder.scenario().steps;
  std::vector<Step> added(std::make_move_iterator(steps.begin() + static_cast<std::ptrdiff_t>(before)),
                          std::make_move_iterator(steps.end()));
  steps.resize(before);
  return added;
}

Scenario loadScenario(const std::filesystem::path& path) {
  std::error_code error;
  std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) throw ScenarioError(path.string(), 0, 0, "cannot read the scenario: " + error.message());
  if (size > kLargestScenarioFile)
    throw ScenarioError(path.string(), 0, 0,
                        "the scenario file is too large: " + std::to_string(size) + " bytes, at most " +
                            std::to_string(kLargestScenarioFile) + " (16 MB)");
  // Read once into one string, and never past the limit, should the file grow meanwhile.
  std::ifstream file(path, std::ios::binary);
  if (!file) throw ScenarioError(path.string(), 0, 0, "cannot read the scenario");
  std::string contents(static_cast<std::size_t>(size), '\0');
  file.read(contents.data(), static_cast<std::streamsize>(contents.size()));
  if (!file || file.peek() != std::ifstream::traits_type::eof())
    throw ScenarioError(path.string(), 0, 0, "cannot read the scenario (it changed while being read)");
  return parseScenario(contents, path.string());
}

}  // namespace sim
