#include "sim/scenario/device_models.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(DeviceModels, NotchedModelsOfTheModelTestAndClassicOnes) {
  struct Case {
    const char* identifier;
    double width, height, scale;
    bool notched;
  } cases[] = {
      {"iPhone10,3", 375, 812, 3, true}, {"iPhone10,6", 375, 812, 3, true}, {"iPhone11,8", 414, 896, 2, true},
      {"iPhone11,2", 375, 812, 3, true}, {"iPhone11,6", 414, 896, 3, true}, {"iPhone9,3", 375, 667, 2, false},
      {"iPhone9,4", 414, 736, 3, false}, {"iPhone8,4", 320, 568, 2, false},
      // The 11 and 12 families: split bars the model test does not know.
      {"iPhone12,1", 414, 896, 2, true}, {"iPhone12,3", 375, 812, 3, true}, {"iPhone12,5", 414, 896, 3, true},
      {"iPhone12,8", 375, 667, 2, false}, {"iPhone13,1", 360, 780, 3, true}, {"iPhone13,2", 390, 844, 3, true},
      {"iPhone13,3", 390, 844, 3, true}, {"iPhone13,4", 428, 926, 3, true},
  };
  for (const auto& c : cases) {
    const sim::DeviceModel* model = sim::deviceModelNamed(c.identifier);
    ASSERT_TRUE(model) << c.identifier;
    EXPECT_EQ(model->width, c.width) << c.identifier;
    EXPECT_EQ(model->height, c.height) << c.identifier;
    EXPECT_EQ(model->scale, c.scale) << c.identifier;
    EXPECT_EQ(model->notched(), c.notched) << c.identifier;
  }
}

TEST(DeviceModels, LookUpIsExactAndIdentifiersAreUnique) {
  EXPECT_FALSE(sim::deviceModelNamed("iphone10,3"));
  EXPECT_FALSE(sim::deviceModelNamed("iPhone10,3 "));
  EXPECT_EQ(sim::defaultDeviceModel().identifier, "iPhone10,3");
  std::set<std::string_view> seen;
  for (const auto& model : sim::deviceModels()) {
    EXPECT_TRUE(seen.insert(model.identifier).second) << model.identifier;
    EXPECT_GT(model.width, 0);
    EXPECT_LT(model.width, model.height);  // portrait
    // The housing sits inside the top edge and the bar reaches below it; corners leave the edges room.
    const sim::DisplayShape& d = model.display;
    EXPECT_LT(d.housingWidth, model.width - 2 * d.cornerRadius) << model.identifier;
    EXPECT_LE(d.housingHeight, model.statusBarHeight) << model.identifier;
    EXPECT_EQ(model.statusBarHeight > 20, model.notched()) << model.identifier;
  }
}

}  // namespace
