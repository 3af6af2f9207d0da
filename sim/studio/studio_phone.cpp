#include "sim/studio/studio_phone.h"

#include <algorithm>
#include <array>

#include "hud/tarvo12.h"
#include "platform/foundation/plist_file.h"
#include "settings/preferences.h"
#include "sim/scenario/format_scenario.h"
#include "sim/scenario/lexer.h"
#include "sim/scenario/literals.h"
#include "sim/scenario/overloaded.h"
#include "sim/scenario/plist_literal.h"
#include "sim/observe/field_check.h"
#include "sim/observe/hud_snapshot.h"
#include "sim/phone/settings_pane.h"

namespace sim::studio {

namespace {

constexpr auto kApps = std::to_array<StudioApp>({
    {"com.example.music", "Music", "split", "#FFFFFF"},
    {"com.example.notes", "Notes", "classic", "#000000"},
    {"com.example.camera", "Camera", "none", ""},
});

constexpr std::string_view kFinalCapture = "studio";

StartApp startCommand(const StudioApp& app) {
  StartApp start;
  start.bundle = app.bundle;
  start.name = app.name;
  start.bar = app.bar == "split" ? BarKind::Split : app.bar == "classic" ? BarKind::Classic : BarKind::None;
  start.colour = app.colour.empty() ? std::nullopt : parseColourLiteral(app.colour).value;
  if (start.bar == BarKind::Split) start.style = 1;
  return start;
}

Scenario bootScenario(const DeviceModel& model, const std::optional<platform::PlistDict>& settings) {
  Scenario boot;
  boot.file = "studio";
  boot.setup.model = std::string(model.identifier);
  auto add = [&](Command command) { boot.steps.push_back(Step{boot.file, 0, 0, std::move(command)}); };
  if (settings) add(ReplaceSettings{*settings, {false, platform::PlistFormat::Xml}});
  add(Launch{});
  for (const auto& app : kApps) add(startCommand(app));
  add(BringToFront{std::string(kApps.front().bundle)});
  return boot;
}

// Whether a value reads back from a scenario line as itself: its strings are text a line can hold and
// it nests no deeper than a line may.
bool writableAsLiteral(const platform::PlistValue& value, int depth = 0) {
  if (depth > kMaxValueDepth) return false;
  auto text = [](const std::string& s) { return s.find('\0') == std::string::npos && !firstInvalidUtf8(s); };
  if (const auto* s = value.asString()) return text(*s);
  if (const auto* array = value.asArray())
    return std::all_of(array->begin(), array->end(), [&](const auto& v) { return writableAsLiteral(v, depth + 1); });
  if (const auto* dict = value.asDict())
    return std::all_of(dict->begin(), dict->end(),
                       [&](const auto& entry) { return text(entry.first) && writableAsLiteral(entry.second, depth + 1); });
  return true;
}

bool writesSettings(const Command& command) {
  return std::holds_alternative<SetSetting>(command) || std::holds_alternative<RemoveSetting>(command) ||
         std::holds_alternative<ReplaceSettings>(command) || std::holds_alternative<DeleteSettings>(command) ||
         std::holds_alternative<WriteSettingsFile>(command);
}

// Whether `later` leaves the settings file as if `earlier`, just before it, had not been written: a
// whole file replaces anything; a key set or removed replaces the same key set or removed.
bool supersedes(const Command& later, const Command& earlier) {
  if (!writesSettings(earlier)) return false;
  if (std::holds_alternative<ReplaceSettings>(later) || std::holds_alternative<DeleteSettings>(later) ||
      std::holds_alternative<WriteSettingsFile>(later))
    return true;
  auto keyOf = [](const Command& c) -> const std::string* {
    if (const auto* set = std::get_if<SetSetting>(&c)) return &set->key;
    if (const auto* remove = std::get_if<RemoveSetting>(&c)) return &remove->key;
    return nullptr;
  };
  const std::string* a = keyOf(later);
  const std::string* b = keyOf(earlier);
  return a && b && *a == *b;
}

// The HUD field an expectation looks at, if it looks at one.
const SnapshotField* expectedField(const Command& command) {
  if (const auto* e = std::get_if<ExpectField>(&command)) return &e->field;
  if (const auto* e = std::get_if<ExpectEntries>(&command)) return &e->field;
  return nullptr;
}

}  // namespace

std::span<const StudioApp> studioApps() { return kApps; }

const StudioApp* studioAppNamed(std::string_view bundle) {
  for (const auto& app : kApps)
    if (app.bundle == bundle) return &app;
  return nullptr;
}

StudioPhone::StudioPhone(const DeviceModel& model, const std::optional<platform::PlistDict>& settings)
    : boot_(bootScenario(model, settings)), session_(boot_), reader_("studio", FileReading::Refused) {
  RunOptions options;
  options.model = &model;
  options.keptTraceEvents = kWholeTrace;  // the session shows the boot's events, then keeps the latest
  runner_ = std::make_unique<Runner>(boot_, std::move(options));
  runner_->run();
  // The command line reads its lines knowing the apps of the boot, and that the last frame is taken.
  for (const Step& step : boot_.steps)
    if (!std::holds_alternative<Launch>(step.command)) reader_.read(formatCommand(step.command), 0);
  reader_.read("capture " + std::string(kFinalCapture), 0);
  state_.model = std::string(model.identifier);
  for (const Step& step : boot_.steps) follow(step.command);
}

void StudioPhone::runUntil(platform::Nanos t) {
  std::sort(pending_.begin(), pending_.end(), [](const Pending& a, const Pending& b) { return a.time < b.time; });
  while (!pending_.empty() && pending_.front().time <= t) {
    Pending due = pending_.front();
    pending_.erase(pending_.begin());
    phone().device().runUntil(due.time);
    apply(session_.steps[due.step], due.occurrence);
  }
  if (t > phone().device().now()) phone().device().runUntil(t);
}

CommandOutcome StudioPhone::apply(const Step& step, std::size_t occurrence) {
  CommandOutcome outcome = runner_->apply(step.command, {occurrence, step.time, 0});
  follow(step.command);
  return outcome;
}

void StudioPhone::keep(Step step) {
  // Settings a later write replaces before anything else happened are not needed to replay the session,
  // so a long session of imports keeps one file, not every file.
  const std::size_t last = session_.steps.size() - 1;
  const bool due = std::any_of(pending_.begin(), pending_.end(), [&](const Pending& p) { return p.step == last; });
  if (last >= boot_.steps.size() && !due && supersedes(step.command, session_.steps[last].command))
    session_.steps.pop_back();
  session_.steps.push_back(std::move(step));
}

CommandOutcome StudioPhone::run(Command command) {
  platform::Nanos now = phone().device().now();
  keep(Step{"studio", 0, now, std::move(command)});
  return apply(session_.steps.back(), 0);
}

std::vector<LineResult> StudioPhone::runLine(std::string_view line) {
  platform::Nanos now = phone().device().now();
  std::vector<LineResult> results;
  for (Step& step : reader_.read(line, now)) {
    keep(std::move(step));
    const std::size_t index = session_.steps.size() - 1;
    const Step& kept = session_.steps[index];
    std::vector<platform::Nanos> times{kept.time};
    if (const auto* press = std::get_if<PressButton>(&kept.command)) times = press->times;
    if (const auto* record = std::get_if<Record>(&kept.command)) {
      times.clear();
      for (std::size_t k = 0; k < frameCount(*record); ++k) times.push_back(frameTime(*record, kept.time, k));
    }
    LineResult result{formatCommand(kept.command, {kept.time, kept.beforeDue}), {}, false, std::nullopt};
    for (std::size_t k = 0; k < times.size(); ++k) {
      if (times[k] > now) {
        pending_.push_back({times[k], index, k});
        result.later = true;
      } else {
        result.outcome = apply(kept, k);
      }
    }
    const SnapshotField* field = expectedField(kept.command);
    if (field && !result.later && phone().tarvo())
      result.found = describeFound(readHudField(*phone().tarvo(), *field), *field);
    results.push_back(std::move(result));
  }
  return results;
}

void StudioPhone::follow(const Command& command) {
  std::visit(Overloaded{
                 [&](const SetRingerSwitch& c) { state_.silent = c.silent; },
                 [&](const SetButtonMode& c) { state_.buttonsChangeRinger = c.mode == VolumeMode::Ringer; },
                 [&](const Rotate& c) {
                   if (c.value() >= 1 && c.value() <= 4) state_.orientation = static_cast<int>(c.value());
                 },
                 [&](const BringToFront& c) { state_.front = c.app; },
                 [&](const GoHome&) { state_.front.clear(); },
                 [&](const StartApp& c) {
                   if (c.colour) state_.barColours[c.bundle] = c.colour->text;
                   if (c.content != ContentChoice{}) state_.contents[c.bundle] = c.content.name;
                 },
                 [&](const SetAppContent& c) { state_.contents[c.app] = c.content.name; },
                 [&](const SetWallpaper& c) { state_.contents[""] = c.content.name; },
                 [&](const SetAppBarColour& c) {
                   if (c.colour) state_.barColours[c.app] = c.colour->text;
                   else state_.barColours.erase(c.app);
                 },
                 [](const auto&) {},  // the rest shows on the screen, the fields and the trace
             },
             command);
}

std::optional<platform::PlistDict> StudioPhone::settings() {
  return platform::readPlistDictionary(phone().springBoard().resolvePath(tarvo::kPreferencesPath));
}

std::string StudioPhone::settingsFileBytes() {
  return platform::serializePlist(settings().value_or(platform::PlistDict{}), platform::PlistFormat::Xml);
}

CommandOutcome StudioPhone::importSettings(const platform::PlistDict& contents) {
  // What the pane writes for the file, as a line that reads back exactly: the dictionary when a line can
  // hold it, otherwise the very bytes the pane writes.
  if (writableAsLiteral(platform::PlistValue(contents))) return run(ReplaceSettings{contents, {}});
  return run(WriteSettingsFile{platform::serializePlist(platform::PlistValue(contents), platform::PlistFormat::Xml), {}});
}

std::string StudioPhone::scenarioText() const {
  Scenario text = session_;
  platform::Nanos now = runner_->phone().device().now();
  if (!text.steps.empty()) now = std::max(now, text.steps.back().time);
  text.steps.push_back(Step{"studio", 0, now, Capture{std::string(kFinalCapture)}});
  text.end = now;
  return "# Played in tarvo12-sim studio.\n" + formatScenario(text);
}

}  // namespace sim::studio
