// The computer player's pacing and the conditions that hold it still.
#include "game/cpu.h"
#include "game/rules.h"
#include "game/state.h"
#include "test_support.h"
#include "tools/sim/fake_window.h"

#include <gtest/gtest.h>

static void computer_to_throw() {
    fresh_program();
    cpu_player[2] = 1;
    start_game(2, 1);
    pass_turn(); // to yellow, the computer
    fake_clock += 1001;
}

TEST(Computer, StaysStillWhileAButtonIsHeldADieDraggedOrTheAppInactive) {
    for (uint32_t holding : {GF_BUTTON_HELD, GF_DIE_DRAG}) {
        computer_to_throw();
        game_flags |= holding;
        cpu_tick();
        EXPECT_EQ(throws_this_turn, 0);
        game_flags &= ~holding;
        cpu_tick();
        EXPECT_EQ(throws_this_turn, 1) << "resumes after the release";
    }
    computer_to_throw();
    game_flags &= ~GF_APP_ACTIVE;
    cpu_tick();
    EXPECT_EQ(throws_this_turn, 0);
    game_flags |= GF_APP_ACTIVE;
    cpu_tick();
    EXPECT_EQ(throws_this_turn, 1);
}

TEST(Computer, WaitsMoreThanASecondAndIgnoresModalState) {
    computer_to_throw();
    fake_clock -= 1;
    cpu_tick();
    EXPECT_EQ(throws_this_turn, 0);
    fake_clock += 1;
    game_flags |= GF_MODAL; // a dialog open over the computer's turn
    cpu_tick();
    EXPECT_EQ(throws_this_turn, 1);
}

TEST(Computer, NeverPlaysAPersonsSeat) {
    fresh_program();
    cpu_player[2] = 1;
    start_game(2, 1);
    fake_clock += 5000;
    cpu_tick();
    EXPECT_EQ(throws_this_turn, 0);
    EXPECT_EQ(current_player, 0);
}
