// Falling blocks in a running game: typing them away, the colours of the
// hardness levels, the election of the lowest block as the target, how a
// block shows what is left to type and whether keys go to it, and the
// explosions they leave.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include <korvane/GameManager.h>
#include <korvane/GraphicsManager.h>
#include <korvane/ResourceManager.h>
#include <korvane/ViewObject.h>
#include <korvane/WorldManager.h>
#include "ErrorsObject.h"
#include "ErrorsObjectList.h"
#include "Explosion.h"
#include "GameDriver.h"
#include "TestSupport.h"
#include "game.h"

using namespace ko_test;

namespace {

const std::string TEXT = "It's a Bug";

// A seed whose first draw gives a block of this hardness.
unsigned seedForHardness(int hardness) {
  for (unsigned seed = 1;; seed++) {
    srand(seed);
    const int r = rand() % 100;
    const int drawn = r <= 9 ? 3 : (r <= 29 ? 2 : 1);
    if (drawn == hardness) return seed;
  }
}

int explosionsAt(ko::Vector where, int altitude) {
  int n = 0;
  for (ko::Object* p_o : objectsOfType(EXPLOSION)) {
    n += p_o->getPos().x == where.x && p_o->getPos().y == where.y && p_o->getAltitude() == altitude;
  }
  return n;
}

// A game under way whose spawner makes no blocks of its own: the tests
// place theirs, all reading TEXT.
class Blocks : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(startGameHeadless(11));
    writeContents({TEXT});
    runSteps(1);
    sendKey(ko::Keyboard::P, ko::KEY_PRESSED);
    p_list = spawner();
    ASSERT_NE(p_list, nullptr);
    ASSERT_EQ(p_list->getContentsCount(), 1);
    p_list->setHighestGap(1 << 30);
  }

  void TearDown() override { ko::GameManager::getInstance().shutDown(); }

  // A block that stays where it is put.
  ErrorsObject* placeBlock(ko::Vector where, int hardness = 1) {
    srand(seedForHardness(hardness));
    auto* p_block = new ErrorsObject(p_list, p_list->getContentsCount());
    EXPECT_EQ(p_block->getHardness(), hardness);
    p_block->setVelocity(ko::Vector());
    p_block->setPos(where);
    return p_block;
  }

  int points() {
    const ko::ViewObject* p_points = pointsDisplay();
    return p_points == nullptr ? -1 : p_points->getValue();
  }

  ErrorsObjectList* p_list = nullptr;
};

// How a block looks on its own: its three rows from the text row's left
// edge, the dash rows `width` long, '.' for a cell left undrawn.
struct BlockPicture {
  ErrorsObject* p_block;
  float left;
  std::string text_row;
  std::size_t width;
  ko::Color color;
};

// What the blocks' own drawing puts on a cleared screen, compared cell for
// cell (character, colour and box) with the pictures drawn directly; each
// picture sits on its block's row. Returns the number of differing cells.
int differenceFromPictures(const std::vector<BlockPicture>& pictures) {
  ko::GraphicsManager& graphics = ko::GraphicsManager::getInstance();
  graphics.swapBuffers();
  for (const BlockPicture& p : pictures) p.p_block->draw();
  graphics.swapBuffers();
  const ko::CellFrame drawn = graphics.getCellFrame();
  for (const BlockPicture& p : pictures) {
    const float y = p.p_block->getPos().y;
    const std::string dashes(p.width, '-');
    graphics.drawString(ko::Vector(p.left, y - 1), dashes, ko::LEFT_JUSTIFIED, p.color, 0);
    graphics.drawString(ko::Vector(p.left, y + 1), dashes, ko::LEFT_JUSTIFIED, p.color, 0);
    graphics.drawString(ko::Vector(p.left, y), p.text_row, ko::LEFT_JUSTIFIED, p.color, '.');
  }
  graphics.swapBuffers();
  const ko::CellFrame& expected = graphics.getCellFrame();
  int differing = 0;
  for (int row = 0; row < drawn.getHeight(); row++) {
    EXPECT_EQ(drawn.getRow(row), expected.getRow(row)) << "row " << row;
    for (int col = 0; col < drawn.getWidth(); col++) {
      const ko::CellFrame::Cell a = drawn.get(col, row), b = expected.get(col, row);
      differing += a.ch != b.ch || a.color != b.color || a.box != b.box;
    }
  }
  return differing;
}

TEST_F(Blocks, TypingEmptiesTheTargetAndScoresOnePoint) {
  ErrorsObject* p_block = placeBlock(ko::Vector(40, 8));
  ErrorsObject* p_other = placeBlock(ko::Vector(20, 3));
  runSteps(1);
  ASSERT_EQ(p_list->getMaxObject(), p_block);

  // Held keys type nothing; neither do keys without a character.
  sendKey(ko::Keyboard::B, ko::KEY_PRESSED);
  sendKey(ko::Keyboard::B, ko::KEY_DOWN);
  for (ko::Keyboard::Key key : {ko::Keyboard::Num1, ko::Keyboard::DASH, ko::Keyboard::RETURN,
                                ko::Keyboard::UNDEFINED_KEY, ko::Keyboard::Z}) {
    releaseKey(key);
  }
  EXPECT_EQ(p_block->getCurrentLine(), TEXT);

  // Every occurrence goes, in either case.
  releaseKey(ko::Keyboard::I);
  EXPECT_EQ(p_block->getCurrentLine(), "t's a Bug");
  releaseKey(ko::Keyboard::B);
  EXPECT_EQ(p_block->getCurrentLine(), "t's a ug");
  EXPECT_EQ(p_other->getCurrentLine(), TEXT) << "only the target is typed";

  typeText("t'sa u");
  EXPECT_EQ(p_block->getCurrentLine(), "g");
  EXPECT_EQ(points(), 0);
  releaseKey(ko::Keyboard::G);
  EXPECT_EQ(points(), 1);
  // The block is still the target until the end of the step: more keys in
  // the same step must not score it again.
  typeText("ga");
  EXPECT_EQ(points(), 1);

  const ko::Vector where = p_block->getPos();
  runSteps(1);
  const std::vector<ErrorsObject*> left = blocks();
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left[0], p_other);
  EXPECT_EQ(points(), 1);
  EXPECT_EQ(explosionsAt(where, ko::MAX_ALTITUDE - 1), 1);
  EXPECT_EQ(p_list->getMaxObject(), nullptr);
  EXPECT_EQ(p_list->getMaxHeight(), LOWEST_HEIGHT);
}

TEST_F(Blocks, HardestBlockIsTypedThreeTimesChangingColour) {
  ErrorsObject* p_block = placeBlock(ko::Vector(40, 8), 3);
  runSteps(1);
  ASSERT_EQ(p_list->getMaxObject(), p_block);
  const ko::Vector where = p_block->getPos();
  const float full_width = static_cast<float>(TEXT.size());

  const ko::Color colours[] = {ko::RED, ko::MAGENTA, ko::YELLOW};
  for (int round = 0; round < 3; round++) {
    SCOPED_TRACE("line " + std::to_string(round + 1));
    const int hardness = 3 - round;
    ASSERT_EQ(p_block->getHardness(), hardness);
    EXPECT_EQ(p_block->getColor(hardness - 1), colours[round]);
    EXPECT_EQ(p_block->getCurrentLine(), TEXT);
    EXPECT_EQ(explosionsAt(where, ko::MAX_ALTITUDE - 1), round);

    releaseKey(ko::Keyboard::B);
    // The box follows the first line, which is typed last.
    const float width = hardness == 1 ? full_width - 1 : full_width;
    EXPECT_EQ(p_block->getBox().getHorizontal(), width);
    EXPECT_EQ(p_block->getBox().getCorner().x, -width / 2);

    typeText("it's a ug");
    EXPECT_EQ(points(), hardness == 1 ? 1 : 0);
  }
  runSteps(1);
  EXPECT_TRUE(blocks().empty());
  EXPECT_EQ(points(), 1);
}

TEST_F(Blocks, LowestBlockIsTheTargetUntilItGoes) {
  struct Case {
    const char* name;
    std::vector<float> heights;
    // Indexes of the blocks, in the order they become the target as each
    // target in turn is removed.
    std::vector<int> targets;
  };
  const Case cases[] = {
      {"one on screen", {5}, {0}},
      {"still above the screen", {-6}, {0}},
      {"lowest in the middle of the list", {4, 9.5f, 6}, {1, 2, 0}},
      {"all above the screen", {-12, -4, -8}, {1, 2, 0}},
      {"one above, one on screen", {-4, 2}, {1, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<ErrorsObject*> placed;
    for (std::size_t i = 0; i < c.heights.size(); i++) {
      placed.push_back(placeBlock(ko::Vector(10.0f + 15.0f * static_cast<float>(i), c.heights[i])));
    }
    for (int expected : c.targets) {
      // The blocks elect in the step event...
      runSteps(1);
      ASSERT_EQ(p_list->getMaxObject(), placed[static_cast<std::size_t>(expected)]);
      EXPECT_EQ(p_list->getMaxHeight(), c.heights[static_cast<std::size_t>(expected)]);
      // ...and a deleted target clears the record for the next election.
      ko::WorldManager::getInstance().markForDelete(p_list->getMaxObject());
      runSteps(1);
    }
    EXPECT_TRUE(blocks().empty());
    EXPECT_EQ(p_list->getMaxObject(), nullptr);
    EXPECT_EQ(p_list->getMaxHeight(), LOWEST_HEIGHT);
  }
}

TEST_F(Blocks, MarkerShowsTheTargetAndMovesWhenAFasterBlockOvertakes) {
  ErrorsObject* p_slow = placeBlock(ko::Vector(20, 10));
  ErrorsObject* p_fast = placeBlock(ko::Vector(50, 4));
  runSteps(1);
  ASSERT_EQ(p_list->getMaxObject(), p_slow);
  // "It's a Bug" centred on column 20 starts at 15; its dashes at 14.
  EXPECT_EQ(differenceFromPictures({{p_slow, 14, ">It's a Bug", 12, ko::YELLOW},
                                    {p_fast, 44, ".It's a Bug", 12, ko::YELLOW}}),
            0);

  p_fast->setYVelocity(1);
  for (int i = 0; i < 20 && p_fast->getPos().y <= 12; i++) runSteps(1);
  p_fast->setVelocity(ko::Vector());
  runSteps(1);
  ASSERT_EQ(p_list->getMaxObject(), p_fast);
  EXPECT_EQ(differenceFromPictures({{p_slow, 14, ".It's a Bug", 12, ko::YELLOW},
                                    {p_fast, 44, ">It's a Bug", 12, ko::YELLOW}}),
            0);

  // With no target (the record cleared, as when the target goes) no block
  // is marked.
  p_list->setMaxObject(nullptr);
  EXPECT_EQ(differenceFromPictures({{p_slow, 14, ".It's a Bug", 12, ko::YELLOW},
                                    {p_fast, 44, ".It's a Bug", 12, ko::YELLOW}}),
            0);
}

TEST_F(Blocks, SpacesAreUnderscoresOnlyWhenNothingElseIsLeft) {
  const struct {
    const char* name;
    int hardness;
    std::string typed;
    std::string line;  // the block's line afterwards
    float left;
    std::string text_row;
    std::size_t width;
    ko::Color color;
  } cases[] = {
      {"untouched", 1, "", TEXT, 34, ">It's a Bug", 12, ko::YELLOW},
      {"spaces between letters", 1, "itbug'", "s a ", 37, ">s a ", 6, ko::YELLOW},
      {"spaces alone", 1, "itsbug'a", "  ", 38, ">__", 4, ko::YELLOW},
      // The first line is still whole, so the block keeps its width and
      // the marker its place.
      {"spaces alone, a line still to come", 2, "itsbug'a", "  ", 34, ">....__", 12, ko::MAGENTA},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ErrorsObject* p_block = placeBlock(ko::Vector(40, 8), c.hardness);
    runSteps(1);
    ASSERT_EQ(p_list->getMaxObject(), p_block);
    typeText(c.typed);
    ASSERT_EQ(p_block->getCurrentLine(), c.line) << "drawing must not change the text";
    EXPECT_EQ(differenceFromPictures({{p_block, c.left, c.text_row, c.width, c.color}}), 0);
    EXPECT_EQ(p_block->getCurrentLine(), c.line);
    ko::WorldManager::getInstance().markForDelete(p_block);
    runSteps(1);
  }
}

TEST_F(Blocks, ExplosionIsDrawnAboveBlocksInAColourNoBlockUses) {
  const ko::Sprite* p_sprite = ko::ResourceManager::getInstance().getSprite("explosion");
  ASSERT_NE(p_sprite, nullptr);
  const ErrorsObject* p_block = placeBlock(ko::Vector(40, 8));
  for (int hardness = 1; hardness <= 3; hardness++) {
    EXPECT_NE(p_sprite->getColor(), p_block->getColor(hardness - 1)) << "hardness " << hardness;
  }
  const Explosion* p_explosion = new Explosion;
  EXPECT_GT(p_explosion->getAltitude(), p_block->getAltitude());
  EXPECT_LT(p_explosion->getAltitude(), ko::MAX_ALTITUDE) << "under the displays";
}

TEST_F(Blocks, ExplosionLivesOneStepPerSpriteFrame) {
  ko::ResourceManager& resources = ko::ResourceManager::getInstance();
  ASSERT_NE(resources.getSprite("explosion"), nullptr);
  const int frames = resources.getSprite("explosion")->getFrameCount();
  ASSERT_GT(frames, 1);

  for (bool with_sprite : {true, false}) {
    SCOPED_TRACE(with_sprite ? "with its sprite" : "without its sprite");
    if (!with_sprite) {
      ASSERT_EQ(resources.unloadSprite("explosion"), 0);
    }
    const std::size_t log_before = logLines().size();
    auto* p_explosion = new Explosion;
    p_explosion->setPos(ko::Vector(40, 8));
    EXPECT_EQ(p_explosion->getSolidness(), ko::SPECTRAL);
    int steps = 0;
    while (countOfType(EXPLOSION) > 0 && steps < 100) {
      runSteps(1);
      steps++;
    }
    EXPECT_EQ(steps, with_sprite ? frames : 1);
    const std::vector<std::string> log = logLines();
    const std::vector<std::string> added(log.begin() + static_cast<long>(log_before), log.end());
    if (with_sprite) {
      EXPECT_TRUE(added.empty());
    } else {
      EXPECT_EQ(added, std::vector<std::string>{
                           "Explosion::Explosion(): Warning! Sprite 'explosion' not found"});
    }
  }
}

}  // namespace
