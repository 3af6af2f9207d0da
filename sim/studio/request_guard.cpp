#include "sim/studio/request_guard.h"

#include <algorithm>
#include <cctype>

namespace sim::studio {

namespace {

std::string lower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
  return out;
}

std::string withPort(std::string_view address, int port) {
  std::string host(address);
  if (host.find(':') != std::string::npos && host.front() != '[') host = "[" + host + "]";
  return lower(host) + ":" + std::to_string(port);
}

}  // namespace

bool isLoopbackAddress(std::string_view address) {
  return address == "localhost" || address == "::1" || address == "[::1]" || address.starts_with("127.");
}

RequestGuard::RequestGuard(std::string listen, int port) {
  for (std::string_view name : {"127.0.0.1", "localhost", "::1"}) hosts_.push_back(withPort(name, port));
  if (listen != "0.0.0.0" && listen != "::") hosts_.push_back(withPort(listen, port));
}

std::optional<std::string> RequestGuard::refuse(std::string_view host, std::optional<std::string_view> origin) const {
  if (std::find(hosts_.begin(), hosts_.end(), lower(host)) == hosts_.end())
    return "Host \"" + std::string(host) + "\" is not this server";
  if (origin) {
    std::string o = lower(*origin);
    if (!o.starts_with("http://") || std::find(hosts_.begin(), hosts_.end(), o.substr(7)) == hosts_.end())
      return "Origin \"" + std::string(*origin) + "\" is not this server";
  }
  return std::nullopt;
}

}  // namespace sim::studio
