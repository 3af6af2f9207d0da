#include "platform/device/notification_bus.h"

#include "platform/device/device.h"
#include "platform/device/process.h"

namespace platform {

namespace {
const char* formName(CenterForm form) { return form == CenterForm::CF ? "CF" : "NS"; }
}  // namespace

void NotificationBus::addObserver(Process& process, std::string name, CenterForm form, int suspensionBehavior,
                                  Handler handler) {
  PlistDict fields;
  fields.set("name", name);
  fields.set("form", formName(form));
  fields.set("suspensionBehavior", suspensionBehavior);
  process.trace("notification.observe", std::move(fields));
  observers_.push_back({&process, std::move(name), form, suspensionBehavior,
                        std::make_shared<Handler>(std::move(handler))});
}

void NotificationBus::post(Process& poster, std::string_view name, const PlistDict* userInfo, CenterForm form,
                           bool deliverImmediately, const std::string* object) {
  auto payload = userInfo ? std::make_shared<const PlistDict>(*userInfo) : nullptr;
  if (poster.tracing()) {
    PlistDict fields;
    fields.set("name", std::string(name));
    fields.set("form", formName(form));
    if (form == CenterForm::CF) fields.set("deliverImmediately", deliverImmediately);
    if (payload) fields.set("userInfo", *payload);
    if (object) fields.set("object", *object);
    poster.trace("notification.post", std::move(fields));
  }

  std::optional<std::string> carried = object ? std::optional(*object) : std::nullopt;
  auto note = std::make_shared<const Notification>(Notification{std::string(name), payload, std::move(carried)});
  for (const Observer& o : observers_) {
    if (o.name != name) continue;
    Process* target = o.process;
    std::shared_ptr<Handler> handler = o.handler;
    target->runLoop().performSoon([target, handler, note, from = poster.name()] {
      if (target->tracing()) {
        PlistDict f;
        f.set("name", note->name);
        f.set("from", from);
        target->trace("notification.deliver", std::move(f));
      }
      (*handler)(*note);
    });
  }
}

std::size_t NotificationBus::observerCount(std::string_view name) const {
  std::size_t n = 0;
  for (const Observer& o : observers_) n += o.name == name;
  return n;
}

}  // namespace platform
