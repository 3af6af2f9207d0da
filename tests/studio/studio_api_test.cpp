// The studio's HTTP API against a real server on a free loopback port: every kind of bad request is
// refused with a message and changes nothing; good ones reach the phone's settings file.
#include <httplib.h>

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <thread>

#include "sim/studio/event_hub.h"
#include "sim/studio/phone_session.h"
#include "sim/studio/studio_server.h"

namespace {

using nlohmann::json;
using sim::studio::EventHub;
using sim::studio::PhoneSession;
using sim::studio::StudioServer;

class StudioApi : public ::testing::Test {
 protected:
  void SetUp() override {
    session_ = std::make_unique<PhoneSession>(sim::studio::SessionOptions{}, hub_);
    server_ = std::make_unique<StudioServer>(*session_, hub_);
    port_ = server_->bind("127.0.0.1", 0);
    ASSERT_GT(port_, 0);
    thread_ = std::thread([this] { server_->serve(); });
    client_ = std::make_unique<httplib::Client>("127.0.0.1", port_);
    client_->set_read_timeout(20);
    host_ = "127.0.0.1:" + std::to_string(port_);
  }
  void TearDown() override {
    server_->stop();
    if (thread_.joinable()) thread_.join();
    session_->stop();
  }

  std::string settingsFile() {
    auto res = client_->Get("/api/settings.plist");
    return res ? res->body : std::string("(no answer)");
  }
  std::string played() {
    auto res = client_->Get("/api/scenario");
    return res ? res->body : std::string("(no answer)");
  }

  EventHub hub_;
  std::unique_ptr<PhoneSession> session_;
  std::unique_ptr<StudioServer> server_;
  std::thread thread_;
  std::unique_ptr<httplib::Client> client_;
  int port_ = 0;
  std::string host_;
};

TEST_F(StudioApi, BadRequestsAreRefusedWithAMessageAndChangeNothing) {
  const std::string emptyFile = settingsFile();
  const std::string emptyScenario = played();
  struct Case {
    const char* what;
    const char* method;
    std::string path;
    std::string body;
    std::string type;
    httplib::Headers headers;
    int status;
    const char* message;  // part of the error text
  };
  const std::string big(sim::studio::kMaxSettingsUpload + 1, 'x');
  const std::string bigJson = "{\"value\": \"" + std::string(sim::studio::kMaxJsonBody, 'x') + "\"}";
  const std::string json = "application/json";
  std::vector<Case> cases = {
      {"foreign Host", "GET", "/api/table", "", "", {{"Host", "evil.example:80"}}, 403, "is not this server"},
      {"rebound name, right port", "GET", "/", "", "", {{"Host", "attacker.test:" + std::to_string(port_)}}, 403,
       "is not this server"},
      {"foreign Origin", "POST", "/api/action", R"({"kind":"press","button":"up"})", json,
       {{"Origin", "http://evil.example"}}, 403, "Origin"},
      {"Origin on another port", "PUT", "/api/settings/isEnabled", R"({"value":false})", json,
       {{"Origin", "http://127.0.0.1:1"}}, 403, "Origin"},
      {"upload over 1 MB", "PUT", "/api/settings.plist", big, "application/x-plist", {}, 413, "too large"},
      {"JSON body over its cap", "PUT", "/api/settings/sliderWidth", bigJson, json, {}, 400, "too large"},
      {"not JSON", "POST", "/api/action", "{kind: press", json, {}, 400, "not JSON"},
      {"JSON but not an object", "POST", "/api/action", "[1,2]", json, {}, 400, "JSON object"},
      {"no JSON content type", "POST", "/api/action", R"({"kind":"press","button":"up"})", "text/plain", {}, 400,
       "Content-Type"},
      {"unknown action", "POST", "/api/action", R"({"kind":"explode"})", json, {}, 400, "unknown action"},
      {"action without kind", "POST", "/api/action", R"({"button":"up"})", json, {}, 400, "missing \"kind\""},
      {"press sideways", "POST", "/api/action", R"({"kind":"press","button":"left"})", json, {}, 400, "\"up\" or"},
      {"kind of the wrong type", "POST", "/api/action", R"({"kind":7})", json, {}, 400, "\"kind\" must be"},
      {"unknown orientation", "POST", "/api/action", R"({"kind":"rotate","orientation":"sideways"})", json, {}, 400,
       "unknown orientation"},
      {"unknown app", "POST", "/api/action", R"({"kind":"front","app":"com.evil"})", json, {}, 400, "unknown app"},
      {"bar colour not #RRGGBB", "POST", "/api/action", R"({"kind":"bar-colour","colour":"red"})", json, {}, 400,
       "#RRGGBB"},
      {"tap off the screen", "POST", "/api/action", R"({"kind":"tap","x":-5,"y":10})", json, {}, 400, "off the screen"},
      {"tap with a string", "POST", "/api/action", R"({"kind":"tap","x":"5","y":10})", json, {}, 400, "number"},
      {"tap without y", "POST", "/api/action", R"({"kind":"tap","x":5})", json, {}, 400, "missing \"y\""},
      {"unknown settings key", "PUT", "/api/settings/volumeKnob", R"({"value":true})", json, {}, 400, "unknown settings key"},
      {"switch given a number", "PUT", "/api/settings/isEnabled", R"({"value":1})", json, {}, 400, "true or false"},
      {"alignment given a real", "PUT", "/api/settings/alignment", R"({"value":1.5})", json, {}, 400, "whole number"},
      {"alignment out of range", "PUT", "/api/settings/alignment", R"({"value":4294967296})", json, {}, 400,
       "out of range"},
      {"real given a string", "PUT", "/api/settings/sliderWidth", R"({"value":"80"})", json, {}, 400, "a number"},
      {"colour that does not parse", "PUT", "/api/settings/minColor", R"({"value":"#GG0000:1"})", json, {}, 400,
       "colour string"},
      {"value missing", "PUT", "/api/settings/sliderWidth", R"({"width":80})", json, {}, 400, "missing \"value\""},
      {"reset of an unknown key", "DELETE", "/api/settings/nope", "", "", {}, 400, "unknown settings key"},
      {"import that is not a property list", "PUT", "/api/settings.plist", "hello", "application/x-plist", {}, 400,
       "nothing was imported"},
      {"import of an array", "PUT", "/api/settings.plist",
       "<?xml version=\"1.0\"?><plist version=\"1.0\"><array/></plist>", "application/x-plist", {}, 400,
       "dictionary at the top"},
      {"unknown device", "POST", "/api/device", R"({"model":"iPhone99,9"})", json, {}, 400, "unknown device model"},
      {"device without model", "POST", "/api/device", R"({})", json, {}, 400, "missing \"model\""},
      {"recording too long", "GET", "/api/recording.webp?seconds=3600", "", "", {}, 400, "0.1 to 30"},
      {"recording of no length", "GET", "/api/recording.webp?seconds=abc", "", "", {}, 400, "0.1 to 30"},
      {"line not JSON", "POST", "/api/line", "press up", "text/plain", {}, 400, "Content-Type"},
      {"line missing", "POST", "/api/line", R"({"text":"press up"})", json, {}, 400, "missing \"line\""},
      {"line not a string", "POST", "/api/line", R"({"line":7})", json, {}, 400, "missing \"line\""},
      {"line by GET", "GET", "/api/line", "", "", {}, 405, "POST"},
      {"malformed line, with its caret", "POST", "/api/line", R"({"line":"press sideways"})", json, {}, 400,
       "studio:1:7: "},
      {"unknown command word", "POST", "/api/line", R"({"line":"explode now"})", json, {}, 400, "\n  explode now\n  ^"},
      {"a picture from the server's disk", "POST", "/api/line", R"({"line":"wallpaper /etc/hostname.png"})", json, {},
       400, "no files are read here"},
      {"a settings file from the server's disk", "POST", "/api/line", R"({"line":"settings file /etc/passwd"})", json,
       {}, 400, "no files are read here"},
      {"setup line on a running phone", "POST", "/api/line", R"({"line":"device iPhone8,4"})", json, {}, 400, "studio:1:"},
      {"a path outside the page", "GET", "/../etc/passwd", "", "", {}, 404, ""},
      {"a page file that is not there", "GET", "/secret.txt", "", "", {}, 404, "no such page"},
  };
  for (const auto& c : cases) {
    const std::string method = c.method;
    httplib::Result res = method == "GET"    ? client_->Get(c.path, c.headers)
                          : method == "POST" ? client_->Post(c.path, c.headers, c.body, c.type)
                          : method == "PUT"  ? client_->Put(c.path, c.headers, c.body, c.type)
                                             : client_->Delete(c.path, c.headers);
    ASSERT_TRUE(res) << c.what << ": no answer";
    EXPECT_EQ(res->status, c.status) << c.what << ": " << res->body;
    if (*c.message) {
      auto answer = json::parse(res->body, nullptr, false);
      ASSERT_TRUE(answer.is_object() && answer.contains("error")) << c.what << ": " << res->body;
      EXPECT_NE(answer["error"].get<std::string>().find(c.message), std::string::npos)
          << c.what << ": " << answer["error"];
    }
  }
  EXPECT_EQ(settingsFile(), emptyFile);
  // Nothing was played: the scenario is still the boot alone (its last line is the capture of "now").
  auto withoutNow = [](const std::string& text) { return text.substr(0, text.rfind("at ")); };
  EXPECT_EQ(withoutNow(played()), withoutNow(emptyScenario));
}

TEST_F(StudioApi, TheSettingsFileHoldsWhatThePaneWrites) {
  auto put = [&](const std::string& key, const std::string& body) {
    auto res = client_->Put("/api/settings/" + key, body, "application/json");
    ASSERT_TRUE(res);
    EXPECT_EQ(res->status, 200) << key << ": " << res->body;
  };
  put("isEnabled", R"({"value":false})");
  put("alignment", R"({"value":0})");
  put("sliderWidth", R"({"value":123.5})");
  put("minColor", R"({"value":"#FF0000:0.500000"})");
  auto reset = client_->Delete("/api/settings/isEnabled");
  ASSERT_TRUE(reset);
  EXPECT_EQ(reset->status, 200);
  std::string file = settingsFile();
  EXPECT_EQ(file.find("isEnabled"), std::string::npos) << file;
  EXPECT_NE(file.find("<key>alignment</key>\n\t<integer>0</integer>"), std::string::npos) << file;
  EXPECT_NE(file.find("<key>sliderWidth</key>\n\t<real>123.5</real>"), std::string::npos) << file;
  EXPECT_NE(file.find("<string>#FF0000:0.500000</string>"), std::string::npos) << file;

  // An import replaces the whole file and answers lint's warnings.
  const std::string imported = R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict><key>sliderHeight</key><string>tall</string><key>fromBottom</key><true/></dict></plist>)";
  auto res = client_->Put("/api/settings.plist", imported, "application/x-plist");
  ASSERT_TRUE(res);
  ASSERT_EQ(res->status, 200) << res->body;
  auto answer = json::parse(res->body);
  ASSERT_FALSE(answer["lint"].empty());
  EXPECT_EQ(answer["lint"][0]["key"], "sliderHeight");
  file = settingsFile();
  EXPECT_EQ(file.find("sliderWidth"), std::string::npos) << file;
  EXPECT_NE(file.find("<key>fromBottom</key>"), std::string::npos) << file;
}

TEST_F(StudioApi, ScenarioLinesRunOnTheLivePhoneAndJoinTheSession) {
  auto runLine = [&](const std::string& line) {
    auto res = client_->Post("/api/line", json{{"line", line}}.dump(), "application/json");
    EXPECT_TRUE(res) << line;
    if (!res) return json();
    EXPECT_EQ(res->status, 200) << line << ": " << res->body;
    auto answer = json::parse(res->body, nullptr, false);
    EXPECT_TRUE(answer.is_object() && answer["results"].is_array()) << res->body;
    return answer["results"];
  };
  struct Case {
    std::string line;
    bool expectation;
    bool passed;
    std::string found;  // the value found, or a part of the failure
  };
  const std::vector<Case> cases = {
      {"settings set sliderWidth 120", false, true, ""},
      {"expect setting.WIDTH == 120", true, true, "120"},
      {"expect setting.WIDTH == 90", true, false, "found 120"},
      {"expect tarvoHUDWindow.hidden == true", true, true, "true"},
      {"press up", false, true, ""},
  };
  for (const auto& c : cases) {
    json results = runLine(c.line);
    ASSERT_EQ(results.size(), 1u) << c.line << ": " << results;
    const json& r = results[0];
    EXPECT_EQ(r["expectation"], c.expectation) << c.line << ": " << r;
    EXPECT_EQ(r["passed"], c.passed) << c.line << ": " << r;
    EXPECT_FALSE(r["later"].get<bool>()) << c.line;
    if (c.expectation && c.passed) {
      EXPECT_EQ(r.value("found", ""), c.found) << c.line << ": " << r;
    }
    if (!c.passed) {
      EXPECT_NE(r.value("failure", "").find(c.found), std::string::npos) << c.line << ": " << r;
    }
  }
  // What is due later is said so, and runs when the phone gets there.
  json later = runLine("wait 0.2\nexpect tarvoHUDWindow.hidden == false");
  ASSERT_EQ(later.size(), 1u) << later;
  EXPECT_TRUE(later[0]["later"].get<bool>()) << later;
  EXPECT_NE(settingsFile().find("<key>sliderWidth</key>\n\t<integer>120</integer>"), std::string::npos) << settingsFile();
  // Every line run is part of the session's scenario, as the formatter writes it.
  std::string scenario = played();
  for (const char* line : {"settings set sliderWidth 120", "expect setting.WIDTH == 120", "press up"})
    EXPECT_NE(scenario.find(line), std::string::npos) << line << " in\n" << scenario;
}

}  // namespace
