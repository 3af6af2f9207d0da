#pragma once
// Every scenario under examples/, for tests that play them all, and a test name for each.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

namespace testing_support {

inline std::vector<std::string> exampleFiles() {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(std::string(TARVO_SOURCE_DIR) + "/examples"))
    if (entry.path().extension() == ".scenario") files.push_back(entry.path().string());
  std::sort(files.begin(), files.end());
  return files;
}

inline std::string exampleTestName(const ::testing::TestParamInfo<std::string>& info) {
  std::string name = std::filesystem::path(info.param).stem().string();
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
}

}  // namespace testing_support
