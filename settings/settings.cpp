#include "settings/settings.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace tarvo {

namespace {

bool isIntegerInRange(std::int64_t value) {
  return value >= std::numeric_limits<std::int32_t>::min() &&
         value <= std::numeric_limits<std::int32_t>::max();
}

bool isRealInRange(double value) {
  return !std::isfinite(value) || std::fabs(value) <= std::numeric_limits<float>::max();
}

// Whether the file's number is already of the variable's kind and survives storing unchanged in meaning.
bool isOwnKind(const SettingEntry& entry, const platform::PlistValue& value) {
  switch (entry.kind) {
    case SettingKind::Switch:
      return std::holds_alternative<bool>(value.storage);
    case SettingKind::Integer: {
      const auto* i = std::get_if<std::int64_t>(&value.storage);
      return i && isIntegerInRange(*i);
    }
    case SettingKind::Real: {
      const auto* d = std::get_if<double>(&value.storage);
      return d && isRealInRange(*d);
    }
  }
  return false;
}

// Indexed by the alternatives of PlistValue::Storage, in their order.
constexpr auto kPlistKindNames = std::to_array<std::string_view>(
    {"boolean", "integer", "real", "string", "data", "date", "array", "dictionary"});
static_assert(kPlistKindNames.size() == std::variant_size_v<platform::PlistValue::Storage>);

}  // namespace

const SettingEntry* findSetting(std::string_view key) {
  for (const auto& entry : kSettingsTable)
    if (entry.key == key) return &entry;
  return nullptr;
}

SettingValue settingDefault(const SettingEntry& entry) {
  switch (entry.kind) {
    case SettingKind::Switch:
      return entry.defaultValue != 0.0;
    case SettingKind::Integer:
      return static_cast<std::int32_t>(entry.defaultValue);
    case SettingKind::Real:
      return static_cast<float>(entry.defaultValue);
  }
  return false;
}

SettingValue readSetting(const Settings& settings, const SettingEntry& entry) {
  switch (entry.kind) {
    case SettingKind::Switch:
      return settings.*entry.switchMember;
    case SettingKind::Integer:
      return settings.*entry.integerMember;
    case SettingKind::Real:
      return settings.*entry.realMember;
  }
  return false;
}

void writeSetting(Settings& settings, const SettingEntry& entry, const SettingValue& value) {
  platform::PlistValue boxed = std::visit([](auto v) { return platform::PlistValue(v); }, value);
  auto converted = convertSetting(entry, &boxed);
  if (!converted) return;  // every SettingValue is a number, so this does not happen
  switch (entry.kind) {
    case SettingKind::Switch:
      settings.*entry.switchMember = std::get<bool>(*converted);
      break;
    case SettingKind::Integer:
      settings.*entry.integerMember = std::get<std::int32_t>(*converted);
      break;
    case SettingKind::Real:
      settings.*entry.realMember = std::get<float>(*converted);
      break;
  }
}

std::optional<SettingValue> convertSetting(const SettingEntry& entry, const platform::PlistValue* value) {
  // A value of another kind than a number (a string included) counts as absent under a settings key.
  if (!value || !value->isNumber()) return std::nullopt;
  switch (entry.kind) {
    case SettingKind::Switch:
      if (auto b = value->boolValue()) return SettingValue(*b);
      return std::nullopt;
    case SettingKind::Integer:
      if (auto i = value->intValue()) return SettingValue(static_cast<std::int32_t>(*i));
      return std::nullopt;
    case SettingKind::Real:
      // The nearest single-precision value: just beyond FLT_MAX still rounds down to it.
      if (auto f = value->floatValue()) return SettingValue(*f);
      return std::nullopt;
  }
  return std::nullopt;
}

SettingValue resolveSetting(const SettingEntry& entry, const std::optional<platform::PlistDict>& prefs) {
  const platform::PlistValue* found = prefs ? prefs->find(entry.key) : nullptr;
  if (auto converted = convertSetting(entry, found)) return *converted;
  return settingDefault(entry);
}

void loadSetting(Settings& settings, const SettingEntry& entry,
                 const std::optional<platform::PlistDict>& prefs) {
  writeSetting(settings, entry, resolveSetting(entry, prefs));
}

SettingExplanation explainSetting(const SettingEntry& entry,
                                  const std::optional<platform::PlistDict>& prefs) {
  SettingExplanation explanation{&entry, settingDefault(entry), SettingSource::Default, {}};
  const platform::PlistValue* found = prefs ? prefs->find(entry.key) : nullptr;
  if (!found) return explanation;
  explanation.fileKind = plistKindName(*found);
  auto converted = convertSetting(entry, found);
  if (!converted) {
    explanation.source = SettingSource::WrongKind;
    return explanation;
  }
  explanation.value = *converted;
  explanation.source = isOwnKind(entry, *found) ? SettingSource::File : SettingSource::Converted;
  return explanation;
}

std::vector<SettingExplanation> explainSettings(const std::optional<platform::PlistDict>& prefs) {
  std::vector<SettingExplanation> explanations;
  explanations.reserve(kSettingsTable.size());
  for (const auto& entry : kSettingsTable) explanations.push_back(explainSetting(entry, prefs));
  return explanations;
}

std::string_view settingSourceName(SettingSource source) {
  switch (source) {
    case SettingSource::Default:
      return "default";
    case SettingSource::File:
      return "file";
    case SettingSource::Converted:
      return "converted";
    case SettingSource::WrongKind:
      return "wrong kind, read as absent";
  }
  return "default";
}

std::string_view plistKindName(const platform::PlistValue& value) {
  return kPlistKindNames[value.storage.index()];
}

std::string formatSettingValue(const SettingValue& value) {
  if (const auto* b = std::get_if<bool>(&value)) return *b ? "true" : "false";
  if (const auto* i = std::get_if<std::int32_t>(&value)) return std::to_string(*i);
  float f = std::get<float>(value);
  if (std::isnan(f)) return "nan";
  if (std::isinf(f)) return f > 0 ? "inf" : "-inf";
  // The shortest form that reads back as the same float, so 0.25 prints as 0.25.
  std::array<char, 64> buffer{};
  auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), f);
  if (error != std::errc()) return "?";
  return std::string(buffer.data(), end);
}

platform::PlistDict settingsSnapshot(const Settings& settings) {
  platform::PlistDict snapshot;
  snapshot.reserve(kSettingsTable.size());
  for (const auto& entry : kSettingsTable) {
    std::visit([&](auto v) { snapshot.set(std::string(entry.variable), platform::PlistValue(v)); },
               readSetting(settings, entry));
  }
  return snapshot;
}

const ColorSetting* findColorSetting(std::string_view key) {
  for (const auto& color : kColorSettings)
    if (color.key == key) return &color;
  return nullptr;
}

}  // namespace tarvo
