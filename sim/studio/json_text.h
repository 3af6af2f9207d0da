#pragma once
// JSON for the page. What the studio sends may quote what a request or an imported file held: bytes that
// are not UTF-8 are written as U+FFFD, so they can neither make an answer fail nor stop the phone's thread.
#include <string>

#include <nlohmann/json.hpp>

namespace sim::studio {

inline std::string jsonText(const nlohmann::json& value) {
  return value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace sim::studio
