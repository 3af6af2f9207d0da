#pragma once
// Tarvo12Kit loaded into one UIKit process. Loading it replaces `init` of UIApplication and does nothing
// else; the replacement subscribes the process to SpringBoard's status bar commands and colour requests,
// the first time the process's application object is initialised.
#include "platform/device/process.h"
#include "platform/runtime/message.h"

namespace tarvokit {

class Tarvo12Kit : public platform::Process::Library {
 public:
  // Loads the library into the process (once; a second call answers the loaded one).
  static Tarvo12Kit& load(platform::Process& process);
  explicit Tarvo12Kit(platform::Process& process);

  platform::Process& process;
  // UIApplication's init as it was before ours took its place; our init ends by calling it.
  rt::Impl<rt::Id()> previousInit;

 private:
  rt::Id applicationInit(const rt::Id& self);
  void registerObservers();
  bool observersRegistered_ = false;
};

}  // namespace tarvokit
