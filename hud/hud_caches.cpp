#include "hud/hud_caches.h"

#include "controls/image_utilities.h"
#include "platform/device/process.h"
#include "platform/foundation/plist_file.h"

namespace tarvo {

HudCaches& HudCaches::of(platform::Process& process) { return process.service<HudCaches>(); }

void HudCaches::setEnabled(bool enabled) {
  enabled_ = enabled;
  decoded_.clear();
  tinted_.clear();
  fitted_.clear();
  tracks_.clear();
  settingsFile_ = platform::PlistFileCache();
}

platform::UIImagePtr HudCaches::decodedIcon(const char* dataURL) {
  auto decode = [&] { return ++work_.decodes, decodeBase64ToImage(dataURL); };
  if (!enabled_) return decode();
  return decoded_.findOrMake(dataURL, decode);
}

const std::optional<platform::PlistDict>& HudCaches::settingsFile(const std::filesystem::path& path) {
  if (!enabled_) {
    ++work_.fileReads;
    literalFile_ = platform::readPlistDictionary(path);
    return literalFile_;
  }
  const auto before = settingsFile_.fileReads();
  const auto& contents = settingsFile_.read(path);
  work_.fileReads += static_cast<std::size_t>(settingsFile_.fileReads() - before);
  return contents;
}

std::size_t HudCaches::entries() const { return decoded_.size() + tinted_.size() + fitted_.size() + tracks_.size(); }

}  // namespace tarvo
