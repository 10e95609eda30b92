#include "tools/sim/greedy.h"

#include "game/board.h"
#include "game/state.h"

static bool captures(uint8_t target) {
    if (target > STEP_LAST_CAPTURE) return false;
    const uint8_t square = step_to_square(target, current_player);
    if (is_safe_square(square)) return false;
    for (unsigned seat = 0; seat <= last_player; seat += player_step) {
        if (seat == current_player) continue;
        for (uint8_t t = 0; t < tokens_per_player; ++t) {
            const TokenRecord& tok = tokens[seat][t];
            if ((tok.state & TS_ON_TRACK) && step_to_square(tok.step, static_cast<uint8_t>(seat)) == square)
                return true;
        }
    }
    return false;
}

unsigned greedy_choice(const std::vector<LegalDrop>& drops) {
    const unsigned stretch = STEP_LAST_TRACK + 1;
    unsigned best = 0;
    for (unsigned rule = 0; rule < 2; ++rule) {
        for (unsigned i = 0; i < drops.size(); ++i) {
            const unsigned from = tokens[current_player][drops[i].token].step;
            const unsigned to = from + drops[i].steps;
            if (rule == 0 && captures(static_cast<uint8_t>(to))) return i;
            if (rule == 1 && (to == STEP_HOME || (from < stretch && to >= stretch))) return i;
        }
    }
    for (unsigned i = 1; i < drops.size(); ++i) {
        const uint8_t step = tokens[current_player][drops[i].token].step;
        const uint8_t best_step = tokens[current_player][drops[best].token].step;
        if (step > best_step || (drops[i].token == drops[best].token && drops[i].steps > drops[best].steps)) best = i;
    }
    return best;
}
