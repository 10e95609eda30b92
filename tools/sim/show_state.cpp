#include "tools/sim/show_state.h"

#include "game/state.h"
#include "tools/sim/cp1252.h"
#include "tools/sim/fake_window.h"

static const char* const flag_labels[] = {
    "GAME_ON", "MODAL",      "DRAGGING",         "DROP_OK",    "CAN_MOVE",    "MAY_THROW",    "FIRST_HOME_DONE",
    "DOUBLES", "DOUBLE_1_6", "CAPTURE_POSSIBLE", "CAPTURED",   "BUTTON_HELD", "DICE_ROLLING", "DIE_DRAG",
    "SOPLAR",  "EXACT_REST", "ANIMATE",          "APP_ACTIVE", "HELP_OPEN"};

void show_state(FILE* out) {
    std::fprintf(out, "game %u, players %u, tokens %u, current %u\n", game_number, player_count, tokens_per_player,
                 current_player);
    std::fprintf(out, "flags:");
    for (unsigned i = 0; i < sizeof flag_labels / sizeof *flag_labels; ++i)
        if (game_flags & (1u << i)) std::fprintf(out, " %s", flag_labels[i]);
    std::fprintf(out, "\ndice %u %u (faces %u %u, count %u), moves_left %u, throws %u made %u owed, doubles %u\n",
                 dice[0].value, dice[1].value, dice[0].face, dice[1].face, dice_count, moves_left, throws_this_turn,
                 throws_left, doubles_in_row);
    std::fprintf(out, "rest_token %u, culprit_token %u\n", rest_token, culprit_token);
    std::fprintf(out, "dice at %d,%d and %d,%d\n", dice[0].x, dice[0].y, dice[1].x, dice[1].y);
    std::fprintf(out, "move: token %u, %u steps, square %u to %u (step %u); pointer %d,%d, shape %d of seat %u\n",
                 moving_token, move_steps, from_square, target_square, target_step, pointer_x, pointer_y,
                 static_cast<int>(fake_pointer), fake_pointer_seat);
    std::fprintf(out, "seating: step %u, last seat %u; clock %u, game started %u, computer's last tick %u\n",
                 player_step, last_player, fake_clock, game_start_tick, cpu_last_tick);
    std::fprintf(out, "record file \"%s\"\n", record_file_name);
    for (unsigned seat = 0; player_step != 0 && seat <= last_player; seat += player_step) {
        std::fprintf(out, "seat %u \"%s\"%s: left %u, in jail %u;", seat, cp1252_to_utf8(player_name[seat]).c_str(),
                     cpu_player[seat] ? " (CPU)" : "", tokens_left[seat], tokens_in_jail[seat]);
        for (unsigned t = 0; t < tokens_per_player; ++t) {
            const TokenRecord& tok = tokens[seat][t];
            std::fprintf(out, " [%u: state %02x step %u at %u,%u]", t, tok.state, tok.step, tok.x, tok.y);
        }
        std::fprintf(out, "\n");
    }
}
