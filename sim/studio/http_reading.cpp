#include "sim/studio/http_reading.h"

namespace sim::studio {

namespace http = boost::beast::http;

StudioResponse refusalFor(const boost::beast::error_code& error) {
  if (error == http::error::body_limit) return errorResponse(413, "the body is too large");
  if (error == http::error::header_limit) return errorResponse(431, "the headers are too large");
  return errorResponse(400, "malformed request: " + error.message());
}

std::variant<StudioRequest, StudioResponse> fromParser(http::request_parser<http::string_body>& parser,
                                                       bool& keepAlive) {
  const auto& message = parser.get();
  StudioRequest request;
  request.method = std::string(message.method_string());
  for (const auto& field : message) request.headers.emplace_back(field.name_string(), field.value());
  keepAlive = message.keep_alive();
  if (!splitTarget(message.target(), request)) return errorResponse(400, "malformed request target");
  request.body = parser.release().body();
  return request;
}

}  // namespace sim::studio
