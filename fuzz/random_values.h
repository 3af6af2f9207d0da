#pragma once
// The random values the random-scenario generator puts into commands: property-list values of every kind
// (NaN, infinities, odd strings, nesting), colours, times and names. Header-only: fuzz targets are single
// files.
#include <array>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "platform/foundation/plist_value.h"
#include "sim/scenario/literals.h"
#include "sim/scenario/values.h"

namespace fuzzing {

// Where the generator's decisions come from.
class Choices {
 public:
  virtual ~Choices() = default;
  virtual std::uint32_t below(std::uint32_t n) = 0;  // 0 to n - 1; n > 0

  bool chance(std::uint32_t percent) { return below(100) < percent; }
  // As chance(), but false when the source has run dry: a fuzzer's bytes then read as zeros, and its
  // mutations favour zeros, so a rare branch tested at the low end would be taken far more than asked.
  bool rarely(std::uint32_t percent) { return below(100) >= 100 - percent; }
  template <typename T, std::size_t N>
  const T& pick(const T (&items)[N]) {
    return items[below(static_cast<std::uint32_t>(N))];
  }
  template <typename T>
  const T& pick(const std::vector<T>& items) {
    return items[below(static_cast<std::uint32_t>(items.size()))];
  }
  template <typename T, std::size_t N>
  const T& pick(const std::array<T, N>& items) {
    return items[below(static_cast<std::uint32_t>(N))];
  }
  // A decimal in [0, scale) in hundredths.
  double decimal(std::uint32_t scale) { return below(scale * 100) / 100.0; }
  // A duration in [0, seconds) in milliseconds.
  platform::Nanos millis(std::uint32_t seconds) {
    return static_cast<platform::Nanos>(below(seconds * 1000)) * 1'000'000;
  }
};

// Choices from a seeded engine, for tests and soaks that replay by seed.
class SeededChoices : public Choices {
 public:
  explicit SeededChoices(std::uint64_t seed) : engine_(seed) {}
  std::uint32_t below(std::uint32_t n) override { return std::uniform_int_distribution<std::uint32_t>(0, n - 1)(engine_); }

 private:
  std::mt19937_64 engine_;
};

class RandomValues {
 public:
  explicit RandomValues(Choices& choices) : c_(choices) {}

  platform::PlistValue value(int depth = 0) {
    if (depth < 3 && c_.chance(10)) {
      platform::PlistArray array;
      for (std::uint32_t i = c_.below(3); i > 0; --i) array.push_back(value(depth + 1));
      return platform::PlistValue(std::move(array));
    }
    if (depth < 3 && c_.chance(5)) return platform::PlistValue(dictionary(depth + 1));
    switch (c_.below(9)) {
      case 0: return platform::PlistValue(c_.chance(50));
      case 1: {
        static const std::int64_t kIntegers[] = {0, 1, -1, 42, 2, std::numeric_limits<std::int64_t>::min(),
                                                 std::numeric_limits<std::int64_t>::max()};
        return platform::PlistValue(c_.pick(kIntegers));
      }
      case 2: return platform::PlistValue(real());
      case 3: case 4: return platform::PlistValue(text());
      case 5: return platform::PlistValue(platform::PlistData{{0x00, 0x01, 0xff}});
      case 6: {
        static const double kDates[] = {12.5, -2147483648.0, 0, 2147483647.0};
        return platform::PlistValue(platform::PlistDate{c_.pick(kDates)});
      }
      case 7: return platform::PlistValue(colour().text);
      default: return platform::PlistValue(static_cast<double>(c_.below(400)));
    }
  }

  platform::PlistDict dictionary(int depth = 0, std::uint32_t most = 3) {
    platform::PlistDict dict;
    for (std::uint32_t i = c_.below(most + 1); i > 0; --i) dict.set(c_.chance(70) ? "k" + std::to_string(c_.below(4)) : text(), value(depth + 1));
    return dict;
  }

  double real() {
    static const double kReals[] = {0.5, -7.25, 1e308, std::numeric_limits<double>::quiet_NaN(),
                                    std::numeric_limits<double>::infinity(),
                                    -std::numeric_limits<double>::infinity(), -0.0, 0.1, 1e-300, 120};
    return c_.pick(kReals);
  }

  std::string text() {
    static const char* const kTexts[] = {"", "garbage", "#FF00FF:0.5", "hide", "show", "a.b", "with space",
                                         "quote \" and \\ backslash", "line\nbreak\ttab", "\xc3\xa9t\xc3\xa9 \xf0\x9f\x94\x8a",
                                         "now", "nil", "true", "42", "{", "com.apple.springboard"};
    return c_.pick(kTexts);
  }

  sim::Colour colour() {
    static const char* const kColours[] = {"#FFFFFF", "#000000", "#3366CC:0.5", "#00FF00", "#FF0000:0", "#7942D8:1.000000"};
    return *sim::parseColourLiteral(c_.pick(kColours)).value;
  }

 private:
  Choices& c_;
};

}  // namespace fuzzing
