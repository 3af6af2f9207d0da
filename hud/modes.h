#pragma once
// The two small vocabularies the HUD reads numbers in: the volume mode and the interface orientation.
#include <cstdint>

namespace tarvo {

// tarvoVolumeMode: a 32-bit integer, 1 for the ringer and 0 for media.
enum class VolumeMode : std::int32_t { Media = 0, Ringer = 1 };

// The interface orientations the layout tells apart (UIInterfaceOrientation's values). The host may hold any
// number; the layout treats the ones not named here as portrait.
enum class InterfaceOrientation : long long {
  Portrait = 1,
  PortraitUpsideDown = 2,
  LandscapeRight = 3,
  LandscapeLeft = 4,
};

inline bool isLandscape(InterfaceOrientation o) {
  return o == InterfaceOrientation::LandscapeRight || o == InterfaceOrientation::LandscapeLeft;
}

}  // namespace tarvo
