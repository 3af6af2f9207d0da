#include "platform/device/injection.h"

#include <algorithm>

#include "platform/device/device.h"
#include "platform/device/process.h"

namespace platform {

namespace {

// What has been injected into one process, so that a second pass loads nothing twice.
struct InjectedLibraries {
  explicit InjectedLibraries(Process&) {}
  std::vector<std::string> names;
  bool contains(std::string_view name) const {
    return std::find(names.begin(), names.end(), name) != names.end();
  }
};

// `reason` says why a library was not loaded; empty when it was.
void traceInjection(Process& process, const std::string& library, std::string_view reason) {
  PlistDict fields;
  fields.set("library", library);
  fields.set("loaded", reason.empty());
  if (!reason.empty()) fields.set("reason", std::string(reason));
  process.trace("library.inject", std::move(fields));
}

}  // namespace

bool InjectionRule::targets(const std::optional<std::string>& bundleIdentifier) const {
  for (const std::string& wanted : processes) {
    if (wanted == kEveryProcess) return true;
    if (bundleIdentifier && wanted == *bundleIdentifier) return true;
  }
  return false;
}

bool InjectionRule::excludes(const std::optional<std::string>& bundleIdentifier) const {
  return bundleIdentifier && std::find(except.begin(), except.end(), *bundleIdentifier) != except.end();
}

bool InjectionRule::matches(const std::optional<std::string>& bundleIdentifier) const {
  return targets(bundleIdentifier) && !excludes(bundleIdentifier);
}

std::vector<InjectionRule> InjectionFilter::defaultRules() {
  return {
      {"Tarvo12", {"com.apple.springboard"}},
      {"Tarvo12Kit", {std::string(kEveryProcess)}},
  };
}

void InjectionFilter::registerLoader(std::string library, Loader loader) {
  for (auto& [name, existing] : loaders_) {
    if (name == library) {
      existing = std::move(loader);
      return;
    }
  }
  loaders_.emplace_back(std::move(library), std::move(loader));
}

const InjectionFilter::Loader* InjectionFilter::loader(std::string_view library) const {
  for (const auto& [name, fn] : loaders_)
    if (name == library && fn) return &fn;
  return nullptr;
}

std::vector<std::string> InjectionFilter::librariesFor(
    const std::optional<std::string>& bundleIdentifier) const {
  std::vector<std::string> names;
  for (const InjectionRule& rule : rules()) {
    if (!rule.matches(bundleIdentifier)) continue;
    if (std::find(names.begin(), names.end(), rule.library) == names.end()) names.push_back(rule.library);
  }
  return names;
}

std::vector<std::string> InjectionFilter::librariesExcludedFrom(
    const std::optional<std::string>& bundleIdentifier) const {
  const std::vector<std::string> picked = librariesFor(bundleIdentifier);
  std::vector<std::string> names;
  for (const InjectionRule& rule : rules()) {
    if (!rule.targets(bundleIdentifier) || !rule.excludes(bundleIdentifier)) continue;
    if (std::find(picked.begin(), picked.end(), rule.library) != picked.end()) continue;
    if (std::find(names.begin(), names.end(), rule.library) == names.end()) names.push_back(rule.library);
  }
  return names;
}

void injectLibraries(Process& process) {
  const InjectionFilter& filter = process.device().service<InjectionFilter>();
  auto& injected = process.service<InjectedLibraries>();
  for (const std::string& library : filter.librariesExcludedFrom(process.bundleIdentifier()))
    if (!injected.contains(library)) traceInjection(process, library, "excluded");
  for (const std::string& library : filter.librariesFor(process.bundleIdentifier())) {
    if (injected.contains(library)) continue;
    const InjectionFilter::Loader* load = filter.loader(library);
    traceInjection(process, library, load ? "" : "no loader");
    if (!load) continue;
    injected.names.push_back(library);
    // A copy: a loader may register further loaders while it runs.
    InjectionFilter::Loader run = *load;
    run(process);
  }
}

const std::vector<std::string>& injectedLibraries(Process& process) {
  return process.service<InjectedLibraries>().names;
}

}  // namespace platform
