#include "platform/uikit/content/builtin_content.h"

#include <cmath>
#include <map>
#include <mutex>
#include <tuple>

#include "platform/device/process.h"
#include "platform/uikit/content/still_pictures.h"
#include "platform/uikit/content/text_page.h"
#include "platform/uikit/content/video_view.h"
#include "platform/uikit/image_view.h"
#include "platform/uikit/screen.h"
#include "platform/uikit/uikit_classes.h"

namespace platform {

namespace {

// The still pictures drawn so far, by picture and size in pixels, for every process of every phone: a
// drawn image never changes, and drawing one costs more than most of what a phone does. Locked, as
// phones run on threads of their own.
CGImageRef cachedPicture(BuiltinContent content, int width, int height) {
  static std::mutex mutex;
  static std::map<std::tuple<BuiltinContent, int, int>, CGImageRef> pictures;
  constexpr std::size_t kKept = 8;
  const auto key = std::make_tuple(content, width, height);
  std::lock_guard lock(mutex);
  if (auto it = pictures.find(key); it != pictures.end()) return it->second;
  if (pictures.size() >= kKept) pictures.clear();
  CGImageRef drawn = content == BuiltinContent::Map ? drawMap(width, height) : drawPhoto(width, height);
  pictures.emplace(key, drawn);
  return drawn;
}

std::shared_ptr<UIView> imageContent(Process& process, UIImagePtr image, CGRect frame) {
  auto view = makeView<UIImageView>(process, "UIImageView", frame);
  if (!view) return nullptr;
  view->setImage(std::move(image));
  view->setContentMode(UIViewContentModeScaleAspectFill);
  view->setClipsToBounds(true);
  view->setUserInteractionEnabled(false);
  return view;
}

std::shared_ptr<UIView> stillPicture(Process& process, BuiltinContent content, CGRect frame) {
  double scale = UIScreen::mainScreen(process)->scale();
  double w = std::ceil(frame.size.width * scale), h = std::ceil(frame.size.height * scale);
  if (!(w >= 1 && h >= 1) || !isAcceptableImageSize(static_cast<std::int64_t>(std::fmin(w, 1e9)),
                                                    static_cast<std::int64_t>(std::fmin(h, 1e9))))
    return nullptr;
  CGImageRef picture = cachedPicture(content, static_cast<int>(w), static_cast<int>(h));
  return imageContent(process, UIImage::imageWithCGImage(picture, scale), frame);
}

}  // namespace

std::optional<BuiltinContent> builtinContentNamed(std::string_view name) {
  for (const auto& info : kBuiltinContents)
    if (info.name == name) return info.content;
  return std::nullopt;
}

std::string_view nameOf(BuiltinContent content) {
  for (const auto& info : kBuiltinContents)
    if (info.content == content) return info.name;
  return "plain";
}

std::string builtinContentNames() {
  std::string names;
  for (const auto& info : kBuiltinContents) {
    if (!names.empty()) names += ", ";
    names += info.name;
  }
  return names;
}

std::shared_ptr<UIView> makeContentView(Process& process, const ScreenContent& content, CGRect frame) {
  if (content.image) return imageContent(process, content.image, frame);
  switch (content.builtin) {
    case BuiltinContent::Plain: return nullptr;
    case BuiltinContent::Photo:
    case BuiltinContent::Map: return stillPicture(process, content.builtin, frame);
    case BuiltinContent::Text: return makeTextPage(process, frame);
    case BuiltinContent::Video: return makeVideoView(process, frame);
  }
  return nullptr;
}

}  // namespace platform
