// The players dialog 162, opened by the new-game dialog over itself: 1 when
// it started the game, 0 when the player went back.
#pragma once

#include <windows.h>

INT_PTR players_dialog(HWND owner);
