// Reaching home, the first token home, the win and the end of a game.
#include "game/board.h"
#include "game/rules.h"
#include "game/seam.h"
#include "game/state.h"
#include "records/records.h"

#include <cstdio>

void token_home(uint8_t token) {
    const uint8_t p = current_player;
    place_token(HOME_SQUARE, p, token);
    tokens[p][token].state = TS_HOME;
    tokens[p][token].step = STEP_FINISHED;
    tokens_left[p] -= 1;
    play_sound("Ficha.wav", SOUND_CUTS);
    if (!(game_flags & GF_FIRST_HOME_DONE)) {
        game_flags |= GF_FIRST_HOME_DONE | GF_MODAL;
        show_message("Primera ficha", window_title, MESSAGE_INFO);
        game_flags &= ~GF_MODAL;
        append_first_home();
    }
    if (tokens_left[p] == 0) {
        append_result();
        declare_winner();
    }
}

void declare_winner() {
    game_flags &= ~(GF_GAME_ON | GF_DRAGGING | GF_DROP_OK | GF_MAY_THROW);
    keep_final_position(); // before "Ganó": its box lets the window paint
    game_flags |= GF_MODAL;
    std::snprintf(message_text, sizeof message_text, "Ganó %s", player_name[current_player]);
    show_message(message_text, window_title, MESSAGE_INFO);
    if (run_game_over_dialog() == 0) leave_after_game();
    else run_new_game_dialog();
    game_flags &= ~GF_MODAL;
}
