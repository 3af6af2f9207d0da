#pragma once
// Visits a std::variant with one lambda per alternative.

namespace sim {

template <class... F>
struct Overloaded : F... {
  using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

}  // namespace sim
