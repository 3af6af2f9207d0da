#pragma once
// A device with one process, UIKit loaded, and a renderer for a small screen.
#include <gtest/gtest.h>

#include "platform/device/device.h"
#include "platform/graphics/context.h"
#include "platform/render/renderer.h"
#include "platform/uikit/uikit_classes.h"
#include "platform/uikit/window.h"

namespace render_test {

struct RenderTest : ::testing::Test {
  platform::Device device;
  platform::Process& proc = device.spawn("App", "com.example.app");
  platform::Renderer renderer;
  platform::RenderOptions options;

  RenderTest() {
    platform::loadUIKit(proc);
    options.screenSize = {120, 80};
    options.scale = 2;
  }

  std::shared_ptr<platform::UIWindow> window(platform::CGRect frame = platform::CGRectMake(0, 0, 120, 80)) {
    auto w = platform::makeWindow(proc, frame);
    w->setHidden(false);
    return w;
  }
  template <class T = platform::UIView>
  std::shared_ptr<T> add(const std::shared_ptr<platform::UIView>& parent, platform::CGRect frame,
                         std::string_view cls = "UIView") {
    auto v = platform::makeView<T>(proc, cls, frame);
    parent->addSubview(v);
    return v;
  }
  platform::CGImageRef render(platform::Nanos time = 0) {
    options.time = time;
    return renderer.render(platform::windowsOf(proc), options);
  }
  // A solid image of the given size in points at scale 1.
  platform::UIImagePtr solidImage(platform::CGSize size, const platform::UIColor& color) {
    platform::UIGraphicsBeginImageContextWithOptions(proc, size, false, 1);
    platform::CGContextRef ctx = platform::UIGraphicsGetCurrentContext(proc);
    platform::CGContextSetFillColorWithColor(ctx, color);
    platform::CGContextFillRect(ctx, platform::CGRectMake(0, 0, size.width, size.height));
    platform::UIImagePtr image = platform::UIGraphicsGetImageFromCurrentImageContext(proc);
    platform::UIGraphicsEndImageContext(proc);
    return image;
  }
};

// The pixel at a point (in points, scale 2).
inline platform::RGBA8 at(const platform::CGImageRef& image, double x, double y) {
  return image->rgba(static_cast<int>(x * 2), static_cast<int>(y * 2));
}

inline bool near(platform::RGBA8 a, platform::RGBA8 b, int tolerance = 2) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
         std::abs(a.b - b.b) <= tolerance && std::abs(a.a - b.a) <= tolerance;
}

inline std::string show(platform::RGBA8 c) {
  return "(" + std::to_string(c.r) + ", " + std::to_string(c.g) + ", " + std::to_string(c.b) + ", " +
         std::to_string(c.a) + ")";
}

}  // namespace render_test
