#include <gtest/gtest.h>

#include "platform/device/device.h"
#include "platform/device/foundation_classes.h"
#include "platform/runtime/message.h"

namespace {

using rt::Id;

// A C++ type behind a runtime class, with one instance variable and one overridable method.
class Counter : public rt::Object {
 public:
  using rt::Object::Object;
  int value = 0;
  std::int64_t wide = 7;
};

struct RuntimeTest : ::testing::Test {
  platform::Device device;
  platform::Process& proc = device.spawn("App", "com.example.app");
  rt::Runtime& runtime = proc.runtime();

  void SetUp() override {
    rt::Class& counter = runtime.registerClass("Counter", "NSObject");
    counter.setAllocator([](rt::Class& cls) { return std::make_shared<Counter>(cls); });
    counter.addIvar("_value", &Counter::value);
    counter.addIvar("_wide", &Counter::wide);
    rt::defineMethod<int(int)>(counter, "add:", [](const Id& self, int n) {
      return rt::cast<Counter>(self)->value += n;
    });
    rt::defineMethod<std::string()>(counter.metaclass(), "kind", [](const Id&) { return std::string("base"); });
    runtime.registerClass("SubCounter", "Counter");
  }
  Id make(std::string_view cls) { return platform::allocInit(runtime.requireClass(cls)); }
};

TEST_F(RuntimeTest, ReplacementRunsInsteadAndPreviousStaysCallable) {
  Id c = make("Counter");
  rt::Impl<int(int)> previous;
  rt::MSHookMessageEx<int(int)>(runtime.lookUpClass("Counter"), "add:",
                                [&previous](const Id& self, int n) { return previous(self, n * 10) + 1; },
                                &previous);
  ASSERT_TRUE(previous);
  EXPECT_EQ(rt::send<int(int)>(c, "add:", 2), 21);  // 20 added by the previous implementation, then +1
  EXPECT_EQ(rt::cast<Counter>(c)->value, 20);
  EXPECT_EQ(previous(c, 1), 21);
}

TEST_F(RuntimeTest, ReplacingInheritedMethodLeavesSuperclassAlone) {
  Id base = make("Counter");
  Id sub = make("SubCounter");
  rt::Impl<int(int)> previous;
  rt::MSHookMessageEx<int(int)>(runtime.lookUpClass("SubCounter"), "add:",
                                [&previous](const Id& self, int n) { return -previous(self, n); }, &previous);
  EXPECT_EQ(rt::send<int(int)>(sub, "add:", 3), -3);
  EXPECT_EQ(rt::send<int(int)>(base, "add:", 3), 3);
}

TEST_F(RuntimeTest, ReplacingTwiceChains) {
  Id c = make("Counter");
  rt::Impl<int(int)> first, second;
  rt::Class* cls = runtime.lookUpClass("Counter");
  rt::MSHookMessageEx<int(int)>(cls, "add:", [&first](const Id& s, int n) { return first(s, n + 1); }, &first);
  rt::MSHookMessageEx<int(int)>(cls, "add:", [&second](const Id& s, int n) { return second(s, n * 2); }, &second);
  EXPECT_EQ(rt::send<int(int)>(c, "add:", 5), 11);  // (5 * 2) + 1
}

TEST_F(RuntimeTest, ClassMethodsAreReplacedOnTheMetaclass) {
  rt::Class& cls = runtime.requireClass("SubCounter");
  Id classId = rt::classObject(cls);
  EXPECT_EQ(rt::send<std::string()>(classId, "kind"), "base");
  rt::Impl<std::string()> previous;
  rt::MSHookMessageEx<std::string()>(rt::object_getClass(&cls), "kind",
                                     [&previous](const Id& self) { return previous(self) + "+hooked"; }, &previous);
  EXPECT_EQ(rt::send<std::string()>(classId, "kind"), "base+hooked");
  EXPECT_EQ(rt::send<std::string()>(rt::classObject(runtime.requireClass("Counter")), "kind"), "base");
}

TEST_F(RuntimeTest, AddedMethodsAnswerOnlyWhenNew) {
  rt::Class* cls = runtime.lookUpClass("Counter");
  EXPECT_TRUE(rt::class_addMethod<int()>(cls, "answer", [](const Id&) { return 42; }));
  EXPECT_FALSE(rt::class_addMethod<int(int)>(cls, "add:", [](const Id&, int) { return -1; }));
  Id c = make("SubCounter");
  EXPECT_EQ(rt::send<int()>(c, "answer"), 42);
  EXPECT_EQ(rt::send<int(int)>(c, "add:", 4), 4);
  // A subclass may add its own version of an inherited selector.
  EXPECT_TRUE(rt::class_addMethod<int()>(runtime.lookUpClass("SubCounter"), "answer", [](const Id&) { return 1; }));
  EXPECT_EQ(rt::send<int()>(c, "answer"), 1);
}

TEST_F(RuntimeTest, SignatureMismatchAndUnknownSelectorsThrow) {
  Id c = make("Counter");
  EXPECT_THROW(rt::send<int(double)>(c, "add:", 1.0), std::logic_error);
  EXPECT_THROW(rt::send<void()>(c, "noSuchSelector"), std::logic_error);
  EXPECT_EQ(rt::send<int(int)>(Id{}, "add:", 1), 0);  // messages to nil answer zero
}

TEST_F(RuntimeTest, InstanceVariablesByName) {
  Id c = make("SubCounter");
  ASSERT_NE(rt::ivarAddress<int>(c, "_value"), nullptr);
  *rt::ivarAddress<int>(c, "_value") = 9;
  EXPECT_EQ(rt::cast<Counter>(c)->value, 9);
  EXPECT_EQ(*rt::ivarAddress<std::int64_t>(c, "_wide"), 7);
  EXPECT_EQ(rt::ivarAddress<int>(c, "_missing"), nullptr);
  EXPECT_EQ(rt::ivarAddress<int>(make("NSObject"), "_value"), nullptr);
  EXPECT_EQ(rt::ivarAddress<int>(Id{}, "_value"), nullptr);
  EXPECT_THROW(rt::ivarAddress<float>(c, "_value"), std::logic_error);
}

TEST_F(RuntimeTest, KindOfClassByName) {
  Id sub = make("SubCounter");
  EXPECT_TRUE(sub->isKindOfClass("Counter"));
  EXPECT_TRUE(sub->isKindOfClass("NSObject"));
  EXPECT_FALSE(make("Counter")->isKindOfClass("SubCounter"));
  EXPECT_FALSE(sub->isKindOfClass("NoSuchClass"));
  EXPECT_EQ(sub->className(), "SubCounter");
}

TEST_F(RuntimeTest, ProcessesHaveSeparateRegistries) {
  platform::Process& other = device.spawn("Other", "com.example.other");
  EXPECT_EQ(other.runtime().lookUpClass("Counter"), nullptr);
  rt::replaceMethod<std::string()>(runtime.requireClass("NSObject"), "description",
                                   [](const Id&) { return std::string("hooked"); });
  Id mine = make("NSObject");
  Id theirs = platform::allocInit(other.runtime().requireClass("NSObject"));
  EXPECT_EQ(rt::send<std::string()>(mine, "description"), "hooked");
  EXPECT_NE(rt::send<std::string()>(theirs, "description"), "hooked");
}

TEST_F(RuntimeTest, LiveObjectsAreCounted) {
  long before = runtime.liveObjects();
  {
    Id a = make("Counter");
    Id b = make("SubCounter");
    EXPECT_EQ(runtime.liveObjects(), before + 2);
  }
  EXPECT_EQ(runtime.liveObjects(), before);
}

}  // namespace
