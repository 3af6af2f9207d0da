#include "platform/uikit/content/builtin_content.h"

#include <cmath>
#include <map>
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

// The still pictures a process has drawn, by picture and size in pixels: the shell and an app showing the
// same photo each draw it once.
class PictureCache {
 public:
  explicit PictureCache(Process&) {}
  CGImageRef picture(BuiltinContent content, int width, int height) {
    auto key = std::make_tuple(content, width, height);
    if (auto it = pictures_.find(key); it != pictures_.end()) return it->second;
    if (pictures_.size() >= kKept) pictures_.clear();
    CGImageRef drawn = content == BuiltinContent::Map ? drawMap(width, height) : drawPhoto(width, height);
    pictures_.emplace(key, drawn);
    return drawn;
  }

 private:
  static constexpr std::size_t kKept = 8;
  std::map<std::tuple<BuiltinContent, int, int>, CGImageRef> pictures_;
};

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
  CGImageRef picture = process.service<PictureCache>().picture(content, static_cast<int>(w), static_cast<int>(h));
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
