#pragma once
// How much of this process's memory is resident now, as the kernel counts it; 0 where it cannot be read.
#include <cstddef>

namespace platform {

std::size_t residentBytes();

}  // namespace platform
