#include "sim/scenario/scenario_builder.h"

#include <algorithm>
#include <utility>

#include "sim/scenario/literals.h"

namespace sim {

namespace {

constexpr std::size_t kLongestName = 100;

bool isNameChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '_' ||
         c == '-';
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

constexpr std::string_view kShellName = "springboard";

}  // namespace

bool isFrameName(std::string_view text) {
  if (text.empty() || text.size() > kLongestName || text[0] == '.' || text[0] == '-') return false;
  return std::all_of(text.begin(), text.end(), isNameChar);
}

bool isBundleIdentifier(std::string_view text) {
  if (text.empty() || text.size() > kLongestName || text.front() == '.' || text.back() == '.') return false;
  return std::all_of(text.begin(), text.end(), isNameChar);
}

ScenarioBuilder::ScenarioBuilder(std::string file, bool hasExplicitLaunch)
    : hasExplicitLaunch_(hasExplicitLaunch) {
  scenario_.file = std::move(file);
}

void ScenarioBuilder::jumpTo(TokenReader& in, const Token& where, platform::Nanos time) {
  if (time < cursor_)
    in.fail(where, "'at " + formatSeconds(time) + "' would go back in time: the scenario is already at " +
                       formatSeconds(cursor_));
  cursor_ = time;
}

void ScenarioBuilder::advanceBy(TokenReader& in, const Token& where, platform::Nanos duration) {
  if (cursor_ + duration > platform::secondsToNanos(kMaxScenarioSeconds))
    in.fail(where,
            "the scenario would run past " + formatSeconds(platform::secondsToNanos(kMaxScenarioSeconds)));
  cursor_ += duration;
}

void ScenarioBuilder::schedule(platform::Nanos time) {
  scenario_.end = std::max(scenario_.end, time);
}

void ScenarioBuilder::setupItem(TokenReader& in, const Token& where, const std::string& item) {
  if (!setupOpen_)
    in.fail(where, "'" + where.text + "' sets up the device, so it must come before every other command");
  auto [it, added] = setupLines_.emplace(item, in.line());
  if (!added) in.fail(where, "'" + item + "' is already set on line " + std::to_string(it->second));
}

void ScenarioBuilder::closeSetup(std::size_t line) {
  if (!setupOpen_) return;
  setupOpen_ = false;
  if (!hasExplicitLaunch_) {
    scenario_.steps.push_back(Step{scenario_.file, line, 0, Launch{true}});
    launched_ = true;
  }
}

void ScenarioBuilder::launch(TokenReader& in, const Token& where) {
  if (launched_ && !launchLine_) in.fail(where, "the shell has already launched");
  if (launchLine_) in.fail(where, "the shell already launched on line " + std::to_string(*launchLine_));
  launchLine_ = in.line();
  launched_ = true;
}

void ScenarioBuilder::requireLaunched(TokenReader& in, const Token& where, std::string_view what) const {
  if (!launched_) in.fail(where, std::string(what) + " looks at the HUD, which exists only after 'launch'");
}

void ScenarioBuilder::add(const TokenReader& in, Command command, bool beforeDue) {
  std::size_t actions = 1;
  if (const auto* press = std::get_if<PressButton>(&command)) actions = press->times.size();
  if (const auto* record = std::get_if<Record>(&command)) actions = frameCount(*record);
  actions_ += actions;
  if (actions_ > kMaxActionsPerScenario)
    in.failStatement("the scenario would play more than " + std::to_string(kMaxActionsPerScenario) +
                     " actions (each press, recorded frame and other command is one)");
  scenario_.steps.push_back(Step{scenario_.file, in.line(), cursor_, std::move(command), in.column(), beforeDue});
}

void ScenarioBuilder::addApp(TokenReader& in, const Token& where, StartedApp app) {
  for (const StartedApp& other : apps_) {
    if (other.bundle == app.bundle)
      in.fail(where, "app '" + app.bundle + "' is already running (started on line " +
                         std::to_string(other.line) + ")");
    if (other.name == app.name)
      in.fail(where, "the process name '" + app.name + "' is already taken by '" + other.bundle + "'");
  }
  if (equalsIgnoringCase(app.name, kShellName))
    in.fail(where, "the process name '" + app.name + "' is the shell's");
  apps_.push_back(std::move(app));
}

const StartedApp& ScenarioBuilder::app(TokenReader& in, const Token& reference) const {
  for (const StartedApp& a : apps_)
    if (a.bundle == reference.text || a.name == reference.text) return a;
  in.fail(reference, "no app " + quoted(reference) + " has been started ('app start BUNDLE' starts one)");
}

ProcessRef ScenarioBuilder::process(TokenReader& in, const Token& reference) const {
  if (equalsIgnoringCase(reference.text, kShellName)) return ProcessRef{};
  return ProcessRef{app(in, reference).bundle};
}

void ScenarioBuilder::checkFrameName(TokenReader& in, const Token& where, const std::string& name) const {
  if (!isFrameName(name))
    in.fail(where, "'" + name +
                       "' cannot name a frame: use letters, digits, '.', '_' and '-' (not first), at most " +
                       std::to_string(kLongestName));
}

void ScenarioBuilder::claimFrameName(TokenReader& in, const Token& where, const std::string& name) {
  checkFrameName(in, where, name);
  if (!frameNames_.insert(name).second) in.fail(where, "a frame named '" + name + "' is already captured");
}

std::string ScenarioBuilder::nextCaptureName() {
  while (true) {
    std::string name = "capture-" + std::to_string(++unnamedCaptures_);
    if (!frameNames_.count(name)) return name;
  }
}

void ScenarioBuilder::countFrames(TokenReader& in, const Token& where, std::size_t frames) {
  frames_ += frames;
  if (frames_ > kMaxFramesPerScenario)
    in.fail(where, "the scenario asks for more than " + std::to_string(kMaxFramesPerScenario) + " frames");
}

Scenario ScenarioBuilder::finish(std::size_t lastLine) {
  closeSetup(lastLine);
  scenario_.end = std::max(scenario_.end, cursor_);
  return std::move(scenario_);
}

}  // namespace sim
