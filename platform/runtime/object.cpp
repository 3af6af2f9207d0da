#include "platform/runtime/object.h"

#include <cstdio>

#include "platform/runtime/class.h"
#include "platform/runtime/runtime.h"

namespace rt {

Object::Object(Class& cls) : isa_(&cls), census_(cls.owner().census()), serial_(cls.owner().nextSerial()) {
  ++*census_;
}

std::string Object::addressText() const {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "0x%lx", 0x100000ul + serial_ * 0x10ul);
  return buffer;
}

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
  return "<" + className() + ": " + addressText() + ">";
}

}  // namespace rt
