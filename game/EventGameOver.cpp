#include "EventGameOver.h"

#include "game.h"

EventGameOver::EventGameOver() { setType(GAMEOVER_EVENT); }
