#pragma once
// The injection platform's filter: which library is loaded into which UIKit process. `platform/` knows the
// libraries only by name; whoever builds the device (the simulator, a test) registers how each one loads.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class Device;
class Process;

// Matches every UIKit process, those without a bundle identifier included.
inline constexpr std::string_view kEveryProcess = "*";

struct InjectionRule {
  std::string library;
  // Bundle identifiers, or kEveryProcess. A process without a bundle identifier matches only kEveryProcess.
  std::vector<std::string> processes;
  // Bundle identifiers the rule leaves out although `processes` names them (an app started with the
  // library turned off).
  std::vector<std::string> except = {};

  // Whether `processes` names the process, exceptions aside.
  bool targets(const std::optional<std::string>& bundleIdentifier) const;
  bool excludes(const std::optional<std::string>& bundleIdentifier) const;
  bool matches(const std::optional<std::string>& bundleIdentifier) const;
};

// One per device (`device.service<InjectionFilter>()`).
class InjectionFilter {
 public:
  using Loader = std::function<void(Process&)>;

  explicit InjectionFilter(Device&) {}

  // What a device without configuration injects: "Tarvo12" into "com.apple.springboard" only, and
  // "Tarvo12Kit" into every UIKit process.
  static std::vector<InjectionRule> defaultRules();

  // Replaces the rules in force (the defaults until this is first called). An empty list injects nothing.
  void setRules(std::vector<InjectionRule> rules) { rules_ = std::move(rules); }
  const std::vector<InjectionRule>& rules() const { return rules_ ? *rules_ : defaults_; }

  // A library without a loader is never loaded (its rules are skipped, and the skip is traced).
  void registerLoader(std::string library, Loader loader);
  const Loader* loader(std::string_view library) const;

  // The libraries for a process with this bundle identifier, in rule order, each named once.
  std::vector<std::string> librariesFor(const std::optional<std::string>& bundleIdentifier) const;
  // The libraries a rule targets at the process but an exception keeps out, and no other rule brings in.
  std::vector<std::string> librariesExcludedFrom(const std::optional<std::string>& bundleIdentifier) const;

 private:
  std::optional<std::vector<InjectionRule>> rules_;
  std::vector<InjectionRule> defaults_ = defaultRules();
  std::vector<std::pair<std::string, Loader>> loaders_;
};

// Loads into a UIKit process, in rule order, every library whose rule matches it. Call it once UIKit is
// loaded and before the application object exists. A library already injected into the process is not
// loaded again. Each library picked is traced (`library.inject`), and so is each one an exception keeps
// out, as not loaded.
void injectLibraries(Process& process);

// The libraries injected into the process so far, in load order.
const std::vector<std::string>& injectedLibraries(Process& process);

}  // namespace platform
