# Writes OUTPUT: a C++ source holding every file of PAGE_DIR (one level) as bytes, for page_assets.h.
file(GLOB files LIST_DIRECTORIES false "${PAGE_DIR}/*")
list(SORT files)
set(body "")
set(table "")
set(index 0)
foreach(path ${files})
  get_filename_component(name "${path}" NAME)
  get_filename_component(ext "${path}" LAST_EXT)
  set(type "application/octet-stream")
  if(ext STREQUAL ".html")
    set(type "text/html; charset=utf-8")
  elseif(ext STREQUAL ".css")
    set(type "text/css; charset=utf-8")
  elseif(ext STREQUAL ".js")
    set(type "text/javascript; charset=utf-8")
  elseif(ext STREQUAL ".svg")
    set(type "image/svg+xml")
  elseif(ext STREQUAL ".png")
    set(type "image/png")
  endif()
  file(READ "${path}" hex HEX)
  string(LENGTH "${hex}" hexLength)
  math(EXPR size "${hexLength} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(APPEND body "const unsigned char asset${index}[] = {${bytes} 0};\n")
  string(APPEND table "    {\"${name}\", \"${type}\", {reinterpret_cast<const char*>(asset${index}), ${size}}},\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE "${OUTPUT}.tmp" "// Generated from sim/studio/page/ when the studio is built.
#include \"sim/studio/page_assets.h\"

#include <array>

namespace sim::studio {

namespace {

${body}
const std::array<PageAsset, ${index}> kAssets{{
${table}}};

}  // namespace

std::span<const PageAsset> pageAssets() { return kAssets; }

const PageAsset* findPageAsset(std::string_view name) {
  for (const auto& asset : kAssets)
    if (asset.name == name) return &asset;
  return nullptr;
}

}  // namespace sim::studio
")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
