// Saved games: round trips at random points of played games, and files that
// are damaged or hostile, refused with the running program left untouched.
#include "game/board.h"
#include "game/cpu.h"
#include "game/crc32.h"
#include "game/rules.h"
#include "game/save_file.h"
#include "game/state.h"
#include "records/records.h"
#include "test_support.h"
#include "tools/sim/fake_window.h"
#include "tools/sim/invariants.h"
#include "tools/sim/sim_driver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <regex>
#include <string>
#include <vector>

namespace {

std::string file_bytes(const char* name) {
    std::string bytes;
    if (FILE* f = std::fopen(name, "rb")) {
        for (int c = std::fgetc(f); c != EOF; c = std::fgetc(f)) bytes.push_back(static_cast<char>(c));
        std::fclose(f);
    }
    return bytes;
}

template <typename T> void add(std::string& out, const T& value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// What a saved game must bring back: the game as the rules see it, without
// the clock (the loaded game's time is checked on its own).
std::string game_view() {
    std::string v;
    add(v, game_flags & ~(GF_MODAL | GF_DRAGGING | GF_DROP_OK | GF_BUTTON_HELD | GF_DIE_DRAG | GF_ANIMATE));
    for (auto x : {player_count, last_player, player_step, tokens_per_player, current_player, dice_count, moves_left,
                   throws_this_turn, throws_left, doubles_in_row, rest_token, culprit_token, game_number})
        add(v, x);
    for (unsigned seat = 0; seat < SEATS; ++seat) {
        add(v, cpu_player[seat]);
        add(v, player_name[seat]);
        if (!is_seated(seat)) continue;
        add(v, tokens_left[seat]);
        add(v, tokens_in_jail[seat]);
        for (unsigned t = 0; t < tokens_per_player; ++t) {
            const TokenRecord& tok = tokens[seat][t];
            for (auto x : {tok.x, tok.y}) add(v, x);
            for (auto x : {tok.state, tok.step}) add(v, x);
        }
    }
    for (const DieRecord& d : dice)
        for (auto x : {d.x, d.y, int16_t(d.value), int16_t(d.face)}) add(v, x);
    return v;
}

// Every variable of the program a load could touch, the files on disk and
// what was asked of the window: a refused file must leave all of it alone.
std::string full_snapshot() {
    std::string s = game_view();
    for (unsigned seat = 0; seat < SEATS; ++seat) {
        add(s, tokens_left[seat]);
        add(s, tokens_in_jail[seat]);
        for (const TokenRecord& tok : tokens[seat]) {
            add(s, tok.image);
            for (auto x : {tok.x, tok.y}) add(s, x);
            for (auto x : {tok.state, tok.step}) add(s, x);
        }
    }
    add(s, game_flags);
    for (auto x : {moving_token, move_steps, target_step, target_square, from_square, highest_game_number}) add(s, x);
    for (auto x : {pointer_x, pointer_y}) add(s, x);
    for (auto x : {cpu_last_tick, game_start_tick}) add(s, x);
    add(s, record_file_name);
    add(s, message_text);
    add(s, die_min_x);
    add(s, die_max_x);
    add(s, fake_invalidations);
    add(s, fake_pointer);
    add(s, fake_pointer_seat);
    add(s, fake_sounds.size());
    add(s, fake_messages.size());
    return s + file_bytes(record_file_name) + "|" + file_bytes("Juego2.dat");
}

uint32_t next_choice(uint32_t& state) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

// One action of whoever is to play, as a person or the computer would.
bool play_action(uint32_t& chooser) {
    fake_clock += 700;
    if (cpu_player[current_player]) {
        cpu_tick();
        return true;
    }
    if (game_flags & GF_MAY_THROW) {
        person_throw();
        return true;
    }
    const std::vector<LegalDrop> drops = find_dice_drops();
    if (drops.empty()) return false;
    const LegalDrop& d = drops[next_choice(chooser) % drops.size()];
    return person_drop(d.token, d.x, d.y);
}

// The game seen after each action to its end, repeats dropped (a computer
// seat waiting its second changes nothing).
std::vector<std::string> play_to_end(uint32_t chooser) {
    std::vector<std::string> trace{game_view()};
    for (unsigned actions = 0; (game_flags & GF_GAME_ON) && actions < 20000; ++actions) {
        if (!play_action(chooser)) break;
        const std::string v = game_view();
        if (trace.empty() || trace.back() != v) trace.push_back(v);
    }
    return trace;
}

struct Seating {
    uint8_t players, tokens, cpu_seat; // cpu_seat 0: none
    bool soplar;
};

void set_up(const Seating& s) {
    fresh_program();
    // Left over from earlier games, and kept in a saved game.
    rest_token = culprit_token = 0;
    if (s.cpu_seat) cpu_player[s.cpu_seat] = 1;
    if (s.soplar) game_flags |= GF_SOPLAR;
    start_game(s.players, s.tokens);
}

std::string with_checksum(std::string content) {
    char line[16];
    std::snprintf(line, sizeof line, "crc32 %08lx\n", static_cast<unsigned long>(crc32_of(content.data(), content.size())));
    return content + line;
}

// The text with one line edited and the checksum made right again, so that
// only the edited value can be the reason for a refusal.
std::string edited(const std::string& text, const std::string& pattern, const std::string& replacement) {
    const std::string content = text.substr(0, text.rfind("crc32 "));
    const std::string changed = std::regex_replace(content, std::regex(pattern), replacement,
                                                   std::regex_constants::format_first_only);
    EXPECT_NE(changed, content) << "pattern " << pattern << " matched nothing";
    return with_checksum(changed);
}

// A four-player game of four tokens, played until one token is home and the
// current player has dice left to play: every kind of value is in its text.
std::string rich_game_text() {
    set_up({4, 4, 0, false});
    uint32_t chooser = 99;
    for (unsigned actions = 0; actions < 20000; ++actions) {
        bool any_home = false;
        for (unsigned seat = 0; seat < SEATS; ++seat) any_home = any_home || tokens_left[seat] < 4;
        if (any_home && !(game_flags & GF_MAY_THROW) && tokens_in_jail[current_player] < 4) break;
        play_action(chooser);
    }
    return save_game_text(fake_clock);
}

} // namespace

TEST(SaveFile, EveryPointOfPlayedGamesIsSavedAndLoadsBackIntoTheSameGame) {
    const Seating seatings[] = {{2, 1, 2, false}, {2, 2, 0, true}, {3, 4, 0, false}, {4, 1, 3, true},
                                {4, 4, 0, true},  {3, 2, 0, false}, {2, 4, 0, false}};
    unsigned round_trips = 0;
    for (const Seating& s : seatings) {
        for (unsigned game = 0; game < 6; ++game) {
            set_up(s);
            std::srand(1000 + game);
            uint32_t chooser = 77 + game;
            // Every state between two actions is a state the saver can write
            // and the loader accepts.
            std::vector<std::string> texts;
            for (unsigned actions = 0; (game_flags & GF_GAME_ON) && actions < 20000; ++actions) {
                const std::string text = save_game_text(fake_clock);
                ASSERT_TRUE(check_game_text(text)) << text;
                texts.push_back(text);
                if (!play_action(chooser)) break;
            }
            delete_record_files();
            // Some of them in full: load into a fresh program, compare, and
            // play both on with the same random numbers and choices.
            for (size_t k = game; k < texts.size(); k += texts.size() / 3 + 1) {
                set_up(s);
                std::srand(1000 + game);
                uint32_t replay = 77 + game;
                for (size_t a = 0; a < k; ++a) play_action(replay);
                const std::string saved_view = game_view();
                const std::string saved_records = file_bytes(record_file_name);
                const uint32_t saved_clock = fake_clock, saved_time = fake_clock - game_start_tick;
                std::srand(5 + static_cast<unsigned>(k));
                const std::vector<std::string> original = play_to_end(replay);
                const std::string original_record = file_bytes(record_file_name);
                delete_record_files();

                fresh_program();
                fake_clock = saved_clock + 12345;
                ASSERT_TRUE(load_game_text(texts[k], fake_clock));
                EXPECT_EQ(game_view(), saved_view) << texts[k];
                EXPECT_EQ(save_game_text(fake_clock), texts[k]); // one text for one game
                EXPECT_EQ(fake_clock - game_start_tick, saved_time);
                EXPECT_EQ(file_bytes(record_file_name), saved_records);
                EXPECT_TRUE(check_invariants().empty());
                std::srand(5 + static_cast<unsigned>(k));
                EXPECT_EQ(play_to_end(replay), original) << texts[k];
                EXPECT_EQ(file_bytes(record_file_name).substr(0, 30), original_record.substr(0, 30));
                delete_record_files();
                round_trips += 1;
            }
        }
    }
    EXPECT_GT(round_trips, 100u);
}

TEST(SaveFile, ChecksumIsTheCommonCrc32) {
    EXPECT_EQ(crc32_of("123456789", 9), 0xCBF43926u);
    EXPECT_EQ(crc32_of("", 0), 0u);
}

TEST(SaveFile, LoadedGameIsAGameOfThisRun) {
    set_up({2, 2, 0, false});
    fake_clock = 60000;
    const std::string text = save_game_text(fake_clock);

    // Over a running game: its number and its emptied record file.
    start_game(3, 1);
    fake_clear_events();
    fake_clock = 100000;
    ASSERT_TRUE(load_game_text(text, fake_clock));
    EXPECT_EQ(game_number, 1);
    EXPECT_EQ(player_count, 2);
    EXPECT_EQ(player_step, 2);
    EXPECT_EQ(tokens_left[1], 0); // the three-player game's seat is empty again
    EXPECT_EQ(tokens[1][0].state, 0);
    EXPECT_EQ(fake_clock - game_start_tick, 60000u);
    EXPECT_GT(fake_invalidations, 0u);
    EXPECT_EQ(fake_pointer, POINTER_PLAYER);
    EXPECT_EQ(fake_pointer_seat, current_player);

    // After a finished game: the next number and a record file of its own.
    game_flags &= ~GF_GAME_ON;
    ASSERT_TRUE(load_game_text(text, fake_clock));
    EXPECT_EQ(game_number, 2);
    EXPECT_STREQ(record_file_name, "Juego2.dat");
    EXPECT_EQ(highest_game_number, 2);
    delete_record_files();
}

TEST(SaveFile, TokensKeepTheirSquaresOnAnotherScreenSize) {
    fresh_program(640, 480);
    start_game(2, 1);
    throw_with(5, 5); // the only token out, moved 5
    const std::string small = save_game_text(fake_clock);
    const uint16_t x = tokens[0][0].x, y = tokens[0][0].y;

    fresh_program(1024, 768);
    ASSERT_TRUE(load_game_text(small, fake_clock));
    EXPECT_EQ(tokens[0][0].x, x + board_dx);
    EXPECT_EQ(tokens[0][0].y, y + board_dy);
    EXPECT_EQ(step_to_square(tokens[0][0].step, 0), point_to_square(tokens[0][0].x + 10, tokens[0][0].y + 10));

    // A die put down on the right of the big screen is off the small one.
    const std::string off = edited(save_game_text(fake_clock), "die 1 [-0-9]+", "die 1 900");
    EXPECT_TRUE(check_game_text(off));
    fresh_program(640, 480);
    EXPECT_FALSE(check_game_text(off));
    delete_record_files();
}

TEST(SaveFile, DamagedFilesAreRefusedAndNothingChanges) {
    const std::string text = rich_game_text();
    ASSERT_NE(text.find("first_home "), std::string::npos) << text;
    // The running game that must survive every refusal.
    set_up({3, 2, 0, false});
    throw_with(2, 2);
    throw_with(3, 5);
    const std::string before = full_snapshot();
    ASSERT_TRUE(check_game_text(text));

    for (size_t n = 0; n < text.size(); ++n) ASSERT_FALSE(load_game_text(text.substr(0, n), 1)) << n;
    const unsigned char changes[] = {0x01, 0x20, 0x80, 0xFF};
    for (size_t i = 0; i < text.size(); ++i) {
        for (unsigned char c : changes) {
            std::string damaged = text;
            damaged[i] = static_cast<char>(damaged[i] ^ c);
            ASSERT_FALSE(load_game_text(damaged, 1)) << "byte " << i << " ^ " << int(c);
        }
        std::string doubled = text;
        doubled.insert(i, 1, text[i]);
        ASSERT_FALSE(load_game_text(doubled, 1)) << "byte " << i << " doubled";
    }
    EXPECT_FALSE(load_game_text(text + text, 1));
    EXPECT_FALSE(load_game_text(std::string(SAVE_TEXT_MAX + 1, '\n'), 1));
    EXPECT_EQ(full_snapshot(), before);
    delete_record_files();
}

TEST(SaveFile, HostileValuesWithAGoodChecksumAreRefusedAndNothingChanges) {
    const std::string text = rich_game_text();
    set_up({4, 1, 1, false});
    throw_with(6, 6);
    const std::string before = full_snapshot();

    // The editing itself is harmless: a changed game time still loads.
    ASSERT_TRUE(check_game_text(edited(text, "time [0-9]+", "time 4294967295")));

    const char* const hostile[][2] = {
        {"Zenta Korvalo partida", "Zenta Korvalo Partida"},
        {"version 1", "version 2"},
        {"players 4", "players 5"},
        {"players 4", "players 1"},
        {"tokens 4", "tokens 0"},
        {"soplar o[nf]+", "soplar yes"},
        {"cpu 0 0 0 0", "cpu 0 1 0 0"},           // the computer in a four-token game
        {"name 1 [^\n]*", "name 1 Cuarenta bytes de nombre para un jugador!!"},
        {"name 2 [^\n]*", "name 2 Diez bytes"},
        {"name 3 [^\n]*", "name 3 Tab\there"},
        {"name 0 [^\n]*", "name 0 \x81na"},
        {"first_home [^\n]*", "first_home Nadie"},
        {"time [0-9]+", "time 4294967296"},
        {"current [0-9]", "current 7"},
        {"flags", "flags GF_GAME_ON"},
        {"flags", "flags GF_CAN_MOVE GF_CAN_MOVE"},
        {"flags GF_CAN_MOVE", "flags GF_MAY_THROW GF_CAN_MOVE"}, // order
        {"flags GF_CAN_MOVE", "flags GF_CAN_MOVE GF_MAY_THROW"}, // a throw with dice still to play
        {"flags GF_CAN_MOVE", "flags"},                          // to move, and nothing can
        {"die 0 (-?[0-9]+) (-?[0-9]+) [0-9]+", "die 0 $1 $2 13"},
        {"die 1 (-?[0-9]+) (-?[0-9]+) [0-9]+ [0-9]+", "die 1 $1 $2 0 0"},
        {"die 1 (-?[0-9]+) (-?[0-9]+) ([0-9]+) [0-9]+", "die 1 $1 $2 $3 7"},
        {"die 0 -?[0-9]+", "die 0 -61"},
        {"die 0 -?[0-9]+ -?[0-9]+", "die 0 10 481"},
        {"moves_left [0-9]+", "moves_left 0"},
        {"dice_count 2", "dice_count 3"},
        {"throws_left [0-9]", "throws_left 3"},
        {"doubles_in_row [0-9]", "doubles_in_row 3"},
        {"rest_token [0-9]", "rest_token 4"},
        {"tokens_left [0-9] [0-9] [0-9] [0-9]", "tokens_left 4 4 4 4"},
        {"tokens_in_jail [0-9] [0-9] [0-9] [0-9]", "tokens_in_jail 4 4 4 4"},
        {"players 4", "players 2"},
        {"token 0 0 [0-9]+ [0-9]+", "token 0 0 17 250"},
        {"token 1 1 [0-9]+ [0-9]+", "token 1 1 2 5"},     // in jail off step 0
        {"token 2 0 [0-9]+ [0-9]+", "token 2 0 17 65"},   // in the stretch without the bit
        {"token 3 2 [0-9]+ [0-9]+", "token 3 2 8 99"},    // finished off step 100
        {"token 3 2 [0-9]+ [0-9]+", "token 3 2 33 5"},    // an unknown bit
        {"token 0 1 ([0-9]+) ([0-9]+) [0-9]+", "token 0 1 $1 $2 700"},
        {"token 1 0", "token 1 1"},
        {"token 3 3 [^\n]*\n", ""},
        {"(token 3 3 [^\n]*\n)", "$1token 3 3 2 0 400 400\n"},
        {"throws_left ([0-9])\n", "throws_left $1\nthrows_left $1\n"},
        {"culprit_token [0-9]", "culprit_token 03"},
        {"current ([0-9])", "current +$1"},
        {"current ([0-9])", "current  $1"},
        {"current ([0-9])", "current $1 "},
    };
    for (const auto& h : hostile) {
        const std::string bad = edited(text, h[0], h[1]);
        EXPECT_FALSE(load_game_text(bad, 1)) << h[0] << " -> " << h[1];
    }
    // Line ends turned into CR LF by an editor that kept the checksum right.
    const std::string content = text.substr(0, text.rfind("crc32 "));
    EXPECT_FALSE(load_game_text(with_checksum(std::regex_replace(content, std::regex("\n"), "\r\n")), 1));
    // The file of a one-token game in which every seat is the computer's.
    set_up({2, 1, 2, false});
    const std::string all_cpu = edited(save_game_text(fake_clock), "cpu 0 0 1 0", "cpu 1 0 1 0");
    set_up({4, 1, 1, false});
    throw_with(6, 6);
    EXPECT_FALSE(load_game_text(all_cpu, 1));
    EXPECT_EQ(full_snapshot(), before);
    delete_record_files();
}

TEST(SaveFile, OneInconsistentValueOfASmallGameIsRefused) {
    // Red to play 2 and 5 with two tokens that may no longer move.
    set_up({2, 2, 0, false});
    throw_with(3, 3);
    throw_with(2, 5);
    const std::string to_move = save_game_text(fake_clock);
    ASSERT_TRUE(check_game_text(to_move));
    EXPECT_FALSE(check_game_text(edited(edited(to_move, "token 0 0 17", "token 0 0 1"), "token 0 1 17", "token 0 1 1")));

    // Red's single token to move 7 pips, with red handed to the computer,
    // which only ever moves straight after its own throw.
    set_up({2, 1, 0, false});
    throw_with(5, 5);
    throw_with(3, 4);
    const std::string single = save_game_text(fake_clock);
    ASSERT_TRUE(check_game_text(single));
    EXPECT_FALSE(check_game_text(edited(single, "cpu 0 0 0 0", "cpu 1 0 0 0")));
    EXPECT_TRUE(check_game_text(edited(single, "cpu 0 0 0 0", "cpu 0 1 0 0"))); // an empty seat's choice
    // A capture chance whose culprit is a token the game does not have.
    const std::string chance = edited(single, "GF_FIRST_HOME_DONE\n", "GF_FIRST_HOME_DONE GF_CAPTURE_POSSIBLE\n");
    EXPECT_TRUE(check_game_text(chance));
    EXPECT_FALSE(check_game_text(edited(chance, "culprit_token [0-9]", "culprit_token 3")));
    // More tokens left than the seat has out of jail and on the board.
    EXPECT_FALSE(check_game_text(edited(single, "tokens_left 1 0 1 0", "tokens_left 2 0 1 0")));
    delete_record_files();
}

// Files whose every value is in range but that no game could have left:
// each would let the game play on against its rules or get stuck later.
TEST(SaveFile, StatesTheRulesCannotLeaveAreRefused) {
    // Everything in jail after a first throw that was no double: two more
    // throws. With none left the next miss would wrap the count around.
    set_up({2, 2, 0, false});
    throw_with(2, 5);
    const std::string jailed = save_game_text(fake_clock);
    ASSERT_TRUE(check_game_text(jailed));
    EXPECT_FALSE(check_game_text(edited(jailed, "throws_left 2", "throws_left 0")));
    EXPECT_FALSE(check_game_text(edited(jailed, "throws_left 2", "throws_left 1")));

    // Red to play 2 and 5 with both tokens out: no throw comes after them.
    set_up({2, 2, 0, false});
    put_on_step(0, 0, 10);
    put_on_step(0, 1, 30);
    throw_with(2, 5);
    const std::string to_move = save_game_text(fake_clock);
    ASSERT_TRUE(check_game_text(to_move));
    EXPECT_FALSE(check_game_text(edited(to_move, "throws_left 0", "throws_left 1")));
    // A die worth other than its face, or what the two faces cannot make.
    EXPECT_FALSE(check_game_text(edited(edited(to_move, "die 1 ([-0-9]+) ([-0-9]+) 5 5", "die 1 $1 $2 6 5"),
                                        "moves_left 7", "moves_left 8")));
    EXPECT_FALSE(check_game_text(edited(edited(edited(to_move, "die 1 ([-0-9]+) ([-0-9]+) 5 5", "die 1 $1 $2 0 5"),
                                               "die 0 ([-0-9]+) ([-0-9]+) 2 2", "die 0 $1 $2 12 2"),
                                        "moves_left 7", "moves_left 12")));
    // A capture flagged while both dice are whole, or no chance to capture.
    EXPECT_FALSE(check_game_text(edited(to_move, "flags GF_CAN_MOVE", "flags GF_CAN_MOVE GF_CAPTURED")));
    EXPECT_FALSE(check_game_text(edited(to_move, "flags GF_CAN_MOVE", "flags GF_CAN_MOVE GF_CAPTURE_POSSIBLE")));
    // A token out on the board that may not move, and nothing to excuse it.
    EXPECT_FALSE(check_game_text(edited(to_move, "token 0 1 17", "token 0 1 1")));
    // Pictures away from the token's square: on the board, under a button,
    // a jailed one out on the track.
    EXPECT_FALSE(check_game_text(edited(to_move, "token 0 0 17 10 [0-9]+ [0-9]+", "token 0 0 17 10 30 190")));
    EXPECT_FALSE(check_game_text(edited(to_move, "token 2 0 2 0 [0-9]+ [0-9]+", "token 2 0 2 0 300 300")));
    // A die wholly off the screen.
    EXPECT_FALSE(check_game_text(edited(to_move, "die 1 [-0-9]+ [-0-9]+", "die 1 640 480")));
    EXPECT_TRUE(check_game_text(edited(to_move, "die 1 [-0-9]+ [-0-9]+", "die 1 580 420")));

    // Red's token 0 may take 6 or 8 only, as the last token out of the
    // stretch must leave the 2 to token 1, five short of home. The 2 would
    // capture. A file without that limit would let token 0 capture with the
    // 2 and leave the 6 to no token that may still move: the game would
    // stop there.
    set_up({2, 2, 0, false});
    uint8_t a = 1;
    while (is_safe_square(step_to_square(static_cast<uint8_t>(a + 2), 0))) ++a;
    uint8_t blue = 1;
    while (step_to_square(blue, 2) != step_to_square(static_cast<uint8_t>(a + 2), 0)) ++blue;
    put_on_step(0, 0, a);
    put_on_step(0, 1, 66);
    put_on_step(2, 0, blue);
    throw_with(2, 6);
    const std::string limited = save_game_text(fake_clock);
    ASSERT_TRUE(check_game_text(limited)) << limited;
    ASSERT_NE(limited.find("GF_EXACT_REST"), std::string::npos) << limited;
    ASSERT_EQ(limited.find("GF_CAPTURE_POSSIBLE"), std::string::npos) << limited;
    ASSERT_NE(limited.find("culprit_token 0"), std::string::npos) << limited;
    const std::string unlimited = edited(limited, " GF_EXACT_REST", " GF_CAPTURE_POSSIBLE");
    EXPECT_FALSE(check_game_text(unlimited)) << unlimited;
    delete_record_files();
}
