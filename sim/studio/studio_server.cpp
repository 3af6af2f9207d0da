#include "sim/studio/studio_server.h"

#include <httplib.h>

#include <nlohmann/json.hpp>

#include "sim/studio/page_assets.h"
#include "sim/studio/request_guard.h"
#include "sim/studio/studio_api.h"

namespace sim::studio {

namespace {

void refuse(httplib::Response& res, int status, const std::string& message) {
  res.status = status;
  res.set_content(nlohmann::json{{"error", message}}.dump(), "application/json");
}

}  // namespace

StudioServer::StudioServer(PhoneSession& session, EventHub& hub)
    : session_(session), hub_(hub), server_(std::make_unique<httplib::Server>()) {
  // Each open page holds one thread for its event stream.
  server_->new_task_queue = [] { return new httplib::ThreadPool(16); };
  server_->set_tcp_nodelay(true);
  server_->set_payload_max_length(kMaxSettingsUpload);
  server_->set_keep_alive_max_count(1000);
}

StudioServer::~StudioServer() { stop(); }

int StudioServer::bind(const std::string& address, int port) {
  address_ = address;
  port_ = port == 0 ? server_->bind_to_any_port(address) : (server_->bind_to_port(address, port) ? port : -1);
  if (port_ > 0) routes();
  return port_;
}

void StudioServer::serve() { server_->listen_after_bind(); }

void StudioServer::stop() {
  // Streams end, and requests still waiting for the phone (a recording) learn that it has stopped, so the
  // server's threads are free to finish.
  hub_.close();
  session_.stop();
  if (server_->is_running()) server_->stop();
}

void StudioServer::routes() {
  auto guard = std::make_shared<RequestGuard>(address_, port_);
  server_->set_pre_routing_handler([guard](const httplib::Request& req, httplib::Response& res) {
    std::optional<std::string> origin;
    if (req.has_header("Origin")) origin = req.get_header_value("Origin");
    if (auto why = guard->refuse(req.get_header_value("Host"), origin ? std::optional<std::string_view>(*origin) : std::nullopt)) {
      refuse(res, 403, *why);
      return httplib::Server::HandlerResponse::Handled;
    }
    return httplib::Server::HandlerResponse::Unhandled;
  });
  server_->set_error_handler([](const httplib::Request&, httplib::Response& res) {
    if (!res.body.empty()) return;
    if (res.status == 413) refuse(res, 413, "the body is too large");
    else if (res.status == 404) refuse(res, 404, "no such page");
    else refuse(res, res.status, "the request cannot be served");
  });
  server_->set_exception_handler([](const httplib::Request&, httplib::Response& res, std::exception_ptr e) {
    try {
      std::rethrow_exception(e);
    } catch (const std::exception& ex) {
      refuse(res, 500, ex.what());
    } catch (...) {
      refuse(res, 500, "unknown failure");
    }
  });

  // The page: only the embedded files, looked up by name.
  server_->Get(R"(/([A-Za-z0-9_.-]*))", [](const httplib::Request& req, httplib::Response& res) {
    std::string name = req.matches[1];
    const PageAsset* asset = findPageAsset(name.empty() ? "index.html" : name);
    if (!asset) return refuse(res, 404, "no such page");
    res.set_header("Cache-Control", "no-store");
    res.set_content(std::string(asset->bytes), std::string(asset->type).c_str());
  });

  server_->Get("/api/events", [this](const httplib::Request&, httplib::Response& res) {
    auto subscription = hub_.subscribe();
    res.set_header("Cache-Control", "no-store");
    res.set_chunked_content_provider(
        "text/event-stream",
        [this, subscription, greeted = false](std::size_t, httplib::DataSink& sink) mutable {
          if (!greeted) {
            greeted = true;
            sink.write(": hello\n\n", 9);
            try {
              session_.greet();
            } catch (const std::exception&) {
              return false;
            }
          }
          auto message = subscription->next(std::chrono::milliseconds(1000));
          if (subscription->closed() && !message) return false;
          // A comment now and then finds out when the page has gone.
          std::string text = message ? *message : std::string(": still here\n\n");
          return sink.write(text.data(), text.size());
        },
        [this, subscription](bool) { hub_.unsubscribe(subscription); });
  });

  addApiRoutes(*server_, session_);
}

}  // namespace sim::studio
