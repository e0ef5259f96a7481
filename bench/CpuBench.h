#pragma once

// Needs the engine started with the game's resources in ../.
void benchProcessorUse();
