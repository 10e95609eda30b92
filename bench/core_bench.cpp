// Costs of the rules' hot paths and of a whole self-played game.
#include "game/board.h"
#include "game/cpu_choice.h"
#include "game/rules.h"
#include "game/state.h"
#include "records/records.h"
#include "tools/sim/fake_window.h"
#include "tools/sim/self_play.h"
#include "tools/sim/sim_driver.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>

static void four_players_on_the_track() {
    fake_reset_program();
    std::srand(11);
    player_count = 4;
    tokens_per_player = 4;
    sim_default_names();
    sim_start_game();
    for (uint8_t seat = 0; seat < 4; ++seat) {
        for (uint8_t t = 0; t < 4; ++t) {
            TokenRecord& tok = tokens[seat][t];
            tok.state = TS_ON_TRACK | TS_MAY_MOVE;
            tok.step = static_cast<uint8_t>(5 + 9 * t + seat);
            place_token(step_to_square(tok.step, seat), seat, t);
        }
        tokens_in_jail[seat] = 0;
    }
}

// One throw by red with four tokens out, random dice. Each throw starts
// from the same position (a few dozen bytes copied back, inside the timing),
// so that no run of doubles sends the tokens home and ends the game.
static void BM_Throw(benchmark::State& state) {
    four_players_on_the_track();
    current_player = 0;
    throws_this_turn = 0;
    game_flags |= GF_MAY_THROW;
    TokenRecord start_tokens[SEATS][TOKEN_SLOTS];
    uint8_t start_left[SEATS], start_jailed[SEATS];
    std::memcpy(start_tokens, tokens, sizeof tokens);
    std::memcpy(start_left, tokens_left, sizeof tokens_left);
    std::memcpy(start_jailed, tokens_in_jail, sizeof tokens_in_jail);
    const uint32_t start_flags = game_flags;
    for (auto _ : state) {
        std::memcpy(tokens, start_tokens, sizeof tokens);
        std::memcpy(tokens_left, start_left, sizeof tokens_left);
        std::memcpy(tokens_in_jail, start_jailed, sizeof tokens_in_jail);
        game_flags = start_flags;
        current_player = 0;
        throws_this_turn = doubles_in_row = 0;
        throw_dice();
        fake_sounds.clear();
        fake_messages.clear();
        benchmark::DoNotOptimize(moves_left);
    }
    if (!(game_flags & GF_GAME_ON)) state.SkipWithError("the game ended during the benchmark");
}
BENCHMARK(BM_Throw);

// The drop rule at one pointer position, as every pointer move runs it.
static void BM_DropRule(benchmark::State& state) {
    four_players_on_the_track();
    current_player = 0;
    dice[0].value = 3;
    dice[1].value = 4;
    moves_left = 7;
    moving_token = 1;
    int32_t x, y;
    square_centre(step_to_square(static_cast<uint8_t>(tokens[0][1].step + 4), 0), &x, &y);
    for (auto _ : state) {
        pointer_x = x;
        pointer_y = y;
        benchmark::DoNotOptimize(apply_drop_rule());
    }
}
BENCHMARK(BM_DropRule);

// point_to_square over a walk of points across the whole board.
static void BM_PointToSquare(benchmark::State& state) {
    fake_reset_program();
    int32_t x = board_rect.left, y = board_rect.top;
    for (auto _ : state) {
        benchmark::DoNotOptimize(point_to_square(x, y));
        x += 7;
        if (x > board_rect.right) x = board_rect.left, y = y >= board_rect.bottom ? board_rect.top : y + 5;
    }
}
BENCHMARK(BM_PointToSquare);
// The computer's choice for red with four tokens out, over every throw of
// two dice in turn: each throw's every way of playing out, weighed against
// the opponents' next throws.
static void BM_ComputerDecision(benchmark::State& state) {
    four_players_on_the_track();
    current_player = 0;
    game_flags &= ~GF_MAY_THROW;
    unsigned i = 0;
    for (auto _ : state) {
        dice[0].value = static_cast<uint8_t>(i % 6 + 1);
        dice[1].value = static_cast<uint8_t>(i / 6 % 6 + 1);
        moves_left = static_cast<uint8_t>(dice[0].value + dice[1].value);
        i += 1;
        MoveUse use;
        benchmark::DoNotOptimize(choose_use(read_position(), &use));
    }
}
BENCHMARK(BM_ComputerDecision)->Unit(benchmark::kMicrosecond);

// A whole game of four people with four tokens each, choosing at random
// among their legal drops found through the pick-up and drop rules at pixel
// points, the record file included (each game the first of its run).
// Arg 0: people try every square of the route; 1: only the squares their
// dice reach.
static void BM_WholeGame4x4(benchmark::State& state) {
    PlayOptions o;
    o.players = 4;
    o.tokens = 4;
    o.dice_drops_only = state.range(0) == 1;
    uint32_t chooser = 12345;
    std::srand(5);
    unsigned long throws = 0;
    for (auto _ : state) {
        fake_reset_program();
        self_play_one_game(o, chooser);
        state.PauseTiming();
        for (const FakeSound& sound : fake_sounds) throws += sound.file == "Dados.wav";
        state.ResumeTiming();
    }
    state.counters["throws/game"] = benchmark::Counter(double(throws) / state.iterations());
    delete_record_files();
}
BENCHMARK(BM_WholeGame4x4)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
