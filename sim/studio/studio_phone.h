#pragma once
// The studio's simulated phone: booted by playing a short scenario, then driven by what a person does in
// the page. Every button, settings write and command-line entry is a scenario command run through the
// runner's one entry for a command, and kept with its device time: the session's scenario is those
// commands formatted, so `tarvo12-sim run` replays it to the same frames by construction. Not
// thread-safe: one thread owns it.
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/foundation/clock.h"
#include "platform/foundation/plist_value.h"
#include "sim/play/runner.h"
#include "sim/scenario/parse_scenario.h"
#include "sim/scenario/scenario.h"

namespace sim::studio {

// An app the studio starts at boot; they differ in their status bars.
struct StudioApp {
  std::string_view bundle;
  std::string_view name;
  std::string_view bar;  // "split", "classic" or "none"
  std::string_view colour;
};
std::span<const StudioApp> studioApps();
const StudioApp* studioAppNamed(std::string_view bundle);

// What the page shows of the phone beyond its screen.
struct PhoneState {
  std::string model;
  int orientation = 1;  // UIInterfaceOrientation
  bool silent = false;
  bool buttonsChangeRinger = false;
  std::string front;  // bundle identifier, empty on the home screen
  std::map<std::string, std::string, std::less<>> barColours;
  // The built-in picture behind the HUD, by app ("" for the home screen's wallpaper); plain when absent.
  std::map<std::string, std::string, std::less<>> contents;
};

// One command of a line run on the live phone.
struct LineResult {
  std::string line;   // the command as the session's scenario writes it
  CommandOutcome outcome;
  bool later = false;  // due after now (`wait`, `at`, more presses): it runs when the phone gets there
  // For an expectation on a HUD field that ran now: the value it found, as its failure would say it.
  std::optional<std::string> found;
};

class StudioPhone {
 public:
  // `settings` is the contents of the settings file to boot with (nothing: no file).
  StudioPhone(const DeviceModel& model, const std::optional<platform::PlistDict>& settings);

  SimPhone& phone() { return runner_->phone(); }
  const PhoneState& state() const { return state_; }
  const DeviceModel& model() const { return runner_->phone().model(); }

  // Moves the phone's clock to `t` (never backwards), running everything due by then, the commands of
  // lines that were due later included.
  void runUntil(platform::Nanos t);

  // Runs one command now and keeps it in the session: every button of the page comes here.
  CommandOutcome run(Command command);
  // Runs a scenario line now, read in the light of the session so far (its apps, its frame names):
  // what the page's command line does. Throws ScenarioError for a malformed line, which then adds nothing.
  std::vector<LineResult> runLine(std::string_view line);

  // The settings file as the phone holds it (nothing when absent or unreadable).
  std::optional<platform::PlistDict> settings();
  std::string settingsFileBytes();
  // An imported file: the pane writes it whole and posts the change.
  CommandOutcome importSettings(const platform::PlistDict& contents);

  // Everything done since boot, as a scenario that ends with a capture of the screen as it is now.
  std::string scenarioText() const;
  // The commands the session holds (the boot's included), for whoever checks what it keeps.
  const Scenario& session() const { return session_; }

 private:
  struct Pending {
    platform::Nanos time;
    std::size_t step;  // into session_.steps
    std::size_t occurrence;
  };
  void keep(Step step);
  void follow(const Command& command);
  CommandOutcome apply(const Step& step, std::size_t occurrence);

  Scenario boot_;
  std::unique_ptr<Runner> runner_;
  Scenario session_;  // the boot's steps, then what the person did
  LineReader reader_;
  std::vector<Pending> pending_;
  PhoneState state_;
};

}  // namespace sim::studio
