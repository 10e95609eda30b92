#include "game/cpu_choice.h"

#include "game/board.h"

#include <cmath>

enum { THROWS = 36, TRACK_SQUARES = 68 };

// For each distance 1 to 12, the throws (bit 6a + b for dice a + 1, b + 1)
// that can move a token that far: one die or the sum; and the throws whose
// sum alone is that far (a lone token in play moves the sum).
struct Reach {
    uint64_t any[13];
    uint64_t sum[13];
    uint64_t doubles;
};

static Reach make_reach() {
    Reach r{};
    for (unsigned a = 1; a <= 6; ++a) {
        for (unsigned b = 1; b <= 6; ++b) {
            const uint64_t bit = uint64_t{1} << ((a - 1) * 6 + (b - 1));
            r.any[a] |= bit;
            r.any[b] |= bit;
            r.any[a + b] |= bit;
            r.sum[a + b] |= bit;
            if (a == b) r.doubles |= bit;
        }
    }
    return r;
}
static const Reach reach = make_reach();

static unsigned count_bits(uint64_t v) {
    unsigned n = 0;
    for (; v; v &= v - 1) ++n;
    return n;
}

// What a token is worth to its owner: nothing in jail, more the further it
// has come, most when home. The worth grows faster than the steps: a token
// far along has already come through most of the track where it can be
// caught, and is close to the stretch, where it can no longer be.
static double token_worth(const TokenRecord& tok) {
    const bool home = (tok.state & TS_HOME) != 0;
    if (!home && !(tok.state & TS_ON_TRACK)) return 0;
    const double step = home ? double(STEP_HOME) : tok.step;
    double w = 10 + step + 5 * step * std::sqrt(step / STEP_LAST_TRACK);
    if (step > STEP_LAST_TRACK) w += 12;
    return home ? w + 37 : w;
}

static bool seated_in(const Position& pos, unsigned seat) {
    return seat <= pos.last_player && seat % pos.player_step == 0;
}

// Each opponent's throws that can catch the token on its square, combined:
// a token behind it within a throw's reach, or a release onto its exit.
double catch_chance(const Position& pos, uint8_t seat, const TokenRecord& tok) {
    if (!(tok.state & TS_ON_TRACK) || tok.step > STEP_LAST_TRACK) return 0.0;
    const uint8_t square = step_to_square(tok.step, seat);
    const bool safe = is_safe_square(square);
    double escape = 1.0;
    for (unsigned opp = 0; opp <= pos.last_player; opp += pos.player_step) {
        if (opp == seat || pos.tokens_left[opp] == 0) continue;
        uint64_t throws = 0;
        if (square == exit_square[opp] && pos.tokens_in_jail[opp] > 0) throws |= reach.doubles;
        if (!safe) {
            const bool lone = pos.tokens_left[opp] - pos.tokens_in_jail[opp] == 1;
            for (unsigned t = 0; t < pos.tokens_per_player; ++t) {
                const TokenRecord& o = pos.tokens[opp][t];
                if (!(o.state & TS_ON_TRACK) || o.step >= STEP_LAST_CAPTURE) continue;
                const uint8_t from = step_to_square(o.step, static_cast<uint8_t>(opp));
                const unsigned d = (square + TRACK_SQUARES - from) % TRACK_SQUARES;
                if (d == 0 || d > 12 || o.step + d > STEP_LAST_CAPTURE) continue;
                throws |= lone ? reach.sum[d] : reach.any[d];
            }
        }
        escape *= 1.0 - count_bits(throws) / double(THROWS);
    }
    return 1.0 - escape;
}

// A token in reach of a catch loses part of its worth, not all of what the
// catch would take: hiding costs the race its pace, and playing against
// people who capture whenever they can, full caution lost more games than
// it saved.
static const double RISK_WEIGHT = 0.7;

static double seat_worth(const Position& pos, uint8_t seat, bool with_risk) {
    double worth = 0;
    for (unsigned t = 0; t < pos.tokens_per_player; ++t) {
        const TokenRecord& tok = pos.tokens[seat][t];
        const double w = token_worth(tok);
        worth += w;
        if (with_risk) worth -= RISK_WEIGHT * w * catch_chance(pos, seat, tok);
    }
    return worth;
}

double evaluate(const Position& pos, uint8_t seat) {
    if (pos.tokens_left[seat] == 0) return 1e9;
    // After a double the seat throws again before any opponent does: what is
    // left exposed now is weighed when that throw is played out.
    const double mine = seat_worth(pos, seat, !(pos.throws_again && seat == pos.current));
    double others = 0, best = 0;
    unsigned count = 0;
    for (unsigned opp = 0; opp <= pos.last_player; opp += pos.player_step) {
        if (opp == seat || !seated_in(pos, opp)) continue;
        const double w = seat_worth(pos, static_cast<uint8_t>(opp), false);
        others += w;
        if (w > best) best = w;
        count += 1;
    }
    // The leader among the opponents matters most: only one player wins.
    return 4 * mine - 2 * best - (count ? 2 * others / count : 0);
}

// The best that playing out the rest of the throw can reach from here.
static double best_outcome(const Position& pos, uint8_t seat, MoveUse* first) {
    MoveUse uses[MAX_USES];
    const unsigned n = pos.left.moves_left ? position_uses(pos, uses) : 0;
    if (n == 0) return evaluate(pos, seat);
    double best = 0;
    for (unsigned i = 0; i < n; ++i) {
        Position next = pos;
        play_use(next, uses[i]);
        const double v = best_outcome(next, seat, nullptr);
        if (i == 0 || v > best) {
            best = v;
            if (first) *first = uses[i];
        }
    }
    return best;
}

bool choose_use(const Position& pos, MoveUse* use) {
    MoveUse uses[MAX_USES];
    if (position_uses(pos, uses) == 0) return false;
    best_outcome(pos, pos.current, use);
    return true;
}
