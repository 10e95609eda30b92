// The computer's strength, on a fixed seed: a chooser that has stopped
// choosing wins about an equal player's share against a random person.
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
