#pragma once
// Typed message sends, method replacement and added methods, in the platform's own terms.
//
// A signature is written as a function type without the receiver, e.g. void(float) or Id(CGRect).
// The implementation behind a selector takes the receiver first: std::function<R(const Id&, A...)>.
#include <stdexcept>
#include <string>
#include <string_view>
#include <typeinfo>

#include "platform/runtime/class.h"
#include "platform/runtime/runtime.h"

namespace rt {

template <class Sig>
struct Signature;
template <class R, class... A>
struct Signature<R(A...)> {
  using Result = R;
  using Function = std::function<R(const Id&, A...)>;
};

template <class Sig>
using Impl = typename Signature<Sig>::Function;

[[noreturn]] void throwSignatureMismatch(std::string_view selector, const std::type_index& registered,
                                         const std::type_info& requested);
[[noreturn]] void throwUnrecognizedSelector(const Object& receiver, std::string_view selector);

template <class Sig>
Imp makeImp(Impl<Sig> fn) {
  return Imp{typeid(Sig), std::make_shared<const Impl<Sig>>(std::move(fn))};
}

template <class Sig>
const Impl<Sig>& unwrap(const Imp& imp, std::string_view selector) {
  if (imp.signature != std::type_index(typeid(Sig))) throwSignatureMismatch(selector, imp.signature, typeid(Sig));
  return *static_cast<const Impl<Sig>*>(imp.function.get());
}

namespace detail {
template <class Sig>
struct Sender;
template <class R, class... A>
struct Sender<R(A...)> {
  template <class... Args>
  static R call(const Imp* imp, const Id& receiver, std::string_view selector, Args&&... args) {
    if (!imp) throwUnrecognizedSelector(*receiver, selector);
    const auto& fn = unwrap<R(A...)>(*imp, selector);
    return fn(receiver, std::forward<Args>(args)...);
  }
};
}  // namespace detail

// Sends a message. A message to nil does nothing and answers a value-initialised result.
template <class Sig, class... Args>
typename Signature<Sig>::Result send(const Id& receiver, std::string_view selector, Args&&... args) {
  using R = typename Signature<Sig>::Result;
  if (!receiver) {
    if constexpr (std::is_void_v<R>) return;
    else return R{};
  }
  const Imp* imp = receiver->isa().findMethod(selector);
  return detail::Sender<Sig>::call(imp, receiver, selector, std::forward<Args>(args)...);
}

// Sends to the implementation found from the superclass of `cls` upward (a call to super).
template <class Sig, class... Args>
typename Signature<Sig>::Result sendSuper(const Id& receiver, const Class& cls, std::string_view selector,
                                          Args&&... args) {
  using R = typename Signature<Sig>::Result;
  if (!receiver) {
    if constexpr (std::is_void_v<R>) return;
    else return R{};
  }
  const Imp* imp = cls.superclass() ? cls.superclass()->findMethod(selector) : nullptr;
  return detail::Sender<Sig>::call(imp, receiver, selector, std::forward<Args>(args)...);
}

// Whether the receiver's class (or a superclass) answers the selector.
bool respondsToSelector(const Id& receiver, std::string_view selector);

// The class object as a receiver, so that class methods are sent like any other message.
Id classObject(Class& cls);

// Defines or redefines a method directly on a class (used by the platform to build its classes).
template <class Sig>
void defineMethod(Class& cls, std::string_view selector, Impl<Sig> fn) {
  cls.setMethod(selector, makeImp<Sig>(std::move(fn)));
}

// Replaces a method on `cls` and answers the previous implementation (empty when there was none).
// Replacing a method that `cls` only inherits installs the replacement on `cls` and answers the inherited one.
template <class Sig>
Impl<Sig> replaceMethod(Class& cls, std::string_view selector, Impl<Sig> replacement) {
  Impl<Sig> previous;
  if (const Imp* old = cls.findMethod(selector)) previous = unwrap<Sig>(*old, selector);
  cls.setMethod(selector, makeImp<Sig>(std::move(replacement)));
  return previous;
}

// Adds a method the class lacks; a class that already answers the selector on its own is left alone.
template <class Sig>
bool addMethod(Class& cls, std::string_view selector, Impl<Sig> fn) {
  if (cls.ownMethod(selector)) return false;
  cls.setMethod(selector, makeImp<Sig>(std::move(fn)));
  return true;
}

// Reads an instance variable by name; nullptr when the object's class chain has none of that name.
// Asking with another type than the registered one is a fault of the caller.
template <class T>
T* ivarAddress(Object& obj, std::string_view name) {
  const Ivar* ivar = obj.isa().findIvar(name);
  if (!ivar) return nullptr;
  if (ivar->type != std::type_index(typeid(T))) throwSignatureMismatch(name, ivar->type, typeid(T));
  return static_cast<T*>(ivar->address(obj));
}

template <class T>
T* ivarAddress(const Id& obj, std::string_view name) {
  return obj ? ivarAddress<T>(*obj, name) : nullptr;
}

// --- The platform's own names -------------------------------------------------------------------

inline Class* objc_getClass(const Runtime& runtime, std::string_view name) { return runtime.lookUpClass(name); }
inline Class* NSClassFromString(const Runtime& runtime, std::string_view name) { return runtime.lookUpClass(name); }
inline Class* object_getClass(const Id& obj) { return obj ? &obj->isa() : nullptr; }
inline Class* object_getClass(Class* cls) { return cls ? &cls->isa() : nullptr; }
inline const Ivar* class_getInstanceVariable(const Class* cls, std::string_view name) {
  return cls ? cls->findIvar(name) : nullptr;
}

// CydiaSubstrate's hook: a null class installs nothing and leaves `previous` untouched.
template <class Sig>
void MSHookMessageEx(Class* cls, std::string_view selector, Impl<Sig> replacement, Impl<Sig>* previous) {
  if (!cls) return;
  Impl<Sig> old = replaceMethod<Sig>(*cls, selector, std::move(replacement));
  if (previous) *previous = std::move(old);
}

template <class Sig>
bool class_addMethod(Class* cls, std::string_view selector, Impl<Sig> fn) {
  return cls && addMethod<Sig>(*cls, selector, std::move(fn));
}

}  // namespace rt
