#pragma once
// Base of every object the platform runtime knows: each one has a runtime class (its isa),
// through which messages, method replacement and instance variables are resolved.
#include <memory>
#include <string>
#include <string_view>

namespace platform {
class Process;
}

namespace rt {

class Class;
class Runtime;

class Object : public std::enable_shared_from_this<Object> {
 public:
  explicit Object(Class& cls);
  virtual ~Object();
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;

  // The runtime class; for a class object this is its metaclass.
  Class& isa() const { return *isa_; }
  const std::string& className() const;
  Runtime& runtime() const;
  platform::Process& process() const;

  // isKindOfClass: with the class looked up by name in this object's runtime; an absent class is never matched.
  bool isKindOfClass(std::string_view name) const;
  bool isMemberOfClass(std::string_view name) const;

  // What NSLog's %@ prints for the object.
  virtual std::string description() const;

  std::shared_ptr<Object> self() { return shared_from_this(); }

  // What descriptions print where the platform prints an address: a number the runtime gives each object in
  // the order they are made, so that traces repeat exactly from run to run.
  std::string addressText() const;

 protected:
  struct Uncounted {};
  explicit Object(Uncounted) {}
  void setIsa(Class& cls) { isa_ = &cls; }

 private:
  Class* isa_ = nullptr;
  std::shared_ptr<long> census_;  // live-object count of the runtime that made this object
  unsigned long serial_ = 0;
};

using Id = std::shared_ptr<Object>;
using WeakId = std::weak_ptr<Object>;

// Downcast an object to the C++ type behind it; nullptr for nil or another type.
template <class T>
std::shared_ptr<T> cast(const Id& obj) {
  return std::dynamic_pointer_cast<T>(obj);
}

}  // namespace rt
