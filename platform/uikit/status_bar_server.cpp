#include "platform/uikit/status_bar_server.h"

namespace platform {

void StatusBarServer::enable(int item, const void* requestor) {
  auto it = disabled_.find(item);
  if (it == disabled_.end()) return;
  it->second.erase(requestor);
  if (it->second.empty()) disabled_.erase(it);
}

bool StatusBarServer::isDisabled(int item) const { return disabled_.count(item) > 0; }

bool StatusBarServer::isDisabledBy(int item, const void* requestor) const {
  auto it = disabled_.find(item);
  return it != disabled_.end() && it->second.count(requestor) > 0;
}

int StatusBarServer::refreshCount(int item) const {
  auto it = refreshes_.find(item);
  return it == refreshes_.end() ? 0 : it->second;
}

}  // namespace platform
