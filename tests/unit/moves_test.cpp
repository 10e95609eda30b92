// Drops, captures, releases and the penalty, through the person's mouse.
#include "game/board.h"
#include "game/rules.h"
#include "game/state.h"
#include "test_support.h"
#include "tools/sim/fake_window.h"
#include "tools/sim/sim_driver.h"

#include <gtest/gtest.h>

static bool drop_on_step(uint8_t token, uint8_t step) {
    int32_t x, y;
    if (!square_centre(step_to_square(step, current_player), &x, &y)) return false;
    return person_drop(token, x, y);
}

TEST(Drops, DiceSplitBetweenTwoTokens) {
    fresh_program();
    start_game(2, 2);
    put_on_step(0, 0, 10);
    put_on_step(0, 1, 20);
    throw_with(3, 4);
    ASSERT_TRUE(drop_on_step(0, 13));
    EXPECT_EQ(tokens[0][0].step, 13);
    EXPECT_EQ(moves_left, 4);
    fake_clear_events();
    ASSERT_TRUE(drop_on_step(1, 23)); // 3 is used up
    EXPECT_TRUE(fake_sound_played("No.wav"));
    EXPECT_EQ(tokens[0][1].step, 20);
    ASSERT_TRUE(drop_on_step(1, 24));
    EXPECT_EQ(current_player, 2);
}

TEST(Drops, RefusedDropChangesNothing) {
    fresh_program();
    start_game(2, 2);
    put_on_step(0, 0, 10);
    put_on_step(0, 1, 30);
    throw_with(3, 4);
    const TokenRecord before = tokens[0][0];
    ASSERT_TRUE(person_drop(0, 100, 400)); // red's jail
    EXPECT_EQ(tokens[0][0].x, before.x);
    EXPECT_EQ(tokens[0][0].y, before.y);
    EXPECT_EQ(moves_left, 7);
    EXPECT_EQ(fake_pointer, POINTER_PLAYER);
}

TEST(Drops, PointerShapeFollowsTheDropRule) {
    fresh_program();
    start_game(2, 2);
    put_on_step(0, 0, 10);
    put_on_step(0, 1, 30);
    throw_with(3, 4);
    int32_t px, py, x, y;
    ASSERT_TRUE(token_pick_point(0, &px, &py));
    sim_press(px, py);
    EXPECT_EQ(fake_pointer, POINTER_CARRY);
    ASSERT_TRUE(square_centre(step_to_square(12, 0), &x, &y));
    sim_move(x, y);
    EXPECT_EQ(fake_pointer, POINTER_NO_DROP);
    ASSERT_TRUE(square_centre(step_to_square(17, 0), &x, &y));
    sim_move(x, y);
    EXPECT_EQ(fake_pointer, POINTER_CARRY);
    sim_release(x, y);
    EXPECT_EQ(tokens[0][0].step, 17);
}

TEST(Captures, LandingOnAnOpponentJailsItAndFreezesTheCapturer) {
    fresh_program();
    start_game(2, 2);
    put_on_step(0, 0, 10);
    put_on_step(0, 1, 30);
    put_on_step(2, 0, 53); // yellow on square 24 = red's step 19
    ASSERT_EQ(step_to_square(53, 2), step_to_square(19, 0));
    throw_with(4, 5);
    ASSERT_TRUE(drop_on_step(0, 19));
    EXPECT_TRUE(fake_sound_played("Jail.wav"));
    EXPECT_EQ(tokens[2][0].state, TS_IN_JAIL);
    EXPECT_EQ(tokens_in_jail[2], 2);
    EXPECT_FALSE(tokens[0][0].state & TS_MAY_MOVE);
    EXPECT_TRUE(game_flags & GF_CAPTURED);
}

TEST(Captures, SafeSquaresAreShared) {
    fresh_program();
    start_game(2, 2);
    put_on_step(0, 0, 3);
    put_on_step(0, 1, 30);
    put_on_step(2, 0, 41); // yellow on square 12, a safe square
    ASSERT_EQ(step_to_square(41, 2), 12);
    throw_with(4, 5);
    ASSERT_TRUE(drop_on_step(0, 7));
    EXPECT_EQ(tokens[2][0].step, 41);
    EXPECT_FALSE(fake_sound_played("Jail.wav"));
}

TEST(Release, ADoubleBringsTwoOutAndUsesBothDice) {
    fresh_program();
    start_game(2, 4);
    throw_with(3, 3);
    EXPECT_TRUE(fake_sound_played("Libre.wav"));
    EXPECT_EQ(tokens_in_jail[0], 2);
    EXPECT_EQ(tokens[0][0].step, 0);
    EXPECT_EQ(tokens[0][0].state & TS_ON_TRACK, TS_ON_TRACK);
    EXPECT_EQ(moves_left, 0);
    EXPECT_TRUE(game_flags & GF_MAY_THROW);
    EXPECT_EQ(doubles_in_row, 0);
}

TEST(Release, DoubleSixesBringFourOut) {
    fresh_program();
    start_game(2, 4);
    throw_with(6, 6);
    EXPECT_EQ(tokens_in_jail[0], 0);
}

TEST(Release, TheOnlyTokenLeavesAndMovesAtOnce) {
    for (uint8_t yellow_step : {34, 38}) { // on red's exit square 5, then on square 9
        fresh_program();
        start_game(2, 1);
        put_on_step(2, 0, yellow_step);
        throw_with(4, 4);
        EXPECT_EQ(tokens[0][0].step, 4);
        EXPECT_EQ(tokens[2][0].state, TS_IN_JAIL) << "yellow at step " << +yellow_step;
        EXPECT_TRUE(game_flags & GF_MAY_THROW);
        EXPECT_EQ(moves_left, 0);
    }
}

TEST(Limits, ASingleTokenInPlayMovesTheSum) {
    fresh_program();
    start_game(2, 2);
    put_on_step(0, 0, 10);
    throw_with(2, 5);
    EXPECT_EQ(moves_left, 7);
    ASSERT_TRUE(drop_on_step(0, 12));
    EXPECT_TRUE(fake_sound_played("No.wav"));
    ASSERT_TRUE(drop_on_step(0, 17));
    EXPECT_EQ(tokens[0][0].step, 17);
}

TEST(Limits, NearHomeOnlyWhatFitsIsPlayed) {
    fresh_program();
    start_game(2, 2);
    put_on_step(0, 0, 67); // the other token in jail
    throw_with(3, 5);
    EXPECT_EQ(moves_left, 3);
    ASSERT_TRUE(drop_on_step(0, 70));
    EXPECT_EQ(tokens[0][0].step, 70);

    fresh_program();
    start_game(2, 2);
    put_on_step(0, 0, 67);
    throw_with(5, 6);
    EXPECT_TRUE(fake_sound_played("Ajiji.wav"));
    EXPECT_EQ(current_player, 2);
}

TEST(Penalty, AMissedCaptureCostsTheToken) {
    fresh_program();
    start_game(2, 2);
    put_on_step(0, 0, 10);
    put_on_step(0, 1, 30);
    put_on_step(2, 0, 47); // yellow on red's step 13 (square 18), not safe
    ASSERT_EQ(step_to_square(47, 2), step_to_square(13, 0));
    throw_with(3, 5);
    EXPECT_TRUE(game_flags & GF_CAPTURE_POSSIBLE);
    EXPECT_EQ(culprit_token, 0);
    ASSERT_TRUE(drop_on_step(1, 35));
    EXPECT_TRUE(fake_messages.empty());
    ASSERT_TRUE(drop_on_step(1, 38));
    ASSERT_EQ(fake_messages.size(), 1u);
    EXPECT_EQ(fake_messages[0].caption, "Castigo!!!");
    EXPECT_EQ(fake_messages[0].text, "Pod\xED" "a comer y no lo hizo, ahora recibir\xE1" " su castigo!");
    EXPECT_EQ(tokens[0][0].state, TS_IN_JAIL);
    EXPECT_FALSE(game_flags & GF_MODAL);
}

TEST(Penalty, SoplarMakesTheCulpritJumpInsideItsSquare) {
    unsigned repaints[2] = {0, 0};
    for (bool soplar : {false, true}) {
        fresh_program();
        if (soplar) game_flags |= GF_SOPLAR;
        start_game(2, 2);
        put_on_step(0, 0, 10);
        put_on_step(0, 1, 30);
        put_on_step(2, 0, 47);
        const TokenRecord before = tokens[0][0];
        const unsigned at_start = fake_invalidations;
        throw_with(3, 5);
        ASSERT_TRUE(game_flags & GF_CAPTURE_POSSIBLE);
        repaints[soplar] = fake_invalidations - at_start;
        Cell c;
        ASSERT_TRUE(square_cell(step_to_square(10, 0), &c));
        ASSERT_EQ(c.width, 96); // square 15: the spot runs along x
        EXPECT_EQ(tokens[0][0].y, c.top);
        EXPECT_GE(tokens[0][0].x, c.left);
        EXPECT_LT(tokens[0][0].x, c.left + 72);
        if (!soplar) {
            EXPECT_EQ(tokens[0][0].x, before.x);
        }
    }
    // The jump repaints the token's old and new places; nothing else differs.
    EXPECT_EQ(repaints[1], repaints[0] + 2);
}
