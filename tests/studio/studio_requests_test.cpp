// What the studio accepts before anything reaches the phone: the request guard and the pane's table.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <set>

#include "settings/settings.h"
#include "sim/studio/pane_layout.h"
#include "sim/studio/request_guard.h"

namespace {

TEST(RequestGuard, OnlyThisServerByNameAndPort) {
  sim::studio::RequestGuard guard("127.0.0.1", 8412);
  struct Case {
    const char* host;
    const char* origin;  // nullptr: none sent
    bool allowed;
  } cases[] = {
      {"127.0.0.1:8412", nullptr, true},
      {"localhost:8412", "http://localhost:8412", true},
      {"LOCALHOST:8412", nullptr, true},
      {"[::1]:8412", "http://[::1]:8412", true},
      {"127.0.0.1:8412", "http://127.0.0.1:8412", true},
      {"127.0.0.1", nullptr, false},             // no port: not how a browser names this server
      {"127.0.0.1:8413", nullptr, false},
      {"evil.example:8412", nullptr, false},      // a rebound DNS name
      {"", nullptr, false},
      {"127.0.0.1:8412", "http://evil.example", false},
      {"127.0.0.1:8412", "https://127.0.0.1:8412", false},
      {"127.0.0.1:8412", "null", false},           // sandboxed frames and files
      {"127.0.0.1:8412", "http://127.0.0.1:8412.evil.example", false},
  };
  for (const auto& c : cases) {
    auto origin = c.origin ? std::optional<std::string_view>(c.origin) : std::nullopt;
    EXPECT_EQ(!guard.refuse(c.host, origin).has_value(), c.allowed) << c.host << " " << (c.origin ? c.origin : "-");
  }
  sim::studio::RequestGuard lan("192.168.1.20", 9000);
  EXPECT_FALSE(lan.refuse("192.168.1.20:9000", std::nullopt));
  EXPECT_TRUE(lan.refuse("192.168.1.21:9000", std::nullopt));
}

TEST(PaneLayout, EveryKeyOnceWithTheControlForItsKind) {
  std::set<std::string> seen;
  std::set<std::string> titles;
  for (const auto& group : sim::studio::paneLayout()) {
    titles.insert(group["title"].get<std::string>());
    for (const auto& key : group["keys"]) {
      std::string name = key["key"];
      EXPECT_TRUE(seen.insert(name).second) << name << " appears twice";
      std::string control = key["control"];
      if (const auto* entry = tarvo::findSetting(name)) {
        const char* expected = entry->kind == tarvo::SettingKind::Switch    ? "switch"
                               : entry->kind == tarvo::SettingKind::Integer ? "segmented"
                                                                             : "number";
        EXPECT_EQ(control, expected) << name;
        EXPECT_EQ(key["read"].get<bool>(), entry->read) << name;
        if (control == "number") {
          EXPECT_LT(key["min"].get<double>(), key["max"].get<double>()) << name;
        }
      } else {
        ASSERT_TRUE(tarvo::findColorSetting(name)) << name;
        EXPECT_EQ(control, "colour");
      }
    }
  }
  EXPECT_EQ(seen.size(), tarvo::kSettingsTable.size() + tarvo::kColorSettings.size());
  EXPECT_EQ(titles.size(), 5u);
}

}  // namespace
