// The real program, started in a scratch layout of its own under the X
// display, in the faults that only a whole process shows: no font, no
// display, a log it cannot write, no sound device, no game files at all,
// and its window closed in the middle of a game and during a pause. It must
// always end with status 0 and never touch the high score it was not asked
// to change.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "WindowTestSupport.h"

// Last: Xlib defines macros (None, Bool, ...) that clash with C++ names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace fs = std::filesystem;

namespace {

// The program's window may be gone by the time it is read.
int ignoreXError(Display*, XErrorEvent*) { return 0; }

// Output of a shell command, trailing line feed removed.
std::string commandOutput(const std::string& command) {
  std::string out;
  FILE* p_pipe = popen(command.c_str(), "r");
  if (p_pipe == nullptr) return out;
  char buffer[256];
  while (fgets(buffer, sizeof buffer, p_pipe) != nullptr) out += buffer;
  pclose(p_pipe);
  while (!out.empty() && out.back() == '\n') out.pop_back();
  return out;
}

class Program : public ::testing::Test {
 protected:
  fs::path root;
  pid_t pid = -1;
  unsigned long window = 0;
  int exit_status = -1;
  // RLIMIT_FSIZE for the program, when a test sets one.
  rlim_t file_size_limit = RLIM_INFINITY;

  // A layout like the game's own: the font in work/, the game's files
  // beside it, and a high score of 5 that no test here may change.
  void SetUp() override {
    ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "needs an X display";
    root = fs::current_path().parent_path();
    const fs::path shared(KO_SOURCE_DIR);
    for (const char* dir : {"sprites", "sounds"}) {
      fs::remove(root / dir);
      fs::copy(shared / dir, root / dir, fs::copy_options::recursive);
    }
    fs::remove(root / "work" / "ko-font.ttf");
    fs::copy_file(shared / "run" / "ko-font.ttf", root / "work" / "ko-font.ttf");
    std::ofstream(root / "data" / "score.txt") << "5";
  }

  void TearDown() override {
    if (pid > 0) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
  }

  void launch(const char* audio_driver = "null") {
    pid = fork();
    ASSERT_NE(pid, -1);
    if (pid == 0) {
      if (chdir((root / "work").c_str()) != 0) _exit(120);
      setenv("ALSOFT_DRIVERS", audio_driver, 1);
      const std::string out = (root / "program-output.txt").string();
      const int fd = open(out.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
      dup2(fd, 1);
      dup2(fd, 2);
      // As a shell starts it: an ignored signal would be inherited across
      // exec and hide what the program does about it.
      for (int sig : {SIGXFSZ, SIGTERM, SIGINT, SIGHUP}) signal(sig, SIG_DFL);
      if (file_size_limit != RLIM_INFINITY) {
        const rlimit limit{file_size_limit, file_size_limit};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(121);
      }
      execl(KO_PROGRAM, KO_PROGRAM, static_cast<char*>(nullptr));
      _exit(127);
    }
  }

  // Reaps the program if it has ended; true while it runs.
  bool running() {
    if (pid <= 0) return false;
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) != pid) return true;
    pid = -1;
    exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return false;
  }

  // Waits for the program to end; its exit status (128 + the signal when
  // killed), or -1 on a timeout.
  int waitForExit(double seconds) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < until) {
      if (!running()) return exit_status;
      ko_test::sleepMs(50);
    }
    return -1;
  }

  std::string output() const { return programOutput() + "\n--- korvane.log\n" + log(); }

  // Finds the program's window and gives it the keyboard focus.
  void findWindow() {
    const std::string search = "env -u LD_PRELOAD xdotool search --pid " + std::to_string(pid) +
                               " --name '^Korvane$' 2>/dev/null | head -n 1";
    for (int i = 0; i < 300 && window == 0; i++) {
      ASSERT_TRUE(running()) << "the program ended at start, status " << exit_status << "\n"
                             << output();
      const std::string id = commandOutput(search);
      if (!id.empty()) window = std::stoul(id);
      if (window == 0) ko_test::sleepMs(100);
    }
    ASSERT_NE(window, 0u) << "no window\n" << output();
    const std::string focus =
        "env -u LD_PRELOAD xdotool windowfocus " + std::to_string(window) + " 2>/dev/null";
    for (int i = 0; i < 50; i++) {
      if (std::system(focus.c_str()) == 0 &&
          commandOutput("env -u LD_PRELOAD xdotool getwindowfocus") == std::to_string(window)) {
        break;
      }
      ko_test::sleepMs(100);
    }
    // Time for the title screen to come up.
    ko_test::sleepMs(1000);
  }

  void key(const std::string& name) { ko_test::xdotool("key --delay 30 " + name); }

  // What a window manager's close button sends.
  void requestClose() {
    Display* p_display = XOpenDisplay(nullptr);
    ASSERT_NE(p_display, nullptr);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(p_display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(p_display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(p_display, window, False, NoEventMask, &event);
    XSync(p_display, False);
    XCloseDisplay(p_display);
  }

  // Pixels of the window's top left corner, where the score is shown.
  std::string scoreCorner() const {
    Display* p_display = XOpenDisplay(nullptr);
    if (p_display == nullptr) return {};
    const XErrorHandler previous = XSetErrorHandler(ignoreXError);
    std::string pixels;
    XImage* p_image = XGetImage(p_display, window, 0, 0, 300, 140, AllPlanes, ZPixmap);
    if (p_image != nullptr) {
      pixels.assign(p_image->data, static_cast<size_t>(p_image->bytes_per_line) * 140);
      XDestroyImage(p_image);
    }
    XSetErrorHandler(previous);
    XCloseDisplay(p_display);
    return pixels;
  }

  // Call before launch: every block of the game will read "a".
  void blocksOfOneLetter() {
    std::ofstream(root / "data" / "data.txt") << "numbers 1\nnumber 1\na\n";
  }

  // Starts a game and types A until the score shown moves: the first block
  // comes when the game's step count reaches 240, some eight seconds after
  // the start.
  void scoreAPoint() {
    key("p");
    ko_test::sleepMs(500);
    const std::string before = scoreCorner();
    ASSERT_FALSE(before.empty()) << "cannot read the window\n" << output();
    for (int i = 0; i < 150; i++) {
      ASSERT_TRUE(running()) << output();
      key("a");
      ko_test::sleepMs(150);
      if (scoreCorner() != before) break;
    }
    ASSERT_NE(scoreCorner(), before) << "no point scored\n" << output();
    // The corner also changes when the block falls through it before it is
    // typed away: a few more keys make sure it is gone and has scored (one
    // key per line of its text).
    for (int i = 0; i < 4; i++) {
      key("a");
      ko_test::sleepMs(150);
    }
  }

  // Names of temporary files left beside the score file.
  std::vector<std::string> scoreTemporaries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(root / "data")) {
      const std::string name = entry.path().filename().string();
      if (name.rfind("score.txt.", 0) == 0 && name != "score.txt.lock") names.push_back(name);
    }
    return names;
  }

  std::optional<std::string> score() const {
    return ko_test::readFile(root / "data" / "score.txt");
  }
  // Empty until the program has written them.
  std::string log() const { return ko_test::readFile(root / "work" / "korvane.log").value_or(""); }
  std::string programOutput() const {
    return ko_test::readFile(root / "program-output.txt").value_or("");
  }
};

TEST_F(Program, WithoutItsFontLogsTheFailureAndExitsZero) {
  fs::remove(root / "work" / "ko-font.ttf");
  launch();
  EXPECT_EQ(waitForExit(30), 0) << output();
  EXPECT_NE(log().find("unable to load font ko-font.ttf"), std::string::npos) << output();
  EXPECT_NE(log().find("Error starting game manager!"), std::string::npos) << output();
  EXPECT_EQ(score(), "5");
}

// Start failures of the whole process: each ends at once with status 0 (no
// abort, no core dump, no wait on a FIFO), and says what went wrong in the
// log or, when the log itself is the problem, on standard error.
struct StartFailure {
  const char* name;
  void (*arrange)(const fs::path& work);
  bool in_log;        // else on standard error
  std::string words;  // what the line says
};

void PrintTo(const StartFailure& c, std::ostream* os) { *os << c.name; }

class ProgramStartFailure : public Program, public ::testing::WithParamInterface<StartFailure> {};

TEST_P(ProgramStartFailure, EndsAtOnceWithStatusZeroSayingWhy) {
  const StartFailure& c = GetParam();
  c.arrange(root / "work");
  launch();
  EXPECT_EQ(waitForExit(20), 0) << output();
  const std::string said = c.in_log ? log() : programOutput();
  EXPECT_NE(said.find(c.words), std::string::npos) << output();
  if (c.in_log) {
    EXPECT_NE(said.find("Error starting game manager!"), std::string::npos) << output();
  }
  EXPECT_EQ(score(), "5");
}

const std::string DEAD_DISPLAY = ko_test::deadDisplay();

INSTANTIATE_TEST_SUITE_P(
    Start, ProgramStartFailure,
    ::testing::Values(
        StartFailure{"NoDisplay", [](const fs::path&) { unsetenv("DISPLAY"); }, true,
                     "DISPLAY is not set"},
        StartFailure{"DisplayWithoutServer",
                     [](const fs::path&) { setenv("DISPLAY", DEAD_DISPLAY.c_str(), 1); }, true,
                     "no display answers at " + DEAD_DISPLAY},
        StartFailure{"FontIsAFifo",
                     [](const fs::path& work) {
                       fs::remove(work / "ko-font.ttf");
                       mkfifo((work / "ko-font.ttf").c_str(), 0644);
                     },
                     true, "unable to load font ko-font.ttf"},
        StartFailure{"LogIsAFifo",
                     [](const fs::path& work) { mkfifo((work / "korvane.log").c_str(), 0644); },
                     false, "korvane.log: not a regular file"},
        StartFailure{"LogIsADirectory",
                     [](const fs::path& work) { fs::create_directory(work / "korvane.log"); },
                     false, "korvane.log: Is a directory"}),
    [](const ::testing::TestParamInfo<StartFailure>& case_info) { return case_info.param.name; });

// ALSOFT_DRIVERS naming no driver that exists: no sound device at all.
// The game plays silently. (A music stream left playing without a device
// once corrupted memory within seconds.)
TEST_F(Program, WithoutASoundDevicePlaysAndQuits) {
  launch("none");
  findWindow();
  key("p");
  key("a e i o u s t");
  ko_test::sleepMs(1500);
  ASSERT_TRUE(running()) << output();
  requestClose();
  EXPECT_EQ(waitForExit(30), 0) << output();
  EXPECT_NE(log().find("no audio device"), std::string::npos) << output();
  EXPECT_EQ(score(), "5");
}

// Started with nothing beside its working directory: no sprites, sounds,
// block texts or score. It opens its window, plays, and closes cleanly.
TEST_F(Program, WithNoGameFilesAtAllStillRuns) {
  for (const char* dir : {"sprites", "sounds", "data"}) fs::remove_all(root / dir);
  launch();
  findWindow();
  key("p");
  key("h e l o");
  ko_test::sleepMs(1500);
  ASSERT_TRUE(running()) << output();
  requestClose();
  EXPECT_EQ(waitForExit(30), 0) << output();
  EXPECT_NE(log().find("unable to open file ../sprites/ship-spr.txt"), std::string::npos)
      << output();
  EXPECT_FALSE(fs::exists(root / "data"));
}

TEST_F(Program, ClosedDuringAGameExitsZeroAndKeepsTheHighScore) {
  launch();
  findWindow();
  key("p");
  ko_test::sleepMs(1000);
  requestClose();
  EXPECT_EQ(waitForExit(30), 0) << output();
  EXPECT_EQ(score(), "5");
}

// A close request while paused is swallowed by the pause; after the pause
// the window has to be closed again.
TEST_F(Program, CloseDuringThePauseIsLostAndTheNextOneWorks) {
  launch();
  findWindow();
  key("p");
  ko_test::sleepMs(500);
  key("F10");
  ko_test::sleepMs(500);
  requestClose();
  ko_test::sleepMs(1500);
  ASSERT_TRUE(running()) << "the close request during the pause was not lost";
  key("F10");
  ko_test::sleepMs(800);
  ASSERT_TRUE(running());
  requestClose();
  EXPECT_EQ(waitForExit(30), 0) << output();
  EXPECT_EQ(score(), "5");
}

// No room to write (a file size limit of 0): the save at the end of the
// game fails, the old score stays and the program still ends normally,
// instead of being killed by the signal the limit raises.
TEST_F(Program, WithAFileSizeLimitOfZeroFailsTheSaveAndKeepsTheOldScore) {
  std::ofstream(root / "data" / "score.txt") << "0";
  blocksOfOneLetter();
  file_size_limit = 0;
  launch();
  findWindow();
  scoreAPoint();
  requestClose();
  EXPECT_EQ(waitForExit(30), 0) << output();
  EXPECT_EQ(score(), "0");
  EXPECT_TRUE(scoreTemporaries().empty()) << scoreTemporaries().front();
}

// Terminal hang-up, interrupt and termination end the program as closing
// its window does: the points of the game in play are saved, the log is
// written out, the exit status is 0. Also while paused, where a window
// close would be lost.
struct CloseSignal {
  int signal;
  const char* name;
  bool paused;
};

void PrintTo(const CloseSignal& close_signal, std::ostream* p_out) {
  *p_out << close_signal.name << (close_signal.paused ? " while paused" : "");
}

class ProgramSignal : public Program, public ::testing::WithParamInterface<CloseSignal> {};

TEST_P(ProgramSignal, EndsTheGameLikeAWindowCloseAndKeepsItsPoints) {
  std::ofstream(root / "data" / "score.txt") << "0";
  blocksOfOneLetter();
  launch();
  findWindow();
  scoreAPoint();
  if (GetParam().paused) {
    key("F10");
    ko_test::sleepMs(300);
  }
  ASSERT_EQ(kill(pid, GetParam().signal), 0);
  EXPECT_EQ(waitForExit(10), 0) << output();
  EXPECT_EQ(score(), "1") << output();
  EXPECT_NE(log().find(std::string("received ") + GetParam().name), std::string::npos) << output();
}

INSTANTIATE_TEST_SUITE_P(Signals, ProgramSignal,
                         ::testing::Values(CloseSignal{SIGTERM, "SIGTERM", false},
                                           CloseSignal{SIGINT, "SIGINT", false},
                                           CloseSignal{SIGHUP, "SIGHUP", false},
                                           CloseSignal{SIGTERM, "SIGTERM", true}),
                         [](const ::testing::TestParamInfo<CloseSignal>& case_info) {
                           return std::string(case_info.param.name).substr(3) +
                                  (case_info.param.paused ? "WhilePaused" : "");
                         });

}  // namespace
