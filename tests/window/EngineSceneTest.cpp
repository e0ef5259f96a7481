// A whole scene drawn through the engine: sprites from the game's files,
// text in every colour and a view object. The picture is kept as
// engine-scene.png in the working directory for people to look at.
#include <gtest/gtest.h>

#include <string>

#include <korvane/GameManager.h>
#include <korvane/GraphicsManager.h>
#include <korvane/ResourceManager.h>
#include <korvane/ViewObject.h>
#include <korvane/WorldManager.h>
#include "WindowTestSupport.h"

namespace {

TEST(EngineScene, ShowsSpritesTextInEveryColourAndAViewObject) {
  ASSERT_TRUE(ko_test::startEngine());
  ko::GraphicsManager& gm = ko::GraphicsManager::getInstance();
  const sf::Color game_blue(7, 61, 147);
  gm.setBackgroundColor(game_blue);
  gm.setBackgroundTextColor(game_blue);
  gm.swapBuffers();

  ko::ResourceManager& resources = ko::ResourceManager::getInstance();
  ASSERT_EQ(resources.loadSprite("../sprites/ship-spr.txt", "ship"), 0);
  ASSERT_EQ(resources.loadSprite("../sprites/explosion-spr.txt", "explosion"), 0);

  auto* p_ship = new ko::Object;
  p_ship->setSprite(resources.getSprite("ship"));
  p_ship->setPos(ko::Vector(40, 20));
  auto* p_explosion = new ko::Object;
  p_explosion->setSprite(resources.getSprite("explosion"));
  p_explosion->setSpriteIndex(3);
  p_explosion->setTransparency(' ');
  p_explosion->setPos(ko::Vector(60, 14));

  auto* p_points = new ko::ViewObject;
  p_points->setViewString("Points");
  p_points->setValue(42);
  p_points->setLocation(ko::TOP_RIGHT);
  p_points->setColor(ko::YELLOW);

  const char* names[] = {"black", "red", "green", "yellow", "blue", "magenta", "cyan", "white"};
  for (int c = ko::BLACK; c <= ko::WHITE; c++) {
    gm.drawString(ko::Vector(20, static_cast<float>(5 + 2 * c)), std::string("colour ") + names[c],
                  ko::CENTER_JUSTIFIED, static_cast<ko::Color>(c), 0);
  }
  ko::WorldManager::getInstance().draw();

  const sf::Image image = ko_test::grabWindow();
  const sf::Color palette[] = {sf::Color::Black,  sf::Color::Red,  sf::Color::Green,
                               sf::Color::Yellow, sf::Color::Blue, sf::Color::Magenta,
                               sf::Color::Cyan,   sf::Color::White};
  for (const sf::Color& color : palette) {
    EXPECT_GT(ko_test::countColor(image, sf::IntRect(0, 0, 1024, 768), color), 20)
        << static_cast<int>(color.r) << "," << static_cast<int>(color.g) << ","
        << static_cast<int>(color.b);
  }
  EXPECT_TRUE(image.saveToFile("engine-scene.png"));
  ko_test::stopEngine();
}

}  // namespace
