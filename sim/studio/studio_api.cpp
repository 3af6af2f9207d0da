#include "sim/studio/studio_api.h"

#include <httplib.h>

#include <cmath>
#include <nlohmann/json.hpp>

#include "platform/foundation/plist_file.h"
#include "sim/scenario/device_models.h"
#include "sim/lint/settings_lint.h"
#include "sim/studio/pane_layout.h"
#include "sim/studio/phone_session.h"
#include "sim/studio/studio_requests.h"
#include "sim/studio/studio_server.h"

namespace sim::studio {

namespace {

using nlohmann::json;
using Handler = std::function<void(const httplib::Request&, httplib::Response&)>;

void answer(httplib::Response& res, const json& body, int status = 200) {
  res.status = status;
  res.set_header("Cache-Control", "no-store");
  res.set_content(body.dump(), "application/json");
}

// Every handler's failures become answers: a refused request a 400 with its reason, a stopped phone a 503.
Handler guarded(Handler handler) {
  return [handler = std::move(handler)](const httplib::Request& req, httplib::Response& res) {
    try {
      handler(req, res);
    } catch (const BadRequest& e) {
      answer(res, json{{"error", e.what()}}, 400);
    } catch (const std::runtime_error& e) {
      answer(res, json{{"error", e.what()}}, 503);
    }
  };
}

// A JSON request: the right type, a small body, an object.
json jsonBody(const httplib::Request& req) {
  if (req.get_header_value("Content-Type").rfind("application/json", 0) != 0)
    throw BadRequest("the body must be JSON (Content-Type: application/json)");
  if (req.body.size() > kMaxJsonBody) throw BadRequest("the body is too large");
  return parseJsonObject(req.body);
}

json lintJson(const std::optional<platform::PlistDict>& prefs, const DeviceModel* model) {
  json lint = json::array();
  for (const auto& w : lintSettings(prefs, model)) lint.push_back({{"key", w.key}, {"text", w.text}, {"alsoKeys", w.alsoKeys}});
  return lint;
}

json tableJson() {
  json models = json::array();
  for (const auto& m : deviceModels())
    models.push_back({{"identifier", m.identifier}, {"name", m.marketingName}, {"notched", m.notched()}});
  json apps = json::array();
  for (const auto& a : studioApps()) apps.push_back({{"bundle", a.bundle}, {"name", a.name}, {"bar", a.bar}});
  return {{"groups", paneLayout()}, {"models", models}, {"apps", apps}};
}

}  // namespace

void addApiRoutes(httplib::Server& server, PhoneSession& session) {
  server.Get("/api/table", guarded([](const httplib::Request&, httplib::Response& res) { answer(res, tableJson()); }));

  server.Put(R"(/api/settings/([A-Za-z0-9_]+))",
             guarded([&session](const httplib::Request& req, httplib::Response& res) {
               std::string key = req.matches[1];
               json body = jsonBody(req);
               if (!body.contains("value")) throw BadRequest("missing \"value\"");
               platform::PlistValue value = parseSettingValue(key, body["value"]);
               session.call([&](StudioPhone& phone) { phone.run(SetSetting{key, value, {}}); });
               answer(res, json{{"ok", true}});
             }));

  server.Delete(R"(/api/settings/([A-Za-z0-9_]+))",
                guarded([&session](const httplib::Request& req, httplib::Response& res) {
                  std::string key = req.matches[1];
                  checkSettingKey(key);
                  session.call([&](StudioPhone& phone) { phone.run(RemoveSetting{key, {}}); });
                  answer(res, json{{"ok", true}});
                }));

  server.Get("/api/settings.plist", guarded([&session](const httplib::Request&, httplib::Response& res) {
               std::string bytes = session.call([](StudioPhone& phone) { return phone.settingsFileBytes(); });
               res.set_header("Content-Disposition", "attachment; filename=\"velkarin.tarvo12.plist\"");
               res.set_header("Cache-Control", "no-store");
               res.set_content(bytes, "application/x-plist");
             }));

  // An imported file is read exactly as the system reads a settings file; one it cannot read is refused.
  server.Put("/api/settings.plist", guarded([&session](const httplib::Request& req, httplib::Response& res) {
               if (req.body.size() > kMaxSettingsUpload) throw BadRequest("the file is larger than 1 MB");
               auto prefs = platform::parsePlistDictionary(req.body);
               if (!prefs)
                 throw BadRequest("not a property list with a dictionary at the top: nothing was imported");
               const DeviceModel* model = nullptr;
               session.call([&](StudioPhone& phone) {
                 phone.importSettings(*prefs);
                 model = &phone.model();
               });
               answer(res, json{{"ok", true}, {"lint", lintJson(prefs, model)}});
             }));

  server.Post("/api/action", guarded([&session](const httplib::Request& req, httplib::Response& res) {
                PhoneAction action = parseAction(jsonBody(req));
                std::uint64_t id = 0;
                session.call([&](StudioPhone& phone) { action(phone); }, &id);
                answer(res, json{{"ok", true}, {"request", id}});
              }));

  server.Post("/api/device", guarded([&session](const httplib::Request& req, httplib::Response& res) {
                json body = jsonBody(req);
                if (!body.contains("model") || !body["model"].is_string())
                  throw BadRequest("missing \"model\" (a model identifier such as \"iPhone10,3\")");
                std::string name = body["model"].get<std::string>();
                const DeviceModel* model = deviceModelNamed(name);
                if (!model) throw BadRequest("unknown device model \"" + name + "\"; known: " + deviceModelList());
                session.reboot(*model);
                answer(res, json{{"ok", true}});
              }));

  server.Get("/api/scenario", guarded([&session](const httplib::Request&, httplib::Response& res) {
               std::string text = session.call([](StudioPhone& phone) { return phone.scenarioText(); });
               res.set_header("Cache-Control", "no-store");
               res.set_content(text, "text/plain; charset=utf-8");
             }));

  server.Get("/api/recording.webp", guarded([&session](const httplib::Request& req, httplib::Response& res) {
               double seconds = 5;
               if (req.has_param("seconds")) {
                 std::string text = req.get_param_value("seconds");
                 char* end = nullptr;
                 seconds = std::strtod(text.c_str(), &end);
                 if (text.empty() || *end != '\0' || !std::isfinite(seconds) || seconds < 0.1 || seconds > 30)
                   throw BadRequest("\"seconds\" must be a number from 0.1 to 30");
               }
               auto bytes = session.record(seconds);
               if (bytes.empty()) throw std::runtime_error("the recording could not be made");
               res.set_header("Content-Disposition", "attachment; filename=\"tarvo12-studio.webp\"");
               res.set_content(std::string(bytes.begin(), bytes.end()), "image/webp");
             }));
}

}  // namespace sim::studio
