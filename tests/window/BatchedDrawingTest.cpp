// Drawing a frame as one batch must give exactly the pixels of drawing each
// character as a box and a one-character text, also when SFML drawing
// through the window comes between the characters. Every scene is drawn
// both ways into the same window and the framebuffers compared.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include <korvane/GraphicsManager.h>
#include <korvane/InputManager.h>
#include <korvane/Object.h>
#include <korvane/ObjectListIterator.h>
#include <korvane/Sprite.h>
#include <korvane/WorldManager.h>
#include "ErrorsObject.h"
#include "ErrorsObjectList.h"
#include "GameDriver.h"
#include "GameStart.h"
#include "Hero.h"
#include "WindowTestSupport.h"

namespace {

ko::GraphicsManager& graphics() { return ko::GraphicsManager::getInstance(); }

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

// Returns the batched picture, for checks of its own.
sf::Image expectBothWaysEqual(const std::function<void()>& draw_scene) {
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
  EXPECT_TRUE(hasInk(per_character));
  EXPECT_EQ(ko_test::differingPixels(per_character, batched), 0);
  return batched;
}

const sf::Color BOX_BLUE(7, 61, 147);
const sf::Color SHAPE_ORANGE(250, 130, 20);

// A rectangle over whole cells, drawn straight into the window the engine
// hands out, as a game's own SFML drawing would be.
void drawShapeOverCells(int col, int row, int cols, int rows, sf::Color color) {
  sf::RectangleShape shape(sf::Vector2f(static_cast<float>(cols) * ko::charWidth(),
                                        static_cast<float>(rows) * ko::charHeight()));
  shape.setPosition(static_cast<float>(col) * ko::charWidth(),
                    static_cast<float>(row) * ko::charHeight());
  shape.setFillColor(color);
  graphics().getWindow()->draw(shape);
}

// Draws a shape over its own cells in its draw(), at whatever altitude it
// is given.
class ShapeObject : public ko::Object {
 public:
  ShapeObject(int at_col, int at_row, int layer) : col(at_col), row(at_row) {
    setSolidness(ko::SPECTRAL);
    setAltitude(layer);
  }
  void draw() override { drawShapeOverCells(col, row, 6, 2, SHAPE_ORANGE); }

 private:
  int col, row;
};

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

TEST(BatchedDrawing, DirectDrawingBetweenCharactersLayersInCallOrder) {
  ASSERT_TRUE(ko_test::startEngine());
  graphics().setBackgroundTextColor(BOX_BLUE);
  ko::Sprite sprite(1);
  sprite.setWidth(3);
  sprite.setHeight(2);
  sprite.addFrame(ko::Frame(3, 2, "/^\\_/"));
  struct Scene {
    const char* name;
    std::function<void()> draw;
  };
  const Scene scenes[] = {
      {"a shape over characters",
       [] {
         graphics().drawString(ko::Vector(12, 5), "under the shape", ko::LEFT_JUSTIFIED, ko::RED);
         drawShapeOverCells(14, 5, 4, 1, SHAPE_ORANGE);
       }},
      {"characters' boxes over a shape",
       [] {
         drawShapeOverCells(10, 8, 20, 3, SHAPE_ORANGE);
         graphics().drawString(ko::Vector(15.5f, 9.25f), "over the shape", ko::LEFT_JUSTIFIED,
                               ko::WHITE);
       }},
      {"a shape between two characters of one cell",
       [] {
         graphics().drawCh(ko::Vector(30, 12), 'W', ko::GREEN);
         sf::CircleShape dot(9);
         dot.setPosition(30 * ko::charWidth(), 12 * ko::charHeight() + 6);
         dot.setFillColor(sf::Color::Magenta);
         graphics().getWindow()->draw(dot);
         graphics().drawCh(ko::Vector(30.4f, 12.3f), 'i', ko::YELLOW);
       }},
      {"strings and frames around shapes",
       [&] {
         graphics().drawFrame(ko::Vector(50, 15), sprite.getFrame(0), true, ko::CYAN);
         drawShapeOverCells(49, 15, 2, 1, SHAPE_ORANGE);
         graphics().drawString(ko::Vector(50, 16), "after", ko::CENTER_JUSTIFIED, ko::BLUE);
         drawShapeOverCells(47, 17, 8, 1, sf::Color::White);
         graphics().drawFrame(ko::Vector(48.5f, 16.5f), sprite.getFrame(0), false, ko::RED, '_');
       }},
  };
  for (const Scene& scene : scenes) {
    SCOPED_TRACE(scene.name);
    expectBothWaysEqual(scene.draw);
  }
}

TEST(BatchedDrawing, AHigherObjectsShapeCoversLowerObjectsCharacters) {
  ASSERT_TRUE(ko_test::startEngine());
  graphics().setBackgroundTextColor(BOX_BLUE);
  // Outlives the objects, which the world deletes at exit.
  static ko::Sprite sprite(1);
  sprite.setWidth(8);
  sprite.setHeight(2);
  sprite.addFrame(ko::Frame(8, 2, "################"));
  const struct { int altitude, col; } letters[] = {{0, 10}, {2, 30}, {3, 50}};
  for (const auto& l : letters) {
    auto* p_o = new ko::Object;
    p_o->setSolidness(ko::SPECTRAL);
    p_o->setAltitude(l.altitude);
    p_o->setSprite(&sprite);
    p_o->setCentered(false);
    p_o->setPos(ko::Vector(static_cast<float>(l.col), 6));
  }
  new ShapeObject(11, 6, 4);
  new ShapeObject(51, 6, 4);
  new ShapeObject(32, 6, 1);

  const sf::Image batched = expectBothWaysEqual(drawWorld);
  // The altitude-4 shapes hide the characters beneath; the altitude-1 one
  // is hidden by them.
  const sf::IntRect under_high = ko_test::cellBoxArea(12, 6);
  EXPECT_EQ(ko_test::countColor(batched, under_high, SHAPE_ORANGE),
            under_high.width * under_high.height);
  EXPECT_EQ(ko_test::countColor(batched, ko_test::cellBoxArea(33, 7), SHAPE_ORANGE), 0);
}

TEST(BatchedDrawing, ReadingTheWindowBackBeforeTheSwapSeesEveryCharacter) {
  ASSERT_TRUE(ko_test::startEngine());
  graphics().setBackgroundTextColor(BOX_BLUE);
  graphics().swapBuffers();
  graphics().drawCh(ko::Vector(1, 1), ' ', ko::WHITE);
  graphics().drawString(ko::Vector(2, 2), "  ", ko::LEFT_JUSTIFIED, ko::WHITE);
  sf::RenderWindow* p_window = graphics().getWindow();
  sf::Texture texture;
  ASSERT_TRUE(texture.create(p_window->getSize().x, p_window->getSize().y));
  texture.update(*p_window);
  EXPECT_EQ(ko_test::cellMap(texture.copyToImage(), 0, 0, 5, 3, BOX_BLUE, sf::Color::Black),
            ".....\n"
            ".#...\n"
            "..##.\n");
}

TEST(BatchedDrawing, AFrameOfEngineCallsStaysOneBatch) {
  ASSERT_TRUE(ko_test::startEngine());
  graphics().swapBuffers();
  // Engine parts that read the window without drawing (the mouse position
  // here, as a cursor object would ask in its draw()) leave the batch whole.
  int pending = 0;
  for (int row = 0; row < 24; ++row) {
    for (int col = 0; col < 80; ++col) {
      graphics().drawCh(ko::Vector(static_cast<float>(col), static_cast<float>(row)), 'x',
                        ko::WHITE);
      ko::InputManager::getInstance().getMousePosition();
      ASSERT_GT(graphics().getPendingVertexCount(), pending) << col << "," << row;
      pending = graphics().getPendingVertexCount();
    }
  }
  EXPECT_NE(graphics().getWindow(), nullptr);
  EXPECT_EQ(graphics().getPendingVertexCount(), 0);
}

TEST(BatchedDrawing, AFrameBiggerThanOneBatchIsDrawnInPartsInOrder) {
  ASSERT_TRUE(ko_test::startEngine());
  graphics().setBackgroundTextColor(BOX_BLUE);
  int most_pending = 0;
  // Five overlapping full screens: well over twice what one batch holds.
  expectBothWaysEqual([&] {
    for (int layer = 0; layer < 5; ++layer) {
      for (int row = 0; row < 24; ++row) {
        for (int col = 0; col < 80; ++col) {
          const ko::Vector at(static_cast<float>(col) + 0.5f * static_cast<float>(layer),
                              static_cast<float>(row) + 0.25f * static_cast<float>(layer));
          graphics().drawCh(at, "KoW@|"[(col + row + layer) % 5],
                            static_cast<ko::Color>((col + layer) % 8));
          most_pending = std::max(most_pending, graphics().getPendingVertexCount());
        }
      }
    }
  });
  EXPECT_LE(most_pending, ko::BATCH_VERTICES_MAX);
}
