#pragma once

// Needs the engine started (a window on a display).
void benchDrawing();
