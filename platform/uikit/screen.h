#pragma once
// UIScreen: the device's screen, portrait bounds in points and its scale.
#include <memory>

#include "platform/graphics/geometry.h"
#include "platform/runtime/object.h"

namespace platform {

class Process;

class UIScreen : public rt::Object {
 public:
  using rt::Object::Object;

  // One per process, made through the runtime on first use.
  static std::shared_ptr<UIScreen> mainScreen(Process& process);

  CGRect bounds() const;
  double scale() const;
};

}  // namespace platform
