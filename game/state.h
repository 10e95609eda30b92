// Process-wide game state: every variable the rules, the window and the
// dialogs share, the flags word, the token and die records, seating and the
// new-game set-up. Defined once in state.cpp.
#pragma once

#include <cstdint>

// game_flags bits: independent on/off facts of the game's modes.
enum : uint32_t {
    GF_GAME_ON = 0x00001,
    GF_MODAL = 0x00002,
    GF_DRAGGING = 0x00004,
    GF_DROP_OK = 0x00008,
    GF_CAN_MOVE = 0x00010,
    GF_MAY_THROW = 0x00020,
    GF_FIRST_HOME_DONE = 0x00040,
    GF_DOUBLES = 0x00080,
    GF_DOUBLE_ONE_OR_SIX = 0x00100,
    GF_CAPTURE_POSSIBLE = 0x00200,
    GF_CAPTURED = 0x00400,
    GF_BUTTON_HELD = 0x00800,
    GF_DICE_ROLLING = 0x01000,
    GF_DIE_DRAG = 0x02000,
    GF_SOPLAR = 0x04000,
    GF_EXACT_REST = 0x08000,
    GF_ANIMATE = 0x10000,
    GF_APP_ACTIVE = 0x20000,
    GF_HELP_OPEN = 0x40000,
};

// Every flag's own name, in bit order, for the files and scripts that
// write flags out by name.
struct FlagName {
    const char* name;
    uint32_t bit;
};
enum { FLAG_COUNT = 19 };
extern const FlagName flag_names[FLAG_COUNT];

// Token state bits.
enum : uint8_t {
    TS_ON_TRACK = 0x01,
    TS_IN_JAIL = 0x02,
    TS_IN_STRETCH = 0x04,
    TS_HOME = 0x08,
    TS_MAY_MOVE = 0x10,
};

enum { SEATS = 4, TOKEN_SLOTS = 4, NAME_SIZE = 10 };
// A record file's folder is a whole path with its final separator (at most
// 260 bytes, the platform's limit); the file's name adds at most 12 more.
enum { RECORD_FOLDER_SIZE = 260, RECORD_PATH_SIZE = RECORD_FOLDER_SIZE + 16 };

// Route steps with a meaning of their own: a move captures only up to
// STEP_LAST_CAPTURE; a lone token in play takes the largest fitting move from
// STEP_NEAR_HOME and throws one die from STEP_ONE_DIE; the stretch ends at
// STEP_LAST_STRETCH, the square before home.
enum : uint8_t {
    STEP_NEAR_HOME = 60,
    STEP_LAST_CAPTURE = 62,
    STEP_LAST_TRACK = 63,
    STEP_ONE_DIE = 65,
    STEP_LAST_STRETCH = 70,
    STEP_HOME = 71,
    STEP_FINISHED = 100,
};

struct TokenRecord {
    void* image; // the seat's token picture; the window's, never the rules'
    uint16_t x;  // left pixel of the picture, client coordinates
    uint16_t y;  // top pixel of the picture
    uint8_t state;
    uint8_t step;
};

struct DieRecord {
    int16_t x;
    int16_t y;
    uint8_t value; // 1..6; 0 = used or not thrown
    uint8_t face;  // face drawn, 1..6
};

extern uint32_t game_flags;
extern TokenRecord tokens[SEATS][TOKEN_SLOTS];
extern DieRecord dice[2];

extern uint8_t player_count;
extern uint8_t last_player;
extern uint8_t player_step;
extern uint8_t tokens_per_player;
extern uint8_t current_player;
extern uint8_t cpu_player[SEATS];
extern char player_name[SEATS][NAME_SIZE];
extern uint8_t tokens_left[SEATS];
extern uint8_t tokens_in_jail[SEATS];

extern uint8_t dice_count;
extern uint8_t moves_left;
extern uint8_t throws_this_turn;
extern uint8_t throws_left;
extern uint8_t doubles_in_row;
extern uint8_t moving_token;
extern uint8_t move_steps;
extern uint8_t target_step;
extern uint8_t target_square;
extern uint8_t from_square;
extern int32_t pointer_x;
extern int32_t pointer_y;
extern uint8_t rest_token;
extern uint8_t culprit_token;
extern uint32_t cpu_last_tick;
extern uint32_t game_start_tick;
extern uint8_t game_number;
// The current game's record file: its folder (record_folder) and name.
extern char record_file_name[RECORD_PATH_SIZE];
extern char message_text[80];

// Title of the main window; also the caption of the game's message boxes.
extern const char* const window_title;

// Starts a game with the current dialog choices.
void new_game();
// last_player and player_step from player_count; other counts change nothing.
void seat_players();
void reset_tokens();
void put_in_jail(uint8_t seat, uint8_t token);
void invalidate_token(uint8_t seat, uint8_t token);

// Seated seats in seating order: 0, player_step, ... up to last_player.
inline bool is_seated(unsigned seat) { return player_step != 0 && seat <= last_player && seat % player_step == 0; }
