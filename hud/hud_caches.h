#pragma once
// What the HUD keeps between shows so that a volume press costs next to nothing, without changing
// anything it shows: the decoded built-in icons (their strings never change), the icons tinted per
// indicator colour, the icons fitted to their views, the one-colour track images, and the settings file
// (read again only when it changed on disk).
//
// As written, the HUD decodes and tints every icon and reads the settings file on every show. That
// literal path stays selectable (`setEnabled(false)`), so that the two can be compared: the tests show
// they give the same trace and the same pixels.
#include <cstddef>
#include <filesystem>
#include <optional>

#include "hud/bounded_cache.h"
#include "platform/foundation/plist_file_cache.h"
#include "platform/graphics/color.h"
#include "platform/graphics/geometry.h"
#include "platform/graphics/image.h"

namespace platform {
class Process;
}

namespace tarvo {

class HudCaches {
 public:
  // One per process: Process::service<HudCaches>().
  explicit HudCaches(platform::Process&) {}
  static HudCaches& of(platform::Process& process);

  bool enabled() const { return enabled_; }
  // Off: every image is made afresh and the settings file read on every use. Switching drops what is kept.
  void setEnabled(bool enabled);

  // One of the built-in icon strings (a constant for the life of the process), decoded.
  platform::UIImagePtr decodedIcon(const char* dataURL);

  // The icon `dataURL` tinted in `color`, mirrored or not; `make` tints it when it is not kept.
  template <class Make>
  platform::UIImagePtr tintedIcon(const char* dataURL, const std::optional<platform::UIColor>& color,
                                  bool mirrored, Make&& make) {
    auto counted = [&] { return ++work_.tints, make(); };
    if (!enabled_) return counted();
    return tinted_.findOrMake(TintKey{dataURL, color, mirrored}, counted);
  }

  // `source` fitted to `size` at `alpha` and `scale`; `make` draws it when it is not kept.
  template <class Make>
  platform::UIImagePtr fittedIcon(const platform::UIImagePtr& source, platform::CGSize size, double alpha,
                                  double scale, Make&& make) {
    auto counted = [&] { return ++work_.fits, make(); };
    if (!enabled_ || !source) return counted();
    return fitted_.findOrMake(FitKey{source, size, alpha, scale}, counted);
  }

  // A one-colour track image at `scale`; `make` draws it when it is not kept.
  template <class Make>
  platform::UIImagePtr trackImage(const std::optional<platform::UIColor>& color, double scale, Make&& make) {
    auto counted = [&] { return ++work_.tracks, make(); };
    if (!enabled_) return counted();
    return tracks_.findOrMake(TrackKey{color, scale}, counted);
  }

  // What readPlistDictionary(path) answers now.
  const std::optional<platform::PlistDict>& settingsFile(const std::filesystem::path& path);

  // How often each kind of work was actually done, for tests and benchmarks.
  struct Counts {
    std::size_t decodes = 0, tints = 0, fits = 0, tracks = 0, fileReads = 0;
  };
  const Counts& work() const { return work_; }
  // Entries kept in all, never more than the capacities allow.
  std::size_t entries() const;

  static constexpr std::size_t kTintCapacity = 96;  // 16 colours of the six icons
  static constexpr std::size_t kFitCapacity = 48;
  static constexpr std::size_t kTrackCapacity = 32;

 private:
  struct TintKey {
    const char* dataURL;
    std::optional<platform::UIColor> color;
    bool mirrored;
    bool operator==(const TintKey&) const = default;
  };
  struct FitKey {
    platform::UIImagePtr source;  // held, so its address cannot be reused by another image while kept
    platform::CGSize size;
    double alpha, scale;
    bool operator==(const FitKey&) const = default;
  };
  struct TrackKey {
    std::optional<platform::UIColor> color;
    double scale;
    bool operator==(const TrackKey&) const = default;
  };

  bool enabled_ = true;
  BoundedCache<const char*, platform::UIImagePtr> decoded_{8};
  BoundedCache<TintKey, platform::UIImagePtr> tinted_{kTintCapacity};
  BoundedCache<FitKey, platform::UIImagePtr> fitted_{kFitCapacity};
  BoundedCache<TrackKey, platform::UIImagePtr> tracks_{kTrackCapacity};
  platform::PlistFileCache settingsFile_;
  std::optional<platform::PlistDict> literalFile_;
  Counts work_;
};

}  // namespace tarvo
