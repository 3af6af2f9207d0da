#include "sim/studio/view_at_point.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "hud/tarvo12.h"
#include "platform/foundation/json.h"
#include "platform/uikit/view.h"
#include "platform/uikit/window.h"
#include "sim/observe/hud_snapshot.h"
#include "sim/scenario/snapshot_fields.h"
#include "sim/studio/studio_phone.h"

namespace sim::studio {

namespace {

using platform::CGPoint;
using platform::UIView;

bool seen(const UIView& view) { return !view.isHidden() && view.alpha() >= 0.01; }

bool inside(const UIView& view, CGPoint local) {
  auto b = view.bounds();
  return local.x >= b.origin.x && local.y >= b.origin.y && local.x < b.origin.x + b.size.width &&
         local.y < b.origin.y + b.size.height;
}

// The deepest visible view at `local` (in `view`'s coordinates), front to back.
std::shared_ptr<UIView> deepest(const std::shared_ptr<UIView>& view, CGPoint local) {
  if (!seen(*view) || !inside(*view, local)) return nullptr;
  const auto& children = view->subviews();
  for (auto it = children.rbegin(); it != children.rend(); ++it)
    if (auto hit = deepest(*it, (*it)->convertPointFromSuperview(local))) return hit;
  return view;
}

// The bounding box on screen of the view's bounds, through every transform above it.
nlohmann::json screenFrame(const UIView& view) {
  auto b = view.bounds();
  double x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;
  for (CGPoint corner : {CGPoint{b.origin.x, b.origin.y}, CGPoint{b.origin.x + b.size.width, b.origin.y},
                         CGPoint{b.origin.x, b.origin.y + b.size.height},
                         CGPoint{b.origin.x + b.size.width, b.origin.y + b.size.height}}) {
    CGPoint p = view.convertPointToView(corner, nullptr);
    x0 = std::min(x0, p.x), y0 = std::min(y0, p.y), x1 = std::max(x1, p.x), y1 = std::max(y1, p.y);
  }
  auto round = [](double v) { return std::round(v * 100) / 100; };
  return nlohmann::json::array({round(x0), round(y0), round(x1 - x0), round(y1 - y0)});
}

std::string number(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", v);
  return text;
}

std::string hexByte(double component) {
  char text[4];
  std::snprintf(text, sizeof text, "%02X", static_cast<int>(std::lround(std::clamp(component, 0.0, 1.0) * 255)));
  return text;
}

// The value as an `expect` line writes it, or nothing when this field's value has no plain spelling.
std::optional<std::string> literal(FieldType type, const platform::PlistValue& value) {
  auto numbers = [&](std::size_t count) -> std::optional<std::vector<double>> {
    const auto* array = value.asArray();
    if (!array || array->size() != count) return std::nullopt;
    std::vector<double> out;
    for (const auto& v : *array) {
      auto d = v.doubleValue();
      if (!d || !std::isfinite(*d)) return std::nullopt;
      out.push_back(*d);
    }
    return out;
  };
  switch (type) {
    case FieldType::Bool: {
      auto b = value.boolValue();
      return b ? std::optional<std::string>(*b ? "true" : "false") : std::nullopt;
    }
    case FieldType::Real: {
      auto d = value.doubleValue();
      return d && std::isfinite(*d) ? std::optional<std::string>(number(*d)) : std::nullopt;
    }
    case FieldType::Rect:
    case FieldType::Point: {
      auto n = numbers(type == FieldType::Rect ? 4 : 2);
      if (!n) return std::nullopt;
      std::string out;
      for (double v : *n) out += (out.empty() ? "" : " ") + number(v);
      return out;
    }
    case FieldType::Colour: {
      auto n = numbers(4);
      if (!n) return std::nullopt;
      return "#" + hexByte((*n)[0]) + hexByte((*n)[1]) + hexByte((*n)[2]) + ":" + number((*n)[3]);
    }
    case FieldType::Text: {
      const auto* s = value.asString();
      if (!s || s->find_first_of("\"\\\n") != std::string::npos) return std::nullopt;
      return "\"" + *s + "\"";
    }
    case FieldType::Glyph:
    case FieldType::Alignment: {
      const auto* s = value.asString();
      return s ? std::optional<std::string>(*s) : std::nullopt;
    }
    case FieldType::Value: return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace

nlohmann::json viewAtPoint(StudioPhone& phone, double x, double y) {
  auto windows = platform::windowsByLevel(phone.phone().device());
  CGPoint point{x, y};
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
    const auto& window = *it;
    auto view = deepest(window, window->convertPointFromSuperview(point));
    if (!view) continue;
    nlohmann::json answer{{"hit", true},
                          {"x", x},
                          {"y", y},
                          {"process", view->process().name()},
                          {"window", window->className()},
                          {"class", view->className()},
                          {"frame", screenFrame(*view)}};
    nlohmann::json fields = nlohmann::json::object();
    nlohmann::json expects = nlohmann::json::array();
    tarvo::Tarvo12* lib = phone.phone().tarvo();
    if (auto hud = lib ? hudViewOf(*lib, view.get()) : std::nullopt) {
      answer["name"] = std::string(nameOf(*hud));
      for (const SnapshotField& field : snapshotFields()) {
        if (field.view != hud) continue;
        auto value = readHudField(*lib, field);
        if (!value) continue;
        fields[field.name] = nlohmann::json::parse(platform::toJson(*value));
        if (auto text = literal(field.type, *value)) {
          bool tolerant = field.type == FieldType::Real || field.type == FieldType::Rect || field.type == FieldType::Point;
          expects.push_back("expect " + field.name + " == " + *text + (tolerant ? " within 0.01" : ""));
        }
      }
    }
    answer["fields"] = fields;
    answer["expect"] = expects;
    return answer;
  }
  return {{"hit", false}, {"x", x}, {"y", y}};
}

}  // namespace sim::studio
