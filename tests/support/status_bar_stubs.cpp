#include "support/status_bar_stubs.h"

#include "platform/device/process.h"
#include "platform/runtime/message.h"
#include "platform/uikit/application.h"
#include "platform/uikit/uikit_classes.h"

namespace testing_support {

using platform::UIColor;

namespace {

template <class T>
rt::Class* registerOnce(rt::Runtime& runtime, std::string_view name, std::string_view superclass) {
  if (runtime.lookUpClass(name)) return nullptr;
  rt::Class& cls = runtime.registerClass(name, superclass);
  cls.setAllocator([](rt::Class& c) { return std::make_shared<T>(c); });
  return &cls;
}

}  // namespace

void registerStubStatusBars(platform::Process& process) {
  platform::loadUIKit(process);
  rt::Runtime& runtime = process.runtime();
  if (rt::Class* classic = registerOnce<StubClassicStatusBar>(runtime, "TestClassicStatusBar", "UIView"))
    classic->addIvar("_styleAttributes", &StubClassicStatusBar::styleAttributes);
  if (rt::Class* attributes = registerOnce<StubStyleAttributes>(runtime, "TestStyleAttributes", "NSObject"))
    attributes->addIvar("_foregroundStyle", &StubStyleAttributes::foregroundStyle);
  if (rt::Class* style = registerOnce<StubForegroundStyle>(runtime, "TestForegroundStyle", "NSObject")) {
    rt::defineMethod<std::optional<UIColor>()>(*style, "tintColor",
                                              [](const rt::Id& self) { return rt::cast<StubForegroundStyle>(self)->tint; });
  }
}

std::shared_ptr<platform::UISplitStatusBar> makeSplitStatusBar(platform::Process& process,
                                                              std::optional<UIColor> color) {
  registerStubStatusBars(process);
  auto bar = rt::cast<platform::UISplitStatusBar>(process.runtime().requireClass("_UIStatusBar").allocate());
  if (bar) bar->foregroundColor = color;
  return bar;
}

std::shared_ptr<platform::UIStatusBarBase> makeStatusBarBase(platform::Process& process, bool modern) {
  registerStubStatusBars(process);
  auto bar = rt::cast<platform::UIStatusBarBase>(process.runtime().requireClass("UIStatusBar").allocate());
  if (bar) bar->usesModernBar = modern;
  return bar;
}

std::shared_ptr<StubClassicStatusBar> makeClassicStatusBar(platform::Process& process, bool withAttributes,
                                                           bool withStyle, std::optional<UIColor> tint) {
  registerStubStatusBars(process);
  rt::Runtime& runtime = process.runtime();
  auto bar = rt::cast<StubClassicStatusBar>(runtime.requireClass("TestClassicStatusBar").allocate());
  if (!withAttributes) return bar;
  auto attributes = rt::cast<StubStyleAttributes>(runtime.requireClass("TestStyleAttributes").allocate());
  bar->styleAttributes = attributes;
  if (!withStyle) return bar;
  auto style = rt::cast<StubForegroundStyle>(runtime.requireClass("TestForegroundStyle").allocate());
  style->tint = tint;
  attributes->foregroundStyle = style;
  return bar;
}

void installStatusBar(platform::Process& process, const rt::Id& statusBar) {
  if (auto app = platform::UIApplication::sharedApplication(process)) app->statusBar = statusBar;
}

}  // namespace testing_support
