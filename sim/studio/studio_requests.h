#pragma once
// What the page asks of the phone, read from its JSON and checked before anything happens: a request
// that does not hold together is refused with a message and changes nothing.
#include <functional>
#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/foundation/plist_value.h"

namespace sim::studio {

class StudioPhone;

// A request the studio refuses (HTTP 400); message() says why, whole (what() stops at a NUL the request
// put in it).
class BadRequest : public std::runtime_error {
 public:
  explicit BadRequest(const std::string& message) : std::runtime_error(message), message_(message) {}
  const std::string& message() const { return message_; }

 private:
  std::string message_;
};

// The whole text as a decimal number ("12", "0.5", "1e3"): nothing before or after it, no hexadecimal, no
// infinity; nothing otherwise.
std::optional<double> strictDecimal(std::string_view text);

using PhoneAction = std::function<void(StudioPhone&)>;

// The JSON text of a request body as an object; BadRequest when it is not one.
nlohmann::json parseJsonObject(std::string_view body);

// {"kind": "press", "button": "up"}, {"kind": "rotate", "orientation": "landscape-left"}, {"kind": "tap",
// "x": 180, "y": 30}, ...; BadRequest for anything else.
PhoneAction parseAction(const nlohmann::json& request);

// The value the pane writes for `key`, from the JSON the page sent: a boolean for a switch, an integer for
// the alignment, a number for a real, a colour string for a colour. BadRequest for an unknown key or a value
// of the wrong kind.
platform::PlistValue parseSettingValue(std::string_view key, const nlohmann::json& value);
// BadRequest unless `key` is one of the settings file's keys.
void checkSettingKey(std::string_view key);

}  // namespace sim::studio
