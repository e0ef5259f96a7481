// The same three screens as the engine's drawing bench, drawn with libtcod
// through its SDL2 and OpenGL 2 renderers, for the ratios in one table.
// Prints one line per renderer and case: "<renderer> <case> <ms per frame>".
#include <libtcod.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const int COLUMNS = 80, ROWS = 24;
const char GLYPHS[] = "the quick brown fox jumps over the lazy dog SEGMENTATION FAULT";
const TCOD_ColorRGB INKS[8] = {{0, 0, 0},   {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                               {0, 0, 255}, {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};

// Frame `step` of a case: every cell changing, none, or the cells of a few
// falling blocks (about one in twenty).
bool changed(const char* which, int col, int row, int step) {
  if (std::strcmp(which, "all") == 0) return step % 2 == 1;
  if (std::strcmp(which, "none") == 0) return false;
  return (col / 4 + row + step) % 20 == 0 && col % 4 != 3;
}

void fill(TCOD_Console* console, const char* which, int step) {
  const int count = static_cast<int>(sizeof GLYPHS - 1);
  for (int row = 0; row < ROWS; ++row) {
    for (int col = 0; col < COLUMNS; ++col) {
      const int shift = changed(which, col, row, step) ? 7 : 0;
      const TCOD_ColorRGB ink = INKS[(row + col + shift) % 8];
      const TCOD_ColorRGB black{0, 0, 0};
      TCOD_console_put_char_ex(console, col, row, GLYPHS[(row * COLUMNS + col + shift) % count],
                               ink, black);
    }
  }
}

double measure(TCOD_Context* context, TCOD_Console* console, const char* which, int frames) {
  for (int i = 0; i < 5; ++i) {
    fill(console, which, i);
    TCOD_context_present(context, console, nullptr);
  }
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < frames; ++i) {
    fill(console, which, i);
    TCOD_context_present(context, console, nullptr);
  }
  const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
  return spent.count() / frames;
}

}  // namespace

int main(int argc, char** argv) {
  const char* font = argc > 1 ? argv[1] : "ko-font.ttf";
  const int frames = argc > 2 ? std::atoi(argv[2]) : 60;
  if (TCOD_tileset_load_truetype_(font, 13, 32) < 0) {
    std::fprintf(stderr, "tcod bench: cannot load %s: %s\n", font, TCOD_get_error());
    return 1;
  }
  const struct {
    const char* name;
    int type;
  } renderers[] = {{"sdl2", TCOD_RENDERER_SDL2}, {"opengl2", TCOD_RENDERER_OPENGL2}};
  for (const auto& r : renderers) {
    TCOD_ContextParams params{};
    params.tcod_version = TCOD_COMPILEDVERSION;
    params.pixel_width = 1024;
    params.pixel_height = 768;
    params.columns = COLUMNS;
    params.rows = ROWS;
    params.renderer_type = r.type;
    params.tileset = TCOD_get_default_tileset();
    params.vsync = 0;
    params.window_title = "tcod bench";
    TCOD_Context* context = nullptr;
    if (TCOD_context_new(&params, &context) < 0) {
      std::fprintf(stderr, "tcod bench: no %s context: %s\n", r.name, TCOD_get_error());
      continue;
    }
    TCOD_Console* console = TCOD_console_new(COLUMNS, ROWS);
    for (const char* which : {"all", "none", "some"}) {
      std::printf("%s %s %.3f\n", r.name, which, measure(context, console, which, frames));
      std::fflush(stdout);
    }
    TCOD_console_delete(console);
    TCOD_context_delete(context);
  }
  return 0;
}
