#pragma once
// What a screen shows behind everything else: an app's page or the home screen's wallpaper. Either one of
// the pictures the platform draws itself or an image from a file, so that a translucent or blurred window
// over it can be judged by eye.
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/graphics/color.h"
#include "platform/graphics/geometry.h"
#include "platform/graphics/image.h"

namespace platform {

class Process;
class UIView;

enum class BuiltinContent { Plain, Photo, Text, Map, Video };

struct BuiltinContentInfo {
  BuiltinContent content;
  std::string_view name;
  std::string_view description;
};

// Every built-in picture, by the name scenarios, options and the studio use.
inline constexpr auto kBuiltinContents = std::to_array<BuiltinContentInfo>({
    {BuiltinContent::Plain, "plain", "a flat colour (an app's own, the home screen's dark blue)"},
    {BuiltinContent::Photo, "photo", "a landscape photograph: sky, sun, hills, a lake, film grain"},
    {BuiltinContent::Text, "text", "a page of text, black on white"},
    {BuiltinContent::Map, "map", "a street map: blocks, streets, a river, parks, a highway"},
    {BuiltinContent::Video, "video", "a moving landscape that changes every frame (60 frames a second)"},
});

std::optional<BuiltinContent> builtinContentNamed(std::string_view name);
std::string_view nameOf(BuiltinContent content);
// "plain, photo, text, map, video", for messages.
std::string builtinContentNames();

struct ScreenContent {
  BuiltinContent builtin = BuiltinContent::Plain;
  // An image from a file, shown filling the screen (cut to fit); it wins over `builtin`.
  UIImagePtr image;

  bool isPlain() const { return !image && builtin == BuiltinContent::Plain; }
};

// A view of `frame` showing the content, taking no touches; nil for plain content (the window's own
// colour shows).
std::shared_ptr<UIView> makeContentView(Process& process, const ScreenContent& content, CGRect frame);

}  // namespace platform
