#include "platform/graphics/font_cache.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <string_view>

#include "platform/foundation/sanitizer.h"
#include "platform/graphics/font.h"

namespace platform {

namespace {

struct PatternDeleter {
  void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

std::string lowered(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
  return out;
}

std::string stringOf(FcPattern* pattern, const char* object) {
  FcChar8* value = nullptr;
  if (FcPatternGetString(pattern, object, 0, &value) != FcResultMatch || !value) return {};
  return reinterpret_cast<const char*>(value);
}

// The first installed font with exactly this property (postscript name, or family and optionally style).
PatternPtr findExact(const char* object, const std::string& value, const std::string& style = {}) {
  PatternPtr query(FcPatternCreate());
  FcPatternAddString(query.get(), object, reinterpret_cast<const FcChar8*>(value.c_str()));
  if (!style.empty())
    FcPatternAddString(query.get(), FC_STYLE, reinterpret_cast<const FcChar8*>(style.c_str()));
  FcObjectSet* objects =
      FcObjectSetBuild(FC_FILE, FC_INDEX, FC_FAMILY, FC_STYLE, FC_POSTSCRIPT_NAME, nullptr);
  FcFontSet* fonts = FcFontList(nullptr, query.get(), objects);
  FcObjectSetDestroy(objects);
  PatternPtr found;
  if (fonts && fonts->nfont > 0) {
    // Prefer the face whose own style name is the one asked for (a family's condensed faces list "Bold" as a
    // second name), or the regular face when no style was asked for.
    FcPattern* pick = fonts->fonts[0];
    for (int i = 0; i < fonts->nfont; ++i) {
      std::string s = lowered(stringOf(fonts->fonts[i], FC_STYLE));
      if (style.empty() ? (s == "regular" || s == "book") : s == lowered(style)) {
        pick = fonts->fonts[i];
        break;
      }
    }
    found.reset(FcPatternDuplicate(pick));
  }
  if (fonts) FcFontSetDestroy(fonts);
  return found;
}

// The best installed match for a generic family and weight.
PatternPtr matchGeneric(const char* family, int weight) {
  PatternPtr query(FcPatternCreate());
  FcPatternAddString(query.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
  FcPatternAddInteger(query.get(), FC_WEIGHT, weight);
  FcConfigSubstitute(nullptr, query.get(), FcMatchPattern);
  FcDefaultSubstitute(query.get());
  FcResult result = FcResultNoMatch;
  PatternPtr match(FcFontMatch(nullptr, query.get(), &result));
  if (result != FcResultMatch) match.reset();
  return match;
}

PatternPtr resolve(const std::string& name) {
  if (name == kSystemFontName) return matchGeneric("sans-serif", FC_WEIGHT_REGULAR);
  if (name.rfind(kSystemFontName, 0) == 0 || name.empty()) return matchGeneric("sans-serif", FC_WEIGHT_BOLD);
  if (auto exact = findExact(FC_POSTSCRIPT_NAME, name)) return exact;
  if (auto family = findExact(FC_FAMILY, name)) return family;
  // iOS names read "Family-Style": "DejaVuSans-Bold" is found above, "DejaVu Sans-Bold" here.
  if (auto dash = name.rfind('-'); dash != std::string::npos && dash > 0)
    if (auto styled = findExact(FC_FAMILY, name.substr(0, dash), name.substr(dash + 1))) return styled;
  if (auto dejavu = findExact(FC_FAMILY, "DejaVu Sans", "Bold")) return dejavu;
  return matchGeneric("sans-serif", FC_WEIGHT_BOLD);
}

// fontconfig keeps a little of what it reads from its configuration files for good, which the leak checker
// reports at exit; what it makes while loading them is not ours to free.
void loadFontconfig() {
#if defined(TARVO_ADDRESS_SANITIZER)
  __lsan_disable();
  FcInit();
  __lsan_enable();
#else
  FcInit();
#endif
}

}  // namespace

FontCache::~FontCache() {
  for (auto& [name, entry] : entries_) cairo_font_face_destroy(entry.face);
}

const FontCache::Entry& FontCache::entry(const std::string& fontName) {
  auto it = entries_.find(fontName);
  if (it != entries_.end()) return it->second;
  loadFontconfig();
  Entry made;
  if (PatternPtr pattern = resolve(fontName)) {
    made.file = stringOf(pattern.get(), FC_FILE);
    if (!made.file.empty()) made.face = cairo_ft_font_face_create_for_pattern(pattern.get());
  }
  if (!made.face || cairo_font_face_status(made.face) != CAIRO_STATUS_SUCCESS) {
    if (made.face) cairo_font_face_destroy(made.face);
    made.face = cairo_toy_font_face_create("sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    made.file.clear();
  }
  return entries_.emplace(fontName, std::move(made)).first->second;
}

cairo_font_face_t* FontCache::face(const std::string& fontName) {
  return entry(fontName).face;
}

std::string FontCache::fileFor(const std::string& fontName) {
  return entry(fontName).file;
}

}  // namespace platform
