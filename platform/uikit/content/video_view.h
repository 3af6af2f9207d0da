#pragma once
// A view playing the built-in video: the landscape with its bands drifting, a new picture every 1/60 s of
// the device's clock. What it shows is a function of the moment it is drawn at, as a video layer's is,
// so its model never changes while it plays.
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/foundation/clock.h"
#include "platform/uikit/view.h"

typedef struct _cairo cairo_t;

namespace platform {

struct LandscapeLayers;

class VideoView : public UIView {
 public:
  static constexpr int kFramesPerSecond = 60;

  explicit VideoView(rt::Class& cls);
  ~VideoView() override;

  // The video's frame on screen at `time`: what decides its pixels. Without a time (a snapshot of the
  // model), the frame at the device's present moment.
  static std::int64_t frameAt(Nanos time);
  std::int64_t frameShownAt(std::optional<Nanos> time) const;
  // Draws that frame filling `bounds` of cr's user space.
  void drawFrame(cairo_t* cr, CGRect bounds, std::int64_t frame) const;

 private:
  const LandscapeLayers& layersFor(int width, int height) const;
  // Drawn once per size in pixels (a renderer at the screen's scale, the studio at one pixel per point).
  mutable std::vector<std::shared_ptr<const LandscapeLayers>> layers_;
};

// The runtime class "VideoView" under UIView in the process, registered the first time a video is made
// (as a video framework loads only into the apps that play one).
std::shared_ptr<VideoView> makeVideoView(Process& process, CGRect frame);

}  // namespace platform
