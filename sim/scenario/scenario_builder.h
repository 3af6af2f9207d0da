#pragma once
// What the parser keeps while it reads a scenario line by line: the cursor time, whether the shell has
// launched, the apps started so far and the frame names taken.
#include <algorithm>
#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/foundation/clock.h"
#include "sim/scenario/scenario.h"
#include "sim/scenario/token_reader.h"

namespace sim {

// Each recording may have this many frames (their names carry four digits), and a scenario this many
// frames in all, so that a typo cannot ask for hours of rendering.
inline constexpr std::size_t kMaxFramesPerRecording = 9999;
inline constexpr std::size_t kMaxFramesPerScenario = 20000;
// What a scenario plays in all: each press, each recorded frame and each other command counts one. The
// runner keeps a few hundred bytes per action and the trace grows with them, so this bounds both.
inline constexpr std::size_t kMaxActionsPerScenario = 500000;

struct StartedApp {
  std::string bundle;
  std::string name;
  BarKind bar = BarKind::Classic;
  std::size_t line = 0;
};

class ScenarioBuilder {
 public:
  ScenarioBuilder(std::string file, bool hasExplicitLaunch);

  Scenario& scenario() { return scenario_; }
  const std::string& file() const { return scenario_.file; }

  platform::Nanos cursor() const { return cursor_; }
  // `at`: never backwards.
  void jumpTo(TokenReader& in, const Token& where, platform::Nanos time);
  // `wait`: never past the longest a scenario may run.
  void advanceBy(TokenReader& in, const Token& where, platform::Nanos duration);
  // A live session's clock: the cursor follows it, never backwards.
  void moveTo(platform::Nanos time) { cursor_ = std::max(cursor_, time); }
  // A live session has launched before its first line.
  void markLaunched() { launched_ = true; }
  // A press or frame due later than the cursor keeps the scenario running until then.
  void schedule(platform::Nanos time);

  // Setup lines come before every other line; each setting of the device is given once.
  void setupItem(TokenReader& in, const Token& where, const std::string& item);
  // The first line that is not setup: the device is now fixed, and without a `launch` line the shell
  // launches here, at time 0.
  void closeSetup(std::size_t line);

  bool launched() const { return launched_; }
  // Lines from someone who may not read this machine's files (a page of the studio) name no files.
  void refuseFiles() { readsFiles_ = false; }
  bool readsFiles() const { return readsFiles_; }
  void launch(TokenReader& in, const Token& where);
  void requireLaunched(TokenReader& in, const Token& where, std::string_view what) const;

  // `beforeDue`: the step happens before what is due at its time and has not run yet (`now`).
  void add(const TokenReader& in, Command command, bool beforeDue = false);

  // Apps by bundle identifier or process name; the shell is "springboard" (any case).
  void addApp(TokenReader& in, const Token& where, StartedApp app);
  const StartedApp& app(TokenReader& in, const Token& reference) const;
  ProcessRef process(TokenReader& in, const Token& reference) const;

  // Frame names are file names: letters, digits, '.', '_', '-'; unique across captures and recordings.
  void checkFrameName(TokenReader& in, const Token& where, const std::string& name) const;
  void claimFrameName(TokenReader& in, const Token& where, const std::string& name);
  std::string nextCaptureName();
  void countFrames(TokenReader& in, const Token& where, std::size_t frames);

  // Names of kept values and the type of field each was kept from; a name kept again takes the newer type.
  void keep(const std::string& name, FieldType type) { kept_[name] = type; }
  std::optional<FieldType> keptType(const std::string& name) const {
    auto found = kept_.find(name);
    return found == kept_.end() ? std::nullopt : std::optional<FieldType>(found->second);
  }

  Scenario finish(std::size_t lastLine);

 private:
  Scenario scenario_;
  platform::Nanos cursor_ = 0;
  bool setupOpen_ = true;
  bool hasExplicitLaunch_;
  bool launched_ = false;
  bool readsFiles_ = true;
  std::optional<std::size_t> launchLine_;
  std::map<std::string, std::size_t> setupLines_;
  std::vector<StartedApp> apps_;
  std::set<std::string> frameNames_;
  std::size_t unnamedCaptures_ = 0;
  std::size_t frames_ = 0;
  std::size_t actions_ = 0;
  std::map<std::string, FieldType> kept_;
};

// Whether text is a usable frame name or bundle identifier.
bool isFrameName(std::string_view text);
bool isBundleIdentifier(std::string_view text);

}  // namespace sim
