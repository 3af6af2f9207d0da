// Random view trees of every kind (plain views, images, labels, sliders, blur and vibrancy effect views),
// nested, transformed, translucent, hidden, clipped, bordered and shadowed, changed and animated at random
// frame after frame: every frame a renderer draws over earlier ones must be, pixel for pixel, the frame a
// full redraw makes. The seeds are fixed; TARVO_RANDOM_TREES=N plays N trees (a soak plays thousands).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/device/device.h"
#include "platform/render/renderer.h"
#include "platform/uikit/control.h"
#include "platform/uikit/image_view.h"
#include "platform/uikit/label.h"
#include "platform/uikit/slider.h"
#include "platform/uikit/uikit_classes.h"
#include "platform/uikit/visual_effect_view.h"
#include "platform/uikit/window.h"

namespace {

using namespace platform;

constexpr int kDefaultTrees = 100;
// Trees past the default count that once showed a difference: a patched frame that started on a surface
// cairo did not know to be clear, a shadow cast from a blur whose backdrop changed, and a fill held by a
// clip off the pixel grid that a patch's edge cut again.
constexpr int kTreesThatFoundFaults[] = {353, 797, 5568};
constexpr int kFramesPerTree = 36;
constexpr Nanos kFrame = 33'333'333;

// splitmix64: the same numbers from a seed everywhere.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
  }
  std::size_t below(std::size_t n) { return static_cast<std::size_t>(next() % n); }
  bool chance(int percent) { return below(100) < static_cast<std::size_t>(percent); }
  double between(double lo, double hi) { return lo + (hi - lo) * static_cast<double>(next() >> 11) * 0x1p-53; }
  template <class T>
  const T& pick(const std::vector<T>& values) {
    return values[below(values.size())];
  }

 private:
  std::uint64_t state_;
};

class RandomScene {
 public:
  explicit RandomScene(std::uint64_t seed) : random_(seed) {
    loadUIKit(proc_);
    double scale = random_.pick(std::vector<double>{1, 2, 2, 3});
    options_.scale = scale;
    options_.screenSize = {random_.between(60, 130), random_.between(50, 100)};
    if (random_.chance(20)) options_.background = std::nullopt;
    images_ = {nullptr, solid(CGSizeMake(8, 8), UIColor::colorWithRed(0.9, 0.2, 0.1, 1)),
               solid(CGSizeMake(13, 5), UIColor::colorWithRed(0.1, 0.6, 0.9, 0.5)), gradient(21, 14, 1),
               gradient(30, 30, 2)};
    int windows = 1 + static_cast<int>(random_.below(3));
    for (int i = 0; i < windows; ++i) addWindow();
  }

  // Changes a few things, lets the clock run a frame, and answers the time to draw.
  Nanos step() {
    int changes = static_cast<int>(random_.below(4));
    for (int i = 0; i < changes; ++i) change(random_.pick(views_));
    now_ += kFrame;
    device_.runUntil(now_);
    return now_;
  }

  CGImageRef render(Renderer& renderer, Nanos time) {
    options_.time = time;
    return renderer.render(windowsOf(proc_), options_);
  }
  CGSize screen() const { return options_.screenSize; }

 private:
  UIImagePtr solid(CGSize size, const UIColor& color) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size.width * size.height),
                                      premultipliedPixel({static_cast<std::uint8_t>(color.red() * 255),
                                                          static_cast<std::uint8_t>(color.green() * 255),
                                                          static_cast<std::uint8_t>(color.blue() * 255),
                                                          static_cast<std::uint8_t>(color.alpha() * 255)}));
    return UIImage::imageWithCGImage(CGImage::make(static_cast<int>(size.width), static_cast<int>(size.height),
                                                   std::move(pixels)),
                                     1, UIImageOrientationUp);
  }
  UIImagePtr gradient(int width, int height, double scale) {
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        pixels.push_back(premultipliedPixel({static_cast<std::uint8_t>(x * 255 / width),
                                             static_cast<std::uint8_t>(y * 255 / height), 128,
                                             static_cast<std::uint8_t>((x + y) % 3 ? 255 : 90)}));
    return UIImage::imageWithCGImage(CGImage::make(width, height, std::move(pixels)), scale,
                                     static_cast<UIImageOrientation>(random_.below(8)));
  }

  std::optional<UIColor> color(int nilPercent = 20) {
    if (random_.chance(nilPercent)) return std::nullopt;
    return UIColor::colorWithRed(random_.between(0, 1), random_.between(0, 1), random_.between(0, 1),
                                 random_.pick(std::vector<double>{1, 1, 0.5, 0, random_.between(0, 1)}));
  }
  CGRect frameWithin(CGSize size) {
    double w = random_.between(2, size.width * 0.9 + 4), h = random_.between(2, size.height * 0.9 + 4);
    return CGRectMake(random_.between(-8, size.width - w / 2), random_.between(-8, size.height - h / 2), w, h);
  }

  void addWindow() {
    CGSize screen = options_.screenSize;
    auto window = makeWindow(proc_, random_.chance(50) ? CGRectMake(0, 0, screen.width, screen.height)
                                                       : frameWithin(screen));
    window->setWindowLevel(random_.pick(std::vector<double>{UIWindowLevelNormal, UIWindowLevelStatusBar,
                                                              UIWindowLevelAlert}));
    window->setHidden(false);
    window->setBackgroundColor(color(40));
    windows_.push_back(window);
    views_.push_back(window);
    grow(window, 0);
  }

  void grow(const std::shared_ptr<UIView>& parent, int depth) {
    std::size_t children = depth >= 3 ? 0 : random_.below(depth == 0 ? 5 : 3);
    for (std::size_t i = 0; i < children; ++i) {
      auto child = makeRandomView(parent->bounds().size);
      if (!child) continue;
      std::shared_ptr<UIView> into = parent;
      if (auto effect = std::dynamic_pointer_cast<UIVisualEffectView>(parent); effect && random_.chance(70))
        into = effect->contentView();
      into->addSubview(child);
      views_.push_back(child);
      grow(child, depth + 1);
    }
  }

  std::shared_ptr<UIView> makeRandomView(CGSize within) {
    CGRect frame = frameWithin(within);
    std::shared_ptr<UIView> view;
    switch (random_.below(6)) {
      case 0:
        view = makeView<UIView>(proc_, "UIView", frame);
        break;
      case 1: {
        auto image = makeView<UIImageView>(proc_, "UIImageView", frame);
        image->setImage(random_.pick(images_));
        view = image;
        break;
      }
      case 2: {
        auto label = makeView<UILabel>(proc_, "UILabel", frame);
        label->setText(random_.pick(std::vector<std::string>{"", "88%", "Volume", "A long line that is cut short",
                                                             "\xc3\xa9t\xc3\xa9", "\xff bad"}));
        view = label;
        break;
      }
      case 3:
        view = makeView<UISlider>(proc_, "UISlider", frame);
        break;
      case 4:
        view = makeVisualEffectView(proc_, UIBlurEffect::effectWithStyle(blurStyle()));
        break;
      default:
        view = makeVisualEffectView(proc_, UIVibrancyEffect::effectForBlurEffect(UIBlurEffect::effectWithStyle(blurStyle())));
        break;
    }
    if (!view) return nullptr;
    view->setFrame(frame);
    if (random_.chance(50)) view->setBackgroundColor(color());
    for (int i = 0; i < 2; ++i) change(view);
    return view;
  }

  UIBlurEffectStyle blurStyle() {
    return random_.pick(std::vector<UIBlurEffectStyle>{UIBlurEffectStyleExtraLight, UIBlurEffectStyleLight,
                                                       UIBlurEffectStyleDark, UIBlurEffectStyleRegular,
                                                       UIBlurEffectStyleProminent});
  }

  CGAffineTransform transform() {
    switch (random_.below(4)) {
      case 0: return CGAffineTransformIdentity;
      case 1: return CGAffineTransformMakeRotation(random_.between(-3.2, 3.2));
      case 2: return CGAffineTransformMakeScale(random_.between(0.3, 1.6), random_.between(0.3, 1.6));
      default: return CGAffineTransformMakeTranslation(random_.between(-10, 10), random_.between(-10, 10));
    }
  }

  // One random change to one view: its geometry, its looks, its content, its place in the tree, or an
  // animation of some of these.
  void change(std::shared_ptr<UIView> view) {  // a copy: adding a view may move views_
    CGSize room = view->superview() ? view->superview()->bounds().size : options_.screenSize;
    CALayer& layer = view->layer();
    switch (random_.below(17)) {
      case 0: view->setCenter({random_.between(-10, room.width + 10), random_.between(-10, room.height + 10)}); break;
      case 1: view->setBounds(CGRectMake(random_.chance(80) ? 0 : random_.between(-5, 5), 0,
                                         random_.between(1, room.width), random_.between(1, room.height))); break;
      case 2: view->setTransform(transform()); break;
      case 3: view->setAlpha(random_.pick(std::vector<double>{1, 1, 0, 0.5, random_.between(0, 1)})); break;
      case 4: if (random_.chance(60) || view->isHidden()) view->setHidden(!view->isHidden()); break;
      case 5: view->setBackgroundColor(color()); break;
      case 6: layer.setCornerRadius(random_.pick(std::vector<double>{0, 3, 8.5, 100, -2})); break;
      case 7: layer.setMasksToBounds(!layer.masksToBounds()); break;
      case 8:
        layer.setBorderWidth(random_.pick(std::vector<double>{0, 1, 2.5, 40}));
        layer.setBorderColor(color());
        break;
      case 9:
        layer.setShadowOpacity(static_cast<float>(random_.pick(std::vector<double>{0, 0.4, 1})));
        layer.setShadowRadius(random_.pick(std::vector<double>{0, 2, 6.5}));
        layer.setShadowOffset({random_.between(-6, 6), random_.between(-6, 6)});
        layer.setShadowColor(color(10));
        break;
      case 10: case 11: changeContent(view); break;
      case 12:
        if (std::dynamic_pointer_cast<UIWindow>(view)) break;  // windows stay windows
        if (view->superview() && random_.chance(50)) view->removeFromSuperview();
        else if (auto parent = random_.pick(views_); parent != view) parent->addSubview(view);
        break;
      case 13:
        if (auto parent = view->superview()) {
          if (random_.chance(50)) parent->bringSubviewToFront(view);
          else parent->sendSubviewToBack(view);
        }
        break;
      case 14: {
        auto window = std::dynamic_pointer_cast<UIWindow>(view);
        if (window) window->setWindowLevel(random_.between(-1, 2001));
        else if (views_.size() < 60) {
          if (auto child = makeRandomView(view->bounds().size)) {
            view->addSubview(child);
            views_.push_back(child);
          }
        }
        break;
      }
      default: animate(view); break;
    }
  }

  void changeContent(const std::shared_ptr<UIView>& view) {
    if (auto image = std::dynamic_pointer_cast<UIImageView>(view)) {
      if (random_.chance(50)) image->setImage(random_.pick(images_));
      else image->setContentMode(random_.pick(std::vector<UIViewContentMode>{
               UIViewContentModeScaleToFill, UIViewContentModeScaleAspectFit, UIViewContentModeScaleAspectFill,
               UIViewContentModeCenter}));
    } else if (auto label = std::dynamic_pointer_cast<UILabel>(view)) {
      switch (random_.below(4)) {
        case 0: label->setText(random_.pick(std::vector<std::string>{"", "12%", "Ringer", "Mute \xe2\x80\x94 on"})); break;
        case 1: label->setFont(UIFont::systemFontOfSize(random_.pick(std::vector<double>{6, 12.5, 17, 40}))); break;
        case 2: label->setTextColor(color()); break;
        default:
          label->setTextAlignment(random_.pick(std::vector<NSTextAlignment>{
              NSTextAlignmentLeft, NSTextAlignmentCenter, NSTextAlignmentRight}));
          break;
      }
    } else if (auto slider = std::dynamic_pointer_cast<UISlider>(view)) {
      switch (random_.below(5)) {
        case 0: slider->setValue(static_cast<float>(random_.between(0, 1)), random_.chance(50)); break;
        case 1: slider->setMinimumTrackTintColor(color()); break;
        case 2: slider->setMaximumTrackTintColor(color()); break;
        case 3: slider->setThumbImage(random_.pick(images_), UIControlStateNormal); break;
        default:
          slider->setMinimumValueImage(random_.pick(images_));
          slider->setMaximumTrackImage(random_.pick(images_), UIControlStateNormal);
          break;
      }
    } else if (auto effect = std::dynamic_pointer_cast<UIVisualEffectView>(view)) {
      if (random_.chance(20)) effect->setEffect(std::nullopt);
      else if (random_.chance(50)) effect->setEffect(UIBlurEffect::effectWithStyle(blurStyle()));
      else effect->setEffect(UIVibrancyEffect::effectForBlurEffect(UIBlurEffect::effectWithStyle(blurStyle())));
    } else {
      view->setBackgroundColor(color());
    }
  }

  void animate(const std::shared_ptr<UIView>& view) {
    CGSize room = view->superview() ? view->superview()->bounds().size : options_.screenSize;
    double alpha = random_.between(0, 1);
    CGPoint center{random_.between(0, room.width), random_.between(0, room.height)};
    CGAffineTransform turn = transform();
    std::optional<UIColor> background = color(0);
    std::size_t what = random_.below(4);
    UIView::animateWithDuration(proc_, random_.between(0.05, 0.6), random_.chance(30) ? random_.between(0, 0.2) : 0,
                                0, [&] {
                                  if (what == 0) view->setAlpha(alpha);
                                  if (what == 1) view->setCenter(center);
                                  if (what == 2) view->setTransform(turn);
                                  if (what == 3) view->setBackgroundColor(background);
                                },
                                {});
  }

  Random random_;
  Device device_;
  Process& proc_ = device_.spawn("App", "com.example.app");
  RenderOptions options_;
  std::vector<UIImagePtr> images_;
  std::vector<std::shared_ptr<UIWindow>> windows_;
  std::vector<std::shared_ptr<UIView>> views_;
  Nanos now_ = 0;
};

std::vector<int> seedsToPlay() {
  int trees = kDefaultTrees;
  if (const char* value = std::getenv("TARVO_RANDOM_TREES"); value && *value) {
    char* end = nullptr;
    long n = std::strtol(value, &end, 10);
    if (*end == '\0' && n > 0 && n <= 1'000'000) trees = static_cast<int>(n);
  }
  std::vector<int> seeds;
  for (int seed = 1; seed <= trees; ++seed) seeds.push_back(seed);
  for (int seed : kTreesThatFoundFaults)
    if (seed > trees) seeds.push_back(seed);
  return seeds;
}

TEST(RandomViewTrees, EveryTrackedFrameEqualsAFullRedraw) {
  std::size_t frames = 0, patched = 0;
  for (int seed : seedsToPlay()) {
    RandomScene scene(static_cast<std::uint64_t>(seed));
    Renderer tracked, fresh;
    std::deque<CGImageRef> held;  // frames kept a while, so that bitmaps lag several frames behind
    for (int frame = 0; frame < kFramesPerTree; ++frame) {
      Nanos time = scene.step();
      CGImageRef image = scene.render(tracked, time);
      fresh.invalidate();
      CGImageRef full = scene.render(fresh, time);
      ASSERT_TRUE(image && full) << "seed " << seed << ", frame " << frame;
      ASSERT_EQ(image->width(), full->width());
      ++frames;
      if (tracked.lastRedrawnPixels() < std::int64_t{image->width()} * image->height()) ++patched;
      if (image->pixels() != full->pixels()) {
        for (int y = 0; y < full->height(); ++y)
          for (int x = 0; x < full->width(); ++x)
            if (image->pixel(x, y) != full->pixel(x, y))
              FAIL() << "seed " << seed << ", frame " << frame << ": first differing pixel at " << x << "," << y
                     << std::hex << ": " << image->pixel(x, y) << " instead of " << full->pixel(x, y);
      }
      held.push_back(image);
      while (held.size() > static_cast<std::size_t>(frame % 4)) held.pop_front();
    }
  }
  // Most frames change only part of the screen: the tracked renderer must have patched many of them.
  EXPECT_GE(patched * 4, frames) << patched << " of " << frames;
}

}  // namespace
