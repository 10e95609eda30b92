#include "tools/sim/show_state.h"

#include "game/state.h"
#include "tools/sim/cp1252.h"

static const char* const flag_labels[] = {
    "GAME_ON",       "MODAL",       "DRAGGING",   "DROP_OK",  "CAN_MOVE",         "MAY_THROW", "FIRST_HOME_DONE",
    "DOUBLES",       "DOUBLE_1_6",  "CAPTURE_POSSIBLE", "CAPTURED", "BUTTON_HELD", "DICE_ROLLING", "DIE_DRAG",
    "SOPLAR",        "EXACT_REST",  "ANIMATE",    "APP_ACTIVE", "HELP_OPEN"};

void show_state(FILE* out) {
    std::fprintf(out, "game %u, players %u, tokens %u, current %u\n", game_number, player_count,
                 tokens_per_player, current_player);
    std::fprintf(out, "flags:");
    for (unsigned i = 0; i < sizeof flag_labels / sizeof *flag_labels; ++i)
        if (game_flags & (1u << i)) std::fprintf(out, " %s", flag_labels[i]);
    std::fprintf(out, "\ndice %u %u (faces %u %u, count %u), moves_left %u, throws %u made %u owed, doubles %u\n",
                 dice[0].value, dice[1].value, dice[0].face, dice[1].face, dice_count, moves_left,
                 throws_this_turn, throws_left, doubles_in_row);
    std::fprintf(out, "rest_token %u, culprit_token %u\n", rest_token, culprit_token);
    for (unsigned seat = 0; player_step != 0 && seat <= last_player; seat += player_step) {
        std::fprintf(out, "seat %u \"%s\"%s: left %u, in jail %u;", seat,
                     cp1252_to_utf8(player_name[seat]).c_str(), cpu_player[seat] ? " (CPU)" : "",
                     tokens_left[seat], tokens_in_jail[seat]);
        for (unsigned t = 0; t < tokens_per_player; ++t) {
            const TokenRecord& tok = tokens[seat][t];
            std::fprintf(out, " [%u: state %02x step %u at %u,%u]", t, tok.state, tok.step, tok.x, tok.y);
        }
        std::fprintf(out, "\n");
    }
}
