// A full 80 x 24 screen in every colour, drawn per character and batched:
// the time to submit it, and the time of the whole frame up to the swap,
// in the designed window and fullscreen on the display (1920 x 1080 under
// the bench command), where every glyph is bigger.
#include "DrawBench.h"

#include <chrono>
#include <string>

#include <korvane/GraphicsManager.h>
#include "Table.h"

namespace {

using Clock = std::chrono::steady_clock;

double milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

void drawFullScreen() {
  ko::GraphicsManager& graphics = ko::GraphicsManager::getInstance();
  const std::string glyphs = "the quick brown fox jumps over the lazy dog SEGMENTATION FAULT";
  for (int row = 0; row < 24; ++row) {
    for (int col = 0; col < 80; ++col) {
      const char ch = glyphs[static_cast<size_t>(row * 80 + col) % glyphs.size()];
      graphics.drawCh(ko::Vector(static_cast<float>(col), static_cast<float>(row)), ch,
                      static_cast<ko::Color>((row + col) % 8));
    }
  }
}

struct FrameTimes {
  double submit_ms;
  double total_ms;
};

FrameTimes measure(bool batched, int frames) {
  ko::GraphicsManager& graphics = ko::GraphicsManager::getInstance();
  graphics.setBatching(batched);
  for (int i = 0; i < 5; ++i) {  // warm-up: glyphs cached, driver settled
    drawFullScreen();
    graphics.swapBuffers();
  }
  Clock::duration submit{}, total{};
  for (int i = 0; i < frames; ++i) {
    const Clock::time_point start = Clock::now();
    drawFullScreen();
    graphics.flush();
    const Clock::time_point submitted = Clock::now();
    graphics.swapBuffers();
    const Clock::time_point shown = Clock::now();
    submit += submitted - start;
    total += shown - start;
  }
  return {milliseconds(submit) / frames, milliseconds(total) / frames};
}

struct ModeTimes {
  FrameTimes per_char{0, 0}, batched{0, 0};
};

void printMode(const std::string& mode, const ModeTimes& t) {
  printRow("submission, per character" + mode, format("%.2f", t.per_char.submit_ms));
  printRow("submission, batched" + mode, format("%.2f", t.batched.submit_ms));
  printRow("submission ratio (per character / batched)" + mode,
           format("%.1fx", t.per_char.submit_ms / t.batched.submit_ms));
  printRow("whole frame to swap, per character" + mode, format("%.2f", t.per_char.total_ms));
  printRow("whole frame to swap, batched" + mode, format("%.2f", t.batched.total_ms));
  printRow("whole frame ratio (per character / batched)" + mode,
           format("%.2fx", t.per_char.total_ms / t.batched.total_ms));
}

}  // namespace

void benchDrawing() {
  ko::GraphicsManager& graphics = ko::GraphicsManager::getInstance();
  const int frames = 60;
  const int rounds = 3;
  // Interleaved rounds, so that a busy spell on the machine hits every row
  // alike.
  ModeTimes windowed, fullscreen;
  for (int round = 0; round < rounds; ++round) {
    for (ModeTimes* p_times : {&windowed, &fullscreen}) {
      graphics.setFullscreen(p_times == &fullscreen);
      const FrameTimes a = measure(false, frames), b = measure(true, frames);
      p_times->per_char.submit_ms += a.submit_ms / rounds;
      p_times->per_char.total_ms += a.total_ms / rounds;
      p_times->batched.submit_ms += b.submit_ms / rounds;
      p_times->batched.total_ms += b.total_ms / rounds;
    }
  }
  graphics.setFullscreen(true);
  const sf::Vector2u screen = graphics.getWindow()->getSize();
  graphics.setFullscreen(false);
  printSection("Full frame, 80 x 24 characters in every colour (ms per frame)");
  printMode("", windowed);
  printMode(", fullscreen " + std::to_string(screen.x) + " x " + std::to_string(screen.y),
            fullscreen);
  graphics.setBatching(true);
}
