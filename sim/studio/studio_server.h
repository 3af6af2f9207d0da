#pragma once
// The studio's HTTP server: one thread waits on every socket at once, so an open event stream, an idle
// connection or a slow client costs a socket and a little memory, never what other requests need. What a
// request asks of the phone is queued to the phone's thread and answered when it is done.
#include <chrono>
#include <cstddef>
#include <memory>
#include <string>

#include "sim/studio/event_hub.h"
#include "sim/studio/phone_session.h"
#include "sim/studio/studio_api.h"

namespace sim::studio {

struct ServerLimits {
  // From a request's first byte to the end of its body, however the bytes trickle in.
  std::chrono::milliseconds requestDeadline{10'000};
  // How long a kept-alive connection may wait for its next request.
  std::chrono::milliseconds idleTimeout{30'000};
  // How long one answer, or one message of a stream, may take to be written to a client that reads slowly.
  std::chrono::milliseconds writeDeadline{30'000};
  // A comment on every quiet event stream this often finds out when the page has gone.
  std::chrono::milliseconds heartbeat{5'000};
  // Connections from one address, and in all. A new one over the bound closes the peer's longest idle
  // connection, or is refused with a 503 when none is idle.
  std::size_t connectionsPerPeer = 512;
  std::size_t connections = 2048;
  std::size_t headerBytes = 16 * 1024;
};

class StudioServer {
 public:
  StudioServer(PhoneSession& session, EventHub& hub, ServerLimits limits = {}, ApiOptions api = {});
  ~StudioServer();
  StudioServer(const StudioServer&) = delete;
  StudioServer& operator=(const StudioServer&) = delete;

  // Binds to `address` and `port` (0: a free port); answers the port, or -1 when it cannot bind.
  int bind(const std::string& address, int port);
  // Serves until stop(); call after bind().
  void serve();
  // Ends every event stream, stops the phone and stops serving; safe from any thread.
  void stop();

  class Core;

 private:
  std::unique_ptr<Core> core_;
};

}  // namespace sim::studio
