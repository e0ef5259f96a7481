// F11 switches fullscreen on every screen of the game: the title, a game in
// progress and the game-over screen, each time in a real window.
#include <gtest/gtest.h>

#include <korvane/GameManager.h>
#include <korvane/GraphicsManager.h>
#include "ErrorsObject.h"
#include "ErrorsObjectList.h"
#include "GameDriver.h"
#include "Hero.h"
#include "TestSupport.h"

using namespace ko_test;

namespace {

sf::Vector2u windowSize() { return ko::GraphicsManager::getInstance().getWindow()->getSize(); }

// Two presses of F11: fullscreen at the screen's size, then the designed
// window again, with the game going on in each.
void switchesThereAndBack(const char* screen) {
  SCOPED_TRACE(screen);
  ko::GraphicsManager& graphics = ko::GraphicsManager::getInstance();
  const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
  sendKey(ko::Keyboard::F11, ko::KEY_PRESSED);
  runSteps(2);
  EXPECT_TRUE(graphics.isFullscreen());
  EXPECT_EQ(windowSize(), sf::Vector2u(desktop.width, desktop.height));
  sendKey(ko::Keyboard::F11, ko::KEY_PRESSED);
  runSteps(2);
  EXPECT_FALSE(graphics.isFullscreen());
  EXPECT_EQ(windowSize(),
            sf::Vector2u(ko::WINDOW_HORIZONTAL_PIXELS_DEFAULT, ko::WINDOW_VERTICAL_PIXELS_DEFAULT));
}

TEST(FullscreenKey, SwitchesOnTheTitleInAGameAndOnTheGameOverScreen) {
  useNullAudio();
  ASSERT_TRUE(startGame());
  runSteps(1);
  switchesThereAndBack("title");

  sendKey(ko::Keyboard::P, ko::KEY_PRESSED);
  releaseKey(ko::Keyboard::P);
  runSteps(1);
  ASSERT_NE(ship(), nullptr);
  switchesThereAndBack("game");
  EXPECT_NE(ship(), nullptr) << "switching ended the game";

  // A block on the ship ends the game.
  auto* p_block = new ErrorsObject(spawner(), spawner()->getContentsCount());
  p_block->setPos(ship()->getPos());
  runSteps(1);
  ASSERT_NE(gameOverScreen(), nullptr);
  switchesThereAndBack("game over");
  EXPECT_NE(gameOverScreen(), nullptr);
  ko::GameManager::getInstance().shutDown();
}

}  // namespace
