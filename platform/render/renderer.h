#pragma once
// Composes what the screen shows at a virtual time: windows by level, each view tree with its presentation
// values (transforms, opacity, shadows, rounded clipping, blur, images, text, sliders), into a bitmap.
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

class CALayer;
class Device;
class FontCache;
class UIWindow;

struct RenderOptions {
  CGSize screenSize{375, 812};                                // portrait, in points
  double scale = 1;                                           // pixels per point; not positive and finite: 1
  Nanos time = 0;                                             // whose presentation values are drawn
  std::optional<UIColor> background = UIColor::blackColor();  // under every window; nil: transparent
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
  CGImageRef render(std::vector<std::shared_ptr<UIWindow>> windows, const RenderOptions& options);
  // Every window of every process (windowsByLevel) on the device's screen at its scale, now.
  CGImageRef renderScreen(Device& device);
  CGImageRef renderScreen(Device& device, double scale);
  // The font file a font name is drawn with (unknown names fall back to a bold sans); empty when only cairo's
  // own face was left.
  std::string fontFileFor(const std::string& fontName);

 private:
  std::unique_ptr<FontCache> fonts_;
};

// -[CALayer renderInContext:], for snapshots: draws the layer and its sublayers, with their model values, into
// ctx with the layer's bounds origin at the context's current origin. It lives with the renderer because it
// is the renderer's painter at work; a null context draws nothing.
void renderInContext(const CALayer& layer, CGContextRef ctx);

// Writes the bitmap as a PNG file; answers whether it was written.
bool writePng(const CGImage& image, const std::filesystem::path& path);

}  // namespace platform
