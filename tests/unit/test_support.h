// Shared set-up for the unit tests: a fresh program with the fake window.
#pragma once

#include "game/board.h"
#include "saves/crc32.h"
#include "game/rules.h"
#include "game/state.h"
#include "tools/sim/fake_window.h"
#include "tools/sim/sim_driver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <regex>
#include <string>

// A new game in a fresh program, the computer on one seat or none.
inline void start_game(uint8_t players, uint8_t tokens, uint8_t cpu_seat = 0, bool soplar = false, uint16_t width = 640,
                       uint16_t height = 480) {
    screen_w = width;
    screen_h = height;
    fake_reset_program();
    std::srand(7);
    rest_token = culprit_token = 0; // kept in a saved game
    cpu_player[cpu_seat] = cpu_seat != 0;
    if (soplar) game_flags |= GF_SOPLAR;
    player_count = players;
    tokens_per_player = tokens;
    sim_default_names();
    sim_start_game();
}

// A token out at a step of its route, as play leaves it.
inline void put_out(uint8_t seat, uint8_t t, uint8_t step) {
    if (tokens[seat][t].state & TS_IN_JAIL) tokens_in_jail[seat] -= 1;
    tokens[seat][t].state = static_cast<uint8_t>(TS_ON_TRACK | (step >= STEP_LAST_TRACK ? TS_IN_STRETCH : 0));
    tokens[seat][t].step = step;
    place_token(step_to_square(step, seat), seat, t);
}

inline void throw_with(int a, int b) {
    scripted_dice.assign({a, b});
    throw_dice();
}

// A saved game with one line edited and the checksum made right again, so
// that only the edited value can be the reason for a refusal.
inline std::string edited(const std::string& text, const char* pattern, const char* replacement) {
    const std::string content = text.substr(0, text.rfind("crc32 "));
    const std::string changed =
        std::regex_replace(content, std::regex(pattern), replacement, std::regex_constants::format_first_only);
    EXPECT_NE(changed, content) << "pattern " << pattern << " matched nothing";
    char line[16];
    std::snprintf(line, sizeof line, "crc32 %08lx\n",
                  static_cast<unsigned long>(crc32_of(changed.data(), changed.size())));
    return changed + line;
}

inline std::string file_bytes(const char* name) {
    std::string bytes;
    if (FILE* f = std::fopen(name, "rb")) {
        for (int c = std::fgetc(f); c != EOF; c = std::fgetc(f)) bytes.push_back(static_cast<char>(c));
        std::fclose(f);
    }
    return bytes;
}
