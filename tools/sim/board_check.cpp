// "expect board": the board's tables checked against each other on the
// screen in force, so that a cell, a safe square or a jail one off is seen
// by the scenarios wherever a token lands.
#include "tools/sim/board_check.h"
#include "tools/sim/invariants.h"

#include "game/board.h"
#include "game/rules.h"
#include "game/state.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <stdexcept>

namespace {

void expect_number(const std::string& what, long expected, long actual) {
    if (expected != actual)
        throw std::runtime_error(what + ": expected " + std::to_string(expected) + ", got " + std::to_string(actual));
}

void expect_yes(const std::string& what, bool expected, bool actual) {
    if (expected != actual)
        throw std::runtime_error(what + ": expected " + (expected ? "yes" : "no") + ", got " + (actual ? "yes" : "no"));
}

// What the board's tables must agree on, whatever the screen: every step of
// every seat reads back from its square, and no other square reads as one;
// the pixels just inside each cell's corners and its centre read as that
// cell's square; every token's picture stands where the rules put it
// (inside its jail, beside the board on its own side when home, its corner
// on its square when out).
void check_board() {
    for (uint8_t seat = 0; seat < SEATS; ++seat) {
        for (uint8_t step = 0; step <= STEP_HOME; ++step)
            expect_number("seat " + std::to_string(seat) + " step " + std::to_string(step) + " read back", step,
                          square_to_step(step_to_square(step, seat), seat));
        // A square of the board off the seat's route reads as no step: another seat's stretch takes no drop.
        for (int n = 1; n < NO_SQUARE; ++n) {
            const uint8_t step = square_to_step(static_cast<uint8_t>(n), seat);
            Cell c;
            if (step != NO_SQUARE && square_cell(static_cast<uint8_t>(n), &c))
                expect_number("seat " + std::to_string(seat) + " square " + std::to_string(n) + " as a step", n,
                              step_to_square(step, seat));
        }
    }
    for (int n = 1; n < NO_SQUARE; ++n) {
        Cell c;
        if (!square_cell(static_cast<uint8_t>(n), &c)) continue;
        const int square = n == 85 ? 17 : n == 102 ? 34 : n == 119 ? 51 : n;
        const int32_t xs[3] = {c.left + 1, c.left + c.width - 1, c.left + c.width / 2};
        const int32_t ys[3] = {c.top + 1, c.top + c.height - 1, c.top + c.height / 2};
        for (int i = 0; i < 3; ++i)
            expect_number("point " + std::to_string(xs[i]) + "," + std::to_string(ys[i]) + " of cell " +
                              std::to_string(n),
                          square, point_to_square(xs[i], ys[i]));
    }
    // A token's random spot runs along its cell's long side: over 72 pixels
    // of the 96 of a square beside a quadrant, 51 of the 68 of one on an arm.
    for (int n = 1; n < NO_SQUARE; ++n) {
        Cell c;
        if (!square_cell(static_cast<uint8_t>(n), &c)) continue;
        int32_t far = 0;
        for (int r = 0; r < 100; ++r) {
            int32_t x, y;
            token_spot(static_cast<uint8_t>(n), 0, 0, r, &x, &y);
            far = std::max(far, x - c.left + y - c.top);
        }
        expect_number("spots along cell " + std::to_string(n), std::max(c.width, c.height) == 96 ? 71 : 50, far);
    }
    // The cells of each area and arm tile it exactly, as its picture does.
    const Rect* arms[4] = {&top_arm, &left_arm, &right_arm, &bottom_arm};
    for (int i = 0; i < BOARD_AREAS + 4; ++i) {
        const Rect& r = i < BOARD_AREAS ? board_areas[i] : *arms[i - BOARD_AREAS];
        int32_t left = INT32_MAX, top = INT32_MAX, right = INT32_MIN, bottom = INT32_MIN, covered = 0;
        for (int n = 1; n < NO_SQUARE; ++n) {
            Cell c;
            if (n == 17 || n == 34 || n == 51 || !square_cell(static_cast<uint8_t>(n), &c) ||
                !(r.left < c.left + c.width / 2 && c.left + c.width / 2 < r.right && r.top < c.top + c.height / 2 &&
                  c.top + c.height / 2 < r.bottom))
                continue;
            left = std::min(left, c.left), top = std::min(top, c.top);
            right = std::max(right, c.left + c.width), bottom = std::max(bottom, c.top + c.height);
            covered += c.width * c.height;
        }
        if (covered == 0) continue; // a jail
        const std::string area = "cells of area " + std::to_string(i);
        expect_number(area + " left", r.left, left), expect_number(area + " top", r.top, top);
        expect_number(area + " right", r.right, right), expect_number(area + " bottom", r.bottom, bottom);
        expect_number(area + " covered", (r.right - r.left) * (r.bottom - r.top), covered);
    }
    // Each window button is the size of its picture: 47 x 46 beside the
    // board, 24 x 23 for the three small ones.
    for (const ButtonRecord& b : buttons) {
        const int32_t w = b.right - b.left, h = b.bottom - b.top;
        expect_yes("button at " + std::to_string(b.left) + " sized as its picture", true,
                   (w == 47 && h == 46) || (w == 24 && h == 23));
    }
    // The board stands in the middle of the screen, to a pixel.
    expect_yes("board centred", true,
               std::abs(board_rect.left + board_rect.right + 1 - screen_w) <= 1 &&
                   std::abs(board_rect.top + board_rect.bottom + 1 - screen_h) <= 1);
    // Once a screen is known, the dice come to rest each in its own half of
    // it, 60 pixels apart about its middle.
    if (die_max_x[1] != 0) {
        expect_number("dice ranges about the middle", screen_w, die_max_x[0] + die_min_x[1]);
        expect_number("gap between the dice's ranges", 60, die_min_x[1] - die_max_x[0]);
    }
    // Each seat's exit square and the squares 7 and 12 on from it are safe,
    // no others; its jail is a corner without squares in its exit's quadrant.
    unsigned safe = 0;
    for (int n = 1; n <= 68; ++n) safe += is_safe_square(static_cast<uint8_t>(n));
    expect_number("safe squares", 12, safe);
    for (uint8_t seat = 0; seat < SEATS; ++seat) {
        const int e = exit_square[seat];
        for (int k : {0, 7, 12})
            expect_yes("square " + std::to_string((e + k - 1) % 68 + 1) + " safe", true,
                       is_safe_square(static_cast<uint8_t>((e + k - 1) % 68 + 1)));
        const Rect& jail = board_areas[jail_area_of[seat]];
        Cell c;
        square_cell(static_cast<uint8_t>(e), &c);
        bool same_quadrant = false;
        for (const Rect& q : quadrants)
            same_quadrant = same_quadrant ||
                            (point_in_rect(q, jail.left + 1, jail.top + 1) && point_in_rect(q, c.left + 1, c.top + 1));
        const bool corner = jail.right - jail.left == 96 && jail.bottom - jail.top == 96 &&
                            (jail.left == board_rect.left || jail.right == board_rect.right + 1) &&
                            (jail.top == board_rect.top || jail.bottom == board_rect.bottom + 1);
        expect_yes("jail of seat " + std::to_string(seat) + " a corner beside its exit, without squares", true,
                   corner && same_quadrant && point_to_square(jail.left + 48, jail.top + 48) == NO_SQUARE);
    }
    for (uint8_t seat = 0; seat < SEATS; ++seat)
        for (uint8_t t = 0; is_seated(seat) && t < tokens_per_player; ++t)
            expect_yes("picture of token " + std::to_string(seat) + " " + std::to_string(t) + " in place", true,
                       token_in_place(seat, t));
}

} // namespace

std::string board_disagreement() {
    try {
        check_board();
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return {};
}
