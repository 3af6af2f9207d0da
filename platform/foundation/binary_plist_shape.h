#pragma once
// A look at a binary property list's object graph before the recursive reader builds it. The reader
// recurses once per level of nesting and expands every shared object at each place it is referenced, so a
// file of a few hundred kilobytes can nest a hundred thousand levels (a stack overflow) or share objects
// into an exponential tree (a hang). This walk is iterative and visits each object once.
#include <cstddef>
#include <string_view>

namespace platform {

struct PlistShapeLimits {
  int maxDepth;           // containers enclosing the deepest value
  std::size_t maxNodes;   // values in the tree once shared objects are expanded
};

// True when the bytes are a binary property list whose graph has no cycle and stays within the limits;
// false for anything else, including a malformed trailer, offset table or reference.
bool binaryPlistWithinLimits(std::string_view bytes, PlistShapeLimits limits);

}  // namespace platform
