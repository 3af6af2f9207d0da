#include "platform/uikit/window.h"

#include <algorithm>
#include <cmath>

#include "platform/device/device.h"

namespace platform {

UIWindow::UIWindow(rt::Class& cls) : UIView(cls) {
  setHidden(true);
}

void UIWindow::setWindowLevel(double level) {
  if (!std::isnan(level)) windowLevel_ = level;
}

void UIWindow::makeKeyAndVisible() {
  setHidden(false);
  makeKeyWindow();
}

void UIWindow::makeKeyWindow() {
  process().service<WindowRegistry>().setKeyWindow(std::static_pointer_cast<UIWindow>(shared_from_this()));
}

bool UIWindow::isKeyWindow() const {
  return process().service<WindowRegistry>().keyWindow().get() == this;
}

void WindowRegistry::add(const std::shared_ptr<UIWindow>& window) {
  std::erase_if(windows_, [](const std::weak_ptr<UIWindow>& w) { return w.expired(); });
  windows_.push_back(window);
}

std::vector<std::shared_ptr<UIWindow>> WindowRegistry::windows() {
  std::vector<std::shared_ptr<UIWindow>> live;
  live.reserve(windows_.size());
  for (const auto& w : windows_)
    if (auto window = w.lock()) live.push_back(std::move(window));
  return live;
}

void WindowRegistry::scheduleLayoutPass() {
  if (layoutScheduled_) return;
  layoutScheduled_ = true;
  process_.runLoop().performSoon([&process = process_] { process.service<WindowRegistry>().layoutNow(); });
}

void WindowRegistry::layoutNow() {
  layoutScheduled_ = false;
  for (const auto& window : windows()) window->layoutIfNeeded();
}

std::vector<std::shared_ptr<UIWindow>> windowsOf(Process& process) {
  return process.service<WindowRegistry>().windows();
}

void sortByLevel(std::vector<std::shared_ptr<UIWindow>>& windows) {
  std::stable_sort(windows.begin(), windows.end(),
                   [](const auto& a, const auto& b) { return a->windowLevel() < b->windowLevel(); });
}

std::vector<std::shared_ptr<UIWindow>> windowsByLevel(Device& device) {
  std::vector<std::shared_ptr<UIWindow>> all;
  for (const auto& process : device.processes()) {
    auto windows = windowsOf(*process);
    all.insert(all.end(), windows.begin(), windows.end());
  }
  sortByLevel(all);
  return all;
}

}  // namespace platform
