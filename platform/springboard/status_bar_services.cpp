#include "platform/springboard/status_bar_services.h"

#include "platform/device/device.h"
#include "platform/device/process.h"
#include "platform/runtime/message.h"
#include "platform/springboard/shared_instances.h"
#include "platform/uikit/status_bar_server.h"

namespace platform {

namespace {

PlistDict itemFields(int item) {
  PlistDict f;
  f.set("item", item);
  return f;
}

PlistDict requestFields(int item, const rt::Id& requestor) {
  PlistDict f = itemFields(item);
  f.set("requestor", requestor ? requestor->className() : std::string("nil"));
  return f;
}

template <class T>
void registerShared(rt::Runtime& runtime, std::string_view name) {
  rt::Class& cls = runtime.registerClass(name, "NSObject");
  cls.setAllocator([](rt::Class& c) { return std::make_shared<T>(c); });
  defineSharedAccessor(cls, "sharedInstance");
}

void registerStateProvider(rt::Runtime& runtime) {
  registerShared<SBMainStatusBarStateProvider>(runtime, "SBMainStatusBarStateProvider");
  rt::Class& cls = runtime.requireClass("SBMainStatusBarStateProvider");
  rt::defineMethod<void(int, rt::Id)>(cls, "disableStatusBarItem:requestor:",
                                      [](const rt::Id& self, int item, rt::Id requestor) {
                                        self->process().trace("statusbar.disable", requestFields(item, requestor));
                                        self->process().device().service<StatusBarServer>().disable(
                                            item, requestor.get());
                                      });
  rt::defineMethod<void(int, rt::Id)>(cls, "enableStatusBarItem:requestor:",
                                      [](const rt::Id& self, int item, rt::Id requestor) {
                                        self->process().trace("statusbar.enable", requestFields(item, requestor));
                                        self->process().device().service<StatusBarServer>().enable(
                                            item, requestor.get());
                                      });
  rt::defineMethod<void(bool)>(cls, "setTimeCloaked:", [](const rt::Id& self, bool cloaked) {
    PlistDict f;
    f.set("cloaked", cloaked);
    self->process().trace("statusbar.timeCloaked", std::move(f));
    self->process().device().service<StatusBarServer>().setTimeCloaked(cloaked);
  });
}

void registerAggregator(rt::Runtime& runtime) {
  registerShared<SBStatusBarStateAggregator>(runtime, "SBStatusBarStateAggregator");
  rt::Class& cls = runtime.requireClass("SBStatusBarStateAggregator");
  rt::defineMethod<void()>(cls, "_updateServiceItem", [](const rt::Id& self) {
    Process& process = self->process();
    // The service item shows whatever the telephony information answers now (nil shows nothing).
    auto name = rt::send<std::optional<std::string>()>(sharedInstance(process, "SBTelephonySubscriptionInfo"),
                                                       "operatorName");
    // The answer as whatever replaced the method gave it, so a scenario sees when it was asked and what came back.
    PlistDict asked;
    if (name) asked.set("answer", *name);
    asked.set("nil", !name.has_value());
    process.trace("telephony.operatorName", std::move(asked));
    PlistDict f;
    f.set("operatorName", name ? PlistValue(*name) : PlistValue(std::string()));
    f.set("blank", !name.has_value());
    process.trace("statusbar.updateServiceItem", std::move(f));
    process.device().service<StatusBarServer>().setServiceText(name.value_or(""));
  });
  rt::defineMethod<void(int)>(cls, "updateStatusBarItem:", [](const rt::Id& self, int item) {
    self->process().trace("statusbar.updateItem", itemFields(item));
    self->process().device().service<StatusBarServer>().noteItemRefreshed(item);
  });
  rt::defineMethod<void(int)>(cls, "_notifyItemChanged:", [](const rt::Id& self, int item) {
    self->process().trace("statusbar.notifyItemChanged", itemFields(item));
  });
}

void registerTelephony(rt::Runtime& runtime) {
  registerShared<SBTelephonySubscriptionInfo>(runtime, "SBTelephonySubscriptionInfo");
  rt::Class& cls = runtime.requireClass("SBTelephonySubscriptionInfo");
  rt::defineMethod<std::optional<std::string>()>(cls, "operatorName", [](const rt::Id& self) {
    return std::optional<std::string>(rt::cast<SBTelephonySubscriptionInfo>(self)->carrierName);
  });
}

}  // namespace

void registerStatusBarServiceClasses(rt::Runtime& runtime) {
  registerStateProvider(runtime);
  registerAggregator(runtime);
  registerTelephony(runtime);
}

rt::Id sharedInstance(Process& process, std::string_view className) {
  return sendShared(process, className, "sharedInstance");
}

}  // namespace platform
