// Tests read the tree's current assets, never a copy taken when the build
// was configured: an edited sprite or text is what the next test run sees.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string contents(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

}  // namespace

TEST(TestLayout, SeesTheTreesCurrentAssets) {
  const fs::path source(KO_SOURCE_DIR);
  for (const char* dir : {"sprites", "sounds"}) {
    SCOPED_TRACE(dir);
    EXPECT_TRUE(fs::equivalent(fs::path("..") / dir, source / dir)) << "linked, not copied";
  }
  EXPECT_TRUE(fs::equivalent("ko-font.ttf", source / "run" / "ko-font.ttf"));
  // The data directory is the test's own, since games write the score
  // there, but made from the tree's file when the test process started.
  EXPECT_FALSE(fs::equivalent("../data", source / "data"));
  EXPECT_EQ(contents("../data/data.txt"), contents(source / "data" / "data.txt"));
  EXPECT_FALSE(fs::exists("../data/score.txt"));
}
