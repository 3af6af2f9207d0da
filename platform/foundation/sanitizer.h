#pragma once
// Whether this build runs under AddressSanitizer (GCC says so with a macro, clang with a feature test),
// for the few places that must tell the leak checker about other libraries' one-time allocations, and for
// memory measurements that quarantine makes meaningless.
#if defined(__SANITIZE_ADDRESS__)
#define TARVO_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TARVO_ADDRESS_SANITIZER 1
#endif
#endif

#if defined(TARVO_ADDRESS_SANITIZER)
#include <sanitizer/lsan_interface.h>
#endif

namespace platform {

#if defined(TARVO_ADDRESS_SANITIZER)
inline constexpr bool kAddressSanitizer = true;
#else
inline constexpr bool kAddressSanitizer = false;
#endif

}  // namespace platform
