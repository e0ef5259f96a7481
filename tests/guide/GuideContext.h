// What the guide's snippets take for granted: the engine's headers and the
// example classes the guide's prose talks about.
#pragma once

#include <SFML/Graphics.hpp>

#include "EventKeyboard.h"
#include "EventView.h"
#include "GameManager.h"
#include "GraphicsManager.h"
#include "InputManager.h"
#include "LogManager.h"
#include "Object.h"
#include "ResourceManager.h"
#include "ViewObject.h"
#include "WorldManager.h"
#include "utility.h"

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
