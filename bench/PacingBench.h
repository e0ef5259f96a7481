#pragma once

// Needs the engine started.
void benchPacing();
