#pragma once
// The C++ object behind the receiver of a UIKit message. A class registered under a UIKit class with an
// allocator making some other type is a fault of whoever registered it: it is reported, never dereferenced.
#include <memory>
#include <stdexcept>

#include "platform/runtime/object.h"

namespace platform {

template <class T>
std::shared_ptr<T> receiverAs(const rt::Id& self) {
  auto typed = rt::cast<T>(self);
  if (!typed)
    throw std::logic_error(self->className() + " is not backed by the C++ type its UIKit methods need");
  return typed;
}

}  // namespace platform
