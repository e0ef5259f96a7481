// Drawing a frame as one batch must give exactly the pixels of drawing each
// character as a box and a one-character text. Every scene is drawn both
// ways into the same window and the framebuffers compared.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ErrorsObject.h"
#include "ErrorsObjectList.h"
#include "GameDriver.h"
#include "GameStart.h"
#include "GraphicsManager.h"
#include "Hero.h"
#include "Object.h"
#include "ObjectListIterator.h"
#include "Sprite.h"
#include "WindowTestSupport.h"
#include "WorldManager.h"

namespace {

ko::GraphicsManager& graphics() { return ko::GraphicsManager::getInstance(); }

int differingPixels(const sf::Image& a, const sf::Image& b) {
  int differing = 0;
  for (unsigned y = 0; y < a.getSize().y; ++y) {
    for (unsigned x = 0; x < a.getSize().x; ++x) differing += a.getPixel(x, y) != b.getPixel(x, y);
  }
  return differing;
}

bool hasInk(const sf::Image& image) {
  const sf::Color background = image.getPixel(0, 0);
  for (unsigned y = 0; y < image.getSize().y; y += 3) {
    for (unsigned x = 0; x < image.getSize().x; x += 3) {
      if (image.getPixel(x, y) != background) return true;
    }
  }
  return false;
}

// Drawing the world advances sprite animations: each way starts from the
// same animation state.
struct AnimationState {
  ko::Object* p_o;
  int index, count;
};

std::vector<AnimationState> saveAnimations() {
  std::vector<AnimationState> saved;
  const ko::ObjectList all = ko::WorldManager::getInstance().getAllObjects(true);
  for (ko::ObjectListIterator it(&all); !it.isDone(); it.next()) {
    ko::Object* p_o = it.currentObject();
    saved.push_back({p_o, p_o->getSpriteIndex(), p_o->getSpriteSlowdownCount()});
  }
  return saved;
}

void restoreAnimations(const std::vector<AnimationState>& saved) {
  for (const AnimationState& s : saved) {
    s.p_o->setSpriteIndex(s.index);
    s.p_o->setSpriteSlowdownCount(s.count);
  }
}

void expectBothWaysEqual(const std::function<void()>& draw_scene) {
  const std::vector<AnimationState> saved = saveAnimations();
  graphics().swapBuffers();
  graphics().setBatching(false);
  draw_scene();
  const sf::Image per_character = ko_test::grabWindow();
  graphics().swapBuffers();
  restoreAnimations(saved);
  graphics().setBatching(true);
  draw_scene();
  const sf::Image batched = ko_test::grabWindow();
  graphics().swapBuffers();
  ASSERT_TRUE(hasInk(per_character));
  EXPECT_EQ(differingPixels(per_character, batched), 0);
}

void drawWorld() { ko::WorldManager::getInstance().draw(); }

}  // namespace

TEST(BatchedDrawing, FullScreenInEveryColourMatchesPerCharacterDrawing) {
  ASSERT_TRUE(ko_test::startEngine());
  graphics().setBackgroundTextColor(sf::Color(7, 61, 147));
  expectBothWaysEqual([] {
    const std::string glyphs = "Korvane typing 0123456789 !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~ Wq";
    for (int row = 0; row < 24; ++row) {
      for (int col = 0; col < 80; ++col) {
        const char ch = glyphs[static_cast<size_t>(row * 80 + col) % glyphs.size()];
        const auto color = static_cast<ko::Color>((row + col) % 10 - 1);  // -1 to 8
        graphics().drawCh(ko::Vector(static_cast<float>(col), static_cast<float>(row)), ch, color);
      }
    }
    graphics().drawWCh(ko::Vector(3, 3), L'\u00e9', ko::CYAN);
  });
}

TEST(BatchedDrawing, OverlapsFractionsAndTransparencyMatch) {
  ASSERT_TRUE(ko_test::startEngine());
  graphics().setBackgroundTextColor(sf::Color(7, 61, 147));
  ko::Sprite sprite(1);
  sprite.setWidth(4);
  sprite.setHeight(3);
  sprite.addFrame(ko::Frame(4, 3, "#ab#c  de##f"));
  expectBothWaysEqual([&] {
    for (float y : {2.0f, 2.5f, 3.25f, -0.37f, 7.13f}) {
      graphics().drawString(ko::Vector(40.3f, y), "overlapping strings", ko::CENTER_JUSTIFIED,
                            ko::YELLOW, 0);
      graphics().drawString(ko::Vector(41.71f, y + 0.4f), "over  lapping", ko::LEFT_JUSTIFIED,
                            ko::RED, ' ');
    }
    graphics().drawString(ko::Vector(79.5f, 23.6f), "right edge", ko::RIGHT_JUSTIFIED, ko::GREEN,
                          0);
    graphics().drawFrame(ko::Vector(10.5f, 12.2f), sprite.getFrame(0), true, ko::MAGENTA, '#');
    graphics().drawFrame(ko::Vector(11, 12), sprite.getFrame(0), false, ko::BLUE, 0);
  });
}

TEST(BatchedDrawing, TitleScreenMatches) {
  ASSERT_TRUE(ko_test::startGame());
  expectBothWaysEqual(drawWorld);
}

TEST(BatchedDrawing, GameInProgressAndGameOverMatch) {
  srand(7);
  ASSERT_TRUE(ko_test::startGame());
  ko_test::releaseKey(ko::Keyboard::P);
  ko_test::runSteps(1);
  ErrorsObjectList* p_list = ko_test::spawner();
  ASSERT_NE(p_list, nullptr);
  // Blocks at fractional heights, with layers overlapping.
  for (int i = 0; i < 6; ++i) {
    auto* p_block = new ErrorsObject(p_list, 0);
    p_block->setPos(
        ko::Vector(12.0f + 11.3f * static_cast<float>(i), 3.37f + 2.9f * static_cast<float>(i)));
  }
  ko_test::runSteps(20);
  expectBothWaysEqual(drawWorld);

  // A block reaching the ship ends the game.
  ko::Object* p_ship = ko_test::ship();
  ASSERT_NE(p_ship, nullptr);
  auto* p_block = new ErrorsObject(p_list, 0);
  p_block->setPos(p_ship->getPos() + ko::Vector(0, -2.5f));
  for (int i = 0; i < 100 && ko_test::gameOverScreen() == nullptr; ++i) ko_test::runSteps(1);
  ASSERT_NE(ko_test::gameOverScreen(), nullptr);
  ko_test::runSteps(2);
  expectBothWaysEqual(drawWorld);
}
