#pragma once
// UIApplication (one per process, made through the runtime) and NSBundle's main bundle.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/runtime/object.h"
#include "platform/uikit/responder.h"

namespace platform {

class Process;

enum UIUserInterfaceLayoutDirection : long {
  UIUserInterfaceLayoutDirectionLeftToRight = 0,
  UIUserInterfaceLayoutDirectionRightToLeft = 1,
};

class UIApplication : public UIResponder {
 public:
  using UIResponder::UIResponder;

  // The process's application object, nil before UIApplicationMain made it.
  static std::shared_ptr<UIApplication> sharedApplication(Process& process);

  const std::optional<std::string>& bundleIdentifier() const;
  UIUserInterfaceLayoutDirection userInterfaceLayoutDirection() const { return direction_; }
  void setUserInterfaceLayoutDirection(UIUserInterfaceLayoutDirection direction) { direction_ = direction; }

  // The instance variable "_statusBar": the status bar view, nil until the status bar classes set one.
  rt::Id statusBar;

 private:
  UIUserInterfaceLayoutDirection direction_ = UIUserInterfaceLayoutDirectionLeftToRight;
};

// Makes the process's application object with alloc + init sent through the runtime (so a replaced init of
// the class is seen), of the named class (a subclass of UIApplication), and keeps it in the process.
// A second call answers the existing object. Nil when the class is missing.
std::shared_ptr<UIApplication> UIApplicationMain(Process& process,
                                                 std::string_view principalClass = "UIApplication");

// The process's application object sent `init` once more, through the runtime, as an app that initialises
// it twice does; traced as app.reinit. False when the process has no application object.
bool initApplicationAgain(Process& process);

class NSBundle {
 public:
  static NSBundle mainBundle(Process& process);
  // Nothing for a process without one.
  const std::optional<std::string>& bundleIdentifier() const { return identifier_; }

 private:
  explicit NSBundle(std::optional<std::string> identifier) : identifier_(std::move(identifier)) {}
  std::optional<std::string> identifier_;
};

}  // namespace platform
