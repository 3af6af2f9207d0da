#include "kit/object_lookup.h"

#include <typeindex>

#include "platform/runtime/message.h"
#include "platform/uikit/application.h"
#include "shared/protocol.h"

namespace tarvokit {

rt::Id objectIvar(const rt::Id& object, std::string_view name) {
  const rt::Ivar* ivar = rt::class_getInstanceVariable(rt::object_getClass(object), name);
  if (!ivar || ivar->type != std::type_index(typeid(rt::Id)) || !ivar->address) return nullptr;
  const auto* slot = static_cast<const rt::Id*>(ivar->address(*object));
  return slot ? *slot : nullptr;
}

rt::Id sharedStatusBar(platform::Process& process) {
  return objectIvar(platform::UIApplication::sharedApplication(process), "_statusBar");
}

bool modifierIsHide(const platform::PlistDict* userInfo) {
  const std::string* modifier =
      userInfo ? platform::stringForKey(*userInfo, tarvo::protocol::kModifier) : nullptr;
  return modifier && *modifier == tarvo::protocol::kHide;
}

}  // namespace tarvokit
