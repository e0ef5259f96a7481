// Names and numbers shared by the typing game's classes.
#pragma once

#include <string>

const std::string MAX_NUM_TOKEN = "numbers";
// Object types.
const std::string ERRORS_OBJECT = "ErrorsObject";
const std::string ELIST = "elist";
const std::string GAME_START = "GameStart";
const std::string HERO = "Hero";
const std::string GAME_OVER = "GameOver";
const std::string EXPLOSION = "Explosion";
const std::string FULLSCREEN_KEY = "FullscreenKey";
const std::string GAMEOVER_EVENT = "game_over";
// The spawner's target height when there is no target.
const int LOWEST_HEIGHT = -300;
// Steps (of 33 ms) after the game-over screen appears, and after the title
// returns from it, during which keys are ignored: a player who dies
// mid-word is still typing, and those keys must not leave or quit.
const int KEY_GRACE_STEPS = 30;

const std::string CONTENTS_FILE = "../data/data.txt";
const std::string SCORE_FILE = "../data/score.txt";
// The typing record across games, beside the high score.
const std::string STATS_FILE = "../data/stats.txt";
