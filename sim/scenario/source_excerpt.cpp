#include "sim/scenario/source_excerpt.h"

#include <algorithm>
#include <vector>

#include "sim/scenario/lexer.h"

namespace sim {

namespace {

// Enough to read the offending token in context on an ordinary terminal.
constexpr std::size_t kWindow = 100;
constexpr std::size_t kBeforeColumn = 60;

// A character as shown: its own bytes, a tab, or '?' for what cannot be shown safely.
struct Unit {
  std::size_t begin = 0;  // byte offset in the line
  std::size_t end = 0;
  enum class Shown { Itself, Tab, Replaced } shown = Shown::Itself;
};

std::size_t sequenceLength(unsigned char lead) {
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 1;
}

bool isContinuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
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

// The characters of line[from, to); `from` must not be a continuation byte, so that the characters are
// the same as when reading from the start of the line (a valid sequence never holds a lead byte).
std::vector<Unit> unitsOf(std::string_view line, std::size_t from = 0, std::size_t to = std::string_view::npos) {
  to = std::min(to, line.size());
  std::vector<Unit> units;
  std::size_t i = from;
  while (i < to) {
    std::size_t length = sequenceLength(static_cast<unsigned char>(line[i]));
    std::string_view bytes = line.substr(i, std::min(length, to - i));
    bool valid = bytes.size() == length && !firstInvalidUtf8(bytes);
    if (!valid) bytes = line.substr(i, 1);
    Unit unit{i, i + bytes.size()};
    if (bytes == "\t")
      unit.shown = Unit::Shown::Tab;
    else if (!valid || unsafeToShow(decode(bytes)))
      unit.shown = Unit::Shown::Replaced;
    units.push_back(unit);
    i += bytes.size();
  }
  return units;
}

void appendShown(std::string& out, std::string_view line, const Unit& unit, char tab) {
  if (unit.shown == Unit::Shown::Itself)
    out.append(line.substr(unit.begin, unit.end - unit.begin));
  else
    out += unit.shown == Unit::Shown::Tab ? tab : '?';
}

}  // namespace

SourceExcerpt excerptAround(std::string_view line, std::size_t column) {
  std::size_t offset = column > 0 ? column - 1 : 0;
  // Only the characters around the column are read, so that a line of megabytes costs no more than a
  // short one. A character takes at most four bytes: this reaches past both ends of the window.
  constexpr std::size_t kLongestCharacter = 4;
  std::size_t first = 0, last = line.size();
  if (line.size() > kWindow * kLongestCharacter) {
    std::size_t reach = (kBeforeColumn + 4) * kLongestCharacter;
    first = offset > reach ? offset - reach : 0;
    // Back to the lead byte of the character there; past three continuation bytes, each is a character.
    std::size_t lead = first;
    for (int k = 0; k < 3 && lead > 0 && lead < line.size() && isContinuation(line[lead]); ++k) --lead;
    if (lead < line.size() && !isContinuation(line[lead])) first = lead;
    last = std::min(line.size(), offset + (kWindow + 4) * kLongestCharacter);
  }
  std::vector<Unit> units = unitsOf(line, first, last);
  std::size_t at = 0;
  while (at < units.size() && units[at].end <= offset) ++at;

  std::size_t from = 0, to = units.size();
  if (line.size() > kWindow * kLongestCharacter || units.size() > kWindow) {
    from = at > kBeforeColumn ? at - kBeforeColumn : 0;
    to = std::min(units.size(), from + kWindow);
  }
  SourceExcerpt excerpt;
  if (from > 0 || first > 0) {
    excerpt.line = "...";
    excerpt.caret = "   ";
  }
  for (std::size_t k = from; k < to; ++k) {
    appendShown(excerpt.line, line, units[k], '\t');
    if (k < at) excerpt.caret += units[k].shown == Unit::Shown::Tab ? '\t' : ' ';
  }
  if (to < units.size() || last < line.size()) excerpt.line += "...";
  excerpt.caret += '^';
  return excerpt;
}

std::string printable(std::string_view text) {
  std::string shown;
  for (const Unit& unit : unitsOf(text)) appendShown(shown, text, unit, '?');
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
