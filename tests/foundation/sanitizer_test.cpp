#include <gtest/gtest.h>

#include "platform/foundation/sanitizer.h"

// Defined by the AddressSanitizer runtime, and only there.
extern "C" void __asan_init() __attribute__((weak));

namespace {

// The fuzz targets (clang) reported fontconfig's one-time allocations as leaks because only GCC's macro was
// tested; the leak-checker pause around them and the soak's memory check depend on this answer.
TEST(Sanitizer, TheBuildKnowsWhetherItRunsUnderAddressSanitizer) {
  EXPECT_EQ(platform::kAddressSanitizer, &__asan_init != nullptr);
}

}  // namespace
