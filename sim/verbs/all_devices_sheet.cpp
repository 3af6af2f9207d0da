#include "sim/verbs/all_devices_sheet.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "platform/graphics/png_codec.h"
#include "platform/render/sheet_canvas.h"
#include "settings/device_model.h"
#include "sim/lint/geometry_check.h"
#include "sim/lint/geometry_warnings.h"
#include "sim/lint/hud_placement.h"
#include "sim/verbs/preview_still.h"

namespace sim {

namespace {

constexpr double kScale = 0.5;  // pixels per point: a whole row of phones fits a screen's width
constexpr int kMargin = 16;
constexpr int kRowTitle = 40;   // two lines above a screen's frames
constexpr int kTileTitle = 18;  // the orientation under a frame
constexpr int kNoteLine = 14;   // one collision under it
constexpr Orientation kOrientations[] = {Orientation::Portrait, Orientation::PortraitUpsideDown,
                                         Orientation::LandscapeRight, Orientation::LandscapeLeft};

bool modelTestAccepts(const DeviceModel& m) {
  return std::find(tarvo::kNotchedModels.begin(), tarvo::kNotchedModels.end(), m.identifier) !=
         tarvo::kNotchedModels.end();
}

// Models that draw the same frames: the same screen, outline and bar, and the same answer from the model
// test.
auto looks(const DeviceModel& m) {
  const DisplayShape& d = m.display;
  return std::make_tuple(m.width, m.height, m.scale, d.cornerRadius, d.housingWidth, d.housingHeight,
                         d.housingRadius, m.statusBarHeight, modelTestAccepts(m));
}

struct Tile {
  platform::CGImageRef image;
  std::vector<Collision> collisions;
};

struct Row {
  std::vector<const DeviceModel*> models;
  std::vector<Tile> tiles;  // one per orientation, in kOrientations' order
};

std::string titleOf(const Row& row) {
  std::vector<std::string_view> names;
  std::string title;
  for (const DeviceModel* m : row.models) {
    if (std::find(names.begin(), names.end(), m->marketingName) != names.end()) continue;
    names.push_back(m->marketingName);
    title += (title.size() ? ", " : "") + std::string(m->marketingName);
  }
  return title;
}

std::string detailsOf(const Row& row) {
  const DeviceModel& m = *row.models.front();
  std::string ids;
  for (const DeviceModel* model : row.models)
    ids += (ids.empty() ? "" : ", ") + std::string(model->identifier);
  return ids + "  -  " + formatPoints(m.width) + " x " + formatPoints(m.height) + " points at " +
         formatPoints(m.scale) + "x, " + (m.notched() ? "split bar" : "classic bar") +
         (modelTestAccepts(m) ? ", isIPhoneX" : "");
}

}  // namespace

int writeAllDevicesSheet(const PreviewOptions& options, const PreviewBackdrop& backdrop, std::ostream& out,
                         std::ostream& err) {
  const DeviceModel* only = nullptr;
  if (options.device) only = deviceModelNamed(*options.device);
  std::vector<Row> rows;
  for (const DeviceModel& m : deviceModels()) {
    if (only && looks(m) != looks(*only)) continue;
    auto same = std::find_if(rows.begin(), rows.end(),
                             [&](const Row& r) { return looks(*r.models.front()) == looks(m); });
    if (same == rows.end())
      rows.push_back({{&m}, {}});
    else
      same->models.push_back(&m);
  }

  const auto mode = options.mode == "ringer" ? tarvo::VolumeMode::Ringer : tarvo::VolumeMode::Media;
  std::optional<tarvo::Settings> settings;
  bool hidden = false;
  for (Row& row : rows) {
    const DeviceModel& model = *row.models.front();
    for (std::size_t i = 0; i < std::size(kOrientations); ++i) {
      PreviewStill still = renderPreviewStill(options, model, kOrientations[i], kScale, true, backdrop);
      Tile tile{still.image, {}};
      if (still.settings) {
        settings = still.settings;
        tile.collisions = checkHudGeometry(*still.settings, model,
                                           static_cast<tarvo::InterfaceOrientation>(kOrientations[i]), mode);
      }
      hidden = hidden || !still.hudShown;
      row.tiles.push_back(std::move(tile));
    }
  }

  // Each screen is a block: its two upright frames side by side, its two landscape frames stacked beside
  // them; blocks fill the sheet two to a line.
  int portraitWidth = 120, landscapeWidth = 120;
  for (const Row& row : rows)
    for (std::size_t i = 0; i < row.tiles.size(); ++i)
      if (const auto& image = row.tiles[i].image)
        (i < 2 ? portraitWidth : landscapeWidth) =
            std::max(i < 2 ? portraitWidth : landscapeWidth, image->width());
  auto tileHeight = [](const Tile& t) {
    return (t.image ? t.image->height() : 0) + kTileTitle + static_cast<int>(t.collisions.size()) * kNoteLine;
  };
  auto blockHeight = [&](const Row& row) {
    const int upright = std::max(tileHeight(row.tiles[0]), tileHeight(row.tiles[1]));
    const int sideways = tileHeight(row.tiles[2]) + kMargin + tileHeight(row.tiles[3]);
    return kRowTitle + std::max(upright, sideways);
  };
  constexpr int kBlocksPerLine = 2;
  const int blockWidth = 2 * portraitWidth + landscapeWidth + 2 * kMargin;
  const int width = kMargin + kBlocksPerLine * (blockWidth + kMargin);
  std::vector<std::pair<int, int>> corners;  // each block's top-left
  int height = kMargin;
  for (std::size_t first = 0; first < rows.size(); first += kBlocksPerLine) {
    int tallest = 0;
    for (std::size_t r = first; r < std::min(rows.size(), first + kBlocksPerLine); ++r) {
      corners.push_back({kMargin + static_cast<int>(r - first) * (blockWidth + kMargin), height});
      tallest = std::max(tallest, blockHeight(rows[r]));
    }
    height += tallest + kMargin;
  }

  platform::SheetCanvas canvas(width, height);
  const platform::UIColor ink = platform::UIColor::colorWithRed(0.1, 0.1, 0.12, 1);
  const platform::UIColor grey = platform::UIColor::colorWithRed(0.4, 0.4, 0.45, 1);
  const platform::UIColor red = platform::UIColor::colorWithRed(0.9, 0.1, 0.1, 1);
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const Row& row = rows[r];
    const DeviceModel& model = *row.models.front();
    const auto [left, top] = corners[r];
    canvas.text(left, top + 15, titleOf(row), 14, ink, true);
    canvas.text(left, top + 32, detailsOf(row), 11, grey);
    const int uprightBottom = top + kRowTitle +
                              std::max(row.tiles[0].image ? row.tiles[0].image->height() : 0,
                                       row.tiles[1].image ? row.tiles[1].image->height() : 0);
    for (std::size_t i = 0; i < row.tiles.size(); ++i) {
      const Tile& tile = row.tiles[i];
      const double x = i < 2 ? left + static_cast<double>(i) * (portraitWidth + kMargin)
                             : left + 2.0 * (portraitWidth + kMargin);
      const double y = i == 3 ? top + kRowTitle + tileHeight(row.tiles[2]) + kMargin : top + kRowTitle;
      if (tile.image) canvas.place(*tile.image, x, y);
      const auto orientation = static_cast<tarvo::InterfaceOrientation>(kOrientations[i]);
      for (const Collision& c : tile.collisions) {
        const platform::CGRect seen = asSeen(c.area, orientation, model.width, model.height);
        if (seen.size.width <= 0 || seen.size.height <= 0) continue;
        canvas.outline({{x + seen.origin.x * kScale, y + seen.origin.y * kScale},
                        {seen.size.width * kScale, seen.size.height * kScale}},
                       red, 1.5);
      }
      double below = (i < 2 ? uprightBottom : y + (tile.image ? tile.image->height() : 0)) + 14;
      canvas.text(x, below, nameOf(kOrientations[i]), 12, ink);
      for (const Collision& c : tile.collisions) canvas.text(x, below += kNoteLine, c.brief, 10.5, red);
    }
  }

  platform::CGImageRef sheet = canvas.compose();
  if (!sheet || !platform::writePng(*sheet, options.output)) {
    err << "tarvo12-sim: cannot write " << options.output.string() << "\n";
    return 2;
  }
  if (hidden)
    err << "tarvo12-sim: note: the HUD is not on screen in some frames (is it enabled? `lint` shows what the "
           "settings do)\n";
  std::size_t models = 0;
  for (const Row& row : rows) models += row.models.size();
  out << "sheet        " << options.output.string() << " (" << models << " models on " << rows.size()
      << " screens, four orientations, " << options.mode << " at " << options.level << ")\n";
  if (settings)
    for (const LintWarning& w : geometryWarnings(*settings, only)) out << "warning: " << w.text << "\n";
  return 0;
}

}  // namespace sim
