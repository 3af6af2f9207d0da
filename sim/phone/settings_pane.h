#pragma once
// What the settings pane does: it writes the whole settings file, then posts the settings-changed
// notification from its own process.
#include <filesystem>

#include "platform/foundation/plist_file.h"
#include "sim/scenario/commands.h"

namespace platform {
class Process;
}

namespace sim {

class SettingsPane {
 public:
  // `shell` resolves the file's path on the phone (once: the phone's root stays where it is); the pane posts
  // from a process of its own.
  SettingsPane(platform::Process& shell, platform::Process& pane);

  void set(const SetSetting& command);
  void remove(const RemoveSetting& command);
  void replace(const ReplaceSettings& command);
  void erase(const DeleteSettings& command);
  void writeFile(const WriteSettingsFile& command);

 private:
  platform::PlistDict current() const;
  void write(const platform::PlistDict& contents, const SettingsWrite& how);
  void post();
  std::filesystem::path file_;
  platform::Process& pane_;
};

}  // namespace sim
