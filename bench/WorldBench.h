#pragma once

void benchWorld();
