#pragma once
// Composes what the screen shows at a virtual time: windows by level, each view tree with its presentation
// values (transforms, opacity, shadows, rounded clipping, blur, images, text, sliders), into a bitmap.
#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/clock.h"
#include "platform/graphics/color.h"
#include "platform/graphics/context.h"
#include "platform/graphics/geometry.h"
#include "platform/graphics/image.h"

namespace platform {

class BlurCache;
class CALayer;
class Device;
class FontCache;
class FramePool;
class ScreenShade;
class SurfacePool;
class UIWindow;
struct SceneRecord;
class DamageRegion;

struct RenderOptions {
  CGSize screenSize{375, 812};                                // portrait, in points
  double scale = 1;                                           // pixels per point; not positive and finite: 1
  Nanos time = 0;                                             // whose presentation values are drawn
  std::optional<UIColor> background = UIColor::blackColor();  // under every window; nil: transparent
  std::shared_ptr<const ScreenShade> shade;                   // over every window; ignored unless frame-sized
};

class Renderer {
 public:
  Renderer();
  ~Renderer();
  Renderer(const Renderer&) = delete;
  Renderer& operator=(const Renderer&) = delete;

  // Draws the windows lowest level first (equal levels in the order given), skipping hidden ones. Views that
  // need layout are laid out first, as the screen never shows a view before its layout. The size is capped
  // like image contexts (kMaxImageSide a side, kMaxImagePixels in all).
  //
  // Frames are drawn into a few reused bitmaps, and only where the screen changed since the frame a bitmap
  // last held: the result is the same, pixel for pixel, as drawing everything afresh. A handed-out frame
  // is not changed while anyone holds it.
  CGImageRef render(std::vector<std::shared_ptr<UIWindow>> windows, const RenderOptions& options);
  // Forgets what earlier frames showed: the next frame is drawn whole.
  void invalidate();
  // Every window of every process (windowsByLevel) on the device's screen at its scale, now.
  CGImageRef renderScreen(Device& device);
  CGImageRef renderScreen(Device& device, double scale);
  // The font file a font name is drawn with (unknown names fall back to a bold sans); empty when only cairo's
  // own face was left.
  std::string fontFileFor(const std::string& fontName);

  // The area the last frame redrew, in pixels (for measurements).
  std::int64_t lastRedrawnPixels() const { return lastRedrawn_; }

 private:
  struct Change {
    std::uint64_t serial;
    std::unique_ptr<DamageRegion> region;
  };
  // What must be redrawn over a bitmap holding frame `holds` to show frame `serial`.
  DamageRegion staleSince(std::uint64_t holds, int width, int height) const;

  std::unique_ptr<FontCache> fonts_;
  std::unique_ptr<SurfacePool> surfaces_;
  std::unique_ptr<BlurCache> blurs_;
  std::unique_ptr<FramePool> frames_;
  std::unique_ptr<SceneRecord> previous_;
  struct Scratch;
  std::unique_ptr<Scratch> scratch_;  // screen-sized: where parts of a frame are drawn before their boxes are copied
  std::shared_ptr<const ScreenShade> shade_;  // the last frame's
  std::deque<Change> changes_;  // per frame, what differed from the frame before; the latest last
  std::uint64_t serial_ = 0;
  std::int64_t lastRedrawn_ = 0;
};

// -[CALayer renderInContext:], for snapshots: draws the layer and its sublayers, with their model values, into
// ctx with the layer's bounds origin at the context's current origin. It lives with the renderer because it
// is the renderer's painter at work; a null context draws nothing.
void renderInContext(const CALayer& layer, CGContextRef ctx);

}  // namespace platform
