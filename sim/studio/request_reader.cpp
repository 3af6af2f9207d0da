#include "sim/studio/request_reader.h"

#include <utility>  // before Beast, whose Asio uses std::exchange without it

#include <boost/beast/http.hpp>

#include "sim/studio/http_reading.h"
#include "sim/studio/studio_api.h"

namespace sim::studio {

namespace http = boost::beast::http;

std::variant<StudioRequest, StudioResponse> readRequest(std::string_view bytes, std::size_t headerLimit) {
  http::request_parser<http::string_body> parser;
  parser.header_limit(static_cast<std::uint32_t>(headerLimit));
  parser.body_limit(kMaxSettingsUpload);
  parser.eager(true);
  boost::beast::error_code error;
  parser.put(boost::asio::buffer(bytes.data(), bytes.size()), error);
  if (!error && !parser.is_done()) error = http::error::partial_message;
  if (error) return refusalFor(error);
  bool keepAlive = false;
  return fromParser(parser, keepAlive);
}

}  // namespace sim::studio
