#include "support/phone.h"

#include <cmath>

#include "sim/observe/hud_snapshot.h"

namespace testing_support {

platform::TapResult Phone::tapHUD() {
  auto centre = hudField("tarvoHUDWindow.center");
  const platform::PlistArray* xy = centre ? centre->asArray() : nullptr;
  if (!xy || xy->size() != 2) return {};
  return tap((*xy)[0].doubleValue().value_or(0), (*xy)[1].doubleValue().value_or(0));
}

std::optional<platform::PlistValue> Phone::hudField(std::string_view name) const {
  if (!lib) return std::nullopt;
  return sim::readHudField(*lib, name);
}

std::string Phone::hudText(std::string_view name) const {
  auto value = hudField(name);
  const std::string* text = value ? value->asString() : nullptr;
  return text ? *text : std::string();
}

double Phone::hudNumber(std::string_view name) const {
  auto value = hudField(name);
  return value ? value->doubleValue().value_or(NAN) : NAN;
}

bool Phone::hudFlag(std::string_view name) const {
  auto value = hudField(name);
  return value && value->boolValue().value_or(false);
}

std::optional<platform::UIColor> Phone::hudColour(std::string_view name) const {
  auto value = hudField(name);
  const platform::PlistArray* rgba = value ? value->asArray() : nullptr;
  if (!rgba || rgba->size() != 4) return std::nullopt;
  auto at = [&](std::size_t i) { return (*rgba)[i].doubleValue().value_or(0); };
  return platform::UIColor::colorWithRed(at(0), at(1), at(2), at(3));
}

platform::CGRect Phone::hudRect(std::string_view name) const {
  auto value = hudField(name);
  const platform::PlistArray* xywh = value ? value->asArray() : nullptr;
  if (!xywh || xywh->size() != 4) return platform::CGRect{{NAN, NAN}, {NAN, NAN}};
  auto at = [&](std::size_t i) { return (*xywh)[i].doubleValue().value_or(NAN); };
  return platform::CGRect{{at(0), at(1)}, {at(2), at(3)}};
}

}  // namespace testing_support
