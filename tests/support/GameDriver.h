// Drives the typing game inside the test process: keyboard events injected
// between loop iterations, iterations run back to back, and lookups of the
// game's objects by type.
#pragma once

#include <string>
#include <vector>

#include <korvane/EventKeyboard.h>
#include <korvane/Object.h>
#include <korvane/TestKit.h>

class ErrorsObject;
class ErrorsObjectList;
class GameStart;
class GameOver;
class Hero;

namespace ko {
class ViewObject;
}

namespace ko_test {

// Starts the engine (window included, log flushed), then, as the game's
// entry does, loads the game's resources (unless told not to) and places the
// title screen. Returns false, after adding a failure, when the engine fails.
bool startGame(bool load_resources = true);
// The same headless, through a test kit seeding rand() with seed: no window
// and no display, sound played into nothing, frames kept as cells. Returns
// false, after adding a failure, when the engine fails.
bool startGameHeadless(unsigned seed, bool load_resources = true);
// The kit of the last startGameHeadless; it lives until the next one or
// the end of the process.
ko::TestKit& kit();

// Runs n loop iterations without the frame sleep.
void runSteps(int n = 1);

// Hands a keyboard event to the objects listening, as the input poll does.
void sendKey(ko::Keyboard::Key key, ko::EventKeyboardAction action);
void releaseKey(ko::Keyboard::Key key);
// The key that types ch: a letter (either case), space or apostrophe.
ko::Keyboard::Key keyFor(char ch);
// Releases the key of every character of text, in order, within one step.
void typeText(const std::string& text);

// The world's objects of one type, active ones first.
std::vector<ko::Object*> objectsOfType(const std::string& type, bool inactive = true);
int countOfType(const std::string& type);

GameStart* titleScreen();
Hero* ship();
ErrorsObjectList* spawner();
GameOver* gameOverScreen();
std::vector<ErrorsObject*> blocks();
// The game's display (a plain view object) with this label, or null.
ko::ViewObject* display(const std::string& label);
// The game's score display, labelled "Points", or null.
ko::ViewObject* pointsDisplay();

// Replaces the contents file that the next spawner reads with these texts.
void writeContents(const std::vector<std::string>& texts);

// Whether the music with this label is playing, paused or stopped;
// "missing" when it is not loaded.
std::string musicState(const std::string& label);

}  // namespace ko_test
