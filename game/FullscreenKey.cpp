#include "FullscreenKey.h"

#include <korvane/EventKeyboard.h>
#include <korvane/GraphicsManager.h>
#include "game.h"

FullscreenKey::FullscreenKey() {
  setType(FULLSCREEN_KEY);
  setSolidness(ko::SPECTRAL);
  registerInterest(ko::KEYBOARD_EVENT);
}

int FullscreenKey::eventHandler(const ko::Event* p_e) {
  if (p_e->getType() != ko::KEYBOARD_EVENT) return 0;
  const auto* p_keyboard = static_cast<const ko::EventKeyboard*>(p_e);
  if (p_keyboard->getKey() != ko::Keyboard::F11 ||
      p_keyboard->getKeyboardAction() != ko::KEY_PRESSED) {
    return 0;
  }
  ko::GraphicsManager& graphics = ko::GraphicsManager::getInstance();
  // A failure is logged; the game goes on in whatever window there is.
  graphics.setFullscreen(!graphics.isFullscreen());
  return 1;
}
