#pragma once
// Which requests the studio answers at all. A page on another site must not reach the phone through the
// person's browser: the Host header must name this server (a rebound DNS name does not), and an Origin,
// when the browser sends one, must be this server's own.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sim::studio {

class RequestGuard {
 public:
  // `listen` is the address the server is bound to; loopback names are always accepted with the port.
  RequestGuard(std::string listen, int port);

  // Nothing when the request may go on; otherwise why it is refused.
  std::optional<std::string> refuse(std::string_view host, std::optional<std::string_view> origin) const;

 private:
  std::vector<std::string> hosts_;  // "127.0.0.1:8412", "localhost:8412", ...
};

bool isLoopbackAddress(std::string_view address);

}  // namespace sim::studio
