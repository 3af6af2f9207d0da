#pragma once
// The page's files, embedded in the binary when it is built, so the studio works offline and never reads
// a file that a browser names.
#include <span>
#include <string_view>

namespace sim::studio {

struct PageAsset {
  std::string_view name;  // "index.html", "studio.js", ...
  std::string_view type;  // its Content-Type
  std::string_view bytes;
};

std::span<const PageAsset> pageAssets();
const PageAsset* findPageAsset(std::string_view name);

}  // namespace sim::studio
