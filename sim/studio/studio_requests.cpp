#include "sim/studio/studio_requests.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>
#include <string>

#include "platform/graphics/color_string.h"
#include "platform/uikit/content/builtin_content.h"
#include "settings/settings.h"
#include "sim/scenario/literals.h"
#include "sim/scenario/values.h"
#include "sim/studio/studio_phone.h"

namespace sim::studio {

namespace {

using nlohmann::json;

const json& member(const json& request, const char* name, const char* what) {
  auto it = request.find(name);
  if (it == request.end()) throw BadRequest(std::string("missing \"") + name + "\" (" + what + ")");
  return *it;
}

std::string text(const json& request, const char* name, const char* what) {
  const json& value = member(request, name, what);
  if (!value.is_string()) throw BadRequest(std::string("\"") + name + "\" must be " + what);
  return value.get<std::string>();
}

double number(const json& request, const char* name) {
  const json& value = member(request, name, "a number");
  if (!value.is_number()) throw BadRequest(std::string("\"") + name + "\" must be a number");
  double d = value.get<double>();
  if (!std::isfinite(d)) throw BadRequest(std::string("\"") + name + "\" must be a finite number");
  return d;
}

// One of two words, as a yes or a no.
bool either(const json& request, const char* name, std::string_view yes, std::string_view no) {
  std::string what = std::string("\"") + std::string(yes) + "\" or \"" + std::string(no) + "\"";
  std::string word = text(request, name, what.c_str());
  if (word == yes) return true;
  if (word == no) return false;
  throw BadRequest(std::string("\"") + name + "\" must be " + what + ", not \"" + word + "\"");
}

bool isColourString(const std::string& s) {
  return s.size() <= 32 && s.starts_with('#') && platform::parseColorString(s).has_value();
}

}  // namespace

std::optional<double> strictDecimal(std::string_view text) {
  // from_chars takes no sign but '-', no spaces and, in this format, no "0x"; the end must be the text's.
  double value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
    return std::nullopt;
  // "inf" and "nan" are words, not decimals, whatever from_chars makes of them.
  if (text.find_first_not_of("0123456789.eE-+") != std::string_view::npos) return std::nullopt;
  return value;
}

json parseJsonObject(std::string_view body) {
  json parsed = json::parse(body, nullptr, false);
  if (parsed.is_discarded()) throw BadRequest("the body is not JSON");
  if (!parsed.is_object()) throw BadRequest("the body must be a JSON object");
  return parsed;
}

PhoneAction parseAction(const json& request) {
  std::string kind = text(request, "kind", "a string naming the action");
  auto running = [](Command command) -> PhoneAction {
    return [command = std::move(command)](StudioPhone& p) { p.run(command); };
  };
  if (kind == "press") {
    bool up = either(request, "button", "up", "down");
    return [up](StudioPhone& p) { p.run(PressButton{up ? VolumeButton::Up : VolumeButton::Down, {p.phone().device().now()}}); };
  }
  if (kind == "ringer-switch") return running(SetRingerSwitch{either(request, "position", "silent", "ring")});
  if (kind == "buttons")
    return running(SetButtonMode{either(request, "mode", "ringer", "media") ? VolumeMode::Ringer : VolumeMode::Media});
  if (kind == "rotate") {
    std::string name = text(request, "orientation", "an orientation");
    auto orientation = orientationNamed(name);
    if (!orientation)
      throw BadRequest("unknown orientation \"" + name +
                       "\" (portrait, portrait-upside-down, landscape-right, landscape-left)");
    return running(Rotate{*orientation, std::nullopt});
  }
  if (kind == "front") {
    std::string app = text(request, "app", "a bundle identifier, or \"\" for the home screen");
    if (!app.empty() && !studioAppNamed(app)) throw BadRequest("unknown app \"" + app + "\"");
    return app.empty() ? running(GoHome{}) : running(BringToFront{app});
  }
  if (kind == "bar-colour") {
    std::string colour = text(request, "colour", "a colour such as \"#FF0000\"");
    auto parsed = parseColourLiteral(colour);
    if (colour.size() != 7 || !isColourString(colour) || !parsed)
      throw BadRequest("\"colour\" must be #RRGGBB, not \"" + colour + "\"");
    return [colour = *parsed.value](StudioPhone& p) {
      if (p.state().front.empty()) throw BadRequest("no app is in front: its bar has no colour to change");
      p.run(SetAppBarColour{p.state().front, colour});
    };
  }
  if (kind == "content") {
    std::string name = text(request, "name", "the name of a built-in picture");
    if (!platform::builtinContentNamed(name))
      throw BadRequest("unknown picture \"" + name + "\" (" + platform::builtinContentNames() + ")");
    return [name](StudioPhone& p) {
      ContentChoice choice;
      choice.name = name;
      // In the app in front, or as the wallpaper on the home screen.
      if (p.state().front.empty()) p.run(SetWallpaper{choice});
      else p.run(SetAppContent{p.state().front, choice});
    };
  }
  if (kind == "tap") {
    double x = number(request, "x");
    double y = number(request, "y");
    return [x, y](StudioPhone& p) {
      auto& device = p.phone().device();
      if (x < 0 || y < 0 || x > device.screenWidth() || y > device.screenHeight())
        throw BadRequest("the point is off the screen");
      // Hundredths of a point, so that the scenario line taps exactly where the studio did.
      p.run(TapPoint{{std::round(x * 100) / 100, std::round(y * 100) / 100}});
    };
  }
  throw BadRequest("unknown action \"" + kind + "\"");
}

void checkSettingKey(std::string_view key) {
  if (!tarvo::findSetting(key) && !tarvo::findColorSetting(key))
    throw BadRequest("unknown settings key \"" + std::string(key) + "\"");
}

platform::PlistValue parseSettingValue(std::string_view key, const json& value) {
  checkSettingKey(key);
  std::string k(key);
  if (tarvo::findColorSetting(key)) {
    if (!value.is_string() || !isColourString(value.get<std::string>()))
      throw BadRequest(k + " takes a colour string such as \"#7942D8:1.000000\"");
    return value.get<std::string>();
  }
  const tarvo::SettingEntry& entry = *tarvo::findSetting(key);
  switch (entry.kind) {
    case tarvo::SettingKind::Switch:
      if (!value.is_boolean()) throw BadRequest(k + " takes true or false");
      return value.get<bool>();
    case tarvo::SettingKind::Integer: {
      if (!value.is_number_integer()) throw BadRequest(k + " takes a whole number");
      if (value.is_number_unsigned() && value.get<std::uint64_t>() > std::numeric_limits<std::int32_t>::max())
        throw BadRequest(k + " is out of range");
      auto i = value.get<std::int64_t>();
      if (i < std::numeric_limits<std::int32_t>::min() || i > std::numeric_limits<std::int32_t>::max())
        throw BadRequest(k + " is out of range");
      return i;
    }
    case tarvo::SettingKind::Real:
      if (!value.is_number()) throw BadRequest(k + " takes a number");
      if (!std::isfinite(value.get<double>())) throw BadRequest(k + " takes a finite number");
      return value.get<double>();
  }
  throw BadRequest(k + " cannot be set");
}

}  // namespace sim::studio
