// `tarvo12-sim test` as a person runs it: a folder of scenarios with baselines, each outcome a suite can
// have, the summary line, the exit status, the JUnit file, missing baselines in and out of CI, and --watch.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <sstream>
#include <thread>

#include "sim/suite/child_process.h"
#include "support/examples.h"

namespace {

namespace fs = std::filesystem;
using sim::suite::ChildProcess;

std::string read(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

std::string lastLine(const std::string& text) {
  std::size_t end = text.find_last_not_of('\n');
  if (end == std::string::npos) return {};
  std::size_t start = text.rfind('\n', end);
  return text.substr(start == std::string::npos ? 0 : start + 1, end - (start == std::string::npos ? 0 : start + 1) + 1);
}

// CI decides whether a missing baseline fails, so each run says which it wants.
class Environment {
 public:
  explicit Environment(bool ci) {
    const char* old = std::getenv("CI");
    if (old) saved_ = old;
    if (ci) ::setenv("CI", "1", 1);
    else ::unsetenv("CI");
  }
  ~Environment() {
    if (saved_) ::setenv("CI", saved_->c_str(), 1);
    else ::unsetenv("CI");
  }

 private:
  std::optional<std::string> saved_;
};

struct Ran {
  int status = -1;
  std::string output;
};

class TestCommand : public ::testing::Test {
 protected:
  fs::path root = fs::temp_directory_path() / ("tarvo-test-command-" + std::to_string(::getpid()));
  fs::path suite = root / "suite";

  void SetUp() override {
    fs::remove_all(root);
    fs::create_directories(suite / "errors");
  }
  void TearDown() override { fs::remove_all(root); }

  void write(const fs::path& relative, const std::string& text) {
    fs::create_directories((suite / relative).parent_path());
    std::ofstream(suite / relative, std::ios::binary) << text;
  }
  // The quick look at the HUD under another name, with its baselines unless told otherwise.
  void quickLook(const std::string& name, bool baselines = true) {
    fs::copy_file(examples::root() / "quick-look.scenario", suite / (name + ".scenario"));
    if (baselines) fs::copy(examples::root() / "quick-look", suite / name);
  }

  Ran run(std::vector<std::string> args, bool ci = false) {
    Environment environment(ci);
    args.insert(args.begin(), {TARVO_SIM_PATH, "test"});
    args.insert(args.end(), {"--out", (root / "out").string()});
    fs::path log = root / "log.txt";
    ChildProcess child(args, log);
    while (!child.ended()) sim::suite::waitForAny({&child}, std::chrono::milliseconds(100));
    std::string ending = child.ending();
    Ran ran{0, read(log)};
    if (!ending.empty()) ran.status = ending.rfind("exited with status ", 0) == 0 ? std::stoi(ending.substr(19)) : -1;
    return ran;
  }
};

// The tags of an XML document, checked to nest and close; each with its attributes.
struct Element {
  std::string name;
  std::map<std::string, std::string> attributes;
  std::string parent;
};
std::vector<Element> elementsOf(const std::string& xml) {
  std::vector<Element> elements;
  std::vector<std::string> open;
  std::regex tag(R"(<(/?)([A-Za-z_-]+)((?:\s+[A-Za-z_-]+="[^"]*")*)\s*(/?)>)");
  std::regex attribute(R"re(([A-Za-z_-]+)="([^"]*)")re");
  for (std::sregex_iterator it(xml.begin(), xml.end(), tag), end; it != end; ++it) {
    const auto& m = *it;
    if (m[1] == "/") {
      EXPECT_FALSE(open.empty()) << "a close tag with nothing open: " << m[0];
      if (open.empty()) return elements;
      EXPECT_EQ(open.back(), m[2].str()) << "tags do not nest";
      open.pop_back();
      continue;
    }
    Element e{m[2], {}, open.empty() ? "" : open.back()};
    std::string attributes = m[3];
    for (std::sregex_iterator a(attributes.begin(), attributes.end(), attribute); a != end; ++a)
      e.attributes[(*a)[1]] = (*a)[2];
    elements.push_back(e);
    if (m[4] != "/") open.push_back(m[2]);
  }
  EXPECT_TRUE(open.empty()) << "tags left open";
  return elements;
}

TEST_F(TestCommand, EachOutcomeIsNamedCountedAndInTheJunitFile) {
  fs::copy_file(examples::root() / "baselines.conf", suite / "baselines.conf");
  quickLook("quick-look");
  quickLook("moved");  // a frame that moved: its baseline is another frame's
  fs::copy_file(suite / "moved/gone.png", suite / "moved/shown.png", fs::copy_options::overwrite_existing);
  quickLook("marked");  // the same, marked as known to differ
  fs::copy_file(suite / "marked/gone.png", suite / "marked/shown.png", fs::copy_options::overwrite_existing);
  write("marked/baselines.conf", "expected-failure shown the HUD is drawn elsewhere\n");
  quickLook("fresh", false);
  write("wrong.scenario", "at 1s press up\nat 2s\nexpect tarvoHUDWindow.alpha == 0.5\n");
  write("broken.scenario", "wait 1.5x\n");
  fs::copy_file(examples::root() / "errors/expected-duration-wait.scenario", suite / "errors/bad-wait.scenario");
  fs::path junit = root / "junit.xml";

  Ran ran = run({suite.string(), "-j", "2", "--junit", junit.string()});
  EXPECT_EQ(ran.status, 1) << ran.output;
  EXPECT_EQ(lastLine(ran.output), "2 passed, 3 failed, 1 skipped, 1 expected failure") << ran.output;
  for (const char* line : {"FAIL  " /*moved*/, "moved.scenario (frame)", "wrong.scenario (expectation)",
                           "wrong.scenario:3:", "broken.scenario (malformed)", "MISSING  ", "XFAIL  ",
                           "the HUD is drawn elsewhere", "shown.diff.png"})
    EXPECT_NE(ran.output.find(line), std::string::npos) << line << "\n" << ran.output;
  std::smatch diff;
  ASSERT_TRUE(std::regex_search(ran.output, diff, std::regex("diff: +(\\S+/moved/diffs/shown.diff.png)"))) << ran.output;
  EXPECT_TRUE(fs::exists(diff[1].str())) << diff[1];

  std::vector<Element> elements = elementsOf(read(junit));
  ASSERT_FALSE(elements.empty());
  EXPECT_EQ(elements[0].name, "testsuites");
  const auto& totals = elements[0].attributes;
  EXPECT_EQ(totals.at("tests"), "7");
  EXPECT_EQ(totals.at("failures"), "2");  // moved, wrong
  EXPECT_EQ(totals.at("errors"), "1");    // broken
  EXPECT_EQ(totals.at("skipped"), "2");   // fresh, marked
  std::map<std::string, int> count;
  std::size_t suites = 0;
  for (const auto& e : elements) {
    ++count[e.name];
    if (e.name == "testsuite") {
      ++suites;
      EXPECT_EQ(e.parent, "testsuites");
    }
    if (e.name == "testcase") {
      EXPECT_EQ(e.parent, "testsuite");
      EXPECT_TRUE(e.attributes.count("time") && e.attributes.count("name") && e.attributes.count("classname"));
    }
    if (e.name == "failure" || e.name == "error" || e.name == "skipped") {
      EXPECT_EQ(e.parent, "testcase");
      EXPECT_TRUE(e.attributes.count("message") && !e.attributes.at("message").empty()) << e.name;
    }
  }
  EXPECT_EQ(suites, 2u) << "one per folder";
  EXPECT_EQ(count["testcase"], 7);
  EXPECT_EQ(count["failure"], 2);
  EXPECT_EQ(count["error"], 1);
  EXPECT_EQ(count["skipped"], 2);
  EXPECT_NE(read(junit).find("shown.diff.png"), std::string::npos) << "a frame's failure names its diff";
}

TEST_F(TestCommand, MissingBaselinesFailInCiAndAreWrittenOnRequest) {
  quickLook("fresh", false);
  std::string file = (suite / "fresh.scenario").string();
  Ran inCi = run({file}, true);
  EXPECT_EQ(inCi.status, 1) << inCi.output;
  EXPECT_EQ(lastLine(inCi.output), "0 passed, 1 failed, 0 skipped, 0 expected failures");

  Ran written = run({file, "--rebaseline", "missing"});
  EXPECT_EQ(written.status, 0) << written.output;
  for (const char* frame : {"fading-in.png", "shown.png", "gone.png"}) EXPECT_TRUE(fs::exists(suite / "fresh" / frame)) << frame;

  Ran again = run({file}, true);
  EXPECT_EQ(again.status, 0) << again.output;
  EXPECT_EQ(lastLine(again.output), "1 passed, 0 failed, 0 skipped, 0 expected failures");
}

TEST_F(TestCommand, BadArgumentsExitWithTwo) {
  write("a.scenario", "wait 1s\n");
  fs::create_directories(root / "empty");
  for (std::vector<std::string> args : std::vector<std::vector<std::string>>{
           {"--shard", "3/2"}, {"--shard", "x"}, {"--rebaseline", "all"}, {"-j", "0"}, {"--timeout", "0"},
           {"--timeout", "nan"}, {(suite / "nowhere").string()}, {(root / "empty").string()}}) {
    if (args.size() == 2) args.push_back(suite.string());
    Ran ran = run(args);
    EXPECT_EQ(ran.status, 2) << args[0] << ": " << ran.output;
  }
}

TEST_F(TestCommand, WatchRerunsAChangedScenario) {
  write("a.scenario", "at 1s press up\nexpect tarvoHUDWindow.hidden == false\n");
  write("b.scenario", "at 1s press up\nexpect tarvoHUDWindow.hidden == false\n");
  fs::path log = root / "watch.txt";
  Environment environment(false);
  ChildProcess child({TARVO_SIM_PATH, "test", suite.string(), "--watch", "--out", (root / "out").string()}, log);
  auto waitFor = [&](const std::string& text, std::size_t times) {
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    for (;;) {
      std::string output = read(log);
      std::size_t found = 0;
      for (std::size_t at = output.find(text); at != std::string::npos; at = output.find(text, at + 1)) ++found;
      if (found >= times) return true;
      if (child.ended() || std::chrono::steady_clock::now() > until) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  };
  ASSERT_TRUE(waitFor("watching for changes", 1)) << read(log);
  EXPECT_NE(read(log).find("2 passed, 0 failed"), std::string::npos) << read(log);
  write("a.scenario", "at 1s press up\nexpect tarvoHUDWindow.hidden == true\n");
  ASSERT_TRUE(waitFor("watching for changes", 2)) << read(log);
  std::string output = read(log);
  std::string rerun = output.substr(output.find("changed: "));
  EXPECT_NE(rerun.find("a.scenario (expectation)"), std::string::npos) << output;
  EXPECT_EQ(rerun.find("ran 1 scenario in"), rerun.find("ran ")) << "only the changed scenario runs again: " << output;
  EXPECT_NE(rerun.find("1 passed, 1 failed"), std::string::npos) << output;
  ::kill(child.pid(), SIGINT);
  auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!child.ended() && std::chrono::steady_clock::now() < until) std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_TRUE(child.ended()) << "Ctrl-C ends the watch";
  EXPECT_EQ(child.ending(), "exited with status 1") << "the status of the last run";
}

}  // namespace
