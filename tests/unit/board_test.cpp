// Board geometry: routes, square numbers, pixel points, placement and the
// centring of the layout on larger screens.
#include "game/board.h"
#include "game/state.h"
#include "test_support.h"

#include <gtest/gtest.h>

TEST(Route, RedAndBlueStepsMapToTheirSquares) {
    fresh_program();
    EXPECT_EQ(step_to_square(0, 0), 5);
    EXPECT_EQ(step_to_square(63, 0), 68);
    EXPECT_EQ(step_to_square(64, 0), 69);
    EXPECT_EQ(step_to_square(70, 0), 75);
    EXPECT_EQ(step_to_square(71, 0), HOME_SQUARE);
    EXPECT_EQ(step_to_square(100, 0), NO_SQUARE);
    EXPECT_EQ(step_to_square(46, 1), 68);
    EXPECT_EQ(step_to_square(47, 1), 1);
    EXPECT_EQ(step_to_square(63, 1), 17);
    EXPECT_EQ(step_to_square(64, 1), 86);
    EXPECT_EQ(step_to_square(63, 2), 34);
    EXPECT_EQ(step_to_square(63, 3), 51);
}

TEST(Route, SquaresReadAsStepsOfTheCurrentPlayer) {
    fresh_program();
    current_player = 0;
    EXPECT_EQ(square_to_step(3), NO_SQUARE); // just behind red's exit
    EXPECT_EQ(square_to_step(17), 12);
    EXPECT_EQ(square_to_step(76), STEP_HOME); // the left arm's inner edge
    current_player = 1;
    EXPECT_EQ(square_to_step(17), 63);
    EXPECT_EQ(square_to_step(21), NO_SQUARE);
    EXPECT_EQ(square_to_step(22), 0);
    EXPECT_EQ(square_to_step(69), NO_SQUARE); // red's stretch
    EXPECT_EQ(square_to_step(76), NO_SQUARE);
}

TEST(Route, EveryStepOfEverySeatRoundTrips) {
    fresh_program();
    for (uint8_t seat = 0; seat < 4; ++seat) {
        current_player = seat;
        for (uint8_t step = 0; step <= STEP_HOME; ++step)
            ASSERT_EQ(square_to_step(step_to_square(step, seat)), step) << "seat " << +seat << " step " << +step;
    }
}

TEST(Points, JailsCentreAndEdges) {
    fresh_program();
    EXPECT_EQ(point_to_square(100, 400), NO_SQUARE); // red's jail
    EXPECT_EQ(point_to_square(320, 240), HOME_SQUARE);
    EXPECT_EQ(point_to_square(546, 240), NO_SQUARE); // just right of the board
    EXPECT_EQ(point_to_square(300, 465 - 10), 17);   // bottom arm, near its end
    EXPECT_EQ(point_to_square(286, 240), 76);        // left arm's inner edge
    EXPECT_EQ(point_to_square(286, 300), 13);        // A6's right edge
    EXPECT_EQ(point_to_square(190, 150), 63);        // A1's right edge
}

TEST(Points, TheCentreOfEveryCellIsItsSquare) {
    fresh_program();
    for (int n = 1; n <= 126; ++n) {
        Cell c;
        if (!square_cell(static_cast<uint8_t>(n), &c)) continue;
        const int expected = n == 85 ? 17 : n == 102 ? 34 : n == 119 ? 51 : n;
        EXPECT_EQ(point_to_square(c.left + c.width / 2, c.top + c.height / 2), expected) << "square " << n;
    }
}

TEST(Placement, HomeColumnAndCellBounds) {
    fresh_program();
    start_game(4, 4);
    place_token(HOME_SQUARE, 2, 2);
    EXPECT_EQ(tokens[2][2].x, 552);
    EXPECT_EQ(tokens[2][2].y, 64);
    // The random spot runs along the cell's long side: up to 71 pixels into
    // a 96-pixel cell and up to 50 into a 68-pixel arm cell.
    for (int i = 0; i < 200; ++i) {
        for (uint8_t square : {1, 17, 20, 34, 51, 70, 88}) {
            place_token(square, 0, 0);
            Cell c;
            ASSERT_TRUE(square_cell(square, &c));
            const TokenRecord& t = tokens[0][0];
            const int along = c.width > c.height ? t.x - c.left : t.y - c.top;
            const int across = c.width > c.height ? t.y - c.top : t.x - c.left;
            ASSERT_EQ(across, 0);
            ASSERT_GE(along, 0);
            ASSERT_LT(along, (c.width > c.height ? c.width : c.height) == 96 ? 72 : 51);
        }
    }
}

TEST(Placement, DroppedTokenIsClampedIntoItsCell) {
    fresh_program();
    Cell c;
    ASSERT_TRUE(square_cell(1, &c));
    pointer_x = c.left;
    pointer_y = c.top;
    clamp_to_square(1);
    EXPECT_EQ(pointer_x, c.left);
    EXPECT_EQ(pointer_y, c.top);
    pointer_x = c.left + 15;
    pointer_y = c.top + c.height - 1;
    clamp_to_square(1);
    EXPECT_EQ(pointer_x, c.left); // a 16-pixel cell: always its left edge
    EXPECT_EQ(pointer_y + 20, c.top + c.height);
}

TEST(Centring, OffsetsFollowTheScreen) {
    fresh_program(640, 480);
    EXPECT_EQ(board_rect.left, 94);
    EXPECT_EQ(board_rect.top, 14);
    fresh_program(800, 600);
    EXPECT_EQ(board_dx, 80);
    EXPECT_EQ(board_dy, 60);
    fresh_program(1024, 768);
    EXPECT_EQ(board_rect.left, 94 + 192);
    EXPECT_EQ(board_rect.top, 14 + 144);
    EXPECT_EQ(buttons[2].left, 605 + 192); // the buttons move with the board
    EXPECT_EQ(turn_name_rect.right, 1024);
    start_game(2, 1);
    place_token(HOME_SQUARE, 2, 2);
    EXPECT_EQ(tokens[2][2].x, 552 + 192);
    EXPECT_EQ(tokens[2][2].y, 64 + 144);
    EXPECT_EQ(point_to_square(320 + 192, 240 + 144), HOME_SQUARE);
}

TEST(Seating, CountsOutsideTwoToFourChangeNothing) {
    fresh_program();
    player_count = 3;
    seat_players();
    player_count = 5;
    seat_players();
    EXPECT_EQ(last_player, 2);
    EXPECT_EQ(player_step, 1);
    player_count = 2;
    seat_players();
    EXPECT_EQ(last_player, 2);
    EXPECT_EQ(player_step, 2);
    EXPECT_FALSE(is_seated(1));
    EXPECT_TRUE(is_seated(2));
}
