// The game's modal dialogs, each run owned by the main window. Callers set
// GF_MODAL around them.
#pragma once

// New-game dialog 100 (and the players dialog 162 it leads to): 1 when a
// game was started, 0 when cancelled.
int new_game_dialog();
// Game-over dialog 191: 0 for "Salir", 1 for "Seguir".
int game_over_dialog();
// About dialog 204.
void about_dialog();
// Records summary dialog 198 over games 1 to last_game.
void show_records_summary(unsigned last_game);

// What the new-game dialog saved when it opened, put back when it is cancelled.
extern unsigned char chosen_players;
extern unsigned char chosen_tokens;
