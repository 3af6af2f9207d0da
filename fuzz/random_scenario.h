#pragma once
// Valid scenarios that mix every command of the language at random: setup lines, settings in both
// formats with values of every kind, apps with every kind of bar, presses, the ringer switch, rotations,
// taps, notifications with odd payloads, frames, recordings, snapshots and expectations. Driven by any
// source of choices, so that the same generator serves a fuzz target (the fuzzer's bytes) and a soak test
// (a seeded random engine). Header-only: fuzz targets are single files.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings.h"

namespace fuzzing {

// Where the generator's decisions come from.
class Choices {
 public:
  virtual ~Choices() = default;
  virtual std::uint32_t below(std::uint32_t n) = 0;  // 0 to n - 1; n > 0

  bool chance(std::uint32_t percent) { return below(100) < percent; }
  template <typename T, std::size_t N>
  const T& pick(const T (&items)[N]) {
    return items[below(static_cast<std::uint32_t>(N))];
  }
  template <typename T, std::size_t N>
  const T& pick(const std::array<T, N>& items) {
    return items[below(static_cast<std::uint32_t>(N))];
  }
  // A decimal in [0, scale) with two digits after the point, as scenario text.
  std::string decimal(std::uint32_t scale) {
    std::uint32_t hundredths = below(scale * 100);
    char text[32];
    std::snprintf(text, sizeof text, "%u.%02u", hundredths / 100, hundredths % 100);
    return text;
  }
};

// Every key the system reads from the settings file: the settings table's, then the colours'.
inline constexpr auto kSettingKeys = [] {
  std::array<std::string_view, tarvo::kSettingsTable.size() + tarvo::kColorSettings.size()> keys{};
  std::size_t next = 0;
  for (const auto& entry : tarvo::kSettingsTable) keys[next++] = entry.key;
  for (const auto& colour : tarvo::kColorSettings) keys[next++] = colour.key;
  return keys;
}();

class RandomScenario {
 public:
  explicit RandomScenario(Choices& choices) : c_(choices) {}

  std::string generate(int commands) {
    setup();
    bool launched = false;
    const bool launchLate = c_.chance(30);
    for (int i = 0; i < commands; ++i) {
      if (!launched && (!launchLate || i >= 3)) {
        line("launch");
        launched = true;
      }
      command(launched);
    }
    return text_;
  }

 private:
  struct App {
    std::string name;
    bool split = false;
    bool bar = true;
  };

  void line(const std::string& text) { text_ += text + "\n"; }

  void setup() {
    static const char* const kModels[] = {"iPhone8,4", "iPhone9,3", "iPhone10,2", "iPhone10,3", "iPhone11,8"};
    if (c_.chance(70)) line(std::string("device ") + c_.pick(kModels));
    if (c_.chance(20)) line(c_.chance(50) ? "shell bar classic" : "shell bar split");
    if (c_.chance(20)) line(c_.chance(50) ? "shell split-layout yes" : "shell split-layout no");
    if (c_.chance(20)) line(c_.chance(50) ? "shell direction rtl" : "shell direction ltr");
    if (c_.chance(50)) line("level media " + c_.decimal(1));
    if (c_.chance(50)) line("level ringer " + c_.decimal(1));
    if (c_.chance(10)) line("filter Tarvo12Kit uikit");
  }

  void command(bool launched) {
    // Before the launch: only what may set the scene the shell finds (settings, apps, the switch).
    static const std::uint32_t kBeforeLaunch[] = {0, 2, 3, 5, 8};
    switch (launched ? c_.below(18) : c_.pick(kBeforeLaunch)) {
      case 0: case 1: line("wait " + c_.decimal(2) + "s"); break;
      case 2: settings(); break;
      case 3: startApp(); break;
      case 4: appCommand(); break;
      case 5: line(c_.chance(50) ? "buttons ringer" : "buttons media"); break;
      case 6: case 7: press(); break;
      case 8: line(c_.chance(50) ? "ringer-switch silent" : "ringer-switch ring"); break;
      case 9: rotate(); break;
      case 10: post(); break;
      case 11: frames(); break;
      case 12: tap(); break;
      case 13: line("snapshot s" + std::to_string(++serial_)); break;
      case 14: expectField(); break;
      case 15: expectTrace(); break;
      case 16: case 17: press(); break;
    }
  }

  // --- Values ---
  std::string value(int depth = 0) {
    static const char* const kScalars[] = {"true", "false", "0", "1", "-1", "42", "0.5", "-7.25", "1e308",
                                           "real nan", "inf", "-inf", "real -0.0", "\"\"", "\"#FF00FF:0.5\"",
                                           "\"#7942D8\"", "\"garbage\"", "data \"AAH/\"", "date 12.5",
                                           "date -2147483648", "int -9223372036854775808"};
    if (depth < 3 && c_.chance(10)) return "[" + value(depth + 1) + ", " + value(depth + 1) + "]";
    if (depth < 3 && c_.chance(5)) return "{ k = " + value(depth + 1) + " }";
    return c_.pick(kScalars);
  }

  // "{ KEY = VALUE, ... }" with up to `most` keys drawn from `keys`, each at most once.
  template <typename Keys, typename ValueOf>
  std::string dictionary(const Keys& keys, std::uint32_t most, ValueOf valueOf) {
    std::string text = "{";
    std::vector<std::string> used;
    for (std::uint32_t i = 0; i < most; ++i) {
      std::string key(c_.pick(keys));
      if (std::find(used.begin(), used.end(), key) != used.end()) continue;
      used.push_back(key);
      text += " " + key + " = " + valueOf() + ",";
    }
    return text + " }";
  }

  void settings() {
    std::string tail = std::string(c_.chance(20) ? " no-post" : "") + (c_.chance(30) ? " binary" : "");
    switch (c_.below(6)) {
      case 0: line("settings remove " + std::string(c_.pick(kSettingKeys)) + tail); break;
      case 1: {
        std::string dict = "settings replace " + dictionary(kSettingKeys, c_.below(4), [this] { return value(); });
        line(dict + tail);
        break;
      }
      case 2: line(std::string("settings delete") + (c_.chance(20) ? " no-post" : "")); break;
      default: line("settings set " + std::string(c_.pick(kSettingKeys)) + " " + value() + tail); break;
    }
  }

  // --- Apps ---
  void startApp() {
    if (apps_.size() >= 4) return appCommand();
    App app{"app" + std::to_string(apps_.size() + 1), false, true};
    std::string text = "app start com.example." + app.name + " name " + app.name;
    switch (c_.below(3)) {
      case 0: text += " bar classic"; break;
      case 1: text += " bar split style " + std::to_string(c_.below(3)); app.split = true; break;
      default: text += " bar none"; app.bar = false; break;
    }
    if (app.bar && c_.chance(50)) text += c_.chance(50) ? " color #FFFFFF" : " color #3366CC:0.5";
    if (app.split && c_.chance(30)) text += " activity " + std::to_string(1 + c_.below(6));
    if (!app.split && app.bar && c_.chance(20)) text += " without style-attributes";
    if (c_.chance(20)) text += c_.chance(50) ? " tarvo yes" : " kit no";
    line(text);
    apps_.push_back(app);
  }

  void appCommand() {
    if (apps_.empty() || c_.chance(15)) return line("home");
    const App& app = apps_[c_.below(static_cast<std::uint32_t>(apps_.size()))];
    if (app.split && c_.chance(25)) return line("app style " + app.name + " " + std::to_string(c_.below(3)));
    if (app.bar && c_.chance(30))
      return line("app color " + app.name + (c_.chance(70) ? " #00FF00" : " nil"));
    line("app front " + app.name);
  }

  // --- A person ---
  void press() {
    std::string text = c_.chance(60) ? "press up" : "press down";
    if (c_.chance(40)) text += " " + std::to_string(1 + c_.below(6));
    if (c_.chance(30)) text += " every 0." + std::to_string(1 + c_.below(9)) + "s";
    line(text);
  }

  void rotate() {
    static const char* const kOrientations[] = {"portrait", "portrait-upside-down", "landscape-right",
                                                "landscape-left"};
    line(std::string("rotate ") + c_.pick(kOrientations));
  }

  void tap() {
    if (c_.chance(60)) return line("tap hud");
    line("tap " + std::to_string(c_.below(420)) + " " + std::to_string(c_.below(900)));
  }

  void post() {
    static const char* const kNames[] = {
        "velkarin.tarvo12/prefsChanged",         "velkarin.tarvo12.toggleTimeX",
        "velkarin.tarvo12.modifystatusbar",      "velkarin.tarvo12.requeststatusbarproperties",
        "velkarin.tarvo12.getstatusbarproperties", "velkarin.tarvo12.storeColors",
        "\"velkarin.tarvo12.other\""};
    static const char* const kKeys[] = {"modifier", "animationDuration", "frontMostApp", "isForceSplit",
                                        "isIPhoneX", "bundle", "hue", "saturation", "brightness", "alpha"};
    static const char* const kStrings[] = {"\"hide\"", "\"show\"", "\"com.example.app1\"", "\"com.apple.springboard\""};
    std::string text = std::string("post ") + c_.pick(kNames);
    if (!apps_.empty() && c_.chance(50)) text += " from " + apps_[c_.below(static_cast<std::uint32_t>(apps_.size()))].name;
    const bool ns = c_.chance(40);
    if (ns) text += " form ns";
    else if (c_.chance(30)) text += " immediately";
    if (c_.chance(80)) {
      text += " payload " + dictionary(kKeys, 1 + c_.below(5), [this] {
        return c_.chance(40) ? std::string(c_.pick(kStrings)) : value();
      });
    }
    line(text);
  }

  // --- What is kept ---
  void frames() {
    if (c_.chance(25) && recordings_ < 2) {
      ++recordings_;
      line("record r" + std::to_string(++serial_) + " for 0." + std::to_string(1 + c_.below(5)) + "s fps " +
           std::to_string(5 + c_.below(20)));
      return;
    }
    line("capture c" + std::to_string(++serial_));
  }

  void expectField() {
    static const char* const kExpectations[] = {
        "expect tarvoHUDWindow.hidden == true",   "expect tarvoHUDWindow.alpha <= 1",
        "expect tarvoHUDSlider.value >= 0",       "expect tarvoHUDLabel.text contains \"%\"",
        "expect isHiding == false",               "expect setting.WIDTH > 0",
        "expect statusColors != nil",             "expect tarvoMinColor != nil",
        "expect tarvoHUDMinImageView.glyph == none"};
    line(c_.pick(kExpectations));
  }

  void expectTrace() {
    static const char* const kExpectations[] = {
        "expect count timer.fire where selector contains \"Hide\" >= 0",
        "expect count notification.post where userInfo.modifier == \"hide\" last 1s <= 5",
        "expect count sound where id == 1519 >= 0",
        "expect order timer.schedule before timer.fire",
        "expect count notification.post where userInfo.hue contains 1 >= 0"};
    line(c_.pick(kExpectations));
  }

  Choices& c_;
  std::string text_;
  std::vector<App> apps_;
  int serial_ = 0;
  int recordings_ = 0;
};

}  // namespace fuzzing
