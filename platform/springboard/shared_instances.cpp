#include "platform/springboard/shared_instances.h"

#include <map>
#include <string>

#include "platform/device/process.h"
#include "platform/runtime/message.h"

namespace platform {

namespace {
struct SharedObjects {
  explicit SharedObjects(Process&) {}
  std::map<std::string, rt::Id, std::less<>> byClass;
};
}  // namespace

rt::Id sharedObject(rt::Class& cls) {
  Process* process = cls.owner().process();
  if (!process) return nullptr;
  auto& shared = process->service<SharedObjects>().byClass;
  if (auto it = shared.find(cls.name()); it != shared.end()) return it->second;
  rt::Id made = cls.allocate();
  shared.emplace(cls.name(), made);
  return made;
}

void defineSharedAccessor(rt::Class& cls, std::string_view selector) {
  rt::defineMethod<rt::Id()>(cls.metaclass(), selector,
                             [](const rt::Id& classId) { return sharedObject(static_cast<rt::Class&>(*classId)); });
}

rt::Id sendShared(Process& process, std::string_view className, std::string_view selector) {
  rt::Class* cls = process.runtime().lookUpClass(className);
  return cls ? rt::send<rt::Id()>(rt::classObject(*cls), selector) : nullptr;
}

}  // namespace platform
