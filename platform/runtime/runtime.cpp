#include "platform/runtime/runtime.h"

#include <cxxabi.h>

#include <stdexcept>

#include "platform/runtime/message.h"

namespace rt {

namespace {
std::string demangle(const char* name) {
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> out(abi::__cxa_demangle(name, nullptr, nullptr, &status), std::free);
  return status == 0 && out ? out.get() : name;
}

// The class object of the root metaclass points at itself, as in the platform.
class MetaClass : public Class {
 public:
  using Class::Class;
  void pointAt(Class& isa) { setIsa(isa); }
};
}  // namespace

void throwSignatureMismatch(std::string_view selector, const std::type_index& registered,
                            const std::type_info& requested) {
  throw std::logic_error("signature mismatch for '" + std::string(selector) + "': registered " +
                         demangle(registered.name()) + ", sent as " + demangle(requested.name()));
}

void throwUnrecognizedSelector(const Object& receiver, std::string_view selector) {
  throw std::logic_error("unrecognized selector '" + std::string(selector) + "' sent to " + receiver.className());
}

bool respondsToSelector(const Id& receiver, std::string_view selector) {
  return receiver && receiver->isa().findMethod(selector) != nullptr;
}

Id classObject(Class& cls) { return cls.shared_from_this(); }

Runtime::Runtime(platform::Process* process) : process_(process) {}

Runtime::~Runtime() = default;

Class& Runtime::registerClass(std::string_view name, std::string_view superclassName) {
  if (classes_.count(name)) throw std::logic_error("class registered twice: " + std::string(name));
  Class* super = superclassName.empty() ? nullptr : &requireClass(superclassName);
  Class* superMeta = super ? &super->metaclass() : nullptr;

  auto meta = std::make_shared<MetaClass>(*this, std::string(name), superMeta, true);
  auto cls = std::make_shared<MetaClass>(*this, std::string(name), super, false);
  cls->pointAt(*meta);
  // A root class's metaclass inherits from the root class itself; every metaclass's isa is the root metaclass.
  if (!super) {
    meta->superclass_ = cls.get();
    meta->pointAt(*meta);
  } else {
    meta->pointAt(super->metaclass().isa());
  }
  classes_.emplace(std::string(name), cls);
  metaclasses_.push_back(meta);
  return *cls;
}

Class* Runtime::lookUpClass(std::string_view name) const {
  auto it = classes_.find(name);
  return it == classes_.end() ? nullptr : it->second.get();
}

Class& Runtime::requireClass(std::string_view name) const {
  Class* cls = lookUpClass(name);
  if (!cls) throw std::logic_error("no class named " + std::string(name));
  return *cls;
}

}  // namespace rt
