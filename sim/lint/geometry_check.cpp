#include "sim/lint/geometry_check.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>

#include "hud/status_bar_requests.h"
#include "platform/uikit/status_bar_items.h"
#include "settings/device_model.h"
#include "settings/settings.h"
#include "sim/lint/hud_placement.h"
#include "sim/lint/screen_obstacles.h"

namespace sim {

using platform::CGRect;
using tarvo::InterfaceOrientation;

namespace {

constexpr double kEdge = 0.01;  // points that count as touching

double minX(CGRect r) {
  return r.origin.x;
}
double minY(CGRect r) {
  return r.origin.y;
}
double maxX(CGRect r) {
  return r.origin.x + r.size.width;
}
double maxY(CGRect r) {
  return r.origin.y + r.size.height;
}

bool finite(CGRect r) {
  return std::isfinite(r.origin.x) && std::isfinite(r.origin.y) && std::isfinite(r.size.width) &&
         std::isfinite(r.size.height);
}

// The overlap of two rectangles, when it is large enough to see.
bool overlap(CGRect a, CGRect b, CGRect& out) {
  const double x0 = std::max(minX(a), minX(b)), x1 = std::min(maxX(a), maxX(b));
  const double y0 = std::max(minY(a), minY(b)), y1 = std::min(maxY(a), maxY(b));
  if (x1 - x0 < kLeastCollision || y1 - y0 < kLeastCollision) return false;
  out = {{x0, y0}, {x1 - x0, y1 - y0}};
  return true;
}

std::string points(double n) {
  const std::string text = formatPoints(n);
  return text + (text == "1" ? " point" : " points");
}

// Which part of the HUD (`hud`, as seen) the overlap (`part`, as seen) is: "left 67", "top 4", "middle 20".
std::pair<std::string, std::string> partOf(CGRect part, CGRect hud) {
  const bool fromLeft = minX(part) <= minX(hud) + kEdge, toRight = maxX(part) >= maxX(hud) - kEdge;
  if (fromLeft && toRight) {
    const std::string n = points(part.size.height);
    if (minY(part) <= minY(hud) + kEdge) return {"top", n};
    if (maxY(part) >= maxY(hud) - kEdge) return {"bottom", n};
    return {"middle", n};
  }
  const std::string n = points(part.size.width);
  if (fromLeft) return {"left", n};
  if (toRight) return {"right", n};
  return {"middle", n};
}

std::string joined(const std::vector<std::string>& words) {
  std::string out;
  for (std::size_t i = 0; i < words.size(); ++i)
    out += (i == 0 ? "" : i + 1 == words.size() ? " and " : ", ") + words[i];
  return out;
}

struct Context {
  const tarvo::Settings& settings;
  const DeviceModel& model;
  InterfaceOrientation orientation;
  tarvo::VolumeMode mode;
  HudPlacement hud;
  CGRect screen;  // portrait
  std::vector<Collision>& out;

  // Sides and corners are named in the frame the HUD is laid out in: as the person sees them in landscape,
  // the portrait screen's upside down too (the HUD is not turned there, so it is seen upside down).
  CGRect seen(CGRect r) const {
    const auto frame = landscape() ? orientation : InterfaceOrientation::Portrait;
    return asSeen(r, frame, model.width, model.height);
  }
  bool landscape() const { return tarvo::isLandscape(orientation); }
  std::string yKey() const { return landscape() ? "yPositionLandscape" : "yPosition"; }
  std::string sideKey() const { return landscape() ? "rightLeftFixedLandscape" : "rightLeftFixed"; }
  std::string widthKey() const { return settings.FULLWIDTH ? "fullWidth" : "sliderWidth"; }
  std::vector<std::string> positionKeys() const { return {yKey(), sideKey(), "alignment"}; }
  CGRect visible(CGRect r) const {
    CGRect clipped;
    return overlap(r, screen, clipped) ? clipped : platform::CGRectZero;
  }
  void add(Collision::Kind kind, std::string what, std::string brief, CGRect area,
           std::vector<std::string> keys) {
    out.push_back({kind, std::move(what), std::move(brief), visible(area), std::move(keys)});
  }
};

void checkScreenEdges(Context& c) {
  const CGRect hud = c.seen(c.hud.extent), screen = c.seen(c.screen);
  std::vector<std::string> sides, briefs;
  std::vector<std::string> keys;
  auto side = [&](double by, const char* name, std::vector<std::string> moving) {
    if (by < kLeastCollision) return;
    sides.push_back(points(by) + " at the " + name);
    briefs.push_back(formatPoints(by) + " " + name);
    for (auto& key : moving)
      if (std::find(keys.begin(), keys.end(), key) == keys.end()) keys.push_back(key);
  };
  const std::vector<std::string> along{"alignment", c.sideKey(), c.widthKey()};
  const std::vector<std::string> across{c.yKey(), "fromBottom"};
  side(-minX(hud), "left", along);
  side(maxX(hud) - screen.size.width, "right", along);
  side(-minY(hud), "top", across);
  side(maxY(hud) - screen.size.height, "bottom", across);
  if (sides.empty()) return;
  std::string what = "the HUD leaves the screen by " + joined(sides);
  if (hud.size.width > screen.size.width + kLeastCollision)
    what = "the HUD is " + formatPoints(hud.size.width) + " points wide on the " +
           formatPoints(screen.size.width) + "-point screen: " + joined(sides) + " are cut off";
  c.add(Collision::Kind::OffScreen, what, "off screen: " + joined(briefs), c.hud.extent, keys);
}

void checkHousing(Context& c) {
  CGRect under;
  if (!overlap(c.hud.extent, housingRect(c.model), under)) return;
  const auto [side, n] = partOf(c.seen(under), c.seen(c.hud.extent));
  const std::string lie = n.ends_with(" point") ? " lies" : " lie";
  const std::string what = side == "middle"
                               ? n + " in the HUD's middle" + lie + " under the sensor housing"
                               : "the HUD's " + side + " " + n + lie + " under the sensor housing";
  c.add(Collision::Kind::Housing, what, "housing: " + side + " " + n, under, c.positionKeys());
}

// How far the HUD, a rectangle rounded by `radius`, reaches past the screen's rounded corners: in each
// corner square, the HUD's inner rectangle's corner furthest from the screen's inner rectangle decides.
void checkCorners(Context& c) {
  const double R = c.model.display.cornerRadius;
  if (!(R > 0)) return;
  const CGRect e = c.hud.extent;
  const double r = c.hud.radius;
  const double w = c.model.width, h = c.model.height;
  const CGRect seenScreen = c.seen(c.screen);
  double deepest = 0;
  CGRect area = platform::CGRectNull;
  std::vector<std::string> names;
  for (double qx : {minX(e) + r, maxX(e) - r})
    for (double qy : {minY(e) + r, maxY(e) - r}) {
      const bool left = qx<R, right = qx> w - R, top = qy<R, bottom = qy> h - R;
      if (!(left || right) || !(top || bottom)) continue;
      const double depth = std::hypot(qx - (left ? R : w - R), qy - (top ? R : h - R)) + r - R;
      if (depth < kLeastCollision) continue;
      deepest = std::max(deepest, depth);
      const CGRect square{{left ? 0 : w - R, top ? 0 : h - R}, {R, R}};
      CGRect inCorner;
      area = platform::CGRectUnion(area, overlap(e, square, inCorner) ? inCorner : square);
      const CGRect seenCorner = c.seen({{left ? 0 : w, top ? 0 : h}, {0, 0}});
      names.push_back(std::string(minY(seenCorner) < seenScreen.size.height / 2 ? "top" : "bottom") + "-" +
                      (minX(seenCorner) < seenScreen.size.width / 2 ? "left" : "right"));
    }
  if (names.empty()) return;
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  const std::string where = joined(names) + (names.size() == 1 ? " corner" : " corners");
  c.add(Collision::Kind::Corner, "the HUD reaches " + points(deepest) + " into the rounded " + where,
        "corner: " + points(deepest) + " " + joined(names), area, c.positionKeys());
}

// The items a show leaves hidden on a bar where nothing was hidden, as the system decides it. The shell
// reports no split layout unless a scenario says so, so only the model test raises a split flag.
std::set<int> itemsHidden(const tarvo::Settings& settings, const DeviceModel& model) {
  const bool isIPhoneX = std::find(tarvo::kNotchedModels.begin(), tarvo::kNotchedModels.end(),
                                   model.identifier) != tarvo::kNotchedModels.end();
  const tarvo::StatusBarHiding hiding = tarvo::hidingOnFirstShow(settings, isIPhoneX, false);
  std::set<int> hidden;
  if (hiding.timeArea) hidden.insert({platform::status_bar_item::kTime, platform::status_bar_item::kService});
  switch (hiding.classic) {
    case tarvo::ClassicHiding::WholeBar:
      for (const auto& place : statusBarItemPlaces(model)) hidden.insert(place.item);
      break;
    case tarvo::ClassicHiding::Time:
      hidden.insert(platform::status_bar_item::kTime);
      break;
    case tarvo::ClassicHiding::LeftItems:
      hidden.insert(std::begin(tarvo::kLeftItems), std::end(tarvo::kLeftItems));
      break;
    case tarvo::ClassicHiding::RightItems:
      hidden.insert(std::begin(tarvo::kRightItems), std::end(tarvo::kRightItems));
      break;
    case tarvo::ClassicHiding::None:
      break;
  }
  return hidden;
}

void checkStatusBar(Context& c) {
  const std::set<int> hidden = itemsHidden(c.settings, c.model);
  std::vector<int> covered;
  std::vector<std::string> names;
  CGRect area = platform::CGRectNull;
  for (const auto& place : statusBarItemPlaces(c.model)) {
    CGRect under;
    if (hidden.count(place.item) || !overlap(c.hud.extent, place.frame, under)) continue;
    covered.push_back(place.item);
    names.emplace_back(platform::statusBarItemName(place.item));
    area = platform::CGRectUnion(area, place.frame);
  }
  if (covered.empty()) return;
  std::vector<std::string> keys = c.positionKeys();
  // The hiding settings that, switched on as well, would hide one of them.
  for (const auto& entry : tarvo::kSettingsTable) {
    if (entry.kind != tarvo::SettingKind::Switch || !entry.key.starts_with("statusBarHide")) continue;
    tarvo::Settings more = c.settings;
    more.*entry.switchMember = true;
    const std::set<int> then = itemsHidden(more, c.model);
    if (std::any_of(covered.begin(), covered.end(), [&](int item) { return then.count(item) > 0; }))
      keys.emplace_back(entry.key);
  }
  c.add(Collision::Kind::StatusBar,
        "the HUD covers the status bar's " + joined(names) + ", which it does not hide",
        "covers " + joined(names), area, keys);
}

}  // namespace

std::vector<Collision> checkHudGeometry(const tarvo::Settings& settings, const DeviceModel& model,
                                        InterfaceOrientation orientation, tarvo::VolumeMode mode) {
  std::vector<Collision> out;
  Context c{settings,
            model,
            orientation,
            mode,
            placeHud(settings, model, orientation, mode),
            {{0, 0}, {model.width, model.height}},
            out};
  // Sizes that are not numbers have a warning of their own; an empty HUD collides with nothing.
  if (!finite(c.hud.extent) || !std::isfinite(c.hud.radius) || c.hud.extent.size.width <= 0 ||
      c.hud.extent.size.height <= 0)
    return out;
  checkScreenEdges(c);
  checkHousing(c);
  checkCorners(c);
  if (!c.landscape()) checkStatusBar(c);
  return out;
}

std::string formatPoints(double points) {
  char text[64];
  std::snprintf(text, sizeof text, "%.1f", std::round(points * 10) / 10);
  std::string s = text;
  if (s.size() > 2 && s.compare(s.size() - 2, 2, ".0") == 0) s.resize(s.size() - 2);
  return s;
}

}  // namespace sim
