// Settings file bytes: whatever a settings file holds, reading it must end in defined behaviour.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/foundation/plist_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto dict = platform::parsePlistDictionary(std::string_view(reinterpret_cast<const char*>(data), size));
  if (dict) {
    for (const auto& [key, value] : *dict) {
      (void)value.boolValue();
      (void)value.intValue();
      (void)value.floatValue();
    }
  }
  return 0;
}
