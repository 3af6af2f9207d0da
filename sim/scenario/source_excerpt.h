#pragma once
// One line of a scenario prepared for a terminal, with a caret line that points at a column of it.
#include <cstddef>
#include <string>
#include <string_view>

namespace sim {

struct SourceExcerpt {
  // The line as written, except that control characters, text direction overrides and bytes that are
  // not UTF-8 show as '?', and a very long line is cut to a window around the column ("...").
  std::string line;
  // Blanks (a tab under each tab) and a '^' under the character at the column.
  std::string caret;
};

// `column` is 1-based in bytes, as the parser counts; one past the end points just after the line.
SourceExcerpt excerptAround(std::string_view line, std::size_t column);

// The text with the same characters replaced as in SourceExcerpt::line (a tab too), and not cut.
std::string printable(std::string_view text);

// The line `number` (1-based) of a text, without its line break; empty past the end.
std::string_view lineOf(std::string_view text, std::size_t number);

}  // namespace sim
