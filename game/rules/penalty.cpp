// The missed-capture penalty: a throw that could have captured and was
// played out without capturing costs the token that could have done it.
#include "game/board.h"
#include "game/rules.h"
#include "game/seam.h"
#include "game/state.h"

#include <cstring>

void check_capture_chance(uint8_t square) {
    if (is_safe_square(square)) return;
    for (unsigned seat = 0; seat <= last_player; seat += player_step) {
        if (seat == current_player) continue;
        for (uint8_t t = 0; t < tokens_per_player; ++t) {
            const TokenRecord& tok = tokens[seat][t];
            if ((tok.state & TS_ON_TRACK) && step_to_square(tok.step, static_cast<uint8_t>(seat)) == square) {
                game_flags |= GF_CAPTURE_POSSIBLE;
                return;
            }
        }
    }
}

void find_capture_chance() {
    const uint8_t p = current_player;
    MoveUse uses[MAX_USES];
    const unsigned n = legal_uses(dice_left(), tokens[p], tokens_per_player, uses);
    for (unsigned i = 0; i < n; ++i) {
        const uint8_t t = uses[i].token;
        const TokenRecord& tok = tokens[p][t];
        if (tok.step + uses[i].amount <= STEP_LAST_CAPTURE)
            check_capture_chance(step_to_square(static_cast<uint8_t>(tok.step + uses[i].amount), p));
        if (game_flags & GF_CAPTURE_POSSIBLE) {
            culprit_token = t;
            // "Soplar": the token that could capture jumps inside its square.
            if (game_flags & GF_SOPLAR) place_token(step_to_square(tok.step, p), p, t);
            return;
        }
    }
}

void missed_capture_penalty() {
    game_flags |= GF_MODAL;
    std::strcpy(message_text, "Podía comer y no lo hizo, ahora recibirá su castigo!");
    show_message(message_text, "Castigo!!!", MESSAGE_INFO);
    game_flags &= ~GF_MODAL;
    play_sound("Jail.wav", SOUND_CUTS);
    put_in_jail(current_player, culprit_token);
}
