// The computer's chooser: which throws it counts as a threat, the penalty
// on its copy of the game, and its strength on a fixed seed (a chooser that
// has stopped choosing wins about an equal player's share against a random
// person).
#include "game/cpu_choice.h"
#include "game/position.h"
#include "records/records.h"
#include "test_support.h"
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

// The chance in 36ths that an opponent catches the seat's token t.
static double in_36ths(uint8_t seat, uint8_t t) { return catch_chance(read_position(), seat, tokens[seat][t]) * 36; }

// Which throws catch a token: one die or the sum of a token 1 to 12 squares
// behind (only the sum for a token alone in play), a double releasing onto
// its owner's exit even there, across the square numbers' wrap, and not by
// a token that would pass its last square on the track.
TEST(Computer, CatchChanceCountsTheThrowsThatReach) {
    start_game(4, 4); // red on square 25, green 5 behind on square 20
    put_out(0, 0, 20);
    put_out(3, 0, 32);
    EXPECT_DOUBLE_EQ(in_36ths(0, 0), 4) << "a lone token moves the sum";
    put_out(3, 1, 0);
    EXPECT_DOUBLE_EQ(in_36ths(0, 0), 15) << "a 5 on either die or 1-4, 2-3";
    put_out(3, 1, 25); // token 1 12 behind, token 0 far back
    put_out(3, 0, 0);
    EXPECT_DOUBLE_EQ(in_36ths(0, 0), 1) << "only 6-6";
    put_out(3, 1, 24); // 13 behind
    EXPECT_DOUBLE_EQ(in_36ths(0, 0), 0);

    start_game(4, 4); // blue on its square 3, yellow on 66: 5 behind across the wrap
    put_out(1, 0, 49);
    put_out(2, 0, 27);
    put_out(2, 1, 0);
    EXPECT_DOUBLE_EQ(in_36ths(1, 0), 15);
    put_out(2, 0, 0);
    put_out(0, 0, 57); // red on 62, 5 behind blue on 67, at its last square that captures
    put_out(0, 1, 0);
    put_out(1, 0, 45);
    EXPECT_DOUBLE_EQ(in_36ths(1, 0), 15);
    put_out(1, 0, 48); // on 2: red turns into its stretch before
    EXPECT_DOUBLE_EQ(in_36ths(1, 0), 0);

    start_game(4, 4); // red on blue's exit: safe from blue's tokens, not from its release
    put_out(0, 0, 17);
    put_out(1, 0, 63);
    EXPECT_DOUBLE_EQ(in_36ths(0, 0), 6) << "the six doubles";
    tokens_in_jail[1] = 0;
    EXPECT_DOUBLE_EQ(in_36ths(0, 0), 0);
    delete_record_files();
}

// On the copy, as in the game: a double's uses are listed once each, and a
// throw that could have captured costs the culprit when it is played out
// without a capture, not before.
TEST(Computer, CopyPaysThePenaltyWhenTheThrowEnds) {
    start_game(4, 4);
    put_out(0, 0, 10);
    put_out(0, 1, 20);
    Position pos = read_position();
    Position doubled = pos;
    doubled.left = DiceLeft{{3, 3}, 6, NO_TOKEN};
    doubled.tokens[0][0].state |= TS_MAY_MOVE;
    doubled.tokens[0][1].state |= TS_MAY_MOVE;
    MoveUse uses[MAX_USES];
    EXPECT_EQ(position_uses(doubled, uses), 4u) << "each token: a double's 3 once, and the 6";
    pos.left = DiceLeft{{3, 4}, 7, 0};
    pos.capture_possible = true;
    pos.culprit = 1;
    play_use(pos, MoveUse{0, 3});
    EXPECT_EQ(pos.tokens[0][1].state & TS_IN_JAIL, 0);
    play_use(pos, MoveUse{0, 4});
    EXPECT_NE(pos.tokens[0][1].state & TS_IN_JAIL, 0);
    EXPECT_EQ(pos.tokens_in_jail[0], 3);
    MoveUse use;
    EXPECT_FALSE(choose_use(pos, &use)) << "the throw is spent: nothing to choose";
    delete_record_files();
}
