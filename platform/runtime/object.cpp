#include "platform/runtime/object.h"

#include <cstdio>

#include "platform/runtime/class.h"
#include "platform/runtime/runtime.h"

namespace rt {

Object::Object(Class& cls) : isa_(&cls), census_(cls.owner().census()) { ++*census_; }

Object::~Object() {
  if (census_) --*census_;
}

const std::string& Object::className() const { return isa_->name(); }

Runtime& Object::runtime() const { return isa_->owner(); }

platform::Process& Object::process() const { return *runtime().process(); }

bool Object::isKindOfClass(std::string_view name) const {
  const Class* target = runtime().lookUpClass(name);
  return target && isa_->isSubclassOf(*target);
}

bool Object::isMemberOfClass(std::string_view name) const { return isa_->name() == name; }

std::string Object::description() const {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, ": %p>", static_cast<const void*>(this));
  return "<" + className() + buffer;
}

}  // namespace rt
