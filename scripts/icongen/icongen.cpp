// Draws the HUD's six built-in glyphs and writes them as PNG data URLs into a C++ source file.
//
// The PNGs are written with libpng rather than cairo's own writer because cairo adds ancillary
// chunks; the glyphs must hold only IHDR, IDAT and IEND so that their bytes are small, stable
// across cairo versions and decodable by the strictest reader.
//
// Usage: icongen OUT.cpp [--png-dir DIR] [--preview FILE]
#include <cairo.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <numbers>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kSize = 72;
constexpr double kStroke = 7.0;
constexpr double kPi = std::numbers::pi;
constexpr double deg(double d) {
  return d * kPi / 180.0;
}

// ---- artwork ----------------------------------------------------------------------------------

void strokeRound(cairo_t* cr, double width) {
  cairo_set_line_width(cr, width);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke(cr);
}

void drawCross(cairo_t* cr, double cx, double cy, double half) {
  cairo_move_to(cr, cx - half, cy - half);
  cairo_line_to(cr, cx + half, cy + half);
  cairo_move_to(cr, cx + half, cy - half);
  cairo_line_to(cr, cx - half, cy + half);
  strokeRound(cr, kStroke);
}

// Concentric arcs around (cx, cy), each spanning `span` degrees either side of `facing`.
void drawArcs(cairo_t* cr, double cx, double cy, double facing, double span, int count, double r0,
              double step) {
  for (int i = 0; i < count; ++i) {
    const double r = r0 + step * i;
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, r, deg(facing - span), deg(facing + span));
  }
  strokeRound(cr, kStroke);
}

// Classic receiver: a thick C-shaped handle whose ends carry round cups pointing back towards the
// centre of the C. The C opens towards the upper right, which puts the earpiece at the upper left
// and the mouthpiece at the lower right, leaving that corner for the cross or the arcs.
constexpr double kHandsetCx = 32, kHandsetCy = 39;
// Where the sound comes from: just inside the C's opening, between the cups.
constexpr double kRingX = kHandsetCx + 6, kRingY = kHandsetCy - 6;
void drawHandset(cairo_t* cr) {
  constexpr double radius = 23, handle = 9, halfSpan = 50;
  constexpr double cupWidth = 16, cupInner = 11, cupOuter = 23;
  cairo_save(cr);
  cairo_translate(cr, kHandsetCx, kHandsetCy);
  cairo_rotate(cr, deg(45));
  // In this frame the C's back points down (+y) and the cups point up.
  cairo_arc(cr, 0, 0, radius, deg(90 - halfSpan + 6), deg(90 + halfSpan - 6));
  cairo_set_line_width(cr, handle);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  cairo_stroke(cr);
  for (double a : {90 - halfSpan, 90 + halfSpan}) {
    const double c = std::cos(deg(a)), s = std::sin(deg(a));
    const double capR = cupWidth / 2;
    cairo_move_to(cr, c * (cupOuter - capR + 4), s * (cupOuter - capR + 4));
    cairo_line_to(cr, c * (cupInner + capR), s * (cupInner + capR));
    strokeRound(cr, cupWidth);
  }
  cairo_restore(cr);
}

// Loudspeaker: a small box with a cone opening to the right.
constexpr double kConeMouthX = 32, kSpeakerCy = 36;
void drawSpeaker(cairo_t* cr) {
  constexpr double boxL = 8, boxR = 18, boxHalf = 10, mouthHalf = 24;
  cairo_move_to(cr, boxL, kSpeakerCy - boxHalf);
  cairo_line_to(cr, boxR, kSpeakerCy - boxHalf);
  cairo_line_to(cr, kConeMouthX, kSpeakerCy - mouthHalf);
  cairo_line_to(cr, kConeMouthX, kSpeakerCy + mouthHalf);
  cairo_line_to(cr, boxR, kSpeakerCy + boxHalf);
  cairo_line_to(cr, boxL, kSpeakerCy + boxHalf);
  cairo_close_path(cr);
  // A thin round-joined outline softens the corners, which reads better once scaled down.
  cairo_set_line_width(cr, 3);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_fill_preserve(cr);
  cairo_stroke(cr);
}

void ringerMin(cairo_t* cr) {
  drawHandset(cr);
  drawCross(cr, kRingX + 15, kRingY - 15, 8);
}
void ringerMed(cairo_t* cr) {
  drawHandset(cr);
  drawArcs(cr, kRingX, kRingY, -45, 45, 1, 12, 13);
}
void ringerMax(cairo_t* cr) {
  drawHandset(cr);
  drawArcs(cr, kRingX, kRingY, -45, 45, 2, 12, 13);
}
void mediaMin(cairo_t* cr) {
  drawSpeaker(cr);
  drawCross(cr, 55, kSpeakerCy, 8.5);
}
void mediaMed(cairo_t* cr) {
  drawSpeaker(cr);
  drawArcs(cr, kConeMouthX, kSpeakerCy, 0, 50, 1, 14, 14);
}
void mediaMax(cairo_t* cr) {
  drawSpeaker(cr);
  drawArcs(cr, kConeMouthX, kSpeakerCy, 0, 50, 2, 14, 14);
}

struct Icon {
  const char* name;
  const char* comment;
  void (*draw)(cairo_t*);
};

constexpr Icon kIcons[] = {
    {"ringerMinBase64", "Telephone handset with a cross: ringer silenced.", ringerMin},
    {"ringerMedBase64", "Telephone handset with one sound arc.", ringerMed},
    {"ringerMaxBase64", "Telephone handset with two sound arcs.", ringerMax},
    {"mediaMinBase64", "Loudspeaker with a cross: sound off.", mediaMin},
    {"mediaMedBase64", "Loudspeaker with one sound arc.", mediaMed},
    {"mediaMaxBase64", "Loudspeaker with two sound arcs.", mediaMax},
};

cairo_surface_t* render(const Icon& icon) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kSize, kSize);
  cairo_t* cr = cairo_create(surface);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_GOOD);
  cairo_set_source_rgb(cr, 0, 0, 0);
  icon.draw(cr);
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  return surface;
}

// ---- encoding ---------------------------------------------------------------------------------

[[noreturn]] void pngFailed(png_structp, png_const_charp message) {
  std::cerr << "icongen: libpng: " << message << '\n';
  std::exit(1);
}

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<unsigned char>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

// Straight (non-premultiplied) RGBA, as PNG requires; only IHDR, IDAT and IEND are written.
std::vector<unsigned char> encodePng(cairo_surface_t* surface) {
  const int width = cairo_image_surface_get_width(surface);
  const int height = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  std::vector<unsigned char> rgba(static_cast<size_t>(width) * height * 4);
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = row[x];
      const unsigned a = p >> 24;
      unsigned char* o = &rgba[(static_cast<size_t>(y) * width + x) * 4];
      for (int c = 0; c < 3; ++c) {
        const unsigned v = (p >> (16 - 8 * c)) & 0xff;
        o[c] = a == 0 ? 0 : static_cast<unsigned char>(std::min(255u, (v * 255 + a / 2) / a));
      }
      o[3] = static_cast<unsigned char>(a);
    }
  }

  std::vector<unsigned char> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, pngFailed, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &out, appendBytes, nullptr);
  png_set_compression_level(png, 9);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) png_write_row(png, &rgba[static_cast<size_t>(y) * width * 4]);
  // No info here: libpng would otherwise write any text or time chunks attached to it after IDAT.
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

std::string base64(const std::vector<unsigned char>& bytes) {
  constexpr std::string_view alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  for (size_t i = 0; i < bytes.size(); i += 3) {
    const size_t n = std::min<size_t>(3, bytes.size() - i);
    std::uint32_t v = bytes[i] << 16;
    if (n > 1) v |= bytes[i + 1] << 8;
    if (n > 2) v |= bytes[i + 2];
    for (size_t k = 0; k < 4; ++k) out += k <= n ? alphabet[(v >> (18 - 6 * k)) & 63] : '=';
  }
  return out;
}

bool writeFile(const std::string& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary);
  file << text;
  return static_cast<bool>(file);
}

std::string generatedSource(const std::vector<std::string>& urls) {
  constexpr size_t perLine = 92;  // keeps each literal line under 100 columns
  std::string out =
      "// Generated by `make icons` from scripts/icongen/icongen.cpp. Do not edit by hand.\n"
      "#include \"controls/builtin_icons.h\"\n\nnamespace tarvo {\n";
  for (size_t i = 0; i < urls.size(); ++i) {
    out += "\nconst char* const " + std::string(kIcons[i].name) + " =\n";
    const std::string_view prefix = "data:image/png;base64,";
    out += "    \"" + std::string(prefix) + "\"";
    const std::string_view payload = std::string_view(urls[i]).substr(prefix.size());
    for (size_t at = 0; at < payload.size(); at += perLine)
      out += "\n    \"" + std::string(payload.substr(at, perLine)) + "\"";
    out += ";\n";
  }
  out += "\n}  // namespace tarvo\n";
  return out;
}

// ---- preview ----------------------------------------------------------------------------------

// Paints the glyph's alpha in one colour at `size` px, as the HUD tints it.
void paintTinted(cairo_t* cr, cairo_surface_t* glyph, double x, double y, int size, double grey) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, static_cast<double>(size) / kSize, static_cast<double>(size) / kSize);
  cairo_pattern_t* mask = cairo_pattern_create_for_surface(glyph);
  cairo_pattern_set_filter(mask, CAIRO_FILTER_GOOD);
  cairo_set_source_rgb(cr, grey, grey, grey);
  cairo_mask(cr, mask);
  cairo_pattern_destroy(mask);
  cairo_restore(cr);
}

// Two panels (white on the HUD's dark background, black on white): each shows the glyphs at 72, 42,
// 28 and 14 px, then the 28 and 14 px renderings magnified without smoothing to show each pixel.
cairo_surface_t* preview(const std::vector<cairo_surface_t*>& glyphs) {
  constexpr int sizes[] = {72, 42, 28, 14};
  constexpr int cell = 84, magnified = 84;
  const int n = static_cast<int>(glyphs.size());
  const int panelH = cell * 4 + magnified * 2;
  cairo_surface_t* out = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, cell * n, panelH * 2);
  cairo_t* cr = cairo_create(out);
  for (int panel = 0; panel < 2; ++panel) {
    const double bg[3] = {panel == 0 ? 0x1E / 255.0 : 1, panel == 0 ? 0x21 / 255.0 : 1,
                          panel == 0 ? 0x2B / 255.0 : 1};
    const double ink = panel == 0 ? 1 : 0;
    const double top = panel * panelH;
    cairo_set_source_rgb(cr, bg[0], bg[1], bg[2]);
    cairo_rectangle(cr, 0, top, cell * n, panelH);
    cairo_fill(cr);
    for (int i = 0; i < n; ++i) {
      for (int row = 0; row < 4; ++row) {
        const int s = sizes[row];
        paintTinted(cr, glyphs[i], i * cell + (cell - s) / 2, top + row * cell + (cell - s) / 2, s, ink);
      }
      for (int m = 0; m < 2; ++m) {
        const int s = m == 0 ? 28 : 14, zoom = 72 / s;
        cairo_surface_t* small = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, s, s);
        cairo_t* sc = cairo_create(small);
        cairo_set_source_rgb(sc, bg[0], bg[1], bg[2]);
        cairo_paint(sc);
        paintTinted(sc, glyphs[i], 0, 0, s, ink);
        cairo_destroy(sc);
        cairo_save(cr);
        cairo_translate(cr, i * cell + (cell - s * zoom) / 2.0, top + cell * 4 + m * magnified + 6);
        cairo_scale(cr, zoom, zoom);
        cairo_set_source_surface(cr, small, 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
        cairo_paint(cr);
        cairo_restore(cr);
        cairo_surface_destroy(small);
      }
    }
  }
  cairo_destroy(cr);
  cairo_surface_flush(out);
  return out;
}

std::string bytesOf(const std::vector<unsigned char>& v) {
  return std::string(v.begin(), v.end());
}

}  // namespace

int main(int argc, char** argv) {
  std::string outPath, pngDir, previewPath;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--png-dir" && i + 1 < argc) {
      pngDir = argv[++i];
    } else if (arg == "--preview" && i + 1 < argc) {
      previewPath = argv[++i];
    } else if (!arg.starts_with("--") && outPath.empty()) {
      outPath = argv[i];
    } else {
      outPath.clear();
      break;
    }
  }
  if (outPath.empty()) {
    std::cerr << "usage: icongen OUT.cpp [--png-dir DIR] [--preview FILE]\n";
    return 2;
  }

  std::vector<cairo_surface_t*> glyphs;
  std::vector<std::string> urls;
  bool ok = true;
  for (const Icon& icon : kIcons) {
    glyphs.push_back(render(icon));
    const std::vector<unsigned char> png = encodePng(glyphs.back());
    urls.push_back("data:image/png;base64," + base64(png));
    if (!pngDir.empty()) ok &= writeFile(pngDir + "/" + icon.name + ".png", bytesOf(png));
  }
  ok &= writeFile(outPath, generatedSource(urls));
  if (!previewPath.empty()) {
    cairo_surface_t* sheet = preview(glyphs);
    ok &= writeFile(previewPath, bytesOf(encodePng(sheet)));
    cairo_surface_destroy(sheet);
  }
  for (cairo_surface_t* g : glyphs) cairo_surface_destroy(g);
  if (!ok) std::cerr << "icongen: could not write every output file\n";
  return ok ? 0 : 1;
}
