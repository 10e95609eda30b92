// How many times larger than the design the game draws on a screen.
// Platform-neutral: the Win32 side measures the screen, this decides.
#pragma once

#include <cstdint>

// The design lays everything out for 640 x 480. On a screen with room for
// it k times over in both directions every design pixel becomes a k x k
// block: the largest such whole k, 1 on anything smaller than 1280 x 960.
// A player may ask for less (`most`, 0 for no limit), never for more.
uint8_t scale_for_screen(int width, int height, unsigned most);

// The command line's "/escala:N" (any letter case, N a whole number from
// 1): N, or 0 when the line does not ask for a scale.
unsigned scale_asked(const char* command_line);
