#include "settings/device_model.h"

#include <gtest/gtest.h>

#include "platform/device/device.h"

namespace {

struct ModelCase {
  const char* model;
  bool notched;
};

struct ModelTest : ::testing::TestWithParam<ModelCase> {};

TEST_P(ModelTest, MatchesOnlyTheFiveNotchedModelsExactly) {
  platform::DeviceOptions options;
  options.model = GetParam().model;
  platform::Device device(options);
  auto& springboard = device.spawn("SpringBoard", "com.apple.springboard");

  EXPECT_EQ(tarvo::deviceName(springboard), GetParam().model);

  bool isIPhoneX = false;
  tarvo::runModelTest(springboard, isIPhoneX);
  EXPECT_EQ(isIPhoneX, GetParam().notched);

  // No match leaves the flag as it was; a match sets it however often the test runs.
  bool alreadySet = true;
  tarvo::runModelTest(springboard, alreadySet);
  EXPECT_TRUE(alreadySet);
  tarvo::runModelTest(springboard, isIPhoneX);
  EXPECT_EQ(isIPhoneX, GetParam().notched);
}

INSTANTIATE_TEST_SUITE_P(Models, ModelTest,
                         ::testing::Values(ModelCase{"iPhone10,3", true}, ModelCase{"iPhone10,6", true},
                                           ModelCase{"iPhone11,8", true}, ModelCase{"iPhone11,2", true},
                                           ModelCase{"iPhone11,6", true}, ModelCase{"iPhone11,6 ", false},
                                           ModelCase{" iPhone11,6", false}, ModelCase{"iphone11,6", false},
                                           ModelCase{"iPhone11,4", false}, ModelCase{"iPhone10,1", false},
                                           ModelCase{"iPhone10,30", false}, ModelCase{"iPhone10", false},
                                           ModelCase{"x86_64", false}, ModelCase{"", false}));

}  // namespace
