// The screen between a game and the title: it records the game's score in
// the high-score file and its typing in the typing record, shows this
// game's points and typing beside the bests, and after a second's grace
// waits for R. The ship's destructor creates it with
// new; the world owns it. Its destructor clears the rest of the game away
// and wakes the title screen.
#pragma once

#include <string>

#include <korvane/ViewObject.h>
#include "StatsFile.h"
#include "TypingTally.h"

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
  // This game's points, marked when they set a new high score. It and the
  // two lines below are drawn under the picture, in this order.
  std::string getPointsLine() const;
  // This game's speed, accuracy and the characters missed most.
  std::string getTypingLine() const;
  // The personal bests with this game counted, each marked when it is new.
  std::string getBestsLine() const;

 private:
  int highscore;
  int points;
  bool new_best;
  // Steps left in which keys are ignored.
  int key_grace;
  TypingTally tally;
  stats_file::TypingRecord record;
  bool new_best_wpm;
  bool new_best_accuracy;

  // Adds this game to the typing record file and keeps the bests to show.
  void saveTypingRecord();
};
