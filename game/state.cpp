#include "game/state.h"

#include "game/board.h"
#include "game/rules.h"
#include "game/seam.h"
#include "records/records.h"

uint32_t game_flags;

const FlagName flag_names[FLAG_COUNT] = {
    {"GF_GAME_ON", GF_GAME_ON},
    {"GF_MODAL", GF_MODAL},
    {"GF_DRAGGING", GF_DRAGGING},
    {"GF_DROP_OK", GF_DROP_OK},
    {"GF_CAN_MOVE", GF_CAN_MOVE},
    {"GF_MAY_THROW", GF_MAY_THROW},
    {"GF_FIRST_HOME_DONE", GF_FIRST_HOME_DONE},
    {"GF_DOUBLES", GF_DOUBLES},
    {"GF_DOUBLE_ONE_OR_SIX", GF_DOUBLE_ONE_OR_SIX},
    {"GF_CAPTURE_POSSIBLE", GF_CAPTURE_POSSIBLE},
    {"GF_CAPTURED", GF_CAPTURED},
    {"GF_BUTTON_HELD", GF_BUTTON_HELD},
    {"GF_DICE_ROLLING", GF_DICE_ROLLING},
    {"GF_DIE_DRAG", GF_DIE_DRAG},
    {"GF_SOPLAR", GF_SOPLAR},
    {"GF_EXACT_REST", GF_EXACT_REST},
    {"GF_ANIMATE", GF_ANIMATE},
    {"GF_APP_ACTIVE", GF_APP_ACTIVE},
    {"GF_HELP_OPEN", GF_HELP_OPEN},
};
TokenRecord tokens[SEATS][TOKEN_SLOTS];
DieRecord dice[2];

uint8_t player_count;
uint8_t last_player;
uint8_t player_step;
uint8_t tokens_per_player;
uint8_t current_player;
uint8_t cpu_player[SEATS];
char player_name[SEATS][NAME_SIZE];
uint8_t tokens_left[SEATS];
uint8_t tokens_in_jail[SEATS];

uint8_t dice_count;
uint8_t moves_left;
uint8_t throws_this_turn;
uint8_t throws_left;
uint8_t doubles_in_row;
uint8_t moving_token;
uint8_t move_steps;
uint8_t target_step;
uint8_t target_square;
uint8_t from_square;
int32_t pointer_x;
int32_t pointer_y;
uint8_t rest_token;
uint8_t culprit_token;
uint32_t cpu_last_tick;
uint32_t game_start_tick;
uint8_t game_number;
char record_file_name[RECORD_PATH_SIZE];
char message_text[80];

const char* const window_title = "Zenta Korvalo";

void seat_players() {
    switch (player_count) {
    case 2:
        last_player = 2;
        player_step = 2;
        break;
    case 3:
        last_player = 2;
        player_step = 1;
        break;
    case 4:
        last_player = 3;
        player_step = 1;
        break;
    default: break;
    }
}

void invalidate_token(uint8_t seat, uint8_t token) {
    const TokenRecord& t = tokens[seat][token];
    invalidate_rect(t.x, t.y, t.x + 20, t.y + 20, false);
}

void put_in_jail(uint8_t seat, uint8_t token) {
    tokens_in_jail[seat] += 1;
    invalidate_token(seat, token);
    const Rect& jail = board_areas[jail_area_of[seat]];
    TokenRecord& t = tokens[seat][token];
    // Two separate statements: the x draw must come before the y draw.
    t.x = static_cast<uint16_t>(jail.left + random_number() % (jail.right - jail.left - 20));
    t.y = static_cast<uint16_t>(jail.top + random_number() % (jail.bottom - jail.top - 20));
    invalidate_token(seat, token);
    t.state = TS_IN_JAIL;
    t.step = 0;
}

void reset_tokens() {
    if (player_step == 0) return; // nobody seated yet: nothing to reset
    for (unsigned seat = 0; seat <= last_player; seat += player_step) {
        tokens_left[seat] = tokens_per_player;
        tokens_in_jail[seat] = 0;
        for (TokenRecord& t : tokens[seat]) {
            t.x = t.y = 0;
            t.state = t.step = 0;
        }
        for (uint8_t t = 0; t < tokens_per_player; ++t) put_in_jail(static_cast<uint8_t>(seat), t);
    }
}

void new_game() {
    if (!(game_flags & GF_GAME_ON) && game_number < LAST_GAME_NUMBER) game_number += 1;
    game_flags = GF_GAME_ON | GF_APP_ACTIVE | (game_flags & GF_SOPLAR);
    seat_players();
    reset_tokens();
    reset_dice();
    current_player = last_player;
    pass_turn();
    invalidate_rect(0, 0, screen_w, screen_h, false);
    // In a one-token game the first token home is the winner: no separate
    // announcement.
    if (tokens_per_player == 1) game_flags |= GF_FIRST_HOME_DONE;
    else game_flags &= ~GF_FIRST_HOME_DONE;
    game_start_tick = tick_count();
    create_record_file();
}
