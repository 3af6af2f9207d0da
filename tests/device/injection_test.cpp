#include "platform/device/injection.h"

#include <gtest/gtest.h>

#include "platform/device/device.h"

namespace {

using namespace platform;

struct InjectionTest : ::testing::Test {
  Device device;
  InjectionFilter& filter = device.service<InjectionFilter>();
  std::vector<std::string> loads;  // "process:library", in load order

  InjectionTest() {
    for (const char* library : {"Tarvo12", "Tarvo12Kit", "Other"})
      filter.registerLoader(library,
                            [this, library](Process& p) { loads.push_back(p.name() + ":" + library); });
  }

  std::vector<std::string> injectInto(const char* name, std::optional<std::string> bundle) {
    loads.clear();
    injectLibraries(device.spawn(name, std::move(bundle)));
    return loads;
  }
};

using Loads = std::vector<std::string>;

TEST_F(InjectionTest, ByDefaultTheShellGetsBothLibrariesAndEveryOtherProcessTheAgent) {
  EXPECT_EQ(filter.rules().size(), 2u);
  EXPECT_EQ(injectInto("SpringBoard", "com.apple.springboard"),
            (Loads{"SpringBoard:Tarvo12", "SpringBoard:Tarvo12Kit"}));
  EXPECT_EQ(injectInto("App", "com.example.app"), (Loads{"App:Tarvo12Kit"}));
  EXPECT_EQ(injectInto("Server", "com.apple.accessibility.AccessibilityUIServer"),
            (Loads{"Server:Tarvo12Kit"}));
  EXPECT_EQ(injectInto("Anonymous", std::nullopt), (Loads{"Anonymous:Tarvo12Kit"}));
  EXPECT_EQ(injectInto("Lookalike", "com.apple.SpringBoard"),
            (Loads{"Lookalike:Tarvo12Kit"}));  // exact match
}

struct RuleCase {
  const char* label;
  std::vector<InjectionRule> rules;
  std::optional<std::string> bundle;
  Loads libraries;
};

TEST_F(InjectionTest, RulesMatchByBundleOrEveryProcessInRuleOrder) {
  const std::string every(kEveryProcess);
  const RuleCase cases[] = {
      {"Tarvo12 into apps as well",
       {{"Tarvo12", {"com.apple.springboard", "com.example.app"}}, {"Tarvo12Kit", {every}}},
       "com.example.app",
       {"Tarvo12", "Tarvo12Kit"}},
      {"rule order is load order",
       {{"Tarvo12Kit", {every}}, {"Tarvo12", {every}}},
       "com.example.app",
       {"Tarvo12Kit", "Tarvo12"}},
      {"no identifier matches only every process",
       {{"Tarvo12", {"", "com.example.app"}}, {"Other", {every}}},
       std::nullopt,
       {"Other"}},
      {"a library named twice loads once",
       {{"Other", {"com.example.app"}}, {"Other", {every}}},
       "com.example.app",
       {"Other"}},
      {"no rule for the process", {{"Tarvo12", {"com.apple.springboard"}}}, "com.example.app", {}},
      {"no rules at all", {}, "com.example.app", {}},
      {"a rule naming no process", {{"Other", {}}}, "com.example.app", {}},
  };
  for (const auto& c : cases) {
    filter.setRules(c.rules);
    EXPECT_EQ(filter.librariesFor(c.bundle), c.libraries) << c.label;
    Loads expected;
    for (const auto& library : c.libraries) expected.push_back(std::string("P:") + library);
    loads.clear();
    Process& p = device.spawn("P", c.bundle);
    injectLibraries(p);
    EXPECT_EQ(loads, expected) << c.label;
    EXPECT_EQ(injectedLibraries(p), c.libraries) << c.label;
  }
}

TEST_F(InjectionTest, LibrariesWithoutALoaderAreSkippedAndNothingLoadsTwice) {
  filter.setRules({{"Missing", {std::string(kEveryProcess)}}, {"Other", {std::string(kEveryProcess)}}});
  Process& p = device.spawn("App", "com.example.app");
  injectLibraries(p);
  injectLibraries(p);
  EXPECT_EQ(loads, (Loads{"App:Other"}));
  EXPECT_EQ(injectedLibraries(p), (std::vector<std::string>{"Other"}));

  std::vector<std::pair<std::string, bool>> traced;
  for (const auto& e : device.trace().events()) {
    if (e.kind != "library.inject") continue;
    traced.emplace_back(*stringForKey(e.fields, "library"), *e.fields.find("loaded")->boolValue());
  }
  EXPECT_EQ(traced, (std::vector<std::pair<std::string, bool>>{
                        {"Missing", false}, {"Other", true}, {"Missing", false}}));

  // A loader registered later is used from then on; one registered again replaces the first.
  filter.registerLoader("Missing", [this](Process& proc) { loads.push_back(proc.name() + ":late"); });
  filter.registerLoader("Missing", [this](Process& proc) { loads.push_back(proc.name() + ":later"); });
  injectLibraries(p);
  EXPECT_EQ(loads, (Loads{"App:Other", "App:later"}));
}

TEST_F(InjectionTest, AnExceptionKeepsALibraryOutAndTheTraceSaysSo) {
  filter.setRules({{"Other", {std::string(kEveryProcess)}, {"com.example.plain"}},
                   {"Tarvo12Kit", {std::string(kEveryProcess)}, {"com.example.plain"}},
                   {"Tarvo12Kit", {"com.example.plain", "com.example.other"}, {}}});
  Process& plain = device.spawn("Plain", "com.example.plain");
  Process& other = device.spawn("Other", "com.example.other");
  injectLibraries(plain);
  injectLibraries(other);
  // A second rule naming the app outright still brings Tarvo12Kit in; nothing brings Other into Plain.
  EXPECT_EQ(loads, (Loads{"Plain:Tarvo12Kit", "Other:Other", "Other:Tarvo12Kit"}));
  struct Traced {
    std::string process, library;
    bool loaded;
    std::string reason;
    bool operator==(const Traced&) const = default;
  };
  std::vector<Traced> traced;
  for (const auto& e : device.trace().events()) {
    if (e.kind != "library.inject") continue;
    const std::string* reason = stringForKey(e.fields, "reason");
    traced.push_back({e.process, *stringForKey(e.fields, "library"), *e.fields.find("loaded")->boolValue(),
                      reason ? *reason : ""});
  }
  EXPECT_EQ(traced, (std::vector<Traced>{{"Plain", "Other", false, "excluded"},
                                         {"Plain", "Tarvo12Kit", true, ""},
                                         {"Other", "Other", true, ""},
                                         {"Other", "Tarvo12Kit", true, ""}}));
}

TEST_F(InjectionTest, ALoaderMayRegisterAnotherWhileItRuns) {
  filter.setRules({{"First", {std::string(kEveryProcess)}}, {"Second", {std::string(kEveryProcess)}}});
  filter.registerLoader("First", [this](Process& p) {
    loads.push_back("first");
    for (int i = 0; i < 20; ++i)  // enough to move the loader list in memory
      filter.registerLoader("Extra" + std::to_string(i), [](Process&) {});
    filter.registerLoader("Second", [this](Process&) { loads.push_back("second"); });
    (void)p;
  });
  injectLibraries(device.spawn("App", "com.example.app"));
  EXPECT_EQ(loads, (Loads{"first", "second"}));
}

}  // namespace
