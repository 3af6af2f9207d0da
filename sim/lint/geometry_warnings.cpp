#include "sim/lint/geometry_warnings.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include "settings/settings.h"
#include "sim/lint/geometry_check.h"
#include "sim/scenario/values.h"

namespace sim {

namespace {

using Where = std::set<std::pair<int, int>>;  // (orientation, mode)

constexpr int kOrientations[] = {1, 2, 3, 4};
constexpr tarvo::VolumeMode kModes[] = {tarvo::VolumeMode::Media, tarvo::VolumeMode::Ringer};

std::string listed(const std::vector<std::string>& words) {
  std::string out;
  for (std::size_t i = 0; i < words.size(); ++i)
    out += (i == 0 ? "" : i + 1 == words.size() ? " and " : ", ") + words[i];
  return out;
}

std::string onModels(const std::vector<const DeviceModel*>& models,
                     const std::vector<const DeviceModel*>& all) {
  if (models.size() == all.size() && all.size() > 1) return "on every model";
  const auto notched =
      std::count_if(all.begin(), all.end(), [](const DeviceModel* m) { return m->notched(); });
  if (models.size() > 1 && static_cast<std::ptrdiff_t>(models.size()) == notched &&
      std::all_of(models.begin(), models.end(), [](const DeviceModel* m) { return m->notched(); }))
    return "on every notched model";
  std::vector<std::string> names;
  for (const DeviceModel* m : models)
    if (std::find(names.begin(), names.end(), m->marketingName) == names.end())
      names.emplace_back(m->marketingName);
  return "on " + listed(names);
}

std::string inWhere(const Where& where) {
  std::set<int> orientations, modes;
  for (auto [o, m] : where) orientations.insert(o), modes.insert(m);
  auto modeName = [](int m) { return std::string(m == 1 ? "ringer" : "media") + " mode"; };
  if (where.size() != orientations.size() * modes.size()) {  // not every mode in every orientation
    std::vector<std::string> pairs;
    for (auto [o, m] : where)
      pairs.push_back(std::string(nameOf(static_cast<Orientation>(o))) + " in " + modeName(m));
    return "in " + listed(pairs);
  }
  std::string out;
  if (orientations.size() == std::size(kOrientations)) {
    out = "in every orientation";
  } else {
    std::vector<std::string> names;
    for (int o : orientations) names.emplace_back(nameOf(static_cast<Orientation>(o)));
    out = "in " + listed(names);
  }
  if (modes.size() == 1) out += " (" + modeName(*modes.begin()) + ")";
  return out;
}

}  // namespace

std::vector<LintWarning> geometryWarnings(const tarvo::Settings& settings, const DeviceModel* only) {
  std::vector<const DeviceModel*> models;
  for (const DeviceModel& m : deviceModels())
    if (!only || &m == only) models.push_back(&m);
  if (only && models.empty()) models.push_back(only);

  // Each distinct collision in the order first met, with where it happens on each model.
  struct Found {
    std::vector<std::string> keys;
    std::map<const DeviceModel*, Where> on;
    std::vector<const DeviceModel*> order;
  };
  std::vector<std::string> texts;
  std::map<std::string, Found> found;
  for (const DeviceModel* model : models)
    for (int o : kOrientations)
      for (tarvo::VolumeMode mode : kModes)
        for (auto& c :
             checkHudGeometry(settings, *model, static_cast<tarvo::InterfaceOrientation>(o), mode)) {
          auto [it, fresh] = found.try_emplace(c.what);
          if (fresh) texts.push_back(c.what);
          Found& f = it->second;
          for (auto& key : c.keys)
            if (std::find(f.keys.begin(), f.keys.end(), key) == f.keys.end()) f.keys.push_back(key);
          if (!f.on.count(model)) f.order.push_back(model);
          f.on[model].insert({o, static_cast<int>(mode)});
        }

  std::vector<LintWarning> warnings;
  for (const std::string& text : texts) {
    const Found& f = found.at(text);
    // Models on which it happens in the same orientations and modes share one warning.
    std::vector<std::pair<Where, std::vector<const DeviceModel*>>> groups;
    for (const DeviceModel* model : f.order) {
      const Where& where = f.on.at(model);
      auto g = std::find_if(groups.begin(), groups.end(), [&](const auto& e) { return e.first == where; });
      if (g == groups.end())
        groups.push_back({where, {model}});
      else
        g->second.push_back(model);
    }
    for (const auto& [where, on] : groups) {
      LintWarning w;
      w.key = f.keys.empty() ? std::string() : f.keys.front();
      w.alsoKeys.assign(f.keys.begin() + (f.keys.empty() ? 0 : 1), f.keys.end());
      w.text = text + ", " + onModels(on, models) + " " + inWhere(where);
      warnings.push_back(std::move(w));
    }
  }
  return warnings;
}

}  // namespace sim
