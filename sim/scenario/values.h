#pragma once
// The small typed values a scenario line carries: colours, points, rectangles and the named choices.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sim {

// "#RRGGBB" or "#RRGGBB:alpha", kept as written (the settings file stores colours as this text) and
// decoded into components in 0...1 so that comparisons need not parse it again.
struct Colour {
  std::string text;
  double red = 0, green = 0, blue = 0, alpha = 1;
  bool operator==(const Colour&) const = default;
};

struct Point {
  double x = 0, y = 0;
  bool operator==(const Point&) const = default;
};

struct Rect {
  double x = 0, y = 0, width = 0, height = 0;
  bool operator==(const Rect&) const = default;
};

// UIInterfaceOrientation's numbering, which is what the shell rotates to.
enum class Orientation : int { Portrait = 1, PortraitUpsideDown = 2, LandscapeRight = 3, LandscapeLeft = 4 };
// Accepts the names below and the numbers 1 to 4.
std::optional<Orientation> orientationNamed(std::string_view text);
std::string_view nameOf(Orientation orientation);

// Which of the six built-in icons an icon view shows, or none of them.
enum class Glyph { None, RingerMin, RingerMed, RingerMax, MediaMin, MediaMed, MediaMax };
std::optional<Glyph> glyphNamed(std::string_view text);
std::string_view nameOf(Glyph glyph);

// NSTextAlignment's numbering.
enum class TextAlignment : int { Left = 0, Center = 1, Right = 2, Justified = 3, Natural = 4 };
std::optional<TextAlignment> textAlignmentNamed(std::string_view text);  // names or 0 to 4
std::string_view nameOf(TextAlignment alignment);

enum class VolumeButton { Up, Down };
enum class VolumeMode { Ringer, Media };  // what the buttons change
enum class BarKind { Classic, Split, None };
enum class LayoutDirection { LeftToRight, RightToLeft };
enum class NotificationForm { CF, NS };
enum class Library { Tarvo12, Tarvo12Kit };

std::string_view nameOf(VolumeButton button);
std::string_view nameOf(VolumeMode mode);
std::string_view nameOf(BarKind kind);
std::string_view nameOf(LayoutDirection direction);
std::string_view nameOf(NotificationForm form);
std::string_view nameOf(Library library);

}  // namespace sim
