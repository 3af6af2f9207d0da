#include "sim/play/runner.h"
#include "sim/scenario/overloaded.h"

#include <system_error>

#include "hud/tarvo12.h"
#include "platform/device/distributed_center.h"
#include "platform/springboard/host.h"
#include "platform/uikit/application.h"
#include "platform/uikit/hit_testing.h"
#include "platform/uikit/window.h"
#include "settings/preferences.h"
#include "sim/observe/app_field_check.h"
#include "sim/observe/field_check.h"
#include "sim/observe/hud_snapshot.h"
#include "sim/scenario/matching.h"
#include "sim/scenario/source_excerpt.h"
#include "sim/phone/settings_pane.h"

namespace sim {

Runner::Runner(const Scenario& scenario, RunOptions options)
    : scenario_(scenario), options_(std::move(options)), tally_(scenario) {
  const DeviceModel* model = options_.model;
  if (!model && scenario.setup.model) model = deviceModelNamed(*scenario.setup.model);
  if (!model) model = &defaultDeviceModel();
  DeviceSetup setup = scenario.setup;
  if (options_.model) setup.modelIdentifier.reset();  // --device names the whole phone
  phone_ = std::make_unique<SimPhone>(*model, setup, options_.root);
  if (options_.settings) {
    auto target = phone_->springBoard().resolvePath(tarvo::kPreferencesPath);
    std::error_code ec;
    std::filesystem::create_directories(target.parent_path(), ec);
    std::filesystem::copy_file(*options_.settings, target, std::filesystem::copy_options::overwrite_existing,
                               ec);
  }
}

RunResult Runner::run() {
  auto entries = timeline(scenario_);
  platform::Device& device = phone_->device();
  platform::Trace& trace = device.trace();
  // What the trace holds from the boot counts too; from here on, events are tallied as they are recorded.
  const bool tallied = !tally_.empty();
  if (tallied || options_.traceObserver) {
    auto observe = [this, tallied](const platform::TraceEvent& event) {
      if (tallied) tally_.observe(event);
      if (options_.traceObserver) options_.traceObserver(event);
    };
    for (const platform::TraceEvent& event : trace.events()) observe(event);
    trace.setObserver(observe);
  }
  trace.setRetention(options_.keptTraceEvents);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const auto& entry = entries[i];
    const Step& step = scenario_.steps[entry.step];
    advanceTo(entry.time, step.beforeDue);
    CommandOutcome outcome = apply(step.command, {entry.occurrence, step.time, 0, &step});
    if (outcome.expectation) ++result_.expectations;
    result_.frames += outcome.frames;
    if (outcome.snapshot) ++result_.snapshots;
    if (outcome.failure) fail(step, *outcome.failure);
    if (options_.progress) options_.progress(i + 1, entries.size());
  }
  advanceTo(scenario_.end);
  trace.setObserver(nullptr);
  result_.end = device.now();
  return result_;
}

void Runner::advanceTo(platform::Nanos time, bool beforeDue) {
  platform::Device& device = phone_->device();
  if (options_.film && options_.film->frame && options_.film->fps > 0) {
    // Film frames are counted from the start, so rounding never drifts over a long run.
    auto frameTime = [this](std::size_t k) {
      return static_cast<platform::Nanos>(static_cast<double>(k) * platform::kNanosPerSecond / options_.film->fps);
    };
    for (nextFilmFrame_ = frameTime(filmFrames_); nextFilmFrame_ < time || (!beforeDue && nextFilmFrame_ == time); nextFilmFrame_ = frameTime(++filmFrames_)) {
      device.runUntil(nextFilmFrame_);
      options_.film->frame(nextFilmFrame_, *phone_);
    }
  }
  if (beforeDue) device.runBefore(time);
  else device.runUntil(time);
}

const std::optional<platform::PlistValue>* Runner::keptValue(std::string_view name) const {
  auto found = kept_.find(name);
  return found == kept_.end() ? nullptr : &found->second;
}

void Runner::fail(const Step& step, const std::string& message) {
  // Found values come from the phone and may hold any character, so the message is cleaned too.
  std::string failure = step.file + ":" + std::to_string(step.line);
  if (step.column > 0) failure += ":" + std::to_string(step.column);
  failure += ": " + printable(message);
  SourceExcerpt excerpt = excerptAround(lineOf(scenario_.text, step.line), step.column);
  if (step.column > 0 && !excerpt.line.empty()) failure += "\n  " + excerpt.line + "\n  " + excerpt.caret;
  result_.failures.push_back(std::move(failure));
}

CommandOutcome Runner::apply(const Command& command, const Occasion& occasion) {
  CommandOutcome outcome;
  auto fail = [&](std::string message) { outcome.failure = std::move(message); };
  // A scenario's windows are in its own time; the trace is in the device's.
  auto onDevice = [&](TimeWindow window) {
    return TimeWindow{window.from + occasion.origin, window.to + occasion.origin};
  };
  SimPhone& phone = *phone_;
  platform::Process& shell = phone.springBoard();
  auto pane = [&] { return SettingsPane(shell, phone.preferences()); };
  auto needsHud = [&]() -> tarvo::Tarvo12* {
    tarvo::Tarvo12* lib = phone.tarvo();
    if (!lib) fail("Tarvo12 is not loaded in the shell (launch first, or check the filter)");
    return lib;
  };
  std::visit(
      Overloaded{
          [&](const Launch&) { phone.launch(); },
          [&](const SetSetting& c) { pane().set(c); },
          [&](const RemoveSetting& c) { pane().remove(c); },
          [&](const ReplaceSettings& c) { pane().replace(c); },
          [&](const DeleteSettings& c) { pane().erase(c); },
          [&](const WriteSettingsFile& c) { pane().writeFile(c); },
          [&](const StartApp& c) { phone.startApp(c); },
          [&](const BringToFront& c) { phone.bringToFront(c.app); },
          [&](const InitApplicationAgain& c) {
            platform::Process* process = c.app.empty() ? &shell : phone.app(c.app);
            if (!process) return fail("no process for '" + c.app + "'");
            if (!platform::initApplicationAgain(*process))
              fail(process->name() + " has no application object to initialise again");
          },
          [&](const GoHome&) { phone.goHome(); },
          [&](const SetAppContent& c) { phone.setAppContent(c.app, c.content); },
          [&](const SetWallpaper& c) { phone.setWallpaper(c.content); },
          [&](const SetAppBarColour& c) { phone.setAppBarColour(c.app, c.colour); },
          [&](const SetAppBarStyle& c) { phone.setAppBarStyle(c.app, c.style); },
          [&](const SetButtonMode& c) {
            platform::setButtonsChangeRinger(shell, c.mode == VolumeMode::Ringer);
          },
          [&](const PressButton& c) { platform::pressVolumeButton(shell, c.button == VolumeButton::Up); },
          [&](const SetRingerSwitch& c) { platform::setRingerSwitch(shell, c.silent); },
          [&](const Rotate& c) { platform::rotateInterface(shell, static_cast<long long>(c.value()), c.reorient); },
          [&](const SetForceSplit& c) { phone.setForceSplit(c.split); },
          [&](const SetModernBar& c) {
            if (!phone.setModernBar(c.modern)) fail("the shell's bar is not a classic bar: it has no _usesModernBar");
          },
          [&](const RefreshServiceItem&) { phone.refreshServiceItem(); },
          [&](const PresentOtherHud& c) { phone.presentOtherHud(c); },
          [&](const ExpectAppField& c) {
            outcome.expectation = true;
            platform::Process* process = c.app.empty() ? &shell : phone.app(c.app);
            if (!process) return fail("no process for '" + c.app + "'");
            ExpectAppField compared = c;
            if (!c.kept.empty()) {
              const std::optional<platform::PlistValue>* kept = keptValue(c.kept);
              if (!kept) return fail("nothing is kept as '" + c.kept + "' yet");
              if (*kept) {
                compared.expected = **kept;
              } else if (c.comparison == Comparison::Equal || c.comparison == Comparison::NotEqual) {
                // Kept from a view that did not exist: == and != ask whether this one does.
                compared.comparison = c.comparison == Comparison::Equal ? Comparison::Absent : Comparison::Exists;
              } else {
                return fail("'" + c.kept + "' was kept without a value, so '" +
                            std::string(symbolOf(c.comparison)) + "' has nothing to compare with");
              }
            }
            if (auto failure = checkAppField(*process, compared)) fail(*failure);
          },
          [&](const TapHud&) {
            tarvo::Tarvo12* lib = needsHud();
            auto center = lib ? readHudField(*lib, "tarvoHUDWindow.center") : std::nullopt;
            const platform::PlistArray* xy = center ? center->asArray() : nullptr;
            if (!xy || xy->size() != 2) return;
            platform::simulateTap(phone.device(), platform::CGPoint{(*xy)[0].doubleValue().value_or(0),
                                                                    (*xy)[1].doubleValue().value_or(0)});
          },
          [&](const TapPoint& c) {
            platform::simulateTap(phone.device(), platform::CGPoint{c.point.x, c.point.y});
          },
          [&](const Capture& c) {
            ++outcome.frames;
            if (options_.frames) options_.frames(c.name, phone.device().now(), phone);
          },
          [&](const Record& c) {
            ++outcome.frames;
            std::string name = frameName(c, occasion.occurrence);
            if (options_.recordings)
              options_.recordings({c.name, occasion.occurrence, frameCount(c), name, phone.device().now(), occasion.origin + occasion.stepTime + c.duration},
                                  phone);
            else if (options_.frames)
              options_.frames(name, phone.device().now(), phone);
          },
          [&](const TakeSnapshot& c) {
            tarvo::Tarvo12* lib = needsHud();
            if (!lib) return;
            outcome.snapshot = true;
            platform::PlistDict fields;
            fields.set("label", c.label);
            fields.set("hud", hudSnapshot(*lib));
            shell.trace("hud.snapshot", std::move(fields));
          },
          [&](const PostNotification& c) { phone.post(c); },
          [&](const ExpectField& c) {
            outcome.expectation = true;
            ExpectField compared = c;
            if (!c.kept.empty()) {
              const std::optional<platform::PlistValue>* kept = keptValue(c.kept);
              if (!kept) return fail("nothing is kept as '" + c.kept + "' yet");
              compared.expected = *kept ? ExpectedValue(**kept) : ExpectedValue(Nil{});
            }
            tarvo::Tarvo12* lib = phone.tarvo();
            auto value = lib ? readHudField(*lib, c.field) : std::nullopt;
            if (auto failure = checkField(value, compared)) fail(*failure);
          },
          [&](const KeepValue& c) {
            if (c.hud) {
              tarvo::Tarvo12* lib = phone.tarvo();
              std::optional<platform::PlistValue> value = lib ? readHudField(*lib, *c.hud) : std::nullopt;
              if (value && c.hud->key) {
                const platform::PlistValue* entry = entryOf(*value, *c.hud->key);
                value = entry ? std::optional(*entry) : std::nullopt;  // the copy is made before value changes
              }
              kept_[c.name] = std::move(value);
              return;
            }
            platform::Process* process = c.app.empty() ? &shell : phone.app(c.app);
            if (!process) return fail("no process for '" + c.app + "'");
            ExpectAppField field;
            field.view = c.view;
            field.property = c.property;
            kept_[c.name] = appFieldValue(*process, field);
          },
          [&](const ExpectEntries& c) {
            outcome.expectation = true;
            tarvo::Tarvo12* lib = phone.tarvo();
            auto value = lib ? readHudField(*lib, c.field) : std::nullopt;
            if (auto failure = checkEntryCount(value, c)) fail(*failure);
          },
          [&](const ExpectCount& c) {
            outcome.expectation = true;
            // A command that is not one of the scenario's steps is not tallied: it counts what the trace
            // still holds.
            auto tallied = occasion.step ? tally_.closeCount(*occasion.step) : std::nullopt;
            auto n = static_cast<std::int64_t>(
                tallied ? *tallied : countMatching(phone.device().trace().events(), c.pattern, onDevice(c.window)));
            if (!countSatisfies(n, c.comparison, c.count))
              fail("expected " + std::to_string(c.count) + " " + c.pattern.kind + " events (" +
                             std::string(symbolOf(c.comparison)) + "), found " + std::to_string(n));
          },
          [&](const ExpectOrder& c) {
            outcome.expectation = true;
            auto tallied = occasion.step ? tally_.closeOrder(*occasion.step) : std::nullopt;
            ExpectOrder shifted = c;
            shifted.window = onDevice(c.window);
            auto order = tallied ? *tallied : checkOrder(phone.device().trace().events(), shifted);
            if (order.holds()) return;
            std::string message = "expected " + c.earlier.kind + " before " + c.later.kind;
            if (!order.earlier)
              message += ", found no " + c.earlier.kind + " event";
            else if (!order.later)
              message += ", found no " + c.later.kind + " event";
            else
              message += ", found it after";
            fail(message);
          },
      },
      command);
  return outcome;
}

}  // namespace sim
