#include <gtest/gtest.h>

#include "hud/hud_caches.h"
#include "hud/status_color_cache.h"
#include "hud/tarvo12.h"
#include "platform/foundation/sanitizer.h"
#include "soak/soak_driver.h"

namespace {


// Plays `events` random events; after the first thousand the phone holds all it ever will, so the number
// of live platform objects must come back to the same count, and nothing kept may grow past its bound.
void soakFor(std::uint64_t events) {
  soak::SoakDriver driver;
  driver.play(1000);
  const soak::SoakCensus early = driver.settleAndCount();
  driver.play(events - 1000);
  const soak::SoakCensus late = driver.settleAndCount();

  EXPECT_EQ(late.liveObjects, early.liveObjects);
  EXPECT_EQ(late.observers, early.observers);
  EXPECT_LE(late.pendingTasks, early.pendingTasks);  // nothing left scheduled but what always is
  EXPECT_LE(late.statusColors, tarvo::StatusColorCache::kCapacity);
  EXPECT_EQ(late.statusColors, tarvo::StatusColorCache::kCapacity);  // 10,000 bundles filled it
  EXPECT_LE(late.cachedImages, tarvo::HudCaches::kTintCapacity + tarvo::HudCaches::kFitCapacity +
                                   tarvo::HudCaches::kTrackCapacity + 8);
  EXPECT_LE(late.traceEvents, 1000u);
  // The sanitizer keeps freed memory in quarantine, so resident memory says nothing there.
  if (!platform::kAddressSanitizer) {
    EXPECT_LT(late.residentKilobytes - early.residentKilobytes, 32 * 1024);
  }
  std::printf("soak: %llu events, %ld live objects (%ld after the first thousand), %zu colours kept, "
              "%zu cached images, %zu pending tasks, resident %ld kB (%+ld kB since the first thousand)\n",
              static_cast<unsigned long long>(driver.played()), late.liveObjects, early.liveObjects,
              late.statusColors, late.cachedImages, late.pendingTasks, late.residentKilobytes,
              late.residentKilobytes - early.residentKilobytes);
}

TEST(Soak, FiftyThousandEvents) { soakFor(50'000); }

// Out of the default suite (it takes minutes); `ctest -L soak` or `make soak` runs it.
TEST(Soak, OneMillionEvents) { soakFor(1'000'000); }

}  // namespace
