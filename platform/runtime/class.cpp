#include "platform/runtime/class.h"

#include "platform/runtime/message.h"

namespace rt {

Class::Class(Runtime& runtime, std::string name, Class* superclass, bool isMeta)
    : Object(Uncounted{}), runtime_(&runtime), name_(std::move(name)), superclass_(superclass), isMeta_(isMeta) {}

bool Class::isSubclassOf(const Class& other) const {
  for (const Class* c = this; c; c = c->superclass_)
    if (c == &other) return true;
  return false;
}

const Imp* Class::ownMethod(std::string_view selector) const {
  auto it = methods_.find(selector);
  return it == methods_.end() ? nullptr : &it->second;
}

const Imp* Class::findMethod(std::string_view selector) const {
  for (const Class* c = this; c; c = c->superclass_)
    if (const Imp* imp = c->ownMethod(selector)) return imp;
  return nullptr;
}

void Class::setMethod(std::string_view selector, Imp imp) {
  methods_.insert_or_assign(std::string(selector), std::move(imp));
}

const Ivar* Class::findIvar(std::string_view name) const {
  for (const Class* c = this; c; c = c->superclass_) {
    auto it = c->ivars_.find(name);
    if (it != c->ivars_.end()) return &it->second;
  }
  return nullptr;
}

Id Class::allocate() {
  for (Class* c = this; c; c = c->superclass_)
    if (c->allocator_) return c->allocator_(*this);
  throw std::logic_error("no allocator for class " + name_);
}

}  // namespace rt
