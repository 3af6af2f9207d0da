#include "controls/builtin_icons.h"
#include "controls/image_utilities.h"
#include "hud/hud_caches.h"
#include "hud/icon_choice.h"
#include "hud/tarvo12.h"
#include "hud/tarvo_hud.h"
#include "platform/device/device.h"
#include "platform/graphics/context.h"
#include "platform/runtime/message.h"
#include "platform/springboard/shared_instances.h"
#include "platform/uikit/application.h"
#include "platform/uikit/image_view.h"
#include "platform/uikit/label.h"
#include "platform/uikit/screen.h"
#include "platform/uikit/slider.h"
#include "platform/uikit/uikit_classes.h"
#include "platform/uikit/visual_effect_view.h"
#include "platform/uikit/window.h"

namespace tarvo {

using namespace platform;

namespace {

// A 1 x 1 point image of one colour at the screen's scale; the slider stretches it over its track.
UIImagePtr onePointImage(Process& process, const std::optional<UIColor>& color) {
  UIGraphicsBeginImageContextWithOptions(process, CGSize{1, 1}, false, 0);
  CGContextRef ctx = UIGraphicsGetCurrentContext(process);
  if (ctx && color) {
    CGContextSetFillColorWithColor(ctx, color->CGColor());
    CGContextFillRect(ctx, CGRect{{0, 0}, {1, 1}});
  }
  UIImagePtr image = UIGraphicsGetImageFromCurrentImageContext(process);
  UIGraphicsEndImageContext(process);
  return image;
}

bool rightToLeft(Process& process) {
  auto app = UIApplication::sharedApplication(process);
  return app && app->userInterfaceLayoutDirection() == UIUserInterfaceLayoutDirectionRightToLeft;
}

// The icon's silhouette in the indicator colour, mirrored for a right-to-left interface.
UIImagePtr tinted(Process& process, const UIImagePtr& icon, const std::optional<UIColor>& color, bool mirrored) {
  CGSize size = icon ? icon->size() : CGSize{0, 0};
  double scale = icon ? icon->scale() : 1;
  UIGraphicsBeginImageContextWithOptions(process, size, false, scale);
  CGContextRef ctx = UIGraphicsGetCurrentContext(process);
  if (ctx) {
    CGContextTranslateCTM(ctx, 0, size.height);
    CGContextScaleCTM(ctx, 1, -1);
    CGContextSetBlendMode(ctx, kCGBlendModeNormal);
    if (color) CGContextSetFillColorWithColor(ctx, color->CGColor());
    CGContextFillRect(ctx, CGRect{{0, 0}, size});
    CGContextSetBlendMode(ctx, kCGBlendModeDestinationIn);
    if (icon) CGContextDrawImage(ctx, CGRect{{0, 0}, size}, icon->CGImage());
  }
  UIImagePtr image = UIGraphicsGetImageFromCurrentImageContext(process);
  if (image && mirrored) image = UIImage::imageWithCGImage(image->CGImage(), image->scale(), UIImageOrientationUpMirrored);
  UIGraphicsEndImageContext(process);
  return image;
}

struct IconFamily {
  const char* maxString;
  const char* medString;
  const char* minString;
  UIImagePtr HudImages::*min;
  UIImagePtr HudImages::*med;
  UIImagePtr HudImages::*max;
};

const IconFamily kMedia{mediaMaxBase64, mediaMedBase64, mediaMinBase64, &HudImages::sliderMediaMinImage,
                            &HudImages::sliderMediaMedImage, &HudImages::sliderMediaMaxImage};
const IconFamily kRinger{ringerMaxBase64, ringerMedBase64, ringerMinBase64, &HudImages::sliderRingerMinImage,
                             &HudImages::sliderRingerMedImage, &HudImages::sliderRingerMaxImage};

// Decoded max, med, min; then tinted min, med, max, each replacing the image in its variable. The caches
// answer what these steps would make, when they have made it before.
void buildFamily(Process& process, HudImages& images, const IconFamily& family, const std::optional<UIColor>& color) {
  HudCaches& caches = HudCaches::of(process);
  const bool mirrored = rightToLeft(process);
  images.*family.max = caches.decodedIcon(family.maxString);
  images.*family.med = caches.decodedIcon(family.medString);
  images.*family.min = caches.decodedIcon(family.minString);
  auto tint = [&](UIImagePtr HudImages::*slot, const char* dataURL) {
    const UIImagePtr& icon = images.*slot;
    images.*slot = caches.tintedIcon(dataURL, color, mirrored, [&] { return tinted(process, icon, color, mirrored); });
  };
  tint(family.min, family.minString);
  tint(family.med, family.medString);
  tint(family.max, family.maxString);
}

UIImagePtr glyphImage(const HudImages& images, Glyph glyph) {
  switch (glyph) {
    case Glyph::RingerMin: return images.sliderRingerMinImage;
    case Glyph::RingerMed: return images.sliderRingerMedImage;
    case Glyph::RingerMax: return images.sliderRingerMaxImage;
    case Glyph::MediaMin: return images.sliderMediaMinImage;
    case Glyph::MediaMed: return images.sliderMediaMedImage;
    case Glyph::MediaMax: return images.sliderMediaMaxImage;
    case Glyph::None: break;
  }
  return nullptr;
}

}  // namespace

void TarvoHUD::createTarvoHUD() {
  Process& process = lib_.process;
  auto& v = lib_.views;
  auto& g = lib_.geometry;
  const auto& s = lib_.settings;

  CGRect screen = UIScreen::mainScreen(process)->bounds();
  g.screenWidth = std::fmin(screen.size.width, screen.size.height);
  g.screenHeight = std::fmax(screen.size.width, screen.size.height);
  g.sliderViewWidth = s.FULLWIDTH ? static_cast<float>(g.screenWidth) : s.WIDTH;
  g.hudHeight = s.HEIGHT;
  const CGRect full{{0, 0}, {g.screenWidth, g.screenHeight}};

  v.tarvoHUDWindow = makeWindow(process, full);
  auto& window = *v.tarvoHUDWindow;
  window.setBackgroundColor(UIColor::clearColor());
  window.setWindowLevel(100001.0);
  window.setHidden(true);
  window.setAlpha(0);
  window.setAutoresizesSubviews(true);
  window.layer().setShadowOffset(CGSize{0, 3});
  window.layer().setShadowRadius(5);
  rt::send<void(bool)>(v.tarvoHUDWindow, "_setSecure:", true);
  window.setUserInteractionEnabled(true);

  v.tarvoHUDView = makeView<UIView>(process, "UIView", full);
  v.tarvoHUDView->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
  v.tarvoHUDView->setUserInteractionEnabled(true);
  window.addSubview(v.tarvoHUDView);

  v.tarvoBlurEffect = UIBlurEffect::effectWithStyle(UIBlurEffectStyleLight);
  v.tarvoBlurEffectView = makeVisualEffectView(process, v.tarvoBlurEffect);
  v.tarvoBlurEffectView->setFrame(v.tarvoHUDView->bounds());
  v.tarvoHUDView->addSubview(v.tarvoBlurEffectView);

  v.tarvoVibrancyEffect = UIVibrancyEffect::effectForBlurEffect(v.tarvoBlurEffect);
  v.tarvoVibrancyEffectView = makeVisualEffectView(process, v.tarvoVibrancyEffect);
  v.tarvoVibrancyEffectView->setFrame(v.tarvoHUDView->bounds());
  v.tarvoHUDView->addSubview(v.tarvoVibrancyEffectView);

  v.tarvoHUDLabel = makeView<UILabel>(process, "UILabel", CGRect{{0, 0}, {34, 40}});
  v.tarvoHUDLabel->setText("");
  v.tarvoHUDLabel->setFont(UIFont::fontWithName("Avenir-Heavy", 12));
  v.tarvoHUDLabel->setTextColor(UIColor::blackColor());
  v.tarvoHUDView->addSubview(v.tarvoHUDLabel);

  v.tarvoHUDSliderView = makeView<UIView>(process, "UIView", CGRect{{0, 0}, {g.sliderViewWidth, g.hudHeight}});
  v.tarvoHUDSliderView->setBackgroundColor(UIColor::clearColor());
  v.tarvoHUDView->addSubview(v.tarvoHUDSliderView);

  v.tarvoHUDMinImageView = makeView<UIImageView>(process, "UIImageView", CGRect{{0, 0}, {14, 14}});
  v.tarvoHUDMinImageView->setBackgroundColor(UIColor::clearColor());
  v.tarvoHUDView->addSubview(v.tarvoHUDMinImageView);
  v.tarvoHUDMaxImageView = makeView<UIImageView>(process, "UIImageView", CGRect{{0, 0}, {14, 14}});
  v.tarvoHUDMaxImageView->setBackgroundColor(UIColor::clearColor());
  v.tarvoHUDView->addSubview(v.tarvoHUDMaxImageView);

  v.tarvoHUDSlider = makeView<UISlider>(process, "UISliderExtended", CGRect{{0, 0}, {g.sliderViewWidth, g.hudHeight}});
  v.tarvoHUDSlider->setBackgroundColor(UIColor::clearColor());
  // VolumeControl is looked up by name once and kept.
  if (!lib_.volumeControlClass) lib_.volumeControlClass = rt::objc_getClass(process.runtime(), "VolumeControl");
  rt::Id volumeControl =
      lib_.volumeControlClass ? rt::send<rt::Id()>(rt::classObject(*lib_.volumeControlClass), "sharedVolumeControl")
                              : nullptr;
  v.tarvoHUDSlider->setValue(rt::send<float()>(volumeControl, "volume"));
  v.tarvoHUDSlider->setContinuous(true);
  v.tarvoHUDSlider->setMaximumValue(1.0f);
  v.tarvoHUDSlider->setUserInteractionEnabled(false);
  v.tarvoHUDSliderView->addSubview(v.tarvoHUDSlider);
  v.tarvoHUDSlider->addTarget(self(), "tarvoHUDSliderMoved:", UIControlEventValueChanged);
}

void TarvoHUD::createElements() {
  Process& process = lib_.process;
  auto& v = lib_.views;
  auto& images = lib_.images;
  const auto& s = lib_.settings;
  const auto& c = lib_.colors;
  if (!v.tarvoHUDSlider) return;  // before createTarvoHUD there is nothing to dress

  HudCaches& caches = HudCaches::of(process);
  const double screenScale = process.device().screenScale();
  auto trackImage = [&](const std::optional<UIColor>& color) {
    return caches.trackImage(color, screenScale, [&] { return onePointImage(process, color); });
  };

  v.tarvoHUDLabel->setTextColor(c.tarvoIndicatorColor);
  images.sliderMinTrackImage = trackImage(c.tarvoMinColor);
  v.tarvoHUDSlider->setMinimumTrackImage(images.sliderMinTrackImage, UIControlStateNormal);
  images.sliderMaxTrackImage = trackImage(c.tarvoMaxColor);
  v.tarvoHUDSlider->setMaximumTrackImage(images.sliderMaxTrackImage, UIControlStateNormal);

  if (s.MEDIAINDICATOR || s.RINGERINDICATOR) createIndicators();
  v.tarvoHUDMinImageView->setImage(nullptr);
  v.tarvoHUDMaxImageView->setImage(nullptr);

  const auto& volume = lib_.volume;
  IconChoice choice = chooseIcons(s, volume.tarvoVolumeMode, volume.silent, volume.ringerVolume, volume.mediaVolume);
  auto show = [&](const std::shared_ptr<UIImageView>& view, Glyph glyph) {
    if (glyph == Glyph::None) return;
    const UIImagePtr source = glyphImage(images, glyph);
    const CGSize size = images.sliderMinMaxValImageSize;
    view->setImage(caches.fittedIcon(source, size, 1.0, screenScale,
                                     [&] { return scaleImageToSize(process, source, size, 1.0); }));
  };
  show(v.tarvoHUDMinImageView, choice.left);
  show(v.tarvoHUDMaxImageView, choice.right);

  v.tarvoHUDSlider->setMinimumValueImage(nullptr);
  v.tarvoHUDSlider->setMaximumValueImage(nullptr);
}

void TarvoHUD::createIndicators() {
  if (lib_.settings.MEDIAINDICATOR) buildFamily(lib_.process, lib_.images, kMedia, lib_.colors.tarvoIndicatorColor);
  if (lib_.settings.RINGERINDICATOR) buildFamily(lib_.process, lib_.images, kRinger, lib_.colors.tarvoIndicatorColor);
}

}  // namespace tarvo
