#pragma once
// UIWindow, and every process's list of the windows it has made, which the renderer and taps read.
#include <memory>
#include <vector>

#include "platform/uikit/view.h"

namespace platform {

class Device;

inline constexpr double UIWindowLevelNormal = 0;
inline constexpr double UIWindowLevelStatusBar = 1000;
inline constexpr double UIWindowLevelAlert = 2000;

class UIWindow : public UIView {
 public:
  // Windows start hidden, as in UIKit.
  explicit UIWindow(rt::Class& cls);

  double windowLevel() const { return windowLevel_; }
  // NaN is refused.
  void setWindowLevel(double level);
  // Shows the window and makes it the process's key window.
  void makeKeyAndVisible();
  void makeKeyWindow();
  bool isKeyWindow() const;
  // The private _setSecure: (the window also shows over the lock screen); recorded only.
  bool isSecure() const { return secure_; }
  void setSecure(bool secure) { secure_ = secure; }

 private:
  double windowLevel_ = UIWindowLevelNormal;
  bool secure_ = false;
};

// A process's windows, in the order they were made (a window lives as long as someone holds it), its key
// window, and the pending layout pass.
class WindowRegistry {
 public:
  explicit WindowRegistry(Process& process) : process_(process) {}

  void add(const std::shared_ptr<UIWindow>& window);
  std::vector<std::shared_ptr<UIWindow>> windows();
  std::shared_ptr<UIWindow> keyWindow() const { return key_.lock(); }
  void setKeyWindow(const std::shared_ptr<UIWindow>& window) { key_ = window; }

  // Lays out every window's views that need it, on the next turn of the run loop (once, however often asked).
  void scheduleLayoutPass();
  void layoutNow();

 private:
  Process& process_;
  std::vector<std::weak_ptr<UIWindow>> windows_;
  std::weak_ptr<UIWindow> key_;
  bool layoutScheduled_ = false;
};

std::vector<std::shared_ptr<UIWindow>> windowsOf(Process& process);
// Every live window of every process of the device, lowest level first; equal levels keep process order,
// then the order in which the windows were made (later ones in front).
std::vector<std::shared_ptr<UIWindow>> windowsByLevel(Device& device);
// The same ordering for a list of windows.
void sortByLevel(std::vector<std::shared_ptr<UIWindow>>& windows);

}  // namespace platform
