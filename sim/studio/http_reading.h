#pragma once
// What the connection and readRequest share: the answer for a request that cannot be read, and the
// request made from what Beast's parser read.
#include <utility>  // before Beast, whose Asio uses std::exchange without it

#include <boost/beast/http.hpp>
#include <variant>

#include "sim/studio/http_exchange.h"

namespace sim::studio {

// 413 for a body over the cap, 431 for headers over theirs, 400 with the parser's reason otherwise.
StudioResponse refusalFor(const boost::beast::error_code& error);

// The request the parser holds (its body moved out), or a 400 when its target is not one.
std::variant<StudioRequest, StudioResponse> fromParser(
    boost::beast::http::request_parser<boost::beast::http::string_body>& parser, bool& keepAlive);

}  // namespace sim::studio
