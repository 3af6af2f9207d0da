#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/foundation/plist_value.h"

namespace platform {
namespace {

// The dictionary against a model of it (insertion order plus a map), across the sizes where it starts
// indexing and where the index grows, with keys replaced, erased and added again; and the same with room
// reserved before the first key and again half way, when the index is made ahead of the keys.
TEST(PlistDict, AgreesWithAModelAcrossEverySizeOfIndex) {
  for (bool reserving : {false, true})
    for (int keys : {0, 1, 15, 16, 17, 31, 32, 33, 200, 5000}) {
      SCOPED_TRACE("keys: " + std::to_string(keys) + (reserving ? ", reserved" : ""));
      PlistDict dict;
      if (reserving) dict.reserve(static_cast<std::size_t>(keys / 2 + 1));
      std::vector<std::string> order;
      std::map<std::string, int> model;
      auto put = [&](const std::string& key, int value) {
        if (!model.count(key)) order.push_back(key);
        model[key] = value;
        dict.set(key, value);
      };
      auto drop = [&](const std::string& key) {
        EXPECT_EQ(dict.erase(key), model.erase(key) == 1);
        std::erase(order, key);
      };
      for (int i = 0; i < keys; ++i) {
        if (reserving && i == keys / 2) dict.reserve(static_cast<std::size_t>(2 * keys));
        put("key" + std::to_string(i), i);
      }
      for (int i = 0; i < keys; i += 3) put("key" + std::to_string(i), -i);  // replaced in place
      for (int i = 1; i < keys; i += 7) drop("key" + std::to_string(i));
      drop("absent");
      for (int i = 1; i < keys; i += 14) put("key" + std::to_string(i), 1000 + i);  // back, at the end

      const PlistDict copy = dict;  // the index travels with a copy
      for (const PlistDict* d : {static_cast<const PlistDict*>(&dict), &copy}) {
        ASSERT_EQ(d->size(), model.size());
        std::size_t at = 0;
        for (const auto& [key, value] : *d) {
          ASSERT_LT(at, order.size());
          EXPECT_EQ(key, order[at++]);
          EXPECT_EQ(value.intValue(), model[key]);
        }
        for (const auto& [key, value] : model) {
          const PlistValue* found = d->find(key);
          ASSERT_NE(found, nullptr) << key;
          EXPECT_EQ(found->intValue(), value);
        }
        EXPECT_EQ(d->find("key-1"), nullptr);
        EXPECT_EQ(d->find(""), nullptr);
      }
    }
}

}  // namespace
}  // namespace platform
