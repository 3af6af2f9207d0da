// Colour strings, as the settings file and the colour picker library hand them over.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "platform/graphics/color_string.h"

namespace {

bool inUnitRange(double v) { return std::isfinite(v) && v >= 0 && v <= 1; }

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  auto parsed = platform::parseColorString(text);
  // The fallback is used only where the text is no colour string; every answer is a drawable colour.
  platform::UIColor withFallback = platform::LCPParseColorString(text, "#102030:0.5");
  platform::UIColor asFallback = platform::LCPParseColorString("not a colour", text);
  for (const platform::UIColor& c : {withFallback, asFallback})
    check(inUnitRange(c.red()) && inUnitRange(c.green()) && inUnitRange(c.blue()) && inUnitRange(c.alpha()));
  if (!parsed) {
    check(withFallback == *platform::parseColorString("#102030:0.5"));
    check(asFallback == platform::UIColor::blackColor());
    return 0;
  }
  check(withFallback == *parsed && asFallback == *parsed);
  // Written back in the canonical form, the colour reads the same, to the precision of the form.
  char canonical[32];
  std::snprintf(canonical, sizeof canonical, "#%02X%02X%02X:%f", static_cast<int>(std::lround(parsed->red() * 255)),
                static_cast<int>(std::lround(parsed->green() * 255)),
                static_cast<int>(std::lround(parsed->blue() * 255)), parsed->alpha());
  auto again = platform::parseColorString(canonical);
  check(again.has_value());
  check(std::fabs(again->red() - parsed->red()) < 1e-9 && std::fabs(again->green() - parsed->green()) < 1e-9 &&
        std::fabs(again->blue() - parsed->blue()) < 1e-9 && std::fabs(again->alpha() - parsed->alpha()) < 1e-6);
  return 0;
}
