#pragma once
// The studio's HTTP server: the embedded page, the JSON API and the event stream, behind the request
// guard. Bodies are capped; a malformed request gets a 400 with a message and changes nothing.
#include <cstddef>
#include <memory>
#include <string>

#include "sim/studio/event_hub.h"
#include "sim/studio/phone_session.h"

namespace httplib {
class Server;
}

namespace sim::studio {

inline constexpr std::size_t kMaxSettingsUpload = 1024 * 1024;
inline constexpr std::size_t kMaxJsonBody = 64 * 1024;

class StudioServer {
 public:
  StudioServer(PhoneSession& session, EventHub& hub);
  ~StudioServer();

  // Binds to `address` and `port` (0: a free port); answers the port, or -1 when it cannot bind.
  int bind(const std::string& address, int port);
  // Serves until stop(); call after bind().
  void serve();
  // Ends every event stream, stops the phone and stops serving; safe from any thread.
  void stop();

 private:
  void routes();

  PhoneSession& session_;
  EventHub& hub_;
  std::unique_ptr<httplib::Server> server_;
  std::string address_;
  int port_ = -1;
};

}  // namespace sim::studio
