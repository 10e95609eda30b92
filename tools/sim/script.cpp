// Scenario files: one command a line, run against the real rules with the
// fake window. Every failed expectation names its line and the actual value.
#include "tools/sim/script.h"

#include "game/board.h"
#include "game/cpu.h"
#include "game/rules.h"
#include "saves/save_file.h"
#include "game/state.h"
#include "records/records.h"
#include "tools/sim/board_check.h"
#include "tools/sim/cp1252.h"
#include "tools/sim/fake_window.h"
#include "tools/sim/show_state.h"
#include "tools/sim/sim_driver.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct ScriptError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// State of one script run beyond the game's own.
std::string chosen_names[SEATS];
bool name_given[SEATS];
bool last_drop_ok;
bool have_last_drop;

std::vector<std::string> split_line(const std::string& line) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
        if (i >= line.size() || line[i] == '#') break;
        std::string word;
        if (line[i] == '"') {
            size_t end = line.find('"', i + 1);
            if (end == std::string::npos) throw ScriptError("unterminated quoted text");
            word = line.substr(i + 1, end - i - 1);
            i = end + 1;
        } else {
            // Outside quotes a # ends the line even inside a word.
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' && line[i] != '#')
                word += line[i++];
        }
        std::string bytes;
        if (!utf8_to_cp1252(word, &bytes)) throw ScriptError("text not representable in Windows-1252: " + word);
        words.push_back(bytes);
    }
    return words;
}

long number(const std::string& word) {
    char* end = nullptr;
    const long v = std::strtol(word.c_str(), &end, 10);
    if (word.empty() || *end) throw ScriptError("not a number: " + word);
    return v;
}

long number_in(const std::string& word, long low, long high) {
    const long v = number(word);
    if (v < low || v > high)
        throw ScriptError(word + " is out of range " + std::to_string(low) + ".." + std::to_string(high));
    return v;
}

bool on_off(const std::string& word, const char* yes, const char* no) {
    if (word == yes) return true;
    if (word == no) return false;
    throw ScriptError("expected " + std::string(yes) + " or " + no + ", got " + word);
}

void need(const std::vector<std::string>& w, size_t low, size_t high) {
    if (w.size() < low || w.size() > high) throw ScriptError("wrong number of arguments for " + w[0]);
}

[[noreturn]] void fail_expectation(const std::string& what, const std::string& expected, const std::string& actual) {
    throw ScriptError(what + ": expected " + cp1252_to_utf8(expected) + ", got " + cp1252_to_utf8(actual));
}

void expect_number(const std::string& what, long expected, long actual) {
    if (expected != actual) fail_expectation(what, std::to_string(expected), std::to_string(actual));
}

void expect_yes(const std::string& what, bool expected, bool actual) {
    if (expected != actual) fail_expectation(what, expected ? "yes" : "no", actual ? "yes" : "no");
}

uint8_t token_arg(const std::string& word) { return static_cast<uint8_t>(number_in(word, 0, TOKEN_SLOTS - 1)); }

uint8_t seat_arg(const std::string& word) { return static_cast<uint8_t>(number_in(word, 0, SEATS - 1)); }

void place_command(uint8_t seat, uint8_t t, const std::vector<std::string>& w) {
    if (!is_seated(seat) || t >= tokens_per_player) throw ScriptError("no such token in this game");
    TokenRecord& tok = tokens[seat][t];
    if (tok.state & TS_HOME) tokens_left[seat] += 1;
    if (tok.state & TS_IN_JAIL) tokens_in_jail[seat] -= 1;
    if (w[3] == "jail") {
        put_in_jail(seat, t);
    } else if (w[3] == "home") {
        tokens_left[seat] -= 1;
        place_token(HOME_SQUARE, seat, t);
        tok.state = TS_HOME;
        tok.step = STEP_FINISHED;
    } else if (w[3] == "step") {
        need(w, 5, 5);
        const uint8_t step = static_cast<uint8_t>(number_in(w[4], 0, 70));
        tok.state = TS_ON_TRACK | TS_MAY_MOVE;
        if (step >= STEP_LAST_TRACK) tok.state |= TS_IN_STRETCH;
        tok.step = step;
        place_token(step_to_square(step, seat), seat, t);
    } else {
        throw ScriptError("place takes jail, home or step N");
    }
}

void turn_command(uint8_t seat) {
    if (!is_seated(seat)) throw ScriptError("seat is not seated");
    current_player = seat == 0 ? last_player : static_cast<uint8_t>(seat - player_step);
    pass_turn();
}

void script_dice(const std::vector<std::string>& w) {
    need(w, 2, 3);
    scripted_dice.clear();
    for (size_t i = 1; i < w.size(); ++i) scripted_dice.push_back(static_cast<int>(number_in(w[i], 1, 6)));
}

void drop_command(const std::vector<std::string>& w) {
    need(w, 3, 5);
    const uint8_t t = token_arg(w[1]);
    int32_t x, y;
    if (w[2] == "square") {
        need(w, 4, 4);
        if (!square_centre(static_cast<uint8_t>(number_in(w[3], 0, 255)), &x, &y))
            throw ScriptError("square has no cell");
    } else if (w[2] == "at") {
        need(w, 5, 5);
        x = static_cast<int32_t>(number(w[3]));
        y = static_cast<int32_t>(number(w[4]));
    } else {
        need(w, 3, 3);
        const uint8_t step = static_cast<uint8_t>(number_in(w[2], 0, STEP_HOME));
        if (!square_centre(step_to_square(step, current_player), &x, &y)) throw ScriptError("step has no square");
    }
    int32_t px, py;
    if (!(game_flags & GF_GAME_ON)) throw ScriptError("no game is running");
    if (cpu_player[current_player]) throw ScriptError("the current seat is played by the computer");
    if (t >= tokens_per_player || !token_pick_point(t, &px, &py)) throw ScriptError("token cannot be picked up");
    sim_press(px, py);
    if (!(game_flags & GF_DRAGGING) || moving_token != t) throw ScriptError("token cannot be picked up");
    sim_move(x, y);
    have_last_drop = true;
    last_drop_ok = (game_flags & GF_DROP_OK) != 0;
    sim_release(x, y);
}

uint32_t flag_bit(const std::string& name) {
    for (const FlagName& f : flag_names)
        if (name == f.name) return f.bit;
    throw ScriptError("unknown flag " + name);
}

std::vector<std::string> record_names(long* size) {
    std::vector<std::string> names;
    FILE* f = std::fopen(record_file_name, "rb");
    if (!f) throw ScriptError(std::string("record file ") + record_file_name + " cannot be opened");
    for (int i = 0; i < 3; ++i) {
        char name[NAME_SIZE];
        read_record_string(f, name);
        names.push_back(name);
    }
    std::fseek(f, 0, SEEK_END);
    *size = std::ftell(f);
    std::fclose(f);
    return names;
}

void token_expect(const std::vector<std::string>& w) {
    need(w, 5, 6);
    const uint8_t seat = seat_arg(w[2]), t = token_arg(w[3]);
    const TokenRecord& tok = tokens[seat][t];
    std::string actual;
    if (tok.state == TS_IN_JAIL && tok.step == 0) actual = "jail";
    else if (tok.state == TS_HOME && tok.step == STEP_FINISHED) actual = "home";
    else if (tok.state & TS_ON_TRACK) actual = "step " + std::to_string(tok.step);
    else actual = "state " + std::to_string(tok.state) + " step " + std::to_string(tok.step);
    std::string expected = w[4];
    if (w[4] == "step") {
        need(w, 6, 6);
        expected += " " + std::to_string(number(w[5]));
    }
    if (expected != actual) fail_expectation("token " + w[2] + " " + w[3], expected, actual);
}

void expect_command(const std::vector<std::string>& w) {
    need(w, 2, 6);
    const std::string& what = w[1];
    if (what == "current") {
        need(w, 3, 3);
        expect_number("current player", number(w[2]), current_player);
    } else if (what == "dice") {
        need(w, 4, 4);
        const std::string expected = w[2] + " " + w[3];
        const std::string actual = std::to_string(dice[0].value) + " " + std::to_string(dice[1].value);
        if (std::to_string(number(w[2])) + " " + std::to_string(number(w[3])) != actual)
            fail_expectation("dice", expected, actual);
    } else if (what == "moves_left") {
        need(w, 3, 3);
        expect_number("moves_left", number(w[2]), moves_left);
    } else if (what == "throws_left") {
        need(w, 3, 3);
        expect_number("throws_left", number(w[2]), throws_left);
    } else if (what == "doubles_in_row") {
        need(w, 3, 3);
        expect_number("doubles_in_row", number(w[2]), doubles_in_row);
    } else if (what == "dice_count") {
        need(w, 3, 3);
        expect_number("dice_count", number(w[2]), dice_count);
    } else if (what == "token") {
        token_expect(w);
    } else if (what == "board") {
        need(w, 2, 2);
        if (const std::string d = board_disagreement(); !d.empty()) throw ScriptError(d);
    } else if (what == "die") {
        need(w, 5, 5);
        const DieRecord& d = dice[number_in(w[2], 0, 1)];
        expect_number("die " + w[2] + " x", number(w[3]), d.x);
        expect_number("die " + w[2] + " y", number(w[4]), d.y);
    } else if (what == "movable" || what == "stretch") {
        need(w, 5, 5);
        const TokenRecord& tok = tokens[seat_arg(w[2])][token_arg(w[3])];
        const uint8_t bit = what == "movable" ? TS_MAY_MOVE : TS_IN_STRETCH;
        expect_yes(what + " " + w[2] + " " + w[3], on_off(w[4], "yes", "no"), (tok.state & bit) != 0);
    } else if (what == "tokens_left") {
        need(w, 4, 4);
        expect_number("tokens_left of " + w[2], number(w[3]), tokens_left[seat_arg(w[2])]);
    } else if (what == "in_jail") {
        need(w, 4, 4);
        expect_number("tokens_in_jail of " + w[2], number(w[3]), tokens_in_jail[seat_arg(w[2])]);
    } else if (what == "flag") {
        need(w, 4, 4);
        expect_yes(w[2], on_off(w[3], "on", "off"), (game_flags & flag_bit(w[2])) != 0);
    } else if (what == "sound" || what == "nosound") {
        need(w, 3, 3);
        const bool played = fake_sound_played(w[2].c_str());
        if (played != (what == "sound"))
            fail_expectation("sound " + w[2], what == "sound" ? "played" : "not played",
                             played ? "played" : "not played");
    } else if (what == "message") {
        need(w, 3, 3);
        bool found = false;
        std::string shown;
        for (const FakeMessage& m : fake_messages) {
            found = found || m.text == w[2] || m.caption == w[2];
            shown += "[" + m.caption + ": " + m.text + "]";
        }
        if (!found) fail_expectation("message", w[2], shown.empty() ? "no message" : shown);
    } else if (what == "nomessage") {
        need(w, 2, 2);
        if (!fake_messages.empty()) fail_expectation("messages", "none", fake_messages[0].text);
    } else if (what == "drop") {
        need(w, 3, 3);
        if (!have_last_drop) throw ScriptError("no drop was made");
        expect_yes("drop accepted", on_off(w[2], "ok", "refused"), last_drop_ok);
    } else if (what == "culprit") {
        need(w, 3, 3);
        expect_number("culprit_token", number(w[2]), culprit_token);
    } else if (what == "last_player") {
        need(w, 3, 3);
        expect_number("last player", number(w[2]), find_last_player());
    } else if (what == "record") {
        need(w, 5, 5);
        long size;
        const std::vector<std::string> names = record_names(&size);
        const std::string expected = w[2] + "|" + w[3] + "|" + w[4];
        const std::string actual = names[0] + "|" + names[1] + "|" + names[2];
        if (expected != actual) fail_expectation("record names", expected, actual);
    } else if (what == "record_bytes") {
        need(w, 3, 3);
        long size;
        record_names(&size);
        expect_number("record size", number(w[2]), size);
    } else if (what == "game_number") {
        need(w, 3, 3);
        expect_number("game number", number(w[2]), game_number);
    } else if (what == "game_time") {
        need(w, 3, 3);
        expect_number("game time", number(w[2]), static_cast<long>(fake_clock - game_start_tick));
    } else if (what == "left") {
        need(w, 3, 3);
        expect_yes("program left", on_off(w[2], "yes", "no"), fake_program_left);
    } else if (what == "game") {
        need(w, 3, 3);
        expect_yes("game on", on_off(w[2], "on", "over"), (game_flags & GF_GAME_ON) != 0);
    } else if (what == "square") {
        need(w, 5, 5);
        expect_number("step_to_square", number(w[4]),
                      step_to_square(static_cast<uint8_t>(number_in(w[2], 0, 255)), seat_arg(w[3])));
    } else if (what == "point") {
        need(w, 5, 5);
        expect_number("point_to_square", number(w[4]),
                      point_to_square(static_cast<int32_t>(number(w[2])), static_cast<int32_t>(number(w[3]))));
    } else if (what == "pick") {
        need(w, 5, 5);
        expect_number("token_under_pointer", w[4] == "none" ? uint8_t{NO_TOKEN} : token_arg(w[4]),
                      token_at_point(static_cast<int32_t>(number(w[2])), static_cast<int32_t>(number(w[3]))));
    } else {
        throw ScriptError("unknown expectation " + what);
    }
}

void new_command() {
    for (unsigned seat = 0; seat < SEATS; ++seat) {
        if (name_given[seat]) continue;
        unsigned number = seat + 1;
        if (player_count == 2 && seat == 2) number = 2;
        std::snprintf(player_name[seat], NAME_SIZE, "Jugador %u", number);
    }
    for (unsigned seat = 0; seat < SEATS; ++seat)
        if (name_given[seat]) std::snprintf(player_name[seat], NAME_SIZE, "%s", chosen_names[seat].c_str());
    seat_players();
    new_game();
}

void save_file_command(const std::vector<std::string>& w) {
    need(w, 2, 2);
    if (!(game_flags & GF_GAME_ON)) throw ScriptError("no game is running");
    const std::string text = save_game_text(fake_clock);
    std::ofstream out(w[1], std::ios::binary);
    if (!out.write(text.data(), static_cast<std::streamsize>(text.size()))) throw ScriptError("cannot write " + w[1]);
}

// "load FILE refused" expects the loader to turn the file down.
void load_file_command(const std::vector<std::string>& w) {
    need(w, 2, 3);
    const bool expect_refusal = w.size() == 3 && on_off(w[2], "refused", "ok");
    std::ifstream in(w[1], std::ios::binary);
    if (!in) throw ScriptError("cannot read " + w[1]);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const bool loaded = load_game_text(text, fake_clock);
    expect_yes("load of " + w[1], !expect_refusal, loaded);
}

void run_command(const std::vector<std::string>& w) {
    const std::string& c = w[0];
    if (c != "expect" && c != "show") fake_clear_events();
    if (c == "screen") {
        need(w, 3, 3);
        // As the window sees a new display: the board, its tokens and the dice move.
        move_board_to_screen(static_cast<uint16_t>(number_in(w[1], 1, 65535)),
                             static_cast<uint16_t>(number_in(w[2], 1, 65535)));
    } else if (c == "players") {
        need(w, 2, 2);
        player_count = static_cast<uint8_t>(number_in(w[1], 2, 4));
    } else if (c == "tokens") {
        need(w, 2, 2);
        tokens_per_player = static_cast<uint8_t>(number_in(w[1], 1, 4));
    } else if (c == "name") {
        need(w, 3, 3);
        const uint8_t seat = seat_arg(w[1]);
        if (w[2].size() > NAME_SIZE - 1) throw ScriptError("a name has at most 9 characters");
        chosen_names[seat] = w[2];
        name_given[seat] = true;
    } else if (c == "cpu") {
        need(w, 3, 3);
        cpu_player[seat_arg(w[1])] = on_off(w[2], "on", "off") ? 1 : 0;
    } else if (c == "soplar") {
        need(w, 2, 2);
        if (on_off(w[1], "on", "off")) game_flags |= GF_SOPLAR;
        else game_flags &= ~GF_SOPLAR;
    } else if (c == "new") {
        need(w, 1, 1);
        new_command();
    } else if (c == "place") {
        need(w, 4, 5);
        place_command(seat_arg(w[1]), token_arg(w[2]), w);
    } else if (c == "turn") {
        need(w, 2, 2);
        turn_command(seat_arg(w[1]));
    } else if (c == "dice") {
        script_dice(w);
    } else if (c == "throw") {
        script_dice(w);
        const bool may = (game_flags & GF_GAME_ON) && (game_flags & GF_MAY_THROW) && !cpu_player[current_player];
        if (!may) throw ScriptError("the dice may not be thrown by a person now");
        throw_dice();
    } else if (c == "drop") {
        drop_command(w);
    } else if (c == "die") {
        // Where a bounce or a drag leaves a die at rest.
        need(w, 4, 4);
        const uint8_t i = static_cast<uint8_t>(number_in(w[1], 0, 1));
        const long x = number_in(w[2], -32768, 32767), y = number_in(w[3], -32768, 32767);
        if (!die_in_reach(i, x, y)) throw ScriptError("no bounce or drag leaves the die there on this screen");
        dice[i].x = static_cast<int16_t>(x);
        dice[i].y = static_cast<int16_t>(y);
    } else if (c == "flag") {
        need(w, 3, 3);
        const uint32_t bit = flag_bit(w[1]);
        game_flags = on_off(w[2], "on", "off") ? game_flags | bit : game_flags & ~bit;
    } else if (c == "wait") {
        need(w, 2, 2);
        for (long ms = number_in(w[1], 0, 100000000); ms > 0; ms -= 100) {
            fake_clock += 100;
            cpu_tick();
        }
    } else if (c == "gameover") {
        need(w, 2, 2);
        fake_game_over_answer = on_off(w[1], "seguir", "salir") ? 1 : 0;
    } else if (c == "save") {
        save_file_command(w);
    } else if (c == "load") {
        load_file_command(w);
    } else if (c == "expect") {
        expect_command(w);
    } else if (c == "show") {
        show_state(stdout);
    } else {
        throw ScriptError("unknown command " + c);
    }
}

} // namespace

int run_script(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "%s: cannot be read\n", path);
        return 2;
    }
    fake_reset_program();
    std::srand(1);
    for (unsigned seat = 0; seat < SEATS; ++seat) name_given[seat] = false;
    have_last_drop = false;
    std::string line;
    unsigned line_number = 0;
    unsigned expectations = 0;
    int status = 0;
    while (std::getline(in, line)) {
        ++line_number;
        try {
            const std::vector<std::string> words = split_line(line);
            if (words.empty()) continue;
            if (words[0] == "expect") ++expectations;
            run_command(words);
        } catch (const ScriptError& e) {
            std::fprintf(stderr, "%s:%u: %s\n", path, line_number, e.what());
            status = 1;
            break;
        }
    }
    delete_record_files();
    if (status == 0) std::printf("%s: %u lines, %u expectations held\n", path, line_number, expectations);
    return status;
}
