#include "test_support.h"

#include "game/board.h"
#include "game/rules.h"
#include "game/state.h"
#include "tools/sim/fake_window.h"
#include "tools/sim/sim_driver.h"

#include <cstdlib>

void fresh_program(uint16_t width, uint16_t height) {
    screen_w = width;
    screen_h = height;
    fake_reset_program();
    std::srand(7);
}

void start_game(uint8_t players, uint8_t tokens) {
    player_count = players;
    tokens_per_player = tokens;
    sim_default_names();
    sim_start_game();
    fake_clear_events();
}

void put_on_step(uint8_t seat, uint8_t token, uint8_t step) {
    TokenRecord& t = tokens[seat][token];
    if (t.state & TS_IN_JAIL) tokens_in_jail[seat] -= 1;
    t.state = TS_ON_TRACK | TS_MAY_MOVE;
    if (step >= STEP_LAST_TRACK) t.state |= TS_IN_STRETCH;
    t.step = step;
    place_token(step_to_square(step, seat), seat, token);
}

void throw_with(int a, int b) {
    scripted_dice.clear();
    scripted_dice.push_back(a);
    if (b) scripted_dice.push_back(b);
    fake_clear_events();
    throw_dice();
}
