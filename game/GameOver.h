// The screen between a game and the title: it records the game's score in
// the high-score file, shows this game's points and the best score, and
// after a second's grace waits for R. The ship's destructor creates it with
// new; the world owns it. Its destructor clears the rest of the game away
// and wakes the title screen.
#pragma once

#include <string>

#include <korvane/ViewObject.h>

class GameOver : public ko::ViewObject {
 public:
  GameOver();
  ~GameOver() override;

  int eventHandler(const ko::Event* p_e) override;
  void draw() override;
  void step();
  // Writes score to the high-score file if it beats the stored value.
  void setHighScore(int score);
  int getHighScore() const;
  // This game's points, marked when they set a new high score; drawn just
  // above the high score line, clear of the picture.
  std::string getPointsLine() const;

 private:
  int highscore;
  int points;
  bool new_best;
  // Steps left in which keys are ignored.
  int key_grace;
};
