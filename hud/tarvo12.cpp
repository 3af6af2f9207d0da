#include "hud/tarvo12.h"

#include "hud/tarvo_hud.h"
#include "platform/device/foundation_classes.h"
#include "platform/runtime/message.h"

namespace tarvo {

Tarvo12::Tarvo12(platform::Process& proc) : process(proc), preferences(proc) {}

Tarvo12::~Tarvo12() = default;

void Tarvo12::createController() {
  auto& cls = process.runtime().requireClass("TarvoHUD");
  tarvoHUD = rt::cast<TarvoHUD>(platform::allocInit(cls));
  rt::send<void()>(tarvoHUD, "createTarvoHUD");
}

}  // namespace tarvo
