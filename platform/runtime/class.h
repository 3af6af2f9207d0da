#pragma once
// A runtime class: name, superclass, metaclass, methods by selector and instance variables by name.
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <typeindex>

#include "platform/runtime/object.h"

namespace rt {

// A type-erased implementation: a std::function<R(const Id&, A...)> with its signature R(A...).
struct Imp {
  std::type_index signature = typeid(void);
  std::shared_ptr<const void> function;
  explicit operator bool() const { return function != nullptr; }
};

// An instance variable: its type and how to find it inside an object of the owning C++ type.
struct Ivar {
  std::string name;
  std::type_index type = typeid(void);
  std::function<void*(Object&)> address;  // nullptr when the object is not of the owning C++ type
};

class Class : public Object {
 public:
  using Allocator = std::function<Id(Class&)>;

  Class(Runtime& runtime, std::string name, Class* superclass, bool isMeta);

  const std::string& name() const { return name_; }
  Class* superclass() const { return superclass_; }
  bool isMetaClass() const { return isMeta_; }
  Class& metaclass() { return isa(); }
  Runtime& owner() const { return *runtime_; }
  bool isSubclassOf(const Class& other) const;

  // Lookup along the superclass chain.
  const Imp* findMethod(std::string_view selector) const;
  const Imp* ownMethod(std::string_view selector) const;
  void setMethod(std::string_view selector, Imp imp);

  const Ivar* findIvar(std::string_view name) const;
  template <class Owner, class T>
  void addIvar(std::string name, T Owner::*member) {
    Ivar ivar{name, typeid(T), [member](Object& obj) -> void* {
                 auto* owner = dynamic_cast<Owner*>(&obj);
                 return owner ? static_cast<void*>(&(owner->*member)) : nullptr;
               }};
    ivars_.insert_or_assign(std::move(name), std::move(ivar));
  }

  // `alloc`: makes an object of the C++ type registered for this class or its nearest superclass.
  void setAllocator(Allocator allocator) { allocator_ = std::move(allocator); }
  Id allocate();

  std::string description() const override { return name_; }

 private:
  friend class Runtime;
  Runtime* runtime_;
  std::string name_;
  Class* superclass_;
  bool isMeta_;
  std::map<std::string, Imp, std::less<>> methods_;
  std::map<std::string, Ivar, std::less<>> ivars_;
  Allocator allocator_;
};

}  // namespace rt
