#pragma once
// The tables of one section of a document in docs/, read as the tests that hold the code to it need them.
#include <fstream>
#include <string>
#include <vector>

namespace testing_support {

struct MarkdownSection {
  std::vector<std::vector<std::string>> rows;  // every table row's cells, trimmed; header and rule left out
  std::string text;                            // the section's lines that are not table rows
};

// The section under the heading line `heading` (exactly, with its #s), up to the next heading of the same
// or a higher level. A missing document or heading gives an empty section, which the callers' comparisons
// then report.
inline MarkdownSection readMarkdownSection(const std::string& document, const std::string& heading) {
  std::ifstream in(std::string(TARVO_SOURCE_DIR) + "/" + document);
  const std::size_t level = heading.find_first_not_of('#');
  MarkdownSection section;
  bool inside = false;
  bool afterRule = false;
  auto trim = [](const std::string& text) {
    std::size_t first = text.find_first_not_of(' ');
    std::size_t last = text.find_last_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
  };
  std::string line;
  while (std::getline(in, line)) {
    std::size_t hashes = line.find_first_not_of('#');
    bool isHeading = hashes != 0 && hashes != std::string::npos && line[hashes] == ' ';
    if (isHeading && inside && hashes <= level) break;
    if (isHeading && line == heading) {
      inside = true;
      continue;
    }
    if (!inside) continue;
    if (line.rfind("|", 0) != 0) {
      afterRule = false;
      section.text += line + "\n";
      continue;
    }
    if (line.rfind("|---", 0) == 0) {
      afterRule = true;
      continue;
    }
    if (!afterRule) continue;  // a header row
    std::vector<std::string> cells;
    std::size_t start = 1;
    for (std::size_t bar; (bar = line.find('|', start)) != std::string::npos; start = bar + 1)
      cells.push_back(trim(line.substr(start, bar - start)));
    section.rows.push_back(cells);
  }
  return section;
}

// The `quoted` words of a cell or a text, in order.
inline std::vector<std::string> backtickedWords(const std::string& text) {
  std::vector<std::string> words;
  for (std::size_t open = text.find('`'); open != std::string::npos; open = text.find('`', open)) {
    std::size_t close = text.find('`', open + 1);
    if (close == std::string::npos) break;
    words.push_back(text.substr(open + 1, close - open - 1));
    open = close + 1;
  }
  return words;
}

}  // namespace testing_support
