// New games, throws and turns.
#include "game/board.h"
#include "game/rules.h"
#include "game/state.h"
#include "records/records.h"
#include "test_support.h"
#include "tools/sim/fake_window.h"

#include <gtest/gtest.h>

TEST(NewGame, EveryTokenInItsJailAndRedToThrow) {
    fresh_program();
    start_game(4, 4);
    EXPECT_EQ(game_flags & (GF_GAME_ON | GF_APP_ACTIVE | GF_MAY_THROW), GF_GAME_ON | GF_APP_ACTIVE | GF_MAY_THROW);
    EXPECT_EQ(current_player, 0);
    for (uint8_t seat = 0; seat < 4; ++seat) {
        EXPECT_EQ(tokens_in_jail[seat], 4);
        EXPECT_EQ(tokens_left[seat], 4);
        const Rect& jail = board_areas[jail_area_of[seat]];
        for (const TokenRecord& t : tokens[seat]) {
            EXPECT_EQ(t.state, TS_IN_JAIL);
            EXPECT_EQ(t.step, 0);
            EXPECT_TRUE(t.x >= jail.left && t.x + 20 <= jail.right && t.y >= jail.top && t.y + 20 <= jail.bottom);
        }
    }
}

TEST(NewGame, TwoPlayersLeaveBlueAndGreenUntouched) {
    fresh_program();
    start_game(2, 3);
    for (uint8_t seat : {1, 3}) {
        EXPECT_EQ(tokens_left[seat], 0);
        for (const TokenRecord& t : tokens[seat]) EXPECT_EQ(t.state, 0);
    }
    pass_turn();
    EXPECT_EQ(current_player, 2);
    pass_turn();
    EXPECT_EQ(current_player, 0);
}

TEST(NewGame, NumberingSoplarAndComputerSeats) {
    fresh_program();
    game_flags |= GF_SOPLAR;
    cpu_player[1] = 1;
    start_game(4, 2);
    EXPECT_EQ(game_number, 1);
    EXPECT_TRUE(game_flags & GF_SOPLAR);
    EXPECT_EQ(cpu_player[1], 0); // the computer plays only one-token games
    start_game(4, 2);            // over a running game: same number
    EXPECT_EQ(game_number, 1);
    game_flags &= ~GF_GAME_ON;
    start_game(4, 1);
    EXPECT_EQ(game_number, 2);
    EXPECT_STREQ(record_file_name, "Juego2.dat");
    EXPECT_TRUE(game_flags & GF_FIRST_HOME_DONE);
}

TEST(NewGame, NumberingStopsAtTheLastGameNumber) {
    fresh_program();
    game_number = LAST_GAME_NUMBER;
    start_game(2, 1);
    EXPECT_EQ(game_number, LAST_GAME_NUMBER);
    EXPECT_STREQ(record_file_name, "Juego255.dat");
}

TEST(Throws, ThreeThrowsToLeaveJailThenTheTurnIsLost) {
    fresh_program();
    start_game(2, 2);
    throw_with(1, 3);
    EXPECT_EQ(throws_left, 2);
    EXPECT_TRUE(game_flags & GF_MAY_THROW);
    throw_with(2, 5);
    EXPECT_EQ(throws_left, 1);
    EXPECT_EQ(current_player, 0);
    throw_with(4, 6);
    EXPECT_TRUE(fake_sound_played("Ajiji.wav"));
    EXPECT_EQ(current_player, 2);
    EXPECT_TRUE(fake_sound_played("Turn.wav"));
}

TEST(Throws, OneAndTwoBarks) {
    fresh_program();
    start_game(2, 2);
    throw_with(2, 1);
    EXPECT_TRUE(fake_sound_played("Perro.wav"));
    EXPECT_TRUE(fake_sound_played("Dados.wav"));
    EXPECT_EQ(fake_sounds[0].flags, SOUND_NO_CUT); // the dice never cut a sound
}

TEST(Throws, DoublesWithNothingInJailCountTowardsThree) {
    fresh_program();
    start_game(2, 1);
    put_on_step(0, 0, 10);
    tokens_in_jail[0] = 0;
    tokens[0][0].state = TS_ON_TRACK;
    throw_with(3, 3);
    EXPECT_TRUE(fake_sound_played("Aleluya.wav"));
    EXPECT_EQ(doubles_in_row, 1);
    EXPECT_EQ(throws_left, 1);
    EXPECT_TRUE(game_flags & GF_DOUBLES);
    EXPECT_FALSE(game_flags & GF_DOUBLE_ONE_OR_SIX);
}

TEST(Throws, TheLastTokenInTheStretchThrowsOneDie) {
    fresh_program();
    start_game(2, 1);
    put_on_step(0, 0, 66);
    tokens_in_jail[0] = 0;
    throw_with(6, 0);
    EXPECT_EQ(dice_count, 1);
    EXPECT_TRUE(fake_sound_played("Ajiji.wav")); // 6 > 71 - 66
    EXPECT_EQ(current_player, 2);
}

TEST(Dice, SmallerDieIgnoresAUsedDie) {
    dice[0].value = 0;
    dice[1].value = 4;
    EXPECT_EQ(smaller_die(), 4);
    dice[0].value = 5;
    dice[1].value = 0;
    EXPECT_EQ(smaller_die(), 5);
    dice[1].value = 2;
    EXPECT_EQ(smaller_die(), 2);
    dice[0].value = dice[1].value = 0;
    EXPECT_EQ(smaller_die(), 0);
}
