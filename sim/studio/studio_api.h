#pragma once
// The studio's JSON API behind the request guard: the page's files, the pane's table, settings writes,
// downloads and imports, what a person does on the phone, the device picker, "Copy as scenario" and
// "Record". It answers requests however they arrived; the server carries them (studio_server.h).
#include <cstddef>

#include "sim/studio/http_exchange.h"
#include "sim/studio/request_guard.h"

namespace sim::studio {

class PhoneSession;

inline constexpr std::size_t kMaxSettingsUpload = 1024 * 1024;
inline constexpr std::size_t kMaxJsonBody = 64 * 1024;

struct ApiOptions {
  double longestRecording = 30;  // seconds
};

class StudioApi {
 public:
  StudioApi(PhoneSession& session, RequestGuard guard, ApiOptions options = {});

  // Whether the request opens the event stream (and passes the guard): the server keeps that one open.
  bool opensEventStream(const StudioRequest& request) const;
  // Answers through `reply`, at once or once the phone has done the work; never throws.
  void handle(const StudioRequest& request, Reply reply);

 private:
  void route(const StudioRequest& request, Reply& reply);

  PhoneSession& session_;
  RequestGuard guard_;
  ApiOptions options_;
};

}  // namespace sim::studio
