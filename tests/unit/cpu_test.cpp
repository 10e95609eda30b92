// The computer's chooser: which throws it counts as a threat, the penalty
// on its copy of the game, and its strength on a fixed seed (a chooser that
// has stopped choosing wins about an equal player's share against a random
// person).
#include "game/cpu_choice.h"
#include "tools/sim/self_play.h"

#include <gtest/gtest.h>

TEST(Computer, BeatsARandomPersonWithFourTokens) {
    PlayOptions o;
    o.games = 200;
    o.players = 2;
    o.tokens = 4;
    o.cpu[2] = 1; // yellow, the second to throw
    o.seed = 4;
    o.check = false;
    const PlayTotals t = self_play(o);
    EXPECT_GE(t.wins[2], 160u) << "the computer won " << t.wins[2] << " of " << t.games;
}

namespace {

// Four players with four tokens each, all in jail but those placed.
struct Board {
    Position pos{};
    Board() {
        pos.tokens_per_player = 4;
        pos.last_player = 3;
        pos.player_step = 1;
        for (unsigned seat = 0; seat < SEATS; ++seat) {
            pos.tokens_left[seat] = 4;
            pos.tokens_in_jail[seat] = 4;
            for (unsigned t = 0; t < 4; ++t) pos.tokens[seat][t] = TokenRecord{nullptr, 0, 0, TS_IN_JAIL, 0};
        }
    }
    const TokenRecord& place(uint8_t seat, uint8_t token, uint8_t step) {
        if (pos.tokens[seat][token].state & TS_IN_JAIL) pos.tokens_in_jail[seat] -= 1;
        pos.tokens[seat][token] = TokenRecord{nullptr, 0, 0, TS_ON_TRACK | TS_MAY_MOVE, step};
        return pos.tokens[seat][token];
    }
};

double in_36ths(double chance) { return chance * 36; }

} // namespace

// Which throws catch a token: one die or the sum of a token 1 to 12 squares
// behind (only the sum for a token alone in play), a double releasing onto
// its owner's exit even there, across the square numbers' wrap, and not by
// a token that would pass its last square on the track.
TEST(Computer, CatchChanceCountsTheThrowsThatReach) {
    {
        Board b; // red on square 25, green 5 behind on square 20
        const TokenRecord& red = b.place(0, 0, 20);
        b.place(3, 0, 32);
        EXPECT_DOUBLE_EQ(in_36ths(catch_chance(b.pos, 0, red)), 4) << "a lone token moves the sum";
        b.place(3, 1, 0);
        EXPECT_DOUBLE_EQ(in_36ths(catch_chance(b.pos, 0, red)), 15) << "a 5 on either die or 1-4, 2-3";
        b.place(3, 1, 25); // token 1 12 behind, token 0 far back
        b.place(3, 0, 0);
        EXPECT_DOUBLE_EQ(in_36ths(catch_chance(b.pos, 0, red)), 1) << "only 6-6";
        b.place(3, 1, 24); // 13 behind
        EXPECT_DOUBLE_EQ(catch_chance(b.pos, 0, red), 0);
    }
    {
        Board b; // blue on its square 3, yellow on 66: 5 behind across the wrap
        const TokenRecord& blue = b.place(1, 0, 49);
        b.place(2, 0, 27);
        b.place(2, 1, 0);
        EXPECT_DOUBLE_EQ(in_36ths(catch_chance(b.pos, 1, blue)), 15);
        b.place(2, 0, 0);
        b.place(0, 0, 57); // red on 62, 5 behind blue on 67, at its last square that captures
        b.place(0, 1, 0);
        b.pos.tokens[1][0].step = 45;
        EXPECT_DOUBLE_EQ(in_36ths(catch_chance(b.pos, 1, blue)), 15);
        b.pos.tokens[1][0].step = 48; // on 2: red turns into its stretch before
        EXPECT_DOUBLE_EQ(catch_chance(b.pos, 1, blue), 0);
    }
    {
        Board b; // red on blue's exit: safe from blue's tokens, not from its release
        const TokenRecord& red = b.place(0, 0, 17);
        b.place(1, 0, 63);
        EXPECT_DOUBLE_EQ(in_36ths(catch_chance(b.pos, 0, red)), 6) << "the six doubles";
        b.pos.tokens_in_jail[1] = 0;
        EXPECT_DOUBLE_EQ(catch_chance(b.pos, 0, red), 0);
    }
}

// On the copy, as in the game: a throw that could have captured costs the
// culprit when it is played out without a capture, not before.
TEST(Computer, CopyPaysThePenaltyWhenTheThrowEnds) {
    Board b;
    b.place(0, 0, 10);
    b.place(0, 1, 20);
    b.pos.current = 0;
    b.pos.left = DiceLeft{{3, 4}, 7, 0};
    b.pos.capture_possible = true;
    b.pos.culprit = 1;
    play_use(b.pos, MoveUse{0, 3});
    EXPECT_EQ(b.pos.tokens[0][1].state & TS_IN_JAIL, 0);
    play_use(b.pos, MoveUse{0, 4});
    EXPECT_NE(b.pos.tokens[0][1].state & TS_IN_JAIL, 0);
    EXPECT_EQ(b.pos.tokens_in_jail[0], 3);
    MoveUse use;
    EXPECT_FALSE(choose_use(b.pos, &use)) << "the throw is spent: nothing to choose";
}
