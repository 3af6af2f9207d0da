#include "sim/studio/studio_api.h"

#include <nlohmann/json.hpp>
#include <cctype>

#include "platform/foundation/plist_file.h"
#include "sim/scenario/device_models.h"
#include "sim/lint/settings_lint.h"
#include "sim/scenario/scenario_error.h"
#include "sim/studio/json_text.h"
#include "sim/studio/page_assets.h"
#include "sim/studio/pane_layout.h"
#include "sim/studio/phone_session.h"
#include "sim/studio/view_at_point.h"
#include "sim/studio/studio_requests.h"

namespace sim::studio {

namespace {

using nlohmann::json;

StudioResponse answer(const json& body, int status = 200) {
  StudioResponse response;
  response.status = status;
  response.headers.emplace_back("Cache-Control", "no-store");
  response.body = jsonText(body);
  return response;
}

StudioResponse ok() { return answer(json{{"ok", true}}); }

StudioResponse bytes(std::string body, std::string type, std::string filename = {}) {
  StudioResponse response;
  response.type = std::move(type);
  response.headers.emplace_back("Cache-Control", "no-store");
  if (!filename.empty()) response.headers.emplace_back("Content-Disposition", "attachment; filename=\"" + filename + "\"");
  response.body = std::move(body);
  return response;
}

// A JSON request: the right type, a small body, an object.
json jsonBody(const StudioRequest& request) {
  if (!request.header("Content-Type").value_or("").starts_with("application/json"))
    throw BadRequest("the body must be JSON (Content-Type: application/json)");
  if (request.body.size() > kMaxJsonBody) throw BadRequest("the body is too large");
  return parseJsonObject(request.body);
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

bool isName(std::string_view text, bool dots) {
  for (char c : text)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && !(dots && (c == '.' || c == '-'))) return false;
  return true;
}

// Runs `work` on the phone's thread and replies with its answer: a refusal from it is a 400, a stopped
// phone a 503, anything else a 500 with its reason.
template <class Work>
void onPhone(PhoneSession& session, Reply reply, Work work) {
  session.post([reply = std::move(reply), work = std::move(work)](StudioPhone* phone) mutable {
    if (!phone) return reply(errorResponse(503, "the phone has stopped"));
    try {
      reply(work(*phone));
    } catch (const BadRequest& e) {
      reply(errorResponse(400, e.message()));
    } catch (const std::exception& e) {
      reply(errorResponse(500, e.what()));
    }
  });
}

// What a line run on the live phone did, command by command.
json lineResultsJson(const std::vector<LineResult>& results) {
  json out = json::array();
  for (const LineResult& r : results) {
    json item{{"line", r.line}, {"later", r.later}, {"expectation", r.outcome.expectation}, {"passed", r.outcome.passed()}};
    if (r.outcome.failure) item["failure"] = *r.outcome.failure;
    if (r.found) item["found"] = *r.found;
    if (r.outcome.snapshot) item["snapshot"] = true;
    out.push_back(std::move(item));
  }
  return out;
}

}  // namespace

StudioApi::StudioApi(PhoneSession& session, RequestGuard guard, ApiOptions options)
    : session_(session), guard_(std::move(guard)), options_(options) {}

bool StudioApi::opensEventStream(const StudioRequest& request) const {
  return request.method == "GET" && request.path == "/api/events" &&
         !guard_.refuse(request.header("Host").value_or(""), request.header("Origin"));
}

void StudioApi::handle(const StudioRequest& request, Reply reply) {
  if (auto why = guard_.refuse(request.header("Host").value_or(""), request.header("Origin")))
    return reply(errorResponse(403, *why));
  try {
    route(request, reply);
  } catch (const BadRequest& e) {
    if (reply) reply(errorResponse(400, e.message()));
  } catch (const std::exception& e) {
    if (reply) reply(errorResponse(500, e.what()));
  }
}

// `reply` is moved into the phone's work when the request goes there; until then a throw answers it.
void StudioApi::route(const StudioRequest& request, Reply& reply) {
  const std::string& m = request.method;
  const std::string& path = request.path;
  auto refuse = [&](int status, std::string_view why) { std::exchange(reply, nullptr)(errorResponse(status, why)); };

  constexpr std::string_view kSetting = "/api/settings/";
  if (path.starts_with(kSetting) && path.size() > kSetting.size() && isName(path.substr(kSetting.size()), false)) {
    std::string key = path.substr(kSetting.size());
    if (m == "PUT") {
      json body = jsonBody(request);
      if (!body.contains("value")) throw BadRequest("missing \"value\"");
      platform::PlistValue value = parseSettingValue(key, body["value"]);
      return onPhone(session_, std::exchange(reply, nullptr), [key, value](StudioPhone& phone) {
        phone.run(SetSetting{key, value, {}});
        return ok();
      });
    }
    if (m == "DELETE") {
      checkSettingKey(key);
      return onPhone(session_, std::exchange(reply, nullptr), [key](StudioPhone& phone) {
        phone.run(RemoveSetting{key, {}});
        return ok();
      });
    }
    return refuse(405, "settings keys take PUT or DELETE");
  }
  if (path == "/api/settings.plist") {
    if (m == "GET")
      return onPhone(session_, std::exchange(reply, nullptr), [](StudioPhone& phone) {
        return bytes(phone.settingsFileBytes(), "application/x-plist", "velkarin.tarvo12.plist");
      });
    if (m == "PUT") {
      // An imported file is read exactly as the system reads a settings file; one it cannot read is refused.
      if (request.body.size() > kMaxSettingsUpload) return refuse(413, "the file is larger than 1 MB");
      auto prefs = platform::parsePlistDictionary(request.body);
      if (!prefs) throw BadRequest("not a property list with a dictionary at the top: nothing was imported");
      return onPhone(session_, std::exchange(reply, nullptr), [prefs = std::move(*prefs)](StudioPhone& phone) {
        phone.importSettings(prefs);
        return answer(json{{"ok", true}, {"lint", lintJson(prefs, &phone.model())}});
      });
    }
    return refuse(405, "the settings file takes GET or PUT");
  }
  if (path == "/api/action") {
    if (m != "POST") return refuse(405, "actions take POST");
    PhoneAction action = parseAction(jsonBody(request));
    PhoneSession* session = &session_;
    return onPhone(session_, std::exchange(reply, nullptr), [action, session](StudioPhone& phone) {
      action(phone);
      return answer(json{{"ok", true}, {"request", session->runningRequest()}});
    });
  }
  if (path == "/api/line") {
    if (m != "POST") return refuse(405, "scenario lines take POST");
    json body = jsonBody(request);
    if (!body.contains("line") || !body["line"].is_string())
      throw BadRequest("missing \"line\" (one line of the scenario language, as `tarvo12-sim run` reads it)");
    std::string line = body["line"].get<std::string>();
    PhoneSession* session = &session_;
    return onPhone(session_, std::exchange(reply, nullptr), [line, session](StudioPhone& phone) {
      std::vector<LineResult> results;
      try {
        results = phone.runLine(line);
      } catch (const ScenarioError& e) {
        // As `tarvo12-sim run` prints it: where, what, the line and a caret under the column.
        throw BadRequest(describe(e));
      }
      return answer(json{{"ok", true}, {"results", lineResultsJson(results)}, {"request", session->runningRequest()}});
    });
  }
  if (path == "/api/device") {
    if (m != "POST") return refuse(405, "the device takes POST");
    json body = jsonBody(request);
    if (!body.contains("model") || !body["model"].is_string())
      throw BadRequest("missing \"model\" (a model identifier such as \"iPhone10,3\")");
    std::string name = body["model"].get<std::string>();
    const DeviceModel* model = deviceModelNamed(name);
    if (!model) throw BadRequest("unknown device model \"" + name + "\"; known: " + deviceModelList());
    return session_.reboot(*model, [reply = std::exchange(reply, nullptr)](bool rebooted) {
      reply(rebooted ? ok() : errorResponse(503, "the phone has stopped"));
    });
  }
  if (path == "/api/scenario") {
    if (m != "GET") return refuse(405, "the scenario takes GET");
    return onPhone(session_, std::exchange(reply, nullptr),
                   [](StudioPhone& phone) { return bytes(phone.scenarioText(), "text/plain; charset=utf-8"); });
  }
  if (path == "/api/recording.webp") {
    if (m != "GET") return refuse(405, "the recording takes GET");
    double seconds = 5;
    if (auto it = request.query.find("seconds"); it != request.query.end()) {
      auto value = strictDecimal(it->second);
      if (!value || *value < 0.1 || *value > options_.longestRecording)
        throw BadRequest("\"seconds\" must be a decimal number from 0.1 to " + std::to_string(static_cast<int>(options_.longestRecording)));
      seconds = *value;
    }
    return session_.record(seconds, [reply = std::exchange(reply, nullptr)](std::vector<std::uint8_t> webp) {
      if (webp.empty()) return reply(errorResponse(503, "the recording could not be made"));
      reply(bytes(std::string(webp.begin(), webp.end()), "image/webp", "tarvo12-studio.webp"));
    });
  }
  if (path == "/api/inspect") {
    if (m != "GET") return refuse(405, "the inspector takes GET");
    auto coordinate = [&](const char* name) {
      auto it = request.query.find(name);
      auto value = it == request.query.end() ? std::nullopt : strictDecimal(it->second);
      if (!value) throw BadRequest(std::string("\"") + name + "\" must be a decimal number of points");
      return *value;
    };
    double x = coordinate("x"), y = coordinate("y");
    return onPhone(session_, std::exchange(reply, nullptr),
                   [x, y](StudioPhone& phone) { return answer(viewAtPoint(phone, x, y)); });
  }
  if (path == "/api/table") {
    if (m != "GET") return refuse(405, "the table takes GET");
    return std::exchange(reply, nullptr)(answer(tableJson()));
  }
  // The page: only the embedded files, looked up by name.
  if (m == "GET" && path.starts_with('/') && path.find('/', 1) == std::string::npos && isName(path.substr(1), true)) {
    const PageAsset* asset = findPageAsset(path.size() == 1 ? "index.html" : std::string_view(path).substr(1));
    if (asset) return std::exchange(reply, nullptr)(bytes(std::string(asset->bytes), std::string(asset->type)));
  }
  refuse(404, "no such page");
}

}  // namespace sim::studio
