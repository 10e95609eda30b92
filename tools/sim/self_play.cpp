#include "tools/sim/self_play.h"

#include "game/cpu.h"
#include "game/rules.h"
#include "game/state.h"
#include "records/records.h"
#include "tools/sim/fake_window.h"
#include "tools/sim/greedy.h"
#include "tools/sim/invariants.h"
#include "tools/sim/sim_driver.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

// The person's choices come from a generator of their own, so that the
// rules' draws from rand() are the same whatever the person picks.
static uint32_t next_choice(uint32_t& state, uint32_t bound) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state % bound;
}

static void set_up_game(const PlayOptions& o) {
    player_count = o.players;
    tokens_per_player = o.tokens;
    for (unsigned seat = 0; seat < 4; ++seat) cpu_player[seat] = o.cpu[seat];
    sim_default_names();
    sim_start_game();
}

bool play_action(uint32_t& chooser, bool dice_drops_only, People people) {
    if (cpu_player[current_player]) {
        fake_clock += 100;
        cpu_tick();
        return true;
    }
    if (game_flags & GF_MAY_THROW) {
        person_throw();
        return true;
    }
    const bool greedy = people == People::greedy;
    const std::vector<LegalDrop> drops = dice_drops_only || greedy ? find_dice_drops() : find_legal_drops();
    if (drops.empty()) return false;
    const LegalDrop& d =
        drops[greedy ? greedy_choice(drops) : next_choice(chooser, static_cast<uint32_t>(drops.size()))];
    return person_drop(d.token, d.x, d.y);
}

static bool record_complete() {
    FILE* f = std::fopen(record_file_name, "rb");
    if (!f) return false;
    char names[3][NAME_SIZE];
    for (char* n : names) read_record_string(f, n);
    unsigned char duration[4];
    const bool has_duration = std::fread(duration, 1, 4, f) == 4;
    const bool at_end = std::fgetc(f) == EOF;
    std::fclose(f);
    return has_duration && at_end && std::strcmp(names[2], player_name[current_player]) == 0;
}

std::vector<std::string> check_game_over() {
    std::vector<std::string> out;
    if (tokens_left[current_player] != 0) out.push_back("game over without a winner");
    else if (!record_complete()) out.push_back("record file incomplete");
    return out;
}

void self_play_one_game(const PlayOptions& o, uint32_t& chooser) {
    set_up_game(o);
    for (unsigned actions = 0; (game_flags & GF_GAME_ON) && actions < 100000; ++actions)
        if (!play_action(chooser, o.dice_drops_only, o.people)) break;
}

PlayTotals self_play(const PlayOptions& o) {
    PlayTotals totals;
    std::srand(o.seed);
    uint32_t chooser = o.seed * 2654435761u + 1;
    fake_reset_program();
    auto violation = [&](const std::string& what) {
        totals.violations += 1;
        if (totals.first_violations.size() < 10) {
            char where[64];
            std::snprintf(where, sizeof where, "game %u: ", totals.games + 1);
            totals.first_violations.push_back(where + what);
        }
    };
    for (unsigned g = 0; g < o.games; ++g) {
        if (g % 100 == 0 && g != 0) {
            delete_record_files();
            fake_reset_program();
        }
        set_up_game(o);
        const uint32_t started = fake_clock;
        unsigned throws = 0, actions = 0;
        bool stuck = false;
        while ((game_flags & GF_GAME_ON) && !stuck) {
            fake_clear_events();
            const uint8_t actor = current_player;
            if (!play_action(chooser, o.dice_drops_only, o.people)) {
                violation("no action possible");
                stuck = true;
            }
            for (const FakeSound& s : fake_sounds) {
                if (s.file == "Dados.wav") throws += 1;
                if (s.file == "Jail.wav") totals.captures += 1;
            }
            for (const FakeMessage& m : fake_messages) {
                if (m.text == "Tres presadas") totals.tres_presadas += 1;
                if (m.caption == "Castigo!!!")
                    totals.castigos += 1, totals.castigos_by_seat[actor] += 1, totals.captures -= 1;
            }
            if (o.check)
                for (const std::string& v : check_invariants()) violation(v);
            if (++actions > 100000) {
                violation("the game does not end");
                stuck = true;
            }
        }
        if (!stuck) {
            if (tokens_left[current_player] == 0) totals.wins[current_player] += 1;
            if (o.check)
                for (const std::string& v : check_game_over()) violation(v);
        }
        totals.games += 1;
        totals.game_clock_ms += fake_clock - started;
        totals.throws += throws;
        if (throws > totals.max_throws) totals.max_throws = throws;
        if (o.verbose) std::printf("game %u: %s won after %u throws\n", g + 1, player_name[current_player], throws);
    }
    delete_record_files();
    return totals;
}
