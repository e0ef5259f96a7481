// One falling block of text that the player types away. Created by the
// spawner with new; the world owns it. A block holds its text once per
// hardness level and is destroyed when its last line is empty, when it
// falls out of the world, or when the game ends.
#pragma once

#include <string>

#include <korvane/Color.h>
#include <korvane/Object.h>

class ErrorsObjectList;

class ErrorsObject : public ko::Object {
 public:
  ErrorsObject(ErrorsObjectList* n_list, int max_num);
  ~ErrorsObject() override;

  int eventHandler(const ko::Event* p_e) override;
  void draw() override;

  // Removes every occurrence of ch (either case) from the current line;
  // 0 for the null character or a block already cleared, else 1.
  int removeLetter(char ch);

  ko::Color getColor(int i) const;
  int getHardness() const;
  void setHardness(int new_hardness);
  void setMaxNumber(int new_max_number);
  // The line being typed.
  std::string getCurrentLine() const;
  // Called by a spawner that goes away first, so the block never reaches it.
  void detachFromList();

 private:
  void loadContent();
  void updateBox();
  void moveToStart();
  void electTarget();

  std::string content[3];
  ErrorsObjectList* list;
  int hardness;
  ko::Color color[3];
  int max_number;
  // Set when the last line is emptied: later keys in the same step are
  // ignored, so a block scores once.
  bool cleared;
};
