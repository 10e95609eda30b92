// korvalo-sim: the rules of the game without its window.
//   korvalo-sim play --games N --players P --tokens T [--cpu SEAT]... [--people random|greedy] [--seed S]
//                    [--verbose]
//   korvalo-sim script FILE
#include "tools/sim/script.h"
#include "tools/sim/self_play.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

static int usage() {
    std::fprintf(stderr, "usage: korvalo-sim play --games N --players P --tokens T [--cpu SEAT]... "
                         "[--people random|greedy] [--seed S]\n"
                         "       korvalo-sim script FILE\n");
    return 2;
}

static bool read_number(const char* text, unsigned low, unsigned high, unsigned* out) {
    char* end = nullptr;
    const unsigned long v = std::strtoul(text, &end, 10);
    if (!*text || *end || v < low || v > high) return false;
    *out = static_cast<unsigned>(v);
    return true;
}

static int play(int argc, char** argv) {
    PlayOptions o;
    for (int i = 2; i < argc; ++i) {
        const std::string a = argv[i];
        unsigned v;
        const bool has_value = i + 1 < argc;
        if (a == "--verbose") o.verbose = true;
        else if (a == "--games" && has_value && read_number(argv[++i], 1, 100000000, &v)) o.games = v;
        else if (a == "--players" && has_value && read_number(argv[++i], 2, 4, &v)) o.players = static_cast<uint8_t>(v);
        else if (a == "--tokens" && has_value && read_number(argv[++i], 1, 4, &v)) o.tokens = static_cast<uint8_t>(v);
        else if (a == "--seed" && has_value && read_number(argv[++i], 0, 4294967295u, &v)) o.seed = v;
        else if (a == "--cpu" && has_value && read_number(argv[++i], 0, 3, &v)) o.cpu[v] = 1;
        else if (a == "--people" && has_value && std::strcmp(argv[i + 1], "random") == 0)
            o.people = People::random, ++i;
        else if (a == "--people" && has_value && std::strcmp(argv[i + 1], "greedy") == 0)
            o.people = People::greedy, ++i;
        else return usage();
    }
    // Seats 1 and 3 are empty in a two-player game; one seat stays a person.
    unsigned seated_cpu = 0;
    for (unsigned seat = 0; seat < 4; ++seat) {
        const bool seated = o.players == 2 ? seat % 2 == 0 : seat < o.players;
        if (o.cpu[seat] && !seated) {
            std::fprintf(stderr, "seat %u is not seated with %u players\n", seat, o.players);
            return 2;
        }
        seated_cpu += o.cpu[seat];
    }
    if (seated_cpu >= o.players) {
        std::fprintf(stderr, "at least one seat must be played by a person\n");
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    const PlayTotals t = self_play(o);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("games played: %u (%u players, %u tokens, %u computer seats, %s people, seed %u)\n", t.games, o.players,
                o.tokens, seated_cpu, o.people == People::greedy ? "greedy" : "random", o.seed);
    std::printf("throws per game: mean %.1f, max %u\n", t.games ? double(t.throws) / t.games : 0.0, t.max_throws);
    std::printf("wins by seat:");
    for (unsigned seat = 0; seat < 4; ++seat)
        std::printf(" %u: %.1f%%", seat, t.games ? 100.0 * t.wins[seat] / t.games : 0.0);
    std::printf("\n\"Tres presadas\": %u, \"Castigo!!!\": %u, captures: %u\n", t.tres_presadas, t.castigos, t.captures);
    std::printf("\"Castigo!!!\" per game by seat:");
    for (unsigned seat = 0; seat < 4; ++seat)
        std::printf(" %u: %.2f", seat, t.games ? double(t.castigos_by_seat[seat]) / t.games : 0.0);
    std::printf("\ngame clock per game (people take no time): %.1f min\n",
                t.games ? t.game_clock_ms / 60000.0 / t.games : 0.0);
    std::printf("games per second: %.0f\n", seconds > 0 ? t.games / seconds : 0.0);
    std::printf("invariant violations: %u\n", t.violations);
    for (const std::string& v : t.first_violations) std::printf("  %s\n", v.c_str());
    return t.violations == 0 ? 0 : 1;
}

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "play") == 0) return play(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "script") == 0) return run_script(argv[2]);
    return usage();
}
