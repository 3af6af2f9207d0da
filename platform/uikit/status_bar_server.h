#pragma once
// What every status bar on the device shows, as the shell's status bar server publishes it: items that
// some requestor has disabled, whether the clock is cloaked, and the service (operator) text.
#include <map>
#include <set>
#include <string>

namespace platform {

class Device;

// Item numbers as the shell's state provider numbers them.
namespace status_bar_item {
inline constexpr int kTime = 0;
inline constexpr int kItemCount = 41;  // 0 to 40
}  // namespace status_bar_item

class StatusBarServer {
 public:
  explicit StatusBarServer(Device&) {}

  // A requestor is identified by its object's address while the request stands.
  void disable(int item, const void* requestor) { disabled_[item].insert(requestor); }
  void enable(int item, const void* requestor);
  bool isDisabled(int item) const;
  bool isDisabledBy(int item, const void* requestor) const;

  void setTimeCloaked(bool cloaked) { timeCloaked_ = cloaked; }
  bool timeCloaked() const { return timeCloaked_; }

  // The text the service item shows since its last refresh; empty shows nothing.
  void setServiceText(std::string text) { serviceText_ = std::move(text); }
  const std::string& serviceText() const { return serviceText_; }

  // Refreshes of single items, counted so the renderer and tests can tell that an update happened.
  void noteItemRefreshed(int item) { ++refreshes_[item]; }
  int refreshCount(int item) const;

 private:
  std::map<int, std::set<const void*>> disabled_;
  bool timeCloaked_ = false;
  std::string serviceText_ = "Carrier";
  std::map<int, int> refreshes_;
};

}  // namespace platform
