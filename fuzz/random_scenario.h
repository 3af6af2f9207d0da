#pragma once
// Valid scenarios that mix every command of the language at random, as commands: setup, settings in
// every form with values of every kind, apps with every kind of bar, presses, the ringer switch,
// rotations, taps, notifications with odd payloads, frames, recordings, snapshots and every kind of
// expectation. Driven by any source of choices, so that the same generator serves a fuzz target (the
// fuzzer's bytes), the soak test and the formatter's round trip (a seeded engine). The commands are written
// out with the formatter (sim/scenario/format_scenario.h). Header-only: fuzz targets are single files.
#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/random_values.h"
#include "platform/uikit/content/builtin_content.h"
#include "settings/settings.h"
#include "sim/scenario/device_models.h"
#include "sim/scenario/scenario.h"
#include "sim/scenario/snapshot_fields.h"

namespace fuzzing {

// Every key the settings file may hold.
inline std::vector<std::string> settingsKeys() {
  std::vector<std::string> keys;
  for (const auto& entry : tarvo::kSettingsTable) keys.emplace_back(entry.key);
  for (const auto& colour : tarvo::kColorSettings) keys.emplace_back(colour.key);
  return keys;
}


class RandomScenario {
 public:
  explicit RandomScenario(Choices& choices) : c_(choices), values_(choices) {}
  // Carries on from a scenario already played (a kept phone's boot): its setup, apps and launch stand,
  // nothing is generated that only a new phone could do (setup, the launch, long HUDs), and what would wear
  // the phone out only rarely (kWearingOnAKeptPhone).
  RandomScenario(Choices& choices, const sim::Scenario& played) : RandomScenario(choices) {
    s_ = played;
    kept_ = true;
    cursor_ = played.end;
    for (const sim::Step& step : played.steps) {
      if (std::holds_alternative<sim::Launch>(step.command)) launched_ = true;
      if (const auto* app = std::get_if<sim::StartApp>(&step.command)) apps_.push_back(*app);
    }
  }

  sim::Scenario generate(int commands) {
    if (!kept_) setup();
    const bool launchLate = !kept_ && c_.chance(30);
    for (int i = 0; i < commands; ++i) {
      if (!launched_ && (!launchLate || i >= 3)) {
        // Without a launch line the parser launches the shell itself, before the first line.
        if (i == 0 && c_.chance(20)) add(sim::Launch{true});
        else add(sim::Launch{false});
        launched_ = true;
      }
      command();
    }
    s_.end = std::max(s_.end, cursor_);
    return s_;
  }

 private:
  // In percent: how often a kept phone is asked for what it cannot put back (a new app, a split layout
  // announced), after which the next input boots a phone afresh, at the cost of about one input.
  static constexpr std::uint32_t kWearingOnAKeptPhone = 1;
  void add(sim::Command command, bool beforeDue = false) {
    s_.steps.push_back(sim::Step{"random.scenario", s_.steps.size() + 1, cursor_, std::move(command), 1, beforeDue});
  }
  void schedule(platform::Nanos time) { s_.end = std::max(s_.end, time); }

  void setup() {
    sim::DeviceSetup& d = s_.setup;
    static const char* const kModels[] = {"iPhone8,4", "iPhone9,3", "iPhone10,2", "iPhone10,3", "iPhone11,8"};
    if (c_.chance(70)) d.model = c_.pick(kModels);
    if (d.model && c_.chance(5)) d.modelIdentifier = c_.chance(50) ? "iPhone99,1" : "odd identifier";
    if (c_.chance(20)) d.shellBar = c_.chance(50) ? sim::BarKind::Classic : sim::BarKind::Split;
    if (c_.chance(20)) d.shellReportsSplitLayout = c_.chance(50);
    if (c_.chance(20)) d.direction = c_.chance(50) ? sim::LayoutDirection::RightToLeft : sim::LayoutDirection::LeftToRight;
    if (c_.chance(50)) d.mediaLevel = c_.decimal(1);
    if (c_.chance(50)) d.ringerLevel = c_.decimal(1);
    if (c_.chance(10)) d.tarvo12Kit = {true, {}};
    if (c_.chance(5)) d.tarvo12Kit = {false, {"com.example.app1"}};
    if (c_.chance(5)) d.tarvo12 = {c_.chance(50), c_.chance(50) ? std::vector<std::string>{"com.apple.springboard"} : std::vector<std::string>{}};
    if (c_.chance(5)) d.shellBarColour = c_.chance(50) ? std::optional<sim::Colour>(values_.colour()) : std::nullopt;
    if (c_.chance(5)) d.shellBarStyle = c_.below(3);
    if (c_.chance(5)) d.shellBarParts.foregroundStyle = false;
    if (c_.chance(5)) d.shellBarParts.styleAttributes = false;
    if (c_.chance(5)) d.shellBarParts.foregroundView = false;
    if (c_.chance(5)) {
      d.shellActivityDepths = std::vector<int>{1 + static_cast<int>(c_.below(4))};
      d.shellActivityClasses = {c_.chance(50) ? "" : "TarvoActivitySubclass"};
    }
  }

  void command() {
    // Before the launch: only what may set the scene the shell finds (settings, apps, the switch).
    static const std::uint32_t kBeforeLaunch[] = {0, 2, 3, 5, 8};
    switch (launched_ ? c_.below(24) : c_.pick(kBeforeLaunch)) {
      case 0: case 1: cursor_ += c_.millis(2); break;
      case 2: settings(); break;
      case 3: startApp(); break;
      case 4: appCommand(); break;
      case 5: add(sim::SetButtonMode{c_.chance(50) ? sim::VolumeMode::Ringer : sim::VolumeMode::Media}); break;
      case 6: case 7: case 16: press(); break;
      case 8: add(sim::SetRingerSwitch{c_.chance(50)}); break;
      case 9: rotate(); break;
      case 10: post(); break;
      case 11: frames(); break;
      case 12: tap(); break;
      case 13: add(sim::TakeSnapshot{c_.chance(50) ? "s" + std::to_string(++serial_) : c_.chance(50) ? "now" : ""}, c_.chance(20)); break;
      case 14: expectField(); break;
      case 15: expectTrace(); break;
      case 17: expectApp(); break;
      case 18: add(sim::RefreshServiceItem{}); break;
      case 19: presentHud(); break;
      case 20: expectEntries(); break;
      case 21: cursor_ += c_.millis(1); break;
      case 22: splitLayout(); break;
      case 23: keepValue(); break;
    }
  }

  // --- Settings ---
  sim::SettingsWrite write(bool writesFile) {
    sim::SettingsWrite w;
    w.post = !c_.chance(20);
    if (writesFile && c_.chance(30)) w.format = platform::PlistFormat::Binary;
    return w;
  }

  void settings() {
    static const std::vector<std::string> keys = settingsKeys();
    switch (c_.below(9)) {
      case 0: add(sim::RemoveSetting{c_.pick(keys), write(true)}); break;
      case 1: {
        platform::PlistDict contents;
        for (std::uint32_t i = c_.below(4); i > 0; --i) contents.set(c_.pick(keys), values_.value());
        add(sim::ReplaceSettings{std::move(contents), write(true)});
        break;
      }
      case 2: add(sim::DeleteSettings{!c_.chance(20)}); break;
      case 3: {
        sim::WriteSettingsFile file;
        static const char* const kBytes[] = {"", "bplist00", "<?xml version=\"1.0\"?><plist><dict>", "\x01\x02\xff"};
        file.contents = std::string(c_.pick(kBytes));
        file.write = write(false);
        add(std::move(file));
        break;
      }
      case 4: {
        sim::WriteSettingsFile file;
        file.contents = values_.value();
        file.write = write(true);
        add(std::move(file));
        break;
      }
      case 5: add(sim::SetSetting{c_.chance(90) ? c_.pick(keys) : values_.text() + "x", values_.value(), write(true)}); break;
      default: add(sim::SetSetting{c_.pick(keys), values_.value(), write(true)}); break;
    }
  }

  // --- Apps ---
  void startApp() {
    if (apps_.size() >= 4 || (kept_ && !c_.rarely(kWearingOnAKeptPhone))) return appCommand();
    sim::StartApp app;
    const std::string name = "app" + std::to_string(apps_.size() + 1);
    app.bundle = "com.example." + name;
    app.name = c_.chance(80) ? name : name + "-proc";
    app.bar = c_.chance(40) ? sim::BarKind::Classic : c_.chance(60) ? sim::BarKind::Split : sim::BarKind::None;
    app.colour = *sim::parseColourLiteral("#000000").value;
    if (app.bar == sim::BarKind::None) app.colour.reset();
    else if (c_.chance(50)) app.colour = c_.chance(80) ? std::optional<sim::Colour>(values_.colour()) : std::nullopt;
    if (app.bar == sim::BarKind::Split) {
      app.style = c_.below(3);
      for (std::uint32_t i = c_.chance(30) ? 1 + c_.below(2) : 0; i > 0; --i) {
        app.backgroundActivityDepths.push_back(1 + static_cast<int>(c_.below(6)));
        app.backgroundActivityClasses.push_back(c_.chance(30) ? "TarvoActivitySubclass" : "");
      }
    }
    if (app.bar == sim::BarKind::Classic) {
      if (c_.chance(10)) app.classicParts.styleAttributes = false;
      if (c_.chance(10)) app.classicParts.foregroundStyle = false;
      if (c_.chance(10)) app.classicParts.foregroundView = false;
    }
    if (c_.chance(15)) app.content = content();
    if (c_.chance(10)) app.anonymous = true;
    else if (c_.chance(20)) (c_.chance(50) ? app.loadsTarvo12 : app.loadsTarvo12Kit) = c_.chance(50);
    apps_.push_back(app);
    add(std::move(app));
  }

  void appCommand() {
    if (apps_.empty() || c_.chance(15)) return add(sim::GoHome{});
    const sim::StartApp& app = c_.pick(apps_);
    if (c_.chance(4)) return add(sim::SetWallpaper{content()});
    if (c_.chance(4)) return add(sim::SetAppContent{app.bundle, content()});
    if (c_.chance(4)) return add(sim::InitApplicationAgain{c_.chance(80) ? app.bundle : ""});
    if (c_.chance(5)) return add(sim::SetAppBarColour{"", c_.chance(50) ? std::optional<sim::Colour>(values_.colour()) : std::nullopt});
    if (c_.chance(5)) return add(sim::SetAppBarStyle{"", c_.below(3)});
    if (app.bar == sim::BarKind::Split && c_.chance(25)) return add(sim::SetAppBarStyle{app.bundle, c_.below(3)});
    if (app.bar != sim::BarKind::None && c_.chance(30))
      return add(sim::SetAppBarColour{app.bundle, c_.chance(70) ? std::optional<sim::Colour>(values_.colour()) : std::nullopt});
    add(sim::BringToFront{app.bundle});
  }

  // A built-in picture (a file would have to exist wherever the scenario is read back).
  sim::ContentChoice content() {
    sim::ContentChoice choice;
    choice.name = std::string(c_.pick(platform::kBuiltinContents).name);
    return choice;
  }

  // --- A person ---
  void press() {
    sim::PressButton press{c_.chance(60) ? sim::VolumeButton::Up : sim::VolumeButton::Down, {}};
    if (c_.chance(15)) {
      platform::Nanos t = cursor_;
      for (std::uint32_t i = 1 + c_.below(4); i > 0; --i) press.times.push_back(t += c_.millis(1));
    } else {
      const std::uint32_t count = c_.chance(40) ? 1 + c_.below(6) : 1;
      const platform::Nanos interval = c_.chance(30) ? 1 + c_.millis(1) : 200'000'000;
      for (std::uint32_t k = 0; k < count; ++k) press.times.push_back(cursor_ + interval * k);
    }
    schedule(press.times.back());
    add(std::move(press));
  }

  void rotate() {
    static const sim::Orientation kOrientations[] = {sim::Orientation::Portrait, sim::Orientation::PortraitUpsideDown,
                                                     sim::Orientation::LandscapeRight, sim::Orientation::LandscapeLeft};
    sim::Rotate rotate{c_.pick(kOrientations), std::nullopt};
    static const std::int64_t kOthers[] = {0, 5, 6, -1, 1000};
    if (c_.chance(10)) rotate.other = c_.pick(kOthers);
    if (c_.chance(10)) rotate.reorient = false;
    add(rotate);
  }

  // What the shell says of its split layout as it runs; a kept phone cannot take back a yes (the library
  // keeps it), so there it is rare.
  void splitLayout() {
    if (kept_ && !c_.rarely(kWearingOnAKeptPhone)) return add(sim::SetForceSplit{false});
    if (c_.chance(50)) add(sim::SetForceSplit{c_.chance(50)});
    else add(sim::SetModernBar{c_.chance(50)});
  }

  void tap() {
    if (c_.chance(60)) return add(sim::TapHud{});
    add(sim::TapPoint{{c_.decimal(420), c_.decimal(900)}});
  }

  void post() {
    static const char* const kNames[] = {
        "velkarin.tarvo12/prefsChanged",         "velkarin.tarvo12.toggleTimeX",
        "velkarin.tarvo12.modifystatusbar",      "velkarin.tarvo12.requeststatusbarproperties",
        "velkarin.tarvo12.getstatusbarproperties", "velkarin.tarvo12.storeColors",
        "velkarin.tarvo12.other",                "",  "with space"};
    static const char* const kKeys[] = {"modifier", "animationDuration", "frontMostApp", "isForceSplit",
                                        "isIPhoneX", "bundle", "hue", "saturation", "brightness", "alpha"};
    static const char* const kStrings[] = {"hide", "show", "com.example.app1", "com.apple.springboard"};
    sim::PostNotification post;
    post.name = c_.pick(kNames);
    if (!apps_.empty() && c_.chance(50)) post.from = sim::ProcessRef{c_.pick(apps_).bundle};
    if (c_.chance(40)) post.form = sim::NotificationForm::NS;
    else if (c_.chance(30)) post.deliverImmediately = true;
    if (c_.chance(80)) {
      platform::PlistDict info;
      for (std::uint32_t i = 1 + c_.below(5); i > 0; --i)
        info.set(c_.pick(kKeys), c_.chance(40) ? platform::PlistValue(std::string(c_.pick(kStrings))) : values_.value());
      post.userInfo = std::move(info);
    }
    if (c_.chance(10)) post.object = values_.text();
    add(std::move(post));
  }

  void presentHud() {
    static const char* const kClasses[] = {"SBBrightnessHUDView", "SBOtherHUDView", "_UIFancyHUD"};
    add(sim::PresentOtherHud{c_.pick(kClasses), c_.chance(50) ? 1.0 : c_.decimal(kept_ ? 3 : 20)});
  }

  // --- What is kept ---
  void frames() {
    if (c_.chance(25) && recordings_ < 2) {
      ++recordings_;
      sim::Record record{"r" + std::to_string(++serial_), 100'000'000 * static_cast<platform::Nanos>(1 + c_.below(5)),
                         static_cast<int>(5 + c_.below(26))};
      schedule(sim::frameTime(record, cursor_, sim::frameCount(record) - 1));
      add(std::move(record));
      return;
    }
    add(sim::Capture{"c" + std::to_string(++serial_)});
  }

  // --- Expectations ---
  sim::Comparison comparison(bool ordering, bool text) {
    std::vector<sim::Comparison> allowed{sim::Comparison::Equal, sim::Comparison::NotEqual};
    if (ordering)
      allowed.insert(allowed.end(), {sim::Comparison::Less, sim::Comparison::LessOrEqual, sim::Comparison::Greater,
                                     sim::Comparison::GreaterOrEqual});
    if (text) allowed.insert(allowed.end(), {sim::Comparison::Contains, sim::Comparison::StartsWith});
    return c_.pick(allowed);
  }

  sim::SnapshotField field() {
    static const std::vector<sim::SnapshotField> fields = sim::snapshotFields();
    if (c_.chance(10)) return *sim::snapshotFieldNamed(c_.chance(50) ? "setting.WIDTH" : "setting.NOSUCHVARIABLE");
    sim::SnapshotField f = c_.pick(fields);
    if (f.name == "statusColors" && c_.chance(50)) f.key = c_.chance(50) ? "com.example.app1" : "0";
    return f;
  }

  void expectField() {
    if (!launched_) return;
    sim::ExpectField e;
    e.field = field();
    using T = sim::FieldType;
    const T type = e.field.type;
    bool tolerant = type == T::Real || type == T::Rect || type == T::Point || type == T::Colour || type == T::Value;
    if (auto name = keptOfType(type); name && c_.chance(25)) {
      e.kept = *name;
      e.comparison = comparison(type == T::Real || type == T::Value, type == T::Text || type == T::Value);
    } else if (c_.chance(10)) {
      e.expected = sim::Nil{};
      e.comparison = comparison(false, false);
    } else {
      switch (type) {
        case T::Bool: e.expected = c_.chance(50); break;
        case T::Real: e.expected = c_.chance(5) ? values_.real() : c_.decimal(2); break;
        case T::Rect: e.expected = sim::Rect{0, c_.decimal(40), c_.decimal(400), c_.decimal(80)}; break;
        case T::Point: e.expected = sim::Point{c_.decimal(400), c_.decimal(800)}; break;
        case T::Colour: e.expected = values_.colour(); break;
        case T::Text: e.expected = values_.text(); break;
        case T::Glyph: e.expected = c_.chance(50) ? sim::Glyph::None : sim::Glyph::MediaMax; break;
        case T::Alignment: e.expected = c_.chance(50) ? sim::TextAlignment::Center : sim::TextAlignment::Natural; break;
        case T::Value: e.expected = values_.value(); break;
      }
      const auto* value = std::get_if<platform::PlistValue>(&e.expected);
      const bool number = type == T::Real || (value && value->isNumber());
      const bool text = type == T::Text || (value && value->asString());
      e.comparison = comparison(number, text);
      if (e.comparison == sim::Comparison::Contains && !text && type != T::Value) e.comparison = sim::Comparison::Equal;
      if (c_.chance(3) && type == T::Value) e.comparison = sim::Comparison::Contains;
    }
    e.tolerance = type == T::Colour ? sim::kDefaultColourTolerance : sim::kDefaultTolerance;
    if (tolerant && c_.chance(20)) e.tolerance = c_.decimal(1);
    add(std::move(e), c_.chance(20));
  }

  void expectEntries() {
    if (!launched_) return;
    sim::ExpectEntries e{field(), comparison(true, false), c_.below(4)};
    add(std::move(e), c_.chance(20));
  }

  sim::TimeWindow window() {
    sim::TimeWindow w{0, cursor_};
    if (c_.chance(30)) w.from = cursor_ > 0 ? static_cast<platform::Nanos>(c_.below(1000)) * (cursor_ / 1000) : 0;
    if (c_.chance(20)) w.to = w.from + (cursor_ - w.from) / 2;
    return w;
  }

  sim::EventPattern pattern() {
    static const char* const kKinds[] = {"timer.fire", "timer.schedule", "notification.post", "sound", "hud.snapshot",
                                         "volume.change", "statusbar.updateItem", "odd kind"};
    static const std::vector<std::vector<std::string>> kPaths = {
        {"selector"}, {"userInfo", "modifier"}, {"id"}, {"process"}, {"hud", "tarvoHUDSlider.value"}, {"values", "0"}, {"a b"}};
    sim::EventPattern p{c_.pick(kKinds), {}};
    for (std::uint32_t i = c_.chance(60) ? 1 + c_.below(2) : 0; i > 0; --i) {
      sim::FieldCondition condition;
      condition.path = c_.pick(kPaths);
      const bool isProcess = condition.path == std::vector<std::string>{"process"};
      switch (isProcess ? 0 : c_.below(6)) {
        case 0:
          condition.comparison = comparison(false, true);
          condition.value = std::string(isProcess ? "SpringBoard" : "Hide");
          break;
        case 1: condition.comparison = sim::Comparison::Exists; break;
        case 2: condition.comparison = sim::Comparison::Absent; break;
        case 3:
          condition.testsKind = true;
          condition.comparison = comparison(false, false);
          condition.value = std::string(c_.chance(50) ? "real" : "string");
          break;
        case 4:
          condition.comparison = comparison(true, false);
          condition.value = static_cast<std::int64_t>(c_.below(2000));
          if (c_.chance(20)) condition.tolerance = 0.5;
          break;
        default:
          condition.comparison = sim::Comparison::Contains;
          condition.value = values_.value();
      }
      p.conditions.push_back(std::move(condition));
    }
    return p;
  }

  void expectTrace() {
    if (c_.chance(60)) {
      sim::ExpectCount e{pattern(), window(), comparison(true, false), c_.below(6)};
      return add(std::move(e), c_.chance(20));
    }
    sim::ExpectOrder e{pattern(), pattern(), window()};
    add(std::move(e), c_.chance(20));
  }

  // A process (an app started so far, or the shell) and one of its fields.
  void appField(std::string& app, std::vector<std::string>& view, std::string& property) {
    if (!apps_.empty() && c_.chance(70)) app = c_.pick(apps_).bundle;
    if (c_.chance(20)) {
      property = "liveObjects";
    } else {
      view = {c_.chance(70) ? "statusBar" : "foregroundView"};
      for (std::uint32_t i = c_.below(3); i > 0; --i) view.push_back(std::to_string(c_.below(3)));
      static const char* const kProperties[] = {"alpha", "presentation.alpha", "hidden", "class"};
      property = c_.pick(kProperties);
    }
  }

  void expectApp() {
    sim::ExpectAppField e;
    appField(e.app, e.view, e.property);
    const sim::FieldType type = sim::appFieldType(e.property);
    if (auto name = keptOfType(type); name && c_.chance(25)) {
      e.kept = *name;
      e.comparison = comparison(type == sim::FieldType::Real, type == sim::FieldType::Text);
    } else if (c_.chance(15)) {
      e.comparison = c_.chance(50) ? sim::Comparison::Absent : sim::Comparison::Exists;
    } else if (e.property == "class") {
      e.expected = std::string(c_.chance(50) ? "UIStatusBar" : "_UIStatusBarForegroundView");
      e.comparison = comparison(false, true);
    } else {
      e.expected = c_.chance(50) ? platform::PlistValue(c_.decimal(1)) : platform::PlistValue(c_.chance(50));
      e.comparison = comparison(true, false);
    }
    if (c_.chance(10)) e.tolerance = 0.01;
    add(std::move(e), c_.chance(20));
  }

  // A value kept for a later expectation, under one of a few names so that some are kept again.
  void keepValue() {
    sim::KeepValue k;
    static const char* const kNames[] = {"first", "second", "third"};
    k.name = c_.pick(kNames);
    if (c_.chance(60)) {
      k.hud = field();
      keptNames_[k.name] = k.hud->type;
    } else {
      appField(k.app, k.view, k.property);
      keptNames_[k.name] = sim::appFieldType(k.property);
    }
    add(std::move(k));
  }

  std::optional<std::string> keptOfType(sim::FieldType type) {
    std::vector<std::string> names;
    for (const auto& [name, keptType] : keptNames_)
      if (keptType == type) names.push_back(name);
    if (names.empty()) return std::nullopt;
    return c_.pick(names);
  }

  Choices& c_;
  RandomValues values_;
  sim::Scenario s_;
  bool kept_ = false;
  bool launched_ = false;
  platform::Nanos cursor_ = 0;
  std::vector<sim::StartApp> apps_;
  int serial_ = 0;
  int recordings_ = 0;
  std::map<std::string, sim::FieldType> keptNames_;
};

}  // namespace fuzzing
