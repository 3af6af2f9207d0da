#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <fstream>

#include "platform/device/device.h"
#include "platform/foundation/plist_file.h"
#include "platform/foundation/plist_file_cache.h"

namespace {

using platform::PlistDict;

struct PlistFileCacheTest : ::testing::Test {
  platform::Device device;
  platform::Process& proc = device.spawn("SpringBoard", "com.apple.springboard");
  std::filesystem::path path = proc.resolvePath("/var/mobile/Library/Preferences/cached.plist");
  platform::PlistFileCache cache;

  static PlistDict colour(const char* value) {
    PlistDict d;
    d.set("minColor", value);
    return d;
  }
  std::string minColor() {
    const auto& dict = cache.read(path);
    const std::string* text = dict ? platform::stringForKey(*dict, "minColor") : nullptr;
    return text ? *text : "(none)";
  }
  // Rewrites the file in place, keeping its inode, with the given modification time.
  void rewriteInPlace(const std::string& bytes, const timespec& modified) {
    std::filesystem::create_directories(path.parent_path());
    {
      std::ofstream out(path, std::ios::binary | std::ios::trunc);
      out << bytes;
    }
    timespec times[2] = {modified, modified};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  }
};

TEST_F(PlistFileCacheTest, AnUnchangedFileIsReadOnce) {
  ASSERT_TRUE(platform::writePlistDictionary(path, colour("#FF0000"), platform::PlistFormat::Xml));
  EXPECT_EQ(minColor(), "#FF0000");
  EXPECT_EQ(minColor(), "#FF0000");
  EXPECT_EQ(minColor(), "#FF0000");
  EXPECT_EQ(cache.fileReads(), 1u);
}

TEST_F(PlistFileCacheTest, AFileReplacedByRenameIsReadAgainEvenWithTheSameSizeAndTime) {
  ASSERT_TRUE(platform::writePlistDictionary(path, colour("#FF0000"), platform::PlistFormat::Binary));
  EXPECT_EQ(minColor(), "#FF0000");
  struct stat first {};
  ASSERT_EQ(stat(path.c_str(), &first), 0);
  ASSERT_TRUE(platform::writePlistDictionary(path, colour("#00FF00"), platform::PlistFormat::Binary));
  // The very same size and modification time: only the inode tells the two files apart.
  timespec times[2] = {first.st_mtim, first.st_mtim};
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  struct stat second {};
  ASSERT_EQ(stat(path.c_str(), &second), 0);
  ASSERT_EQ(first.st_size, second.st_size);
  EXPECT_EQ(minColor(), "#00FF00");
  EXPECT_EQ(cache.fileReads(), 2u);
}

TEST_F(PlistFileCacheTest, AnEditInPlaceIsSeenThroughTheSizeOrTheTimes) {
  std::string red = platform::serializePlist(colour("#FF0000"), platform::PlistFormat::Xml);
  std::string blue = platform::serializePlist(colour("#0000FF"), platform::PlistFormat::Xml);
  std::string longer = platform::serializePlist(colour("#0000FF:0.5"), platform::PlistFormat::Xml);
  ASSERT_EQ(red.size(), blue.size());
  rewriteInPlace(red, timespec{1000, 1});
  EXPECT_EQ(minColor(), "#FF0000");
  rewriteInPlace(blue, timespec{1000, 2});  // one nanosecond later, same size
  EXPECT_EQ(minColor(), "#0000FF");
  rewriteInPlace(longer, timespec{1000, 2});  // same time, another size
  EXPECT_EQ(minColor(), "#0000FF:0.5");
  EXPECT_EQ(cache.fileReads(), 3u);
}

TEST_F(PlistFileCacheTest, MissingMalformedAndNonFilesReadAsNothing) {
  EXPECT_EQ(minColor(), "(none)");
  std::filesystem::create_directories(path);  // a directory where the file should be
  EXPECT_FALSE(cache.read(path));
  std::filesystem::remove(path);
  rewriteInPlace("<plist><dict><key>minColor</key>", timespec{5, 0});
  EXPECT_FALSE(cache.read(path));
  EXPECT_FALSE(cache.read(path));
  ASSERT_TRUE(platform::writePlistDictionary(path, colour("#123456"), platform::PlistFormat::Xml));
  EXPECT_EQ(minColor(), "#123456");
  std::filesystem::remove(path);
  EXPECT_EQ(minColor(), "(none)");
}

TEST_F(PlistFileCacheTest, AnotherPathIsAnotherFile) {
  auto other = proc.resolvePath("/var/mobile/Library/Preferences/other.plist");
  ASSERT_TRUE(platform::writePlistDictionary(path, colour("#FF0000"), platform::PlistFormat::Xml));
  ASSERT_TRUE(platform::writePlistDictionary(other, colour("#00FF00"), platform::PlistFormat::Xml));
  EXPECT_EQ(minColor(), "#FF0000");
  const auto& dict = cache.read(other);
  ASSERT_TRUE(dict);
  EXPECT_EQ(*platform::stringForKey(*dict, "minColor"), "#00FF00");
  EXPECT_EQ(minColor(), "#FF0000");
}

}  // namespace
