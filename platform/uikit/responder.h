#pragma once
// UIResponder: the base of views and of the application object.
#include "platform/runtime/object.h"

namespace platform {

class UIResponder : public rt::Object {
 public:
  using rt::Object::Object;
};

}  // namespace platform
