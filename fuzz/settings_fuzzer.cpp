// Settings file bytes: whatever a settings file holds, Tarvo12 loads it, lays the HUD out in every
// orientation, shows it with the colours the file names and renders a frame, all in defined behaviour.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>

#include "fuzz/fuzz_phone.h"
#include "platform/foundation/plist_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  // The reader alone, with every conversion the loader may ask for.
  if (auto dict = platform::parsePlistDictionary(bytes)) {
    for (const auto& [key, value] : *dict) {
      (void)value.boolValue();
      (void)value.intValue();
      (void)value.floatValue();
      (void)value.doubleValue();
    }
  }
  // The whole library on a phone whose settings file holds these bytes.
  fuzzing::FuzzPhone& phone = fuzzing::phoneFor({.rawSettings = bytes});
  phone.press(true);
  for (long long orientation : {1LL, 3LL, 2LL, 4LL, 0LL, -7LL}) phone.rotate(orientation);
  phone.device.advance(0.3);  // the fade-in and the level animation have ended
  phone.press(false);
  (void)phone.render(0.5);  // half scale: the same drawing code, a quarter of the pixels to blur
  phone.device.advance(5);  // hidden again
  return 0;
}
