// The saved-game loader under libFuzzer: any bytes at all, as they come and
// with their checksum made right (so that the checks behind the checksum are
// reached). A refused input must leave the running game exactly as it was;
// an accepted one must give a game whose invariants hold, that saves back
// to the same bytes (but for a die brought onto this screen) and that plays
// on to a sound end.
#include "saves/crc32.h"
#include "saves/save_file.h"
#include "game/state.h"
#include "records/records.h"
#include "tools/sim/fake_window.h"
#include "tools/sim/invariants.h"
#include "tools/sim/self_play.h"
#include "tools/sim/sim_driver.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const uint32_t now = 5000000;

// A running two-player game, the same one before every input.
void running_game() {
    fake_reset_program();
    std::srand(3);
    player_count = 2;
    tokens_per_player = 2;
    sim_default_names();
    sim_start_game();
    fake_clear_events();
}

template <typename T> void add(std::string& out, const T& value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// Everything a load could touch.
std::string snapshot() {
    std::string s;
    for (auto x :
         {player_count, last_player, player_step, tokens_per_player, current_player, dice_count, moves_left,
          throws_this_turn, throws_left, doubles_in_row, rest_token, culprit_token, game_number, highest_game_number})
        add(s, x);
    for (auto x : {game_flags, cpu_last_tick, game_start_tick, fake_invalidations}) add(s, x);
    add(s, tokens), add(s, dice), add(s, cpu_player), add(s, player_name), add(s, tokens_left);
    add(s, tokens_in_jail), add(s, record_file_name);
    return s;
}

[[noreturn]] void finding(const char* what, const std::string& text) {
    std::fprintf(stderr, "%s\n---\n%s---\n", what, text.c_str());
    std::abort();
}

std::string with_checksum(std::string text) {
    const size_t last = text.rfind("crc32 ");
    if (last != std::string::npos) text.resize(last);
    if (!text.empty() && text.back() != '\n') text += '\n';
    char line[16];
    std::snprintf(line, sizeof line, "crc32 %08lx\n", static_cast<unsigned long>(crc32_of(text.data(), text.size())));
    return text + line;
}

// The loaded text with each die where the loader put it, which the
// invariants check this screen could have left it.
std::string with_dice_now(std::string text) {
    for (uint8_t i = 0; i < 2; ++i) {
        const size_t start = text.find(i == 0 ? "\ndie 0 " : "\ndie 1 ") + 7;
        const size_t end = text.find(' ', text.find(' ', start) + 1);
        text.replace(start, end - start, std::to_string(dice[i].x) + " " + std::to_string(dice[i].y));
    }
    return with_checksum(text);
}

void try_load(const std::string& text) {
    running_game();
    const std::string before = snapshot();
    if (!load_game_text(text, now)) {
        if (snapshot() != before) finding("a refused file changed the game", text);
        return;
    }
    if (!check_invariants().empty()) finding("a loaded game breaks an invariant", text);
    if (save_game_text(now) != with_dice_now(text)) finding("a loaded game saves to other bytes", text);
    // And it plays on to its end under self-play's checks: a state the
    // loader lets through that play cannot reach shows as it goes on.
    uint32_t chooser = 12345;
    for (unsigned i = 0; game_flags & GF_GAME_ON; ++i) {
        if (i == 100000 || !play_action(chooser, true)) finding("a loaded game gets stuck", text);
        if (!check_invariants().empty()) finding("a loaded game breaks an invariant as it plays on", text);
    }
    if (!check_game_over().empty()) finding("a loaded game ends wrongly", text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    try_load(text);
    try_load(with_checksum(text));
    return 0;
}
