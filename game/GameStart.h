// The title screen and the switch between games: P starts a game, Q quits.
// Exactly one exists, created by the entry with new and owned by the world;
// it goes inactive during a game and the game-over screen wakes it again.
#pragma once

#include <korvane/Music.h>
#include <korvane/ViewObject.h>

class ErrorsObjectList;

class GameStart : public ko::ViewObject {
 public:
  GameStart();

  int eventHandler(const ko::Event* p_e) override;
  // Shows the title art only, not the view object's text.
  void draw() override;

  void start();
  void playMusic();
  // Back from a game: resumes the title music.
  void playOnReturn();
  // Ignores keys for the next KEY_GRACE_STEPS steps, so that typing carried
  // over from the game neither starts the next one nor quits.
  void startKeyGrace();

 private:
  ko::Music* p_music;
  ErrorsObjectList* e_list;
  // Steps left in which keys are ignored.
  int key_grace;
};
