#pragma once
// The text inside the XML form's leaf elements: character references, and the conversions of <integer>,
// <real>, <date> and <data>. Each answers nothing for text the format does not allow.
#include <optional>
#include <string>
#include <string_view>

#include "platform/foundation/plist_value.h"

namespace platform::xmlplist {

// Appends `text` to `out` with &lt; &gt; &amp; &quot; &apos; and numeric references replaced; false on a
// reference that is unknown, unterminated or names no Unicode character.
bool appendDecodedText(std::string& out, std::string_view text);

// Whole-element conversions; surrounding whitespace is allowed.
std::optional<std::int64_t> integerFromText(std::string_view text);
std::optional<double> realFromText(std::string_view text);
std::optional<PlistDate> dateFromText(std::string_view text);  // YYYY-MM-DDTHH:MM:SSZ, as written
std::optional<PlistData> dataFromText(std::string_view text);  // base64, line breaks and indents allowed

}  // namespace platform::xmlplist
