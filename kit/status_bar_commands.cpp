#include "kit/status_bar_commands.h"

#include <vector>

#include "kit/object_lookup.h"
#include "platform/runtime/message.h"
#include "platform/uikit/view.h"
#include "shared/protocol.h"

namespace tarvokit {

namespace {

constexpr double kBackgroundActivityFadeSeconds = 0.15;
constexpr std::string_view kBackgroundActivityClass = "_UIStatusBarBackgroundActivityView";

// A copy, so that nothing the animations do can move the ground under the walk.
std::vector<platform::UIView::Ptr> subviewsOf(const rt::Id& view) {
  auto asView = rt::cast<platform::UIView>(view);
  return asView ? asView->subviews() : std::vector<platform::UIView::Ptr>{};
}

// The class is looked up by name for every view tested; a process without it has no such views.
bool isBackgroundActivityView(platform::Process& process, const platform::UIView::Ptr& view) {
  rt::Class* cls = rt::NSClassFromString(process.runtime(), kBackgroundActivityClass);
  return cls && view && view->isa().isSubclassOf(*cls);
}

void animateAlpha(platform::Process& process, double duration, const rt::Id& view, double alpha) {
  platform::UIView::animateWithDuration(
      process, duration, 0, 0, [view, alpha] { rt::send<void(double)>(view, "setAlpha:", alpha); },
      [](bool) {});
}

}  // namespace

void fadeBackgroundActivityViews(platform::Process& process, const platform::NSNotification& note) {
  const double alpha = modifierIsHide(note.userInfo()) ? 0 : 1;
  rt::Id statusBar = sharedStatusBar(process);
  // Exactly four levels down, where the split bar keeps them; shallower and deeper views are never tested.
  for (const auto& first : subviewsOf(statusBar))
    for (const auto& second : subviewsOf(first))
      for (const auto& third : subviewsOf(second))
        for (const auto& fourth : subviewsOf(third))
          if (isBackgroundActivityView(process, fourth))
            animateAlpha(process, kBackgroundActivityFadeSeconds, fourth, alpha);
}

void fadeForegroundView(platform::Process& process, const platform::NSNotification& note) {
  const platform::PlistDict* info = note.userInfo();
  const bool hide = modifierIsHide(info);
  const platform::PlistValue* durationValue =
      info ? info->find(tarvo::protocol::kAnimationDuration) : nullptr;
  const float duration = durationValue ? durationValue->floatValue().value_or(0.0f) : 0.0f;

  rt::Id statusBar = sharedStatusBar(process);
  if (!statusBar) return;
  rt::Id foregroundView = objectIvar(statusBar, "_foregroundView");
  if (!foregroundView) return;
  // Divided in single precision, as the value arrives, and only then widened.
  const float third = duration / 3.0f;
  animateAlpha(process, static_cast<double>(third), foregroundView, hide ? 0 : 1);
}

}  // namespace tarvokit
