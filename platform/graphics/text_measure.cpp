#include "platform/graphics/text_measure.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/graphics/cairo_bridge.h"
#include "platform/graphics/font_cache.h"

namespace platform {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
constexpr std::string_view kEllipsis = "\xE2\x80\xA6";
// The smallest code point each sequence length may carry (shorter forms are overlong, hence invalid).
constexpr std::uint32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};

// Byte length of the valid UTF-8 sequence starting at text[i], or 0.
std::size_t sequenceLength(std::string_view text, std::size_t i) {
  auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  unsigned char lead = byte(i);
  std::size_t length = lead < 0x80           ? 1
                       : (lead >> 5) == 0x6  ? 2
                       : (lead >> 4) == 0xe  ? 3
                       : (lead >> 3) == 0x1e ? 4
                                             : 0;
  if (length == 0 || i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k)
    if ((byte(i + k) & 0xc0) != 0x80) return 0;
  std::uint32_t cp = length == 1 ? lead : lead & (0x7f >> length);
  for (std::size_t k = 1; k < length; ++k) cp = (cp << 6) | (byte(i + k) & 0x3f);
  if (cp < kSmallest[length] || cp > 0x10ffff || (cp >= 0xd800 && cp <= 0xdfff))
    return 0;  // overlong, surrogate
  return length;
}

std::vector<std::string_view> characters(const std::string& text) {
  std::vector<std::string_view> out;
  for (std::size_t i = 0; i < text.size();) {
    std::size_t n = std::max<std::size_t>(1, sequenceLength(text, i));
    out.push_back(std::string_view(text).substr(i, n));
    i += n;
  }
  return out;
}

}  // namespace

double textWidth(cairo_t* cr, const std::string& text) {
  cairo_text_extents_t extents;
  cairo_text_extents(cr, text.c_str(), &extents);
  return extents.x_advance;
}

std::string truncated(cairo_t* cr, const std::string& text, double width) {
  if (textWidth(cr, text) <= width) return text;
  std::vector<std::string_view> chars = characters(text);
  // Binary search on the number of characters kept.
  std::size_t lo = 0, hi = chars.size();
  auto candidate = [&](std::size_t n) {
    std::string s;
    for (std::size_t i = 0; i < n; ++i) s += chars[i];
    return s + std::string(kEllipsis);
  };
  while (lo < hi) {
    std::size_t mid = (lo + hi + 1) / 2;
    if (textWidth(cr, candidate(mid)) <= width)
      lo = mid;
    else
      hi = mid - 1;
  }
  return lo == 0 && textWidth(cr, candidate(0)) > width ? std::string() : candidate(lo);
}

std::string firstLineAsValidUtf8(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    char c = text[i];
    if (c == '\n' || c == '\r' || c == '\0') break;
    std::size_t n = sequenceLength(text, i);
    if (n == 0) {
      out += kReplacement;
      ++i;
    } else {
      out.append(text.substr(i, n));
      i += n;
    }
  }
  return out;
}

CGSize measureText(FontCache& fonts, std::string_view text, const UIFont& font) {
  double size = font.pointSize;
  if (!(size > 0) || size > kLargestPointSize) return CGSizeZero;
  cairo::SurfacePtr scratch = cairo::makeSurface(0, 0);
  cairo::ContextPtr cr(cairo_create(scratch.get()));
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr.get(), options);
  cairo_font_options_destroy(options);
  cairo_set_font_face(cr.get(), fonts.face(font.fontName));
  cairo_set_font_size(cr.get(), size);
  std::string line = firstLineAsValidUtf8(text);
  double width = line.empty() ? 0 : textWidth(cr.get(), line);
  cairo_font_extents_t extents;
  cairo_font_extents(cr.get(), &extents);
  return {width, extents.ascent + extents.descent};
}

}  // namespace platform
