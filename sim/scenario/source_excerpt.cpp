#include "sim/scenario/source_excerpt.h"

#include <vector>

#include "sim/scenario/lexer.h"

namespace sim {

namespace {

// Enough to read the offending token in context on an ordinary terminal.
constexpr std::size_t kWindow = 100;
constexpr std::size_t kBeforeColumn = 60;

struct Unit {
  std::size_t begin = 0;  // byte offset in the line
  std::size_t end = 0;
  std::string shown;
};

std::size_t sequenceLength(unsigned char lead) {
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 1;
}

// C1 controls and the direction overrides and isolates would reorder or hide what follows them.
bool unsafeToShow(char32_t cp) {
  return cp < 0x20 || (cp >= 0x7F && cp <= 0x9F) || (cp >= 0x202A && cp <= 0x202E) ||
         (cp >= 0x2066 && cp <= 0x2069);
}

char32_t decode(std::string_view bytes) {
  auto lead = static_cast<unsigned char>(bytes[0]);
  char32_t cp = bytes.size() == 1 ? lead : lead & (0xFF >> (bytes.size() + 1));
  for (std::size_t k = 1; k < bytes.size(); ++k)
    cp = (cp << 6) | (static_cast<unsigned char>(bytes[k]) & 0x3F);
  return cp;
}

std::vector<Unit> unitsOf(std::string_view line) {
  std::vector<Unit> units;
  std::size_t i = 0;
  while (i < line.size()) {
    std::size_t length = sequenceLength(static_cast<unsigned char>(line[i]));
    std::string_view bytes = line.substr(i, length);
    bool valid = bytes.size() == length && !firstInvalidUtf8(bytes);
    if (!valid) bytes = line.substr(i, 1);
    Unit unit{i, i + bytes.size(), std::string(bytes)};
    if (bytes == "\t")
      unit.shown = "\t";
    else if (!valid || unsafeToShow(decode(bytes)))
      unit.shown = "?";
    units.push_back(std::move(unit));
    i += bytes.size();
  }
  return units;
}

}  // namespace

SourceExcerpt excerptAround(std::string_view line, std::size_t column) {
  std::vector<Unit> units = unitsOf(line);
  std::size_t offset = column > 0 ? column - 1 : 0;
  std::size_t at = 0;
  while (at < units.size() && units[at].end <= offset) ++at;

  std::size_t from = 0, to = units.size();
  if (units.size() > kWindow) {
    from = at > kBeforeColumn ? at - kBeforeColumn : 0;
    to = std::min(units.size(), from + kWindow);
  }
  SourceExcerpt excerpt;
  if (from > 0) {
    excerpt.line = "...";
    excerpt.caret = "   ";
  }
  for (std::size_t k = from; k < to; ++k) {
    excerpt.line += units[k].shown;
    if (k < at) excerpt.caret += units[k].shown == "\t" ? '\t' : ' ';
  }
  if (to < units.size()) excerpt.line += "...";
  excerpt.caret += '^';
  return excerpt;
}

std::string printable(std::string_view text) {
  std::string shown;
  for (const Unit& unit : unitsOf(text)) shown += unit.shown == "\t" ? "?" : unit.shown;
  return shown;
}

std::string_view lineOf(std::string_view text, std::size_t number) {
  std::size_t from = 0;
  for (std::size_t n = 1; n < number; ++n) {
    std::size_t newline = text.find('\n', from);
    if (newline == std::string_view::npos) return {};
    from = newline + 1;
  }
  std::size_t newline = text.find('\n', from);
  std::string_view line =
      text.substr(from, newline == std::string_view::npos ? text.size() - from : newline - from);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

}  // namespace sim
