#include "sim/observe/app_field_check.h"

#include <charconv>

#include "platform/runtime/message.h"
#include "platform/uikit/status_bar.h"
#include "platform/uikit/status_bar_installer.h"
#include "platform/uikit/view.h"
#include "sim/scenario/matching.h"

namespace sim {

namespace {

using platform::PlistValue;

std::shared_ptr<platform::UIView> viewAt(platform::Process& process, const std::vector<std::string>& path) {
  std::shared_ptr<platform::UIView> view = platform::installedStatusBar(process);
  if (!view || path.empty()) return nullptr;
  if (path[0] == "foregroundView") {
    rt::Id* foreground = rt::ivarAddress<rt::Id>(rt::Id(view), "_foregroundView");
    view = foreground ? rt::cast<platform::UIView>(*foreground) : nullptr;
  }
  for (std::size_t i = 1; view && i < path.size(); ++i) {
    std::size_t index = 0;
    std::from_chars(path[i].data(), path[i].data() + path[i].size(), index);
    const auto& subviews = view->subviews();
    view = index < subviews.size() ? subviews[index] : nullptr;
  }
  return view;
}

std::string describeValue(const std::optional<PlistValue>& value) {
  if (!value) return "nil";
  if (const std::string* text = value->asString()) return "\"" + *text + "\"";
  if (std::holds_alternative<bool>(value->storage)) return std::get<bool>(value->storage) ? "true" : "false";
  if (auto number = value->doubleValue(); number && value->isNumber()) {
    char buffer[32];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, *number);
    return error == std::errc() ? std::string(buffer, end) : "a number";
  }
  return "a value";
}

}  // namespace

std::optional<PlistValue> appFieldValue(platform::Process& process, const ExpectAppField& field) {
  if (field.property == "liveObjects")
    return PlistValue(static_cast<std::int64_t>(process.runtime().liveObjects()));
  auto view = viewAt(process, field.view);
  if (!view) return std::nullopt;
  if (field.property == "alpha") return PlistValue(view->alpha());
  if (field.property == "presentation.alpha") return PlistValue(view->presentation(process.now()).alpha);
  if (field.property == "hidden") return PlistValue(view->isHidden());
  return PlistValue(view->className());
}

std::optional<std::string> checkAppField(platform::Process& process, const ExpectAppField& field) {
  std::optional<PlistValue> actual = appFieldValue(process, field);
  if (valueMatches(actual ? &*actual : nullptr, field.comparison, field.expected, field.tolerance))
    return std::nullopt;
  std::string expected = field.comparison == Comparison::Absent ? "nil"
                         : field.comparison == Comparison::Exists
                             ? "not nil"
                             : std::string(symbolOf(field.comparison)) + " " + describeValue(field.expected);
  if (!field.kept.empty()) expected += " (kept " + field.kept + ")";
  std::string name;
  for (const std::string& part : field.view) name += part + ".";
  return "expected " + process.name() + " " + name + field.property + " " + expected + ", found " +
         describeValue(actual);
}

}  // namespace sim
