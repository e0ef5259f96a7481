// The screen between a game and the title: it records the game's score in
// the high-score file, shows the best score, and waits for R. The ship's
// destructor creates it with new; the world owns it. Its destructor clears
// the rest of the game away and wakes the title screen.
#pragma once

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

 private:
  int highscore;
};
