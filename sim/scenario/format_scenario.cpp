// The setup and the scenario as a whole; the words of each command are in format_commands.cpp.
#include "sim/scenario/format_scenario.h"

#include <charconv>
#include <cmath>

#include "sim/scenario/plist_literal.h"

namespace sim {

namespace {

bool isBareChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
         c == '.' || c == ',';
}

std::string filterLine(Library library, const InjectionFilter& filter) {
  std::string line = "filter " + std::string(nameOf(library));
  if (!filter.everyUIKitProcess && filter.bundles.empty()) return line + " none";
  if (filter.everyUIKitProcess) line += " uikit";
  for (const std::string& bundle : filter.bundles) line += " " + formatWord(bundle);
  return line;
}

std::string activityLine(const std::string& prefix, int depth, const std::string& subclass) {
  std::string line = prefix + " " + std::to_string(depth);
  if (!subclass.empty()) line += " subclass " + subclass;
  return line;
}

}  // namespace

std::string formatTime(platform::Nanos time) {
  if (time < 0) time = 0;
  std::string text = std::to_string(time / platform::kNanosPerSecond);
  if (platform::Nanos fraction = time % platform::kNanosPerSecond) {
    std::string digits = std::to_string(fraction);
    digits.insert(0, 9 - digits.size(), '0');
    while (digits.back() == '0') digits.pop_back();
    text += "." + digits;
  }
  return text + "s";
}

std::string formatReal(double value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  char buffer[40];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return error == std::errc() ? std::string(buffer, end) : "0";
}

std::string formatWord(const std::string& text) {
  bool bare = !text.empty() && text.front() != '#';
  for (char c : text) bare = bare && isBareChar(c);
  return bare ? text : formatPlistLiteral(platform::PlistValue(text));
}

std::vector<std::string> formatSetup(const DeviceSetup& setup) {
  const DeviceSetup defaults;
  std::vector<std::string> lines;
  if (setup.model) {
    lines.push_back(setup.modelIdentifier ? "device " + formatWord(*setup.modelIdentifier) + " like " + *setup.model
                                          : "device " + *setup.model);
  }
  if (setup.tarvo12 != defaults.tarvo12) lines.push_back(filterLine(Library::Tarvo12, setup.tarvo12));
  if (setup.tarvo12Kit != defaults.tarvo12Kit) lines.push_back(filterLine(Library::Tarvo12Kit, setup.tarvo12Kit));
  if (setup.shellBar) lines.push_back("shell bar " + std::string(nameOf(*setup.shellBar)));
  if (setup.shellReportsSplitLayout)
    lines.push_back(std::string("shell split-layout ") + (*setup.shellReportsSplitLayout ? "yes" : "no"));
  if (setup.direction != defaults.direction) lines.push_back("shell direction " + std::string(nameOf(setup.direction)));
  if (setup.shellBarColour)
    lines.push_back("shell color " + (*setup.shellBarColour ? (*setup.shellBarColour)->text : std::string("nil")));
  if (setup.shellBarStyle) lines.push_back("shell style " + std::to_string(*setup.shellBarStyle));
  if (!setup.shellBarParts.foregroundView) lines.push_back("shell without foreground-view");
  if (!setup.shellBarParts.styleAttributes) lines.push_back("shell without style-attributes");
  if (!setup.shellBarParts.foregroundStyle) lines.push_back("shell without foreground-style");
  if (setup.shellActivityDepths) {
    for (std::size_t i = 0; i < setup.shellActivityDepths->size(); ++i)
      lines.push_back(activityLine("shell activity", (*setup.shellActivityDepths)[i],
                                   i < setup.shellActivityClasses.size() ? setup.shellActivityClasses[i] : ""));
  }
  if (setup.mediaLevel) lines.push_back("level media " + formatReal(*setup.mediaLevel));
  if (setup.ringerLevel) lines.push_back("level ringer " + formatReal(*setup.ringerLevel));
  return lines;
}

std::string formatScenario(const Scenario& scenario) {
  std::string text;
  for (const std::string& line : formatSetup(scenario.setup)) text += line + "\n";
  platform::Nanos cursor = 0;
  for (const Step& step : scenario.steps) {
    // The parser puts the launch in by itself when no line asks for it.
    if (const auto* launch = std::get_if<Launch>(&step.command); launch && launch->implicit) continue;
    if (step.time > cursor) text += "at " + formatTime(step.time) + " ";
    cursor = std::max(cursor, step.time);
    text += formatCommand(step.command, {step.time, step.beforeDue}) + "\n";
  }
  if (scenario.end > cursor) text += "at " + formatTime(scenario.end) + "\n";
  return text;
}

}  // namespace sim
