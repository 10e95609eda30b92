// Resource ids of the game program, shared by the code and korvalo.rc.
// Grouped by kind; where the code computes an id from a seat, a count or a
// control index, the range is named and its arithmetic checked below.
#pragma once

// --- Bitmaps ---------------------------------------------------------------

// Token pictures. Not in seat order: the code maps seats through a table
// (seat 0 red, 1 blue, 2 yellow, 3 green).
#define IDB_TOKEN_YELLOW 101
#define IDB_TOKEN_BLUE 102
#define IDB_TOKEN_RED 103
#define IDB_TOKEN_GREEN 104
#define IDB_TOKEN_FIRST 101
#define IDB_TOKEN_LAST 104
#define IDB_TOKEN_COUNT 4

// Board tiles. "H" tiles are 96 wide and stack along a vertical run, "V"
// tiles are 96 high and lie side by side along a horizontal run.
#define IDB_TILE_TRACK_H 114        // 96 x 16
#define IDB_TILE_TRACK_H_WIDE 115   // 96 x 24
#define IDB_TILE_TRACK_V 116        // 16 x 96
#define IDB_TILE_TRACK_V_WIDE 117   // 24 x 96
#define IDB_TILE_EXIT_YELLOW 118    // 16 x 96, "SALIDA"
#define IDB_TILE_EXIT_BLUE 119      // 96 x 16
#define IDB_TILE_EXIT_RED 120       // 16 x 96
#define IDB_TILE_EXIT_GREEN 121     // 96 x 16
#define IDB_TILE_SAFE_YELLOW 122    // 16 x 96, "SEGURO"
#define IDB_TILE_SAFE_BLUE 123      // 96 x 16
#define IDB_TILE_ARM_END_BLUE 124   // 68 x 24, last square before blue's stretch
#define IDB_TILE_SAFE_RED 125       // 16 x 96
#define IDB_TILE_ARM_END_RED 126    // 24 x 68
#define IDB_TILE_SAFE_GREEN 127     // 96 x 16
#define IDB_TILE_ARM_END_GREEN 128  // 68 x 24
#define IDB_TILE_STRETCH_GREEN 129  // 68 x 24
#define IDB_TILE_STRETCH_BLUE 130   // 68 x 24
#define IDB_TILE_STRETCH_RED 131    // 24 x 68
#define IDB_TILE_STRETCH_YELLOW 132 // 24 x 68
#define IDB_TILE_ARM_END_YELLOW 133 // 24 x 68
#define IDB_TILE_FIRST 114
#define IDB_TILE_LAST 133
#define IDB_TILE_COUNT 20

// Jails, in seat order: the jail of seat s is IDB_JAIL_FIRST + s.
#define IDB_JAIL_RED 134
#define IDB_JAIL_BLUE 135
#define IDB_JAIL_YELLOW 136
#define IDB_JAIL_GREEN 137
#define IDB_JAIL_FIRST 134
#define IDB_JAIL_LAST 137
#define IDB_JAIL_COUNT 4

// Count choice buttons "1" to "4", each a selected / normal pair:
// count n has IDB_COUNT_SELECTED(n) and IDB_COUNT_NORMAL(n).
#define IDB_COUNT_1_SELECTED 138
#define IDB_COUNT_1 139
#define IDB_COUNT_2_SELECTED 140
#define IDB_COUNT_2 141
#define IDB_COUNT_3_SELECTED 142
#define IDB_COUNT_3 143
#define IDB_COUNT_4_SELECTED 144
#define IDB_COUNT_4 145
#define IDB_COUNT_FIRST 138
#define IDB_COUNT_LAST 145
#define IDB_COUNT_PAIRS 4
#define IDB_COUNT_SELECTED(n) (IDB_COUNT_FIRST + 2 * ((n)-1))
#define IDB_COUNT_NORMAL(n) (IDB_COUNT_SELECTED(n) + 1)

// Picture buttons, each a pressed / normal pair.
#define IDB_OK_PRESSED 146 // "Aceptar", 47 x 46
#define IDB_OK 147         // 24-bit
#define IDB_ABOUT_PRESSED 148
#define IDB_ABOUT 149
#define IDB_MINIMISE_PRESSED 150 // "_", 24 x 23
#define IDB_MINIMISE 151
#define IDB_CLOSE_PRESSED 152 // "x", 24 x 23
#define IDB_CLOSE 153
#define IDB_HELP_PRESSED 154 // "?", 24 x 23
#define IDB_HELP 155
#define IDB_GO_ON_PRESSED 156 // "Seguir"
#define IDB_GO_ON 157
#define IDB_QUIT_PRESSED 158 // "Salir"
#define IDB_QUIT 159
#define IDB_NEW_GAME_PRESSED 160 // "Inicio"
#define IDB_NEW_GAME 161
#define IDB_SAVE_PRESSED 181 // "Guardar"
#define IDB_SAVE 182
#define IDB_LOAD_PRESSED 183 // "Cargar"
#define IDB_LOAD 184

// Dice strip: seven 60 x 60 cells, faces 1 to 6 then the mask (24-bit).
#define IDB_DICE 180
#define DICE_CELL 60
#define DICE_MASK_CELL 6

// The game-over car: the car on black, then its silhouette on white.
#define IDB_CAR 185

// --- Cursors (32 x 32) -----------------------------------------------------

#define IDCUR_CARRY_YELLOW 105 // carried-token squares: hot spot 16, 16
#define IDCUR_CARRY_BLUE 106
#define IDCUR_NO_DROP 107
#define IDCUR_CARRY_RED 108
#define IDCUR_CARRY_GREEN 109
#define IDCUR_POINTER_GREEN 110 // seat arrows: hot spot 14, 13
#define IDCUR_POINTER_BLUE 111
#define IDCUR_POINTER_YELLOW 112
#define IDCUR_POINTER_RED 113
#define IDCUR_CURSOR_FIRST 105
#define IDCUR_CURSOR_LAST 113
#define IDCUR_CURSOR_COUNT 9

// --- Icon ------------------------------------------------------------------

#define IDI_KORVALO 1

// --- Dialog templates ------------------------------------------------------

#define IDD_NEW_GAME 100
#define IDD_PLAYERS 162
#define IDD_GAME_OVER 191
#define IDD_RECORDS 198
#define IDD_ABOUT 204

// --- Controls --------------------------------------------------------------
// The picture buttons of every dialog are IDOK (1) and IDCANCEL (2), so
// that Enter and Esc act on them.

// New-game dialog. Choice button i (0 to 6) is IDC_CHOICE_FIRST + i: the
// token row for 1 to 4 tokens, then the player row for 2 to 4 players.
#define IDC_TOKENS_HEADING 178
#define IDC_PLAYERS_HEADING 179
#define IDC_TOKENS_1 203
#define IDC_TOKENS_2 204
#define IDC_TOKENS_3 205
#define IDC_TOKENS_4 206
#define IDC_PLAYERS_2 207
#define IDC_PLAYERS_3 208
#define IDC_PLAYERS_4 209
#define IDC_CHOICE_FIRST 203
#define IDC_CHOICE_LAST 209
#define IDC_CHOICE_COUNT 7

// Players dialog: per seat a number label, a name edit and a computer
// check box; the ids follow no arithmetic, the dialog keeps a table.
#define IDC_SEAT0_LABEL 164
#define IDC_SEAT0_NAME 163
#define IDC_SEAT0_CPU 175
#define IDC_SEAT1_LABEL 171
#define IDC_SEAT1_NAME 168
#define IDC_SEAT1_CPU 176
#define IDC_SEAT2_LABEL 172
#define IDC_SEAT2_NAME 169
#define IDC_SEAT2_CPU 177
#define IDC_SEAT3_LABEL 173
#define IDC_SEAT3_NAME 170
#define IDC_SEAT3_CPU 174
#define IDC_SOPLAR_GROUP 165
#define IDC_SOPLAR_YES 166
#define IDC_SOPLAR_NO 167

// Game-over dialog: labels and the values beside them.
#define IDC_WINS_LABEL 193
#define IDC_WINS 186
#define IDC_GAMES_LABEL 194
#define IDC_GAMES 187
#define IDC_FIRST_HOME_LABEL 195
#define IDC_FIRST_HOME 188
#define IDC_LAST_PLAYER_LABEL 196
#define IDC_LAST_PLAYER 189
#define IDC_TIME_LABEL 197
#define IDC_TIME 190

// About dialog: the three credit texts.
#define IDC_CREDIT_1 205
#define IDC_CREDIT_2 211
#define IDC_CREDIT_3 209

#ifndef RC_INVOKED
static_assert(IDB_TOKEN_LAST - IDB_TOKEN_FIRST + 1 == IDB_TOKEN_COUNT, "token range");
static_assert(IDB_TOKEN_FIRST == IDB_TOKEN_YELLOW && IDB_TOKEN_LAST == IDB_TOKEN_GREEN, "token range ends");
static_assert(IDB_TILE_LAST - IDB_TILE_FIRST + 1 == IDB_TILE_COUNT, "tile range");
static_assert(IDB_JAIL_LAST - IDB_JAIL_FIRST + 1 == IDB_JAIL_COUNT, "jail range");
static_assert(IDB_JAIL_FIRST + 0 == IDB_JAIL_RED && IDB_JAIL_FIRST + 1 == IDB_JAIL_BLUE &&
                  IDB_JAIL_FIRST + 2 == IDB_JAIL_YELLOW && IDB_JAIL_FIRST + 3 == IDB_JAIL_GREEN,
              "jails follow the seats");
static_assert(IDB_COUNT_LAST - IDB_COUNT_FIRST + 1 == 2 * IDB_COUNT_PAIRS, "count pairs");
static_assert(IDB_COUNT_SELECTED(1) == IDB_COUNT_1_SELECTED && IDB_COUNT_NORMAL(1) == IDB_COUNT_1 &&
                  IDB_COUNT_SELECTED(2) == IDB_COUNT_2_SELECTED && IDB_COUNT_NORMAL(2) == IDB_COUNT_2 &&
                  IDB_COUNT_SELECTED(3) == IDB_COUNT_3_SELECTED && IDB_COUNT_NORMAL(3) == IDB_COUNT_3 &&
                  IDB_COUNT_SELECTED(4) == IDB_COUNT_4_SELECTED && IDB_COUNT_NORMAL(4) == IDB_COUNT_4 &&
                  IDB_COUNT_NORMAL(4) == IDB_COUNT_LAST,
              "count n selected / normal");
static_assert(IDCUR_CURSOR_LAST - IDCUR_CURSOR_FIRST + 1 == IDCUR_CURSOR_COUNT, "cursor range");
static_assert(IDC_CHOICE_LAST - IDC_CHOICE_FIRST + 1 == IDC_CHOICE_COUNT, "choice range");
static_assert(IDC_CHOICE_FIRST + 0 == IDC_TOKENS_1 && IDC_CHOICE_FIRST + 3 == IDC_TOKENS_4 &&
                  IDC_CHOICE_FIRST + 4 == IDC_PLAYERS_2 && IDC_CHOICE_FIRST + 6 == IDC_PLAYERS_4,
              "choice i is the token row's count i + 1, then the player row's count i - 2");
#endif
