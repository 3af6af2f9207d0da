#pragma once
// Text placed inside HTML or XML, in an element or a quoted attribute. XML 1.0 holds no control characters
// but tab and newlines, whatever a message quotes, so those become '?'.
#include <string>
#include <string_view>

namespace sim::suite {

std::string markupText(std::string_view text);

}  // namespace sim::suite
