// What the guide's snippets take for granted: the engine's headers and the
// example classes the guide's prose talks about.
#pragma once

#include <SFML/Graphics.hpp>

#include <korvane/EventKeyboard.h>
#include <korvane/EventView.h>
#include <korvane/GameManager.h>
#include <korvane/GraphicsManager.h>
#include <korvane/InputManager.h>
#include <korvane/LogManager.h>
#include <korvane/Object.h>
#include <korvane/ResourceManager.h>
#include <korvane/ViewObject.h>
#include <korvane/WorldManager.h>
#include <korvane/utility.h>

class Coin : public ko::Object {};

class Player : public ko::Object {
 public:
  int eventHandler(const ko::Event* p_e) override;

 private:
  void keyboard(const ko::EventKeyboard* p_keyboard_event);
};

class Marker : public ko::Object {
 public:
  void draw() override;
};

class FullscreenSwitch : public ko::Object {
 public:
  int eventHandler(const ko::Event* p_e) override;
};
