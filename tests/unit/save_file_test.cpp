// Saved games: every state of played games saves and loads back into the
// same game, and damaged or hostile files are refused with nothing changed.
#include "saves/crc32.h"
#include "saves/save_file.h"
#include "saves/saved_game.h"
#include "records/records.h"
#include "test_support.h"
#include "tools/sim/invariants.h"
#include "tools/sim/self_play.h"

#include <gtest/gtest.h>

#include <regex>
#include <vector>

// The game as the rules go on from it, and what a refused load must leave.
static std::string view() {
    return save_game_text(fake_clock) + char(player_step) + char(last_player) + char(game_number) +
           char(highest_game_number) + record_file_name + "|" + file_bytes(record_file_name) + "|" +
           std::to_string(fake_invalidations) + " " + std::to_string(fake_pointer);
}

// A saved text without the clock's passing and the dice's places, which a
// load on another screen may change.
static std::string placeless(const std::string& text) {
    return std::regex_replace(text, std::regex("time [0-9]+|crc32.*|(die [01]) -?[0-9]+ -?[0-9]+"), "$1");
}

// The game's states from here to its end.
static std::vector<std::string> play_on(uint32_t chooser, unsigned seed) {
    std::srand(seed);
    std::vector<std::string> trace;
    for (unsigned a = 0; (game_flags & GF_GAME_ON) && a < 20000 && play_action(chooser, true); ++a) {
        const std::string t = placeless(save_game_text(fake_clock));
        if (trace.empty() || trace.back() != t) trace.push_back(t);
    }
    return trace;
}

static bool overlap(const DieRecord& d, const Rect& r) {
    return d.x <= r.right && r.left < d.x + DIE_SIZE && d.y <= r.bottom && r.top < d.y + DIE_SIZE;
}

// Every shown die wholly on the screen, in its half, and clear of the
// board, the window buttons and the current name.
static void expect_dice_in_view() {
    for (uint8_t i = 0; i < dice_count; ++i) {
        const DieRecord& d = dice[i];
        EXPECT_TRUE(d.x >= die_min_x[i] && d.x < die_max_x[i] && d.x + DIE_SIZE <= screen_w && d.y >= 0 &&
                    d.y + DIE_SIZE <= screen_h)
            << int(i) << ": " << d.x << " " << d.y;
        EXPECT_FALSE(overlap(d, board_rect) ||
                     overlap(d, {turn_name_rect.left, turn_name_rect.top, screen_w, turn_name_rect.bottom}));
        for (const ButtonRecord& b : buttons) EXPECT_FALSE(overlap(d, {b.left, b.top, b.right, b.bottom})) << b.left;
        for (uint8_t seat = 0; seat < SEATS; ++seat)
            for (uint8_t token = 0; token < TOKEN_SLOTS; ++token) {
                int32_t x, y;
                token_spot(HOME_SQUARE, seat, token, 0, &x, &y);
                EXPECT_FALSE(overlap(d, {x, y, x + 19, y + 19})) << "a finished token of seat " << int(seat);
            }
    }
}

TEST(SaveFile, EveryStateOfPlayedGamesLoadsBackAndPlaysOnAlike) {
    const uint8_t seatings[][3] = {{2, 1, 2}, {2, 2, 0}, {4, 1, 3}, {4, 4, 0}};
    for (const auto& s : seatings) {
        for (unsigned game = 0; game < 2; ++game) {
            auto set_up = [&] {
                start_game(s[0], s[1], s[2], game % 2);
                std::srand(1000 + game);
                return 77u + game;
            };
            uint32_t chooser = set_up();
            std::vector<std::string> texts;
            for (unsigned a = 0; (game_flags & GF_GAME_ON) && a < 20000; ++a) {
                texts.push_back(save_game_text(fake_clock));
                ASSERT_TRUE(check_game_text(texts.back())) << texts.back();
                if (!play_action(chooser, true)) break;
            }
            // Some in full: reached again, played on; loaded on another
            // screen over another game, played on with the same choices.
            for (size_t k = game; k < texts.size(); k += texts.size() / 3 + 1) {
                chooser = set_up();
                for (size_t a = 0; a < k; ++a) play_action(chooser, true);
                const std::vector<std::string> original = play_on(chooser, 5 + k);
                const std::string record = file_bytes(record_file_name).substr(0, 30);
                delete_record_files();
                start_game(3, 1, 0, false, 800, 600);
                fake_clock = 99999;
                ASSERT_TRUE(load_game_text(texts[k], fake_clock));
                EXPECT_EQ(placeless(save_game_text(fake_clock)), placeless(texts[k]));
                expect_dice_in_view();
                EXPECT_TRUE(check_invariants().empty()) << texts[k];
                EXPECT_EQ(play_on(chooser, 5 + k), original) << texts[k];
                EXPECT_EQ(file_bytes(record_file_name).substr(0, 30), record);
                delete_record_files();
            }
        }
    }
}

TEST(SaveFile, ChecksumIsTheCommonCrc32) { EXPECT_EQ(crc32_of("123456789", 9), 0xCBF43926u); }

// A four-player game of four tokens, played until a token is home and the
// current player has dice to play: every kind of value is in its text.
static std::string rich_game_text() {
    start_game(4, 4);
    uint32_t chooser = 99;
    for (unsigned a = 0; a < 20000; ++a) {
        bool any_home = false;
        for (unsigned seat = 0; seat < SEATS; ++seat) any_home = any_home || tokens_left[seat] < 4;
        if (any_home && !(game_flags & GF_MAY_THROW) && tokens_in_jail[current_player] < 4) break;
        play_action(chooser, true);
    }
    return save_game_text(fake_clock);
}

// The running game every refusal must leave as it was.
static std::string running_game() {
    start_game(3, 2);
    throw_with(2, 2);
    throw_with(3, 5);
    return view();
}

// Cut short, bytes changed or doubled (refused by the checksum or the
// frame), then single values edited behind a good checksum.
TEST(SaveFile, DamagedAndHostileFilesAreRefusedAndNothingChanges) {
    const std::string text = rich_game_text();
    ASSERT_NE(text.find("first_home "), std::string::npos) << text;
    std::remove(record_file_name); // lost while the game ran: the game still knows the name
    EXPECT_EQ(save_game_text(fake_clock), text);
    ASSERT_TRUE(check_game_text(edited(text, "time [0-9]+", "time 4294967295"))); // the editing is harmless
    const std::string before = running_game();
    for (size_t n = 0; n < text.size(); ++n) {
        SavedGame g{};
        ASSERT_FALSE(read_saved_game(text.substr(0, n), &g) || load_game_text(text.substr(0, n), 1)) << n;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        std::string doubled = text;
        ASSERT_FALSE(load_game_text(doubled.insert(i, 1, text[i]), 1)) << "byte " << i << " doubled";
        for (unsigned char c : {0x01, 0x20, 0x80, 0xFF}) {
            std::string damaged = text;
            damaged[i] = static_cast<char>(damaged[i] ^ c);
            ASSERT_FALSE(load_game_text(damaged, 1)) << "byte " << i << " ^ " << int(c);
        }
    }
    EXPECT_FALSE(load_game_text(text + text, 1));
    EXPECT_FALSE(load_game_text(std::string(SAVE_TEXT_MAX + 1, '\n'), 1));
    // Refused by the reader itself: not the writer's form, or a value out
    // of its field's range.
    const char* const malformed[][2] = {
        {"Zenta Korvalo partida", "Zenta Korvalo Partida"},
        {"version 1", "version 2"},
        {"players 4", "players 5"},
        {"players 4", "players 1"},
        {"players 4", "players 2"},
        {"tokens 4", "tokens 0"},
        {"soplar o[nf]+", "soplar yes"},
        {"name 1 [^\n]*", "name 1 Diez bytes"},
        {"name 3 [^\n]*", "name 3 Tab\there"},
        {"name 2 ", "name 2_"},
        {"name 0 [^\n]*", "name 0 \x81na"},
        {"time [0-9]+", "time 4294967296"},
        {"time [0-9]+", "time 18446744073709551617"}, // 1 more than 64 bits hold
        {"time [0-9]+", "time 1:"},
        {"current [0-9]", "current 7"},
        {"flags", "flags GF_GAME_ON"},
        {"flags", "flags GF_CAN_MOVE GF_CAN_MOVE"},
        {"flags GF_CAN_MOVE", "flags GF_MAY_THROW GF_CAN_MOVE"}, // order
        {"die 0 (-?[0-9]+) (-?[0-9]+) [0-9]+", "die 0 $1 $2 13"},
        {"die 1 (-?[0-9]+) (-?[0-9]+) ([0-9]+) [0-9]+", "die 1 $1 $2 $3 7"},
        {"die 0 -?[0-9]+", "die 0 32768"},
        {"dice_count 2", "dice_count 3"},
        {"dice_count 2", "dice_count 2 2"},
        {"moves_left", "moves_lef"},
        {"cpu 0 0 0 0", "cpu 0 0 0"},
        {"throws_left [0-9]", "throws_left 3"},
        {"doubles_in_row [0-9]", "doubles_in_row 3"},
        {"rest_token [0-9]", "rest_token 4"},
        {"tokens_in_jail [0-9]", "tokens_in_jail 5"},
        {"token 1 0", "token 1 1"},
        {"token 3 3 [^\n]*\n", ""},
        {"name 1 [^\n]*\n", ""},
        {"(token 3 3 [^\n]*\n)", "$1token 3 3 2 0 400 400\n"},
        {"flags[^]*", ""},  // ends before its flags
        {"name 2[^]*", ""}, // or a name
        {"throws_left ([0-9])\n", "throws_left $1\nthrows_left $1\n"},
        {"culprit_token [0-9]", "culprit_token 03"},
        {"current ([0-9])", "current +$1"},
        {"current ([0-9])", "current $1 "},
        {"die 1 -?[0-9]+", "die 1 -0"},
        {"\n", "\r\n"},
    };
    // Read, and refused by the check: values no game leaves.
    const char* const unsound[][2] = {
        {"first_home [^\n]*", "first_home Nadie"},
        {"flags GF_CAN_MOVE", "flags GF_CAN_MOVE GF_MAY_THROW"}, // a throw with dice still to play
        {"flags GF_CAN_MOVE", "flags"},                          // to move, and nothing can
        {" GF_FIRST_HOME_DONE", ""},                             // a token home
        {"die 1 (-?[0-9]+) (-?[0-9]+) [0-9]+ [0-9]+", "die 1 $1 $2 0 0"},
        {"die 0 -?[0-9]+", "die 0 -61"},
        {"die 1 -?[0-9]+ -?[0-9]+", "die 1 10 -61"},
        {"moves_left [0-9]+", "moves_left 0"},
        {"tokens_left [0-9] [0-9] [0-9] [0-9]", "tokens_left 4 4 4 4"},
        {"tokens_in_jail [0-9] [0-9] [0-9] [0-9]", "tokens_in_jail 4 4 4 4"},
        {"token 0 0 [0-9]+ [0-9]+", "token 0 0 17 250"},
        {"token 1 1 [0-9]+ [0-9]+", "token 1 1 2 5"},  // in jail off step 0
        {"token 3 2 [0-9]+ [0-9]+", "token 3 2 8 99"}, // finished off step 100
        {"token 3 2 [0-9]+ [0-9]+", "token 3 2 33 5"}, // an unknown bit
        {"token 0 1 ([0-9]+) ([0-9]+) [0-9]+", "token 0 1 $1 $2 700"},
    };
    for (const auto& h : malformed) {
        SavedGame g{};
        EXPECT_FALSE(read_saved_game(edited(text, h[0], h[1]), &g)) << h[0] << " -> " << h[1];
        EXPECT_FALSE(load_game_text(edited(text, h[0], h[1]), 1)) << h[0] << " -> " << h[1];
    }
    for (const auto& h : unsound) EXPECT_FALSE(load_game_text(edited(text, h[0], h[1]), 1)) << h[0] << " -> " << h[1];
    EXPECT_EQ(view(), before);
    delete_record_files();
}

// Files whose every value is in range but that no game could have left:
// each would let the game play on against its rules or get stuck later.
TEST(SaveFile, StatesTheRulesCannotLeaveAreRefused) {
    start_game(2, 2); // everything in jail after a first throw that was no double
    throw_with(2, 5);
    const std::string jailed = save_game_text(fake_clock);
    start_game(2, 2); // red to play 2 and 5 with both tokens out
    throw_with(3, 3);
    throw_with(2, 5);
    const std::string to_move = save_game_text(fake_clock);
    start_game(2, 1); // red's single token to move 7
    throw_with(5, 5);
    throw_with(3, 4);
    const std::string single = save_game_text(fake_clock);
    start_game(2, 1); // red's single token in jail, to throw again
    throw_with(2, 5);
    const std::string single_jailed = save_game_text(fake_clock);
    start_game(2, 2); // red's token 1 could capture with the 2; token 0 has played it
    put_out(0, 0, 65);
    put_out(0, 1, 20);
    put_out(2, 0, 56);
    throw_with(4, 2);
    int32_t x, y;
    square_centre(step_to_square(67, 0), &x, &y);
    person_drop(0, x, y);
    const std::string spent = save_game_text(fake_clock);
    start_game(2, 4); // red's token 0 has moved 4 on from the chance the 2 gave it
    put_out(0, 0, 50);
    put_out(0, 1, 2);
    put_out(2, 0, 18);
    throw_with(4, 2);
    square_centre(step_to_square(54, 0), &x, &y);
    person_drop(0, x, y);
    const std::string moved_on = save_game_text(fake_clock);
    start_game(2, 2); // red has 3 and 5 to play, yellow 2 squares behind; then token 0 plays the 3
    put_out(0, 0, 30);
    put_out(0, 1, 40);
    put_out(2, 0, 62);
    put_out(2, 1, 12);
    throw_with(3, 5);
    const std::string behind = save_game_text(fake_clock);
    square_centre(step_to_square(33, 0), &x, &y);
    person_drop(0, x, y);
    const std::string quiet = save_game_text(fake_clock);
    start_game(2, 2); // red's token 0 could capture with 3 + 3; token 1 has played die 0
    put_out(0, 0, 30);
    put_out(0, 1, 40);
    put_out(2, 0, 2);
    put_out(2, 1, 12);
    throw_with(3, 3);
    square_centre(step_to_square(43, 0), &x, &y);
    person_drop(1, x, y);
    const std::string doubled = save_game_text(fake_clock);
    start_game(2, 2); // red's token 0 home first, token 1 in jail
    token_home(0);
    tokens_in_jail[0] = 1;
    throw_with(1, 2);
    const std::string home = save_game_text(fake_clock);
    start_game(2, 2); // 4 and 5 thrown beside a token in the stretch that can use neither: one move of 9
    put_out(0, 0, 15);
    put_out(0, 1, 68);
    put_out(2, 0, 53);
    throw_with(4, 5);
    const std::string nine = save_game_text(fake_clock);
    start_game(2, 1); // red's single token in the stretch, thrown one die
    put_out(0, 0, 66);
    throw_with(2, 0);
    const std::string one_die = save_game_text(fake_clock);
    for (const std::string* t : {&jailed, &to_move, &single, &single_jailed, &spent, &moved_on, &behind, &quiet,
                                 &doubled, &home, &nine, &one_die})
        ASSERT_TRUE(check_game_text(*t)) << *t;
    // Red's token 0 in the stretch: a spot lies at most 50 pixels along the
    // 68 of an arm's cell.
    Cell arm;
    square_cell(step_to_square(67, 0), &arm);
    const auto along = [&](int32_t d) {
        const bool wide = arm.width == 68;
        const std::string line = "token 0 0 21 67 " + std::to_string(arm.left - board_dx + (wide ? d : 0)) + " " +
                                 std::to_string(arm.top - board_dy + (wide ? 0 : d));
        return edited(spent, "token 0 0 21 67 [0-9]+ [0-9]+", line.c_str());
    };
    EXPECT_TRUE(check_game_text(along(50)));
    EXPECT_FALSE(check_game_text(along(51)));
    EXPECT_TRUE(check_game_text(edited(single, "cpu 0 0 0 0", "cpu 0 1 0 0")));  // an empty seat's choice
    EXPECT_TRUE(check_game_text(edited(single, "name 2 [^\n]*", "name 2 ")));    // a name left empty
    EXPECT_TRUE(check_game_text(edited(to_move, "cpu 0 0 0 0", "cpu 1 0 0 0"))); // the computer between its drops
    EXPECT_TRUE(check_game_text(edited(edited(to_move, "die 1 [-0-9]+ [-0-9]+", "die 1 -60 32767"),
                                       "die 0 [-0-9]+ [-0-9]+", "die 0 32767 -60")));
    const std::string refused[] = {
        edited(jailed, "throws_left 2", "throws_left 0"), edited(jailed, "throws_left 2", "throws_left 1"),
        edited(to_move, "throws_left 0", "throws_left 1"), edited(to_move, "moves_left 7", "moves_left 6"),
        // The dice as they fell: token 0 could capture with the 4 and leave a 5 nobody may play.
        edited(edited(edited(nine, "die 0 ([-0-9]+) ([-0-9]+) 9", "die 0 $1 $2 4"), "die 1 ([-0-9]+) ([-0-9]+) 0",
                      "die 1 $1 $2 5"),
               "flags GF_CAN_MOVE", "flags GF_CAN_MOVE GF_CAPTURE_POSSIBLE"),
        edited(edited(to_move, "die 1 ([-0-9]+) ([-0-9]+) 5 5", "die 1 $1 $2 6 5"), "moves_left 7", "moves_left 8"),
        edited(edited(edited(to_move, "die 1 ([-0-9]+) ([-0-9]+) 5 5", "die 1 $1 $2 0 5"),
                      "die 0 ([-0-9]+) ([-0-9]+) 2 2", "die 0 $1 $2 12 2"),
               "moves_left 7", "moves_left 12"),
        edited(to_move, "flags GF_CAN_MOVE", "flags GF_CAN_MOVE GF_CAPTURED"),
        edited(to_move, "flags GF_CAN_MOVE", "flags GF_CAN_MOVE GF_CAPTURE_POSSIBLE"),
        edited(to_move, "token 0 1 17", "token 0 1 1"),  // out, may not move, nothing to excuse it
        edited(to_move, "token 0 1 17", "token 0 1 49"), // out, with a bit no token has
        edited(to_move, "token 0 0 17 0 [0-9]+ [0-9]+", "token 0 0 17 0 158 190"), // on its column, above its cell
        edited(to_move, "token 2 0 2 0 [0-9]+ [0-9]+", "token 2 0 2 0 460 300"),   // jailed, under its jail
        edited(spent, "culprit_token 1", "culprit_token 0"), // in the stretch, the 4 would take it home
        edited(spent, " GF_CAPTURE_POSSIBLE", ""),
        edited(spent, "token 0 0 21 67", "token 0 0 17 67"),                          // in the stretch without the bit
        edited(moved_on, " GF_CAPTURE_POSSIBLE", ""),                                 // jailed tokens played no die
        edited(behind, "flags GF_CAN_MOVE", "flags GF_CAN_MOVE GF_CAPTURE_POSSIBLE"), // a 5 not played yet
        edited(edited(quiet, "flags GF_CAN_MOVE", "flags GF_CAN_MOVE GF_CAPTURE_POSSIBLE GF_CAPTURED"), "token 0 0 17",
               "token 0 0 1"), // the capture that jailed nobody
        edited(edited(doubled, "die 0 ([-0-9]+) ([-0-9]+) 0", "die 0 $1 $2 3"), "die 1 ([-0-9]+) ([-0-9]+) 3",
               "die 1 $1 $2 0"),                                         // a double plays die 0 first
        edited(home, "(token 0 0 [0-9]+ [0-9]+ [0-9]+) [0-9]+", "$1 0"), // home, but off its spot beside the jail
        edited(edited(home, "name 0 [^\n]*", "name 0 Ana"), "name 2 [^\n]*",
               "name 2 Jugador 1"), // first home: no home token
        edited(single, "tokens_left 1 0 1 0", "tokens_left 2 0 1 0"),
        edited(single, "tokens_left 1 0 1 0", "tokens_left 1 1 1 0"), // an empty seat's token
        edited(single, " GF_FIRST_HOME_DONE", ""),           // one token each: no first home apart from the winner
        edited(single_jailed, "cpu 0 0 0 0", "cpu 1 0 1 0"), // every seat a computer
        edited(edited(single_jailed, "throws_this_turn 1", "throws_this_turn 0"), "doubles_in_row 0",
               "doubles_in_row 1"), // a double counted before the turn's first throw
        edited(to_move, "throws_this_turn [0-9]+", "throws_this_turn 0"),        // to move before any throw
        edited(one_die, "die 1 ([-0-9]+) ([-0-9]+) 0 [0-9]", "die 1 $1 $2 0 7"), // a face no die has
    };
    for (const std::string& t : refused) EXPECT_FALSE(check_game_text(t)) << t;
    start_game(2, 2); // a double of 4, token 1 on its exit not marked: once token 0 plays a 4, stuck
    put_out(0, 0, 66);
    put_out(0, 1, 0);
    throw_with(4, 4);
    tokens[0][1].state &= ~TS_MAY_MOVE;
    EXPECT_FALSE(check_game_text(save_game_text(fake_clock)));
    delete_record_files();
}

// Dice of a game loaded on 1366 x 768: one a column over the "Guardar" button, one
// on the centre's count come out beside the board, to the nearest place
// that hides nothing, and stay there when saved and loaded again.
TEST(SaveFile, LoadedDiceComeIntoViewBesideTheBoard) {
    start_game(2, 2, 0, false, 1366, 768);
    throw_with(3, 3);
    throw_with(2, 5);
    dice[0].x = static_cast<int16_t>(buttons[5].left - DIE_SIZE + 1);
    dice[0].y = static_cast<int16_t>(buttons[5].top + 10);
    dice[1].x = static_cast<int16_t>(die_min_x[1]);
    dice[1].y = static_cast<int16_t>(centre_rect.top + 10);
    ASSERT_TRUE(load_game_text(save_game_text(fake_clock), fake_clock));
    EXPECT_TRUE(dice[0].x == buttons[5].left - DIE_SIZE && dice[0].y == buttons[5].top + 10)
        << dice[0].x << " " << dice[0].y;
    EXPECT_TRUE(dice[1].x == board_rect.right + 1 && dice[1].y == turn_name_rect.bottom + 1)
        << dice[1].x << " " << dice[1].y;
    expect_dice_in_view();
    const std::string text = save_game_text(fake_clock);
    ASSERT_TRUE(load_game_text(text, fake_clock));
    EXPECT_EQ(save_game_text(fake_clock), text);
    // One row over the board's top edge: lifted by that row, not more.
    dice[0].x = static_cast<int16_t>(board_rect.left + 10);
    dice[0].y = static_cast<int16_t>(board_rect.top - DIE_SIZE + 1);
    ASSERT_TRUE(load_game_text(save_game_text(fake_clock), fake_clock));
    EXPECT_TRUE(dice[0].x == board_rect.left + 10 && dice[0].y == board_rect.top - DIE_SIZE)
        << dice[0].x << " " << dice[0].y;
    // Over the spots beside the jails where finished tokens stand.
    for (uint8_t seat = 0; seat < SEATS; ++seat) {
        const uint8_t die = seat == 0 || seat == 3 ? 0 : 1;
        int32_t x, y;
        token_spot(HOME_SQUARE, seat, TOKEN_SLOTS - 1, 0, &x, &y);
        dice[die].x = static_cast<int16_t>(x - 20);
        dice[die].y = static_cast<int16_t>(y);
        ASSERT_TRUE(load_game_text(save_game_text(fake_clock), fake_clock));
        expect_dice_in_view();
    }
    dice[1].x = 350; // below where die 1 starts, at 350, 25: outside its half
    dice[1].y = 100;
    dice[0].y = static_cast<int16_t>(screen_h); // just below the screen: this one could not leave it there
    ASSERT_TRUE(load_game_text(save_game_text(fake_clock), fake_clock));
    expect_dice_in_view();
    dice[0].x = static_cast<int16_t>(screen_w); // in the row where it starts, but past the right edge
    dice[0].y = 0;
    ASSERT_TRUE(load_game_text(save_game_text(fake_clock), fake_clock));
    expect_dice_in_view();
    delete_record_files();
}
