#pragma once
// Font names to cairo font faces through fontconfig. A name the machine has no font for (an iOS font such as
// "Avenir-Heavy") falls back to an installed bold sans; the system font names fall back to a plain sans.
// Private to platform/.
#include <cairo.h>

#include <map>
#include <string>

namespace platform {

class Process;

class FontCache {
 public:
  FontCache() = default;
  // So that a process can keep one as a service.
  explicit FontCache(Process&) {}
  ~FontCache();
  FontCache(const FontCache&) = delete;
  FontCache& operator=(const FontCache&) = delete;

  // Never null: the last resort is cairo's own sans face.
  cairo_font_face_t* face(const std::string& fontName);
  // The file the name resolves to (empty for the last resort).
  std::string fileFor(const std::string& fontName);

 private:
  struct Entry {
    cairo_font_face_t* face = nullptr;
    std::string file;
  };
  const Entry& entry(const std::string& fontName);
  std::map<std::string, Entry> entries_;
};

}  // namespace platform
