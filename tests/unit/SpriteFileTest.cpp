// Reading sprite files: what loads, what is refused, and the exact log line
// each refusal leaves.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <korvane/LogManager.h>
#include <korvane/ResourceManager.h>
#include "TestSupport.h"

using ko_test::logLines;
using ko_test::ScratchDir;

namespace {

// 2 frames of 3 x 2; eleven lines.
const std::string GOOD =
    "frames 2\nwidth 3\nheight 2\ncolor red\n"
    "abc\ndef\nend\n"
    "ghi\njkl\nend\n"
    "eof\n";

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return text.replace(at, from.size(), to);
}

struct SpriteFileCase {
  const char* name;
  std::string content;
  int result;
  // Expected log, "{f}" standing for the file's path.
  std::vector<std::string> log;
};

std::vector<SpriteFileCase> spriteFileCases() {
  // clang-format off
  return {
      {"well formed", GOOD, 0, {}},
      {"capital colour name", replaced(GOOD, "red", "RED"), 0, {}},
      {"spaces around colour name", replaced(GOOD, "color red", "color    red   "), 0, {}},
      {"no line break after eof", GOOD.substr(0, GOOD.size() - 1), 0, {}},
      {"number followed by letters", replaced(GOOD, "frames 2", "frames 2x"), 0, {}},
      // A CR stays on "eof" and only warns.
      {"CR LF line ends", ko_test::withCrLf(GOOD), 0, {"end of sprite not detected 11 in file {f}"}},
      {"eof missing", replaced(GOOD, "eof", "fin"), 0, {"end of sprite not detected 11 in file {f}"}},
      // A wrong keyword is not counted, so the line before is named.
      {"header out of order", replaced(GOOD, "frames 2\nwidth 3", "width 3\nframes 2"), -1,
       {"frames is sad, wrong on line 0 in file {f}"}},
      {"frames without number", replaced(GOOD, "frames 2", "frames"), -1,
       {"frames is sad, wrong on line 1 in file {f}"}},
      {"frames -1", replaced(GOOD, "frames 2", "frames -1"), -1,
       {"frames is sad, wrong on line 1 in file {f}"}},
      {"frames negative", replaced(GOOD, "frames 2", "frames -7"), -1,
       {"frames is sad, wrong on line 1 in file {f}"}},
      {"frames absurdly many", replaced(GOOD, "frames 2", "frames 2000000000"), -1,
       {"frames is sad, wrong on line 1 in file {f}"}},
      {"frames beyond int", replaced(GOOD, "frames 2", "frames 99999999999"), -1,
       {"frames is sad, wrong on line 1 in file {f}"}},
      {"width not a number", replaced(GOOD, "width 3", "width three"), -1,
       {"width is sad, wrong on line 2 in file {f}"}},
      {"width absurdly large", replaced(GOOD, "width 3", "width 2000000000"), -1,
       {"width is sad, wrong on line 2 in file {f}"}},
      // Negative sizes: with no frames to refuse they would otherwise load.
      {"width negative", "frames 0\nwidth -3\nheight 2\ncolor red\neof\n", -1,
       {"width is sad, wrong on line 2 in file {f}"}},
      {"width and height the least int",
       "frames 2\nwidth -2147483648\nheight -2147483648\ncolor red\nend\nend\neof\n", -1,
       {"width is sad, wrong on line 2 in file {f}"}},
      {"height negative", "frames 1\nwidth 3\nheight -2\ncolor red\nend\neof\n", -1,
       {"height is sad, wrong on line 3 in file {f}"}},
      {"height keyword misspelt", replaced(GOOD, "height 2", "heigth 2"), -1,
       {"height is sad, wrong on line 2 in file {f}"}},
      {"mixed-case colour", replaced(GOOD, "red", "Red"), -1,
       {"color is sad, wrong on line 4 in file {f}"}},
      {"colour keyword misspelt", replaced(GOOD, "color red", "colour red"), -1,
       {"color is sad, wrong on line 4 in file {f}"}},
      {"art line too long", replaced(GOOD, "abc\n", "abcd\n"), -1,
       {"abcd 4 and 3 in file {f}", "frame wrong at line 5 in file {f}"}},
      // The log quotes 80 characters of a long line, with its true length.
      {"art line far too long",
       "frames 1\nwidth 3\nheight 1\ncolor red\n" + std::string(79, 'x') + "yz\nend\neof\n", -1,
       {std::string(79, 'x') + "y... 81 and 3 in file {f}", "frame wrong at line 5 in file {f}"}},
      {"art line just short enough to quote whole",
       "frames 1\nwidth 3\nheight 1\ncolor red\n" + std::string(80, 'q') + "\r\nend\neof\n", -1,
       {std::string(80, 'q') + " 80 and 3 in file {f}", "frame wrong at line 5 in file {f}"}},
      {"art line of megabytes",
       "frames 1\nwidth 1000\nheight 1\ncolor red\n" + std::string(5000000, 'm') + "\nend\neof\n",
       -1,
       {std::string(80, 'm') + "... 5000000 and 1000 in file {f}",
        "frame wrong at line 5 in file {f}"}},
      {"frame terminator wrong", replaced(GOOD, "def\nend", "def\nned"), -1,
       {"frame wrong at line 7 in file {f}"}},
      {"frame terminator with more text", replaced(GOOD, "def\nend", "def\nend x"), -1,
       {"frame wrong at line 7 in file {f}"}},
      {"last terminator without line break", GOOD.substr(0, GOOD.find("eof") - 1), -1,
       {"frame wrong at line 10 in file {f}"}},
      {"file ends inside a frame", GOOD.substr(0, GOOD.find("jkl")), -1,
       {"frame wrong at line 8 in file {f}"}},
      {"height 0", "frames 1\nwidth 3\nheight 0\ncolor red\nend\neof\n", -1,
       {"frame wrong at line 5 in file {f}"}},
      {"frames 0", "frames 0\nwidth 3\nheight 2\ncolor red\neof\n", 0, {}},
  };
  // clang-format on
}

class SpriteFile : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(ko::ResourceManager::getInstance().startUp(), 0);
    logged_before = logLines().size();
  }
  // The log lines written since the test began.
  std::vector<std::string> newLogLines() const {
    const std::vector<std::string> lines = logLines();
    return std::vector<std::string>(lines.begin() + static_cast<long>(logged_before), lines.end());
  }
  ScratchDir dir;
  std::size_t logged_before = 0;
};

TEST_F(SpriteFile, EachCaseLoadsOrFailsWithItsLogLines) {
  ko::ResourceManager& resources = ko::ResourceManager::getInstance();
  std::size_t logged = logged_before;
  for (const SpriteFileCase& c : spriteFileCases()) {
    SCOPED_TRACE(c.name);
    const std::string label = std::string("label ") + c.name;
    const std::string file = dir.write("sprite.txt", c.content);
    EXPECT_EQ(resources.loadSprite(file, label), c.result);
    EXPECT_EQ(resources.getSprite(label) != nullptr, c.result == 0);

    const std::vector<std::string> lines = logLines();
    std::vector<std::string> expected;
    for (std::string line : c.log) {
      const std::size_t at = line.find("{f}");
      if (at != std::string::npos) line.replace(at, 3, file);
      expected.push_back(line);
    }
    EXPECT_EQ(std::vector<std::string>(lines.begin() + static_cast<long>(logged), lines.end()),
              expected);
    logged = lines.size();
  }
}

TEST_F(SpriteFile, MissingFileIsLogged) {
  const std::string file = dir.path() + "/nowhere.txt";
  EXPECT_EQ(ko::ResourceManager::getInstance().loadSprite(file, "x"), -1);
  EXPECT_EQ(newLogLines(), std::vector<std::string>{"unable to open file " + file});
}

TEST_F(SpriteFile, FramesHoldTheArtRowAfterRow) {
  ko::ResourceManager& resources = ko::ResourceManager::getInstance();
  ASSERT_EQ(resources.loadSprite(dir.write("good.txt", GOOD), "good"), 0);
  const ko::Sprite* p_sprite = resources.getSprite("good");
  ASSERT_NE(p_sprite, nullptr);
  EXPECT_EQ(p_sprite->getLabel(), "good");
  EXPECT_EQ(p_sprite->getWidth(), 3);
  EXPECT_EQ(p_sprite->getHeight(), 2);
  EXPECT_EQ(p_sprite->getColor(), ko::RED);
  ASSERT_EQ(p_sprite->getFrameCount(), 2);
  EXPECT_EQ(p_sprite->getFrame(0).getString(), "abcdef");
  EXPECT_EQ(p_sprite->getFrame(1).getString(), "ghijkl");
  EXPECT_EQ(p_sprite->getFrame(1).getWidth(), 3);
  EXPECT_EQ(p_sprite->getFrame(1).getHeight(), 2);
  for (int outside : {-1, 2}) {
    EXPECT_EQ(p_sprite->getFrame(outside).getHeight(), 0);
    EXPECT_EQ(p_sprite->getFrame(outside).getString(), "");
  }
}

TEST_F(SpriteFile, ShortArtLinesArePaddedToTheWidth) {
  ko::ResourceManager& resources = ko::ResourceManager::getInstance();
  const std::string file =
      dir.write("short.txt", replaced(ko_test::withCrLf(GOOD), "abc\r\ndef", "a\r\n"));
  ASSERT_EQ(resources.loadSprite(file, "short"), 0);
  EXPECT_EQ(resources.getSprite("short")->getFrame(0).getString(), "a     ");
  EXPECT_EQ(resources.getSprite("short")->getFrame(1).getString(), "ghijkl");
}

TEST_F(SpriteFile, SpriteWithoutFramesHasOnlyTheEmptyFrame) {
  ko::ResourceManager& resources = ko::ResourceManager::getInstance();
  ASSERT_EQ(resources.loadSprite(
                dir.write("none.txt", "frames 0\nwidth 3\nheight 2\ncolor cyan\neof\n"), "none"),
            0);
  const ko::Sprite* p_sprite = resources.getSprite("none");
  EXPECT_EQ(p_sprite->getFrameCount(), 0);
  EXPECT_EQ(p_sprite->getColor(), ko::CYAN);
  EXPECT_EQ(p_sprite->getFrame(0).getString(), "");
}

TEST_F(SpriteFile, DuplicateLabelsResolveToTheFirstLoaded) {
  ko::ResourceManager& resources = ko::ResourceManager::getInstance();
  ASSERT_EQ(resources.loadSprite(dir.write("a.txt", GOOD), "same"), 0);
  ASSERT_EQ(resources.loadSprite(dir.write("b.txt", replaced(GOOD, "red", "blue")), "same"), 0);
  EXPECT_EQ(resources.getSprite("same")->getColor(), ko::RED);
  EXPECT_EQ(resources.unloadSprite("same"), 0);
  ASSERT_NE(resources.getSprite("same"), nullptr);
  EXPECT_EQ(resources.getSprite("same")->getColor(), ko::BLUE);
  EXPECT_EQ(resources.unloadSprite("same"), 0);
  EXPECT_EQ(resources.getSprite("same"), nullptr);
  EXPECT_EQ(resources.unloadSprite("same"), -1);
}

TEST_F(SpriteFile, ThousandFirstLoadIsRefusedSilently) {
  ko::ResourceManager& resources = ko::ResourceManager::getInstance();
  const std::string file = dir.write("good.txt", GOOD);
  for (int i = 0; i < ko::MAX_SPRITES; i++) {
    ASSERT_EQ(resources.loadSprite(file, "s" + std::to_string(i)), 0) << i;
  }
  EXPECT_EQ(resources.loadSprite(file, "one too many"), -1);
  EXPECT_EQ(resources.getSprite("one too many"), nullptr);
  EXPECT_TRUE(newLogLines().empty());
  // Unloading one makes room again.
  ASSERT_EQ(resources.unloadSprite("s0"), 0);
  EXPECT_EQ(resources.loadSprite(file, "one too many"), 0);
}

TEST_F(SpriteFile, ShutDownReleasesSpritesAndMayBeRepeated) {
  ko::ResourceManager& resources = ko::ResourceManager::getInstance();
  ASSERT_EQ(resources.loadSprite(dir.write("good.txt", GOOD), "good"), 0);
  resources.shutDown();
  EXPECT_FALSE(resources.isStarted());
  EXPECT_EQ(resources.getSprite("good"), nullptr);
  resources.shutDown();
  EXPECT_EQ(resources.startUp(), 0);
  EXPECT_EQ(resources.loadSprite(dir.path() + "/good.txt", "good"), 0);
}

TEST(Sprite, AddFrameStopsAtCapacity) {
  ko::Sprite sprite(2);
  EXPECT_EQ(sprite.getColor(), ko::WHITE);
  EXPECT_EQ(sprite.addFrame(ko::Frame(1, 1, "a")), 0);
  EXPECT_EQ(sprite.addFrame(ko::Frame(1, 1, "b")), 0);
  EXPECT_EQ(sprite.addFrame(ko::Frame(1, 1, "c")), -1);
  EXPECT_EQ(sprite.getFrameCount(), 2);
  EXPECT_EQ(sprite.getFrame(1).getString(), "b");
}

TEST(SpriteColorNames, AcceptOnlyAllLowerOrAllUpperCase) {
  const struct {
    const char* name;
    ko::Color color;
  } cases[] = {
      {"black", ko::BLACK},
      {"RED", ko::RED},
      {"green", ko::GREEN},
      {"YELLOW", ko::YELLOW},
      {"blue", ko::BLUE},
      {"MAGENTA", ko::MAGENTA},
      {"cyan", ko::CYAN},
      {"WHITE", ko::WHITE},
      {"White", ko::UNDEFINED_COLOR},
      {"", ko::UNDEFINED_COLOR},
      {"orange", ko::UNDEFINED_COLOR},
      {"red ", ko::UNDEFINED_COLOR},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ko::stringToKoColor(c.name), c.color);
  }
}

}  // namespace
