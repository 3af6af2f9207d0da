#pragma once
// An HTTP request as Beast's parser read it, made into the request the studio's API answers; and the
// whole of that from bytes at once, for the fuzz target and the tests.
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "sim/studio/http_exchange.h"

namespace sim::studio {

// The request, or the answer it gets when it cannot be read (a 400, 413 or 431 with its reason). Reads
// one request from the start of `bytes`; bytes after it are left.
std::variant<StudioRequest, StudioResponse> readRequest(std::string_view bytes, std::size_t headerLimit = 16 * 1024);

}  // namespace sim::studio
