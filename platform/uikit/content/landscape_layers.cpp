#include "platform/uikit/content/landscape_layers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace platform {

namespace {

constexpr double kTau = 2 * std::numbers::pi;

// A fixed sequence of numbers in [0, 1), so that every run draws the same landscape.
class Dice {
 public:
  explicit Dice(std::uint64_t seed) : state_(seed) {}
  double next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<double>((z ^ (z >> 31)) >> 11) / 9007199254740992.0;
  }

 private:
  std::uint64_t state_;
};

// A ridge line as a sum of waves that each repeat a whole number of times across the width, so that the
// band joins up with itself when it wraps round.
struct Ridge {
  double base;       // in picture heights
  double amplitude;  // in picture heights
  std::array<double, 6> phases{};

  Ridge(double base_, double amplitude_, std::uint64_t seed) : base(base_), amplitude(amplitude_) {
    Dice dice(seed);
    for (double& p : phases) p = dice.next() * kTau;
  }
  double at(double fraction) const {
    static constexpr auto kWaves = std::to_array<int>({1, 2, 3, 5, 8, 13});
    static constexpr auto kWeights = std::to_array<double>({0.45, 0.25, 0.14, 0.08, 0.05, 0.03});
    static_assert(kWaves.size() == kWeights.size() && kWaves.size() == std::tuple_size_v<decltype(phases)>);
    double h = 0;
    for (std::size_t i = 0; i < kWaves.size(); ++i) h += kWeights[i] * std::sin(kTau * kWaves[i] * fraction + phases[i]);
    return base + amplitude * h;
  }
};

struct Rgb {
  double r, g, b;
};

cairo::SurfacePtr surface(int width, int height) {
  return cairo::SurfacePtr(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, std::max(width, 1), std::max(height, 1)));
}

void drawSky(cairo_t* cr, int width, int height) {
  cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, height);
  cairo_pattern_add_color_stop_rgb(sky, 0.00, 0.16, 0.34, 0.70);
  cairo_pattern_add_color_stop_rgb(sky, 0.30, 0.45, 0.64, 0.88);
  cairo_pattern_add_color_stop_rgb(sky, 0.50, 0.98, 0.82, 0.62);
  cairo_pattern_add_color_stop_rgb(sky, 0.70, 0.95, 0.66, 0.45);
  cairo_set_source(cr, sky);
  cairo_paint(cr);
  cairo_pattern_destroy(sky);

  double sx = 0.70 * width, sy = 0.47 * height, core = 0.05 * width;
  cairo_pattern_t* glow = cairo_pattern_create_radial(sx, sy, core, sx, sy, 0.45 * width);
  cairo_pattern_add_color_stop_rgba(glow, 0, 1.0, 0.93, 0.70, 0.85);
  cairo_pattern_add_color_stop_rgba(glow, 1, 1.0, 0.80, 0.55, 0.0);
  cairo_set_source(cr, glow);
  cairo_paint(cr);
  cairo_pattern_destroy(glow);
  cairo_arc(cr, sx, sy, core, 0, kTau);
  cairo_set_source_rgb(cr, 1.0, 0.97, 0.86);
  cairo_fill(cr);
}

// Puffs of cloud scattered over the band, each drawn again one width to either side so that the band
// repeats. Flat colours with a shaded underside, as an illustration has them: a frame in which they moved
// compresses to little.
void drawClouds(cairo_t* cr, int width, int height, int pictureHeight) {
  Dice dice(7);
  constexpr int kHigh = 8;  // a row of them along the top, where a HUD sits, so that it always has some to cover
  for (int cloud = 0; cloud < 18; ++cloud) {
    double cx = cloud < kHigh ? (cloud + 0.6 * dice.next()) / kHigh * width : dice.next() * width;
    double cy = (cloud < kHigh ? 0.015 + 0.02 * dice.next() : 0.06 + 0.12 * dice.next()) * pictureHeight;
    double size = (0.04 + 0.04 * dice.next()) * width;
    for (int shade = 0; shade < 2; ++shade) {
      Dice puffs(static_cast<std::uint64_t>(100 + cloud));  // the same puffs for the underside and the top
      for (int puff = 0; puff < 6; ++puff) {
        double px = cx + (puffs.next() - 0.5) * 3.0 * size, py = cy + (puffs.next() - 0.5) * 0.6 * size;
        double r = size * (0.45 + 0.5 * puffs.next());
        double dy = shade == 0 ? 0.18 * r : 0;
        for (double shift : {-1.0, 0.0, 1.0}) {
          double x = px + shift * width;
          if (x + r < 0 || x - r > width || py - r > height) continue;
          cairo_arc(cr, x, py + dy, r, 0, kTau);
          cairo_close_path(cr);
        }
      }
      if (shade == 0)
        cairo_set_source_rgba(cr, 0.80, 0.84, 0.93, 1);
      else
        cairo_set_source_rgba(cr, 1, 1, 1, 1);
      cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
      cairo_fill(cr);
    }
  }
}

// The land below a ridge, shaded from `top` colour at the ridge to `bottom` at the band's foot.
void drawBand(cairo_t* cr, int width, int bandTop, int bandHeight, int pictureHeight, const Ridge& ridge, Rgb top,
              Rgb bottom) {
  cairo_move_to(cr, 0, bandHeight);
  for (int x = 0; x <= width; x += 2) cairo_line_to(cr, x, ridge.at(static_cast<double>(x) / width) * pictureHeight - bandTop);
  cairo_line_to(cr, width, ridge.at(1.0) * pictureHeight - bandTop);
  cairo_line_to(cr, width, bandHeight);
  cairo_close_path(cr);
  double ridgeTop = (ridge.base - ridge.amplitude) * pictureHeight - bandTop;
  cairo_pattern_t* shade = cairo_pattern_create_linear(0, ridgeTop, 0, bandHeight);
  cairo_pattern_add_color_stop_rgb(shade, 0, top.r, top.g, top.b);
  cairo_pattern_add_color_stop_rgb(shade, 1, bottom.r, bottom.g, bottom.b);
  cairo_set_source(cr, shade);
  cairo_fill(cr);
  cairo_pattern_destroy(shade);
}

}  // namespace

LandscapeLayers drawLandscapeLayers(int width, int height) {
  LandscapeLayers layers;
  layers.width = std::max(width, 1);
  layers.height = std::max(height, 1);
  const int w = layers.width, h = layers.height;
  const auto ridges = std::to_array({Ridge(0.50, 0.10, 11), Ridge(0.575, 0.05, 12), Ridge(0.665, 0.05, 13),
                                     Ridge(0.775, 0.03, 14)});
  // Each ridge's colours, top and foot.
  const auto colours = std::to_array<std::pair<Rgb, Rgb>>({{{0.55, 0.58, 0.74}, {0.66, 0.62, 0.70}},
                                                          {{0.36, 0.52, 0.46}, {0.30, 0.44, 0.40}},
                                                          {{0.22, 0.42, 0.25}, {0.14, 0.30, 0.18}},
                                                          {{0.42, 0.60, 0.26}, {0.24, 0.42, 0.15}}});
  static_assert(ridges.size() == colours.size());
  // Each band of land reaches to the foot of the picture, so no sky shows below the first ridge.
  layers.landTop = static_cast<int>((ridges[0].base - ridges[0].amplitude) * h);
  layers.landOpaqueFrom = std::min(static_cast<int>(std::ceil((ridges[0].base + ridges[0].amplitude) * h)) + 1, h);
  layers.sky = surface(w, layers.landOpaqueFrom);
  {
    cairo::ContextPtr cr(cairo_create(layers.sky.get()));
    drawSky(cr.get(), w, h);
  }
  int cloudRows = std::max(static_cast<int>(std::ceil(0.26 * h)), 1);
  layers.clouds = surface(w, cloudRows);
  {
    cairo::ContextPtr cr(cairo_create(layers.clouds.get()));
    drawClouds(cr.get(), w, cloudRows, h);
  }
  int landRows = std::max(h - layers.landTop, 1);
  layers.land = surface(w, landRows);
  {
    cairo::ContextPtr cr(cairo_create(layers.land.get()));
    for (std::size_t i = 0; i < ridges.size(); ++i)
      drawBand(cr.get(), w, layers.landTop, landRows, h, ridges[i], colours[i].first, colours[i].second);
  }
  return layers;
}

void paintLandscape(cairo_t* cr, const LandscapeLayers& layers, double seconds) {
  const int w = layers.width;
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);  // opaque: a copy
  cairo_set_source_surface(cr, layers.sky.get(), 0, 0);
  cairo_rectangle(cr, 0, 0, w, layers.landOpaqueFrom);
  cairo_fill(cr);
  cairo_set_source_surface(cr, layers.land.get(), 0, layers.landTop);
  cairo_rectangle(cr, 0, layers.landOpaqueFrom, w, layers.height - layers.landOpaqueFrom);
  cairo_fill(cr);

  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  double drift = std::fmod(std::max(seconds, 0.0) * LandscapeLayers::kCloudSpeed, 1.0);
  int shift = static_cast<int>(std::floor(drift * w)) % w;
  int cloudRows = cairo_image_surface_get_height(layers.clouds.get());
  for (int x : {-shift, w - shift}) {
    cairo_set_source_surface(cr, layers.clouds.get(), x, 0);
    cairo_rectangle(cr, x, 0, w, cloudRows);
    cairo_fill(cr);
  }
  cairo_set_source_surface(cr, layers.land.get(), 0, layers.landTop);
  cairo_rectangle(cr, 0, layers.landTop, w, layers.landOpaqueFrom - layers.landTop);
  cairo_fill(cr);
  cairo_restore(cr);
}

}  // namespace platform
