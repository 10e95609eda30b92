// Dice and turns: the throw, doubles, extra throws, "Tres presadas", losing
// the turn and passing it on.
#include "game/board.h"
#include "game/rules.h"
#include "game/seam.h"
#include "game/state.h"

uint16_t die_min_x[2];
uint16_t die_max_x[2];
// Bounce velocities keep their values from throw to throw.
int8_t dice_dx[2] = {30, 30};
int8_t dice_dy[2] = {25, 25};

void invalidate_centre() { invalidate_rect(centre_rect, false); }
void invalidate_turn_name() { invalidate_rect(turn_name_rect, false); }

// Only tokens out on the board are marked: a token in jail or home keeps its
// exact state, and a token released from jail is marked as it comes out.
void mark_tokens_movable() {
    for (uint8_t t = 0; t < tokens_per_player; ++t) {
        TokenRecord& tok = tokens[current_player][t];
        if (tok.state & TS_ON_TRACK) tok.state |= TS_MAY_MOVE;
    }
}

uint8_t smaller_die() {
    const uint8_t a = dice[0].value, b = dice[1].value;
    if (a == 0) return b;
    if (b == 0) return a;
    return b < a ? b : a;
}

// The dice left over are of no use to any token by then (that is why the
// player throws again), so they are cleared too: moves_left stays the sum.
void grant_throw() {
    move_steps = 0;
    game_flags |= GF_MAY_THROW;
    moves_left = 0;
    dice[0].value = dice[1].value = 0;
}

void update_can_move() {
    const uint8_t m = smaller_die();
    game_flags &= ~GF_CAN_MOVE;
    for (uint8_t t = 0; t < tokens_per_player; ++t) {
        const TokenRecord& tok = tokens[current_player][t];
        if ((tok.state & TS_ON_TRACK) && m <= STEP_HOME - tok.step) {
            game_flags |= GF_CAN_MOVE;
            return;
        }
    }
}

void set_dice_ranges() {
    die_min_x[0] = 0;
    die_max_x[0] = static_cast<uint16_t>(screen_w / 2 - 30);
    die_min_x[1] = static_cast<uint16_t>(screen_w / 2 + 30);
    die_max_x[1] = screen_w;
}

// Window places, the same on every screen: on a large one die 1 starts
// outside its own half, and its first bounce takes it there.
static const DieRecord die_start[] = {{150, 0, 0, 0}, {350, 25, 0, 0}};

// A drag holds the pointer inside the range, right and bottom edges
// excluded, anywhere on the die (its hit box includes its far edges); a
// bounce turns before it reaches the range's right edge.
bool die_in_reach(uint8_t die, int32_t x, int32_t y) {
    if (x == die_start[die].x && y == die_start[die].y) return true;
    return x >= die_min_x[die] - DIE_SIZE && x < die_max_x[die] && y >= -DIE_SIZE && y < screen_h;
}

// Every game starts with the same picture: no die until its first throw,
// whatever the last game threw (a die is drawn only while dice_count
// counts it and it has a face).
void reset_dice() {
    dice[0] = die_start[0];
    dice[1] = die_start[1];
    dice_count = 0;
    store_dice_background();
    set_dice_ranges();
}

void pass_turn() {
    play_sound("Turn.wav", SOUND_NO_CUT);
    throws_this_turn = 0;
    moves_left = 0;
    dice[0].value = dice[1].value = 0;
    doubles_in_row = 0;
    game_flags |= GF_MAY_THROW;
    current_player = static_cast<uint8_t>(current_player + player_step);
    if (current_player > last_player) current_player = 0;
    invalidate_centre();
    invalidate_turn_name();
    mark_tokens_movable();
    set_pointer(POINTER_PLAYER, current_player);
    if (cpu_player[current_player]) cpu_last_tick = tick_count();
}

bool last_token_in_stretch() {
    for (uint8_t t = 0; t < tokens_per_player; ++t) {
        const TokenRecord& tok = tokens[current_player][t];
        if ((tok.state & TS_IN_STRETCH) && tok.step >= STEP_ONE_DIE && tok.step <= STEP_LAST_STRETCH) return true;
    }
    return false;
}

void roll_dice() {
    dice[0].value = dice[1].value = 0;
    for (uint8_t i = 0; i < dice_count; ++i) {
        dice[i].value = static_cast<uint8_t>(die_random_number() % 6 + 1);
        dice[i].face = dice[i].value;
    }
    play_sound("Dados.wav", SOUND_NO_CUT);
    if (dice_count == 1) invalidate_rect(dice[1].x, dice[1].y, dice[1].x + DIE_SIZE, dice[1].y + DIE_SIZE, false);
    animate_dice();
    const unsigned a = dice[0].value, b = dice[1].value;
    if ((a == 1 && b == 2) || (a == 2 && b == 1)) play_sound("Perro.wav", SOUND_CUTS);
    for (uint8_t i = 0; i < dice_count; ++i) draw_die(i);
    moves_left = static_cast<uint8_t>(dice[0].value + dice[1].value);
    invalidate_centre();
}

void update_throws_left() {
    const uint8_t p = current_player;
    if (game_flags & GF_DOUBLES) throws_left = 1;
    else if (tokens_in_jail[p] == tokens_left[p]) throws_left = throws_this_turn == 1 ? 2 : throws_left - 1;
    else throws_left = 0;
}

void three_doubles() {
    const uint8_t p = current_player;
    uint8_t best = NO_TOKEN;
    for (uint8_t t = 0; t < tokens_per_player; ++t) {
        const TokenRecord& tok = tokens[p][t];
        if (tok.state & TS_HOME) continue;
        if (best == NO_TOKEN || tok.step > tokens[p][best].step) best = t;
    }
    if (best == NO_TOKEN) return;
    const bool was_last = tokens_left[p] == 1;
    token_home(best);
    if (!was_last) pass_turn();
}

void throw_dice() {
    const uint8_t p = current_player;
    game_flags &= ~(GF_MAY_THROW | GF_CAPTURE_POSSIBLE | GF_CAPTURED | GF_EXACT_REST);
    throws_this_turn += 1;
    rest_token = 1;
    mark_tokens_movable();

    if (tokens_left[p] == 1 && last_token_in_stretch()) {
        dice_count = 1;
        roll_dice();
        update_can_move();
        if (!(game_flags & GF_CAN_MOVE)) {
            play_sound("Ajiji.wav", SOUND_CUTS);
            pass_turn();
            return;
        }
    } else {
        dice_count = 2;
        roll_dice();
        update_can_move();
    }

    const bool is_double = dice[0].value == dice[1].value;
    if (is_double) {
        game_flags |= GF_DOUBLES;
        if (dice[0].value == 1 || dice[0].value == 6) game_flags |= GF_DOUBLE_ONE_OR_SIX;
        else game_flags &= ~GF_DOUBLE_ONE_OR_SIX;
    } else {
        game_flags &= ~GF_DOUBLES;
    }
    update_throws_left();

    if (!is_double) {
        if (!(game_flags & GF_CAN_MOVE)) {
            if (throws_left == 0) {
                play_sound("Ajiji.wav", SOUND_CUTS);
                pass_turn();
                return;
            }
            grant_throw();
        }
    } else if (tokens_in_jail[p] == 0) {
        play_sound("Aleluya.wav", SOUND_CUTS);
        doubles_in_row += 1;
        if (doubles_in_row == 3) {
            game_flags |= GF_MODAL;
            show_message("Tres presadas", window_title, MESSAGE_INFO);
            game_flags &= ~GF_MODAL;
            three_doubles();
            return;
        }
        if (!(game_flags & GF_CAN_MOVE)) grant_throw();
    } else {
        play_sound("Libre.wav", SOUND_CUTS);
        release_from_jail();
    }

    uint8_t in_stretch = 0;
    for (uint8_t t = 0; t < tokens_per_player; ++t)
        if (tokens[p][t].state & TS_IN_STRETCH) in_stretch += 1;
    if (in_stretch > 0 && tokens_left[p] - in_stretch - tokens_in_jail[p] == 1) limit_for_stretch();

    uint8_t r = 0;
    if (tokens_left[p] == 1 || tokens_left[p] - tokens_in_jail[p] == 1) r = limit_last_token();
    if (r != 0) pass_turn();
    else if (!(game_flags & GF_MAY_THROW) && (game_flags & GF_CAN_MOVE)) find_capture_chance();
}
