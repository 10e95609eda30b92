#include "saves/save_file.h"

#include "game/board.h"
#include "saves/crc32.h"
#include "game/rules.h"
#include "saves/saved_game.h"
#include "game/seam.h"
#include "game/state.h"
#include "records/records.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

namespace {

const char magic_line[] = "Zenta Korvalo partida";
const uint32_t format_version = 1;

// The turn's flags a saved game keeps, written by name in bit order. The
// others belong to the window (modal, activation, help) or to a press or a
// carry in progress, which a saved game never holds.
const uint32_t turn_flags = GF_CAN_MOVE | GF_MAY_THROW | GF_FIRST_HOME_DONE | GF_DOUBLES | GF_DOUBLE_ONE_OR_SIX |
                            GF_CAPTURE_POSSIBLE | GF_CAPTURED | GF_EXACT_REST;

// Every number of the format fits a long long (the game time is unsigned 32).
void add_line(std::string& out, const char* format, long long a = 0, long long b = 0, long long c = 0, long long d = 0,
              long long e = 0, long long f = 0) {
    char line[96];
    std::snprintf(line, sizeof line, format, a, b, c, d, e, f);
    out += line;
    out += '\n';
}

// The name's bytes as they are; a name that has lost its terminating NUL is
// written whole, and the saver's own check then refuses it.
void add_name_line(std::string& out, const char* key, const char* name) {
    out += key;
    out += ' ';
    out.append(name, std::find(name, name + NAME_SIZE, '\0'));
    out += '\n';
}

using Fields = std::vector<std::string_view>;

bool split_fields(std::string_view line, Fields* out) {
    out->clear();
    size_t start = 0;
    for (;;) {
        const size_t space = line.find(' ', start);
        const std::string_view field = line.substr(start, space == std::string_view::npos ? space : space - start);
        if (field.empty()) return false; // doubled, leading or trailing space
        out->push_back(field);
        if (space == std::string_view::npos) return true;
        start = space + 1;
    }
}

// Only the form the writer uses: decimal digits, no sign, no leading zero.
bool read_unsigned(std::string_view text, uint32_t max, uint32_t* out) {
    if (text.empty() || text.size() > 10 || (text.size() > 1 && text[0] == '0')) return false;
    uint64_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + static_cast<unsigned>(c - '0');
    }
    if (v > max) return false;
    *out = static_cast<uint32_t>(v);
    return true;
}

bool read_byte(std::string_view text, uint32_t max, uint8_t* out) {
    uint32_t v;
    if (!read_unsigned(text, max, &v)) return false;
    *out = static_cast<uint8_t>(v);
    return true;
}

bool read_signed(std::string_view text, int32_t* out) {
    const bool negative = !text.empty() && text[0] == '-';
    uint32_t v;
    if (!read_unsigned(negative ? text.substr(1) : text, 32768, &v)) return false;
    if (negative && v == 0) return false;
    if (!negative && v > 32767) return false;
    *out = negative ? -static_cast<int32_t>(v) : static_cast<int32_t>(v);
    return true;
}

struct Lines {
    std::vector<std::string_view> all;
    size_t next = 0;
};

// The next line, with its key and exactly count values after it.
bool take(Lines& in, const char* key, size_t count, Fields* fields) {
    if (in.next >= in.all.size()) return false;
    if (!split_fields(in.all[in.next], fields) || fields->size() != count + 1 || (*fields)[0] != key) return false;
    in.next += 1;
    return true;
}

bool take_byte(Lines& in, const char* key, uint32_t max, uint8_t* out) {
    Fields f;
    return take(in, key, 1, &f) && read_byte(f[1], max, out);
}

// A name line: the key and a space, then the name's bytes to the line end
// (an empty name leaves the line ending in that space). The line is taken
// once its key matches: a name it cannot hold refuses the whole file.
bool take_name(Lines& in, const std::string& key, char* name) {
    if (in.next >= in.all.size()) return false;
    const std::string_view line = in.all[in.next];
    if (line.size() < key.size() + 1 || line.substr(0, key.size()) != key || line[key.size()] != ' ') return false;
    in.next += 1;
    const std::string_view bytes = line.substr(key.size() + 1);
    if (bytes.size() > NAME_SIZE - 1) return false;
    for (char c : bytes)
        if (!name_byte_ok(static_cast<unsigned char>(c))) return false;
    std::memset(name, 0, NAME_SIZE);
    std::memcpy(name, bytes.data(), bytes.size());
    return true;
}

bool read_flags(Lines& in, uint32_t* flags) {
    if (in.next >= in.all.size()) return false;
    Fields f;
    const std::string_view line = in.all[in.next];
    if (line == "flags") {
        f.assign(1, line);
    } else if (!split_fields(line, &f) || f[0] != "flags") {
        return false;
    }
    // Each name at most once and in the writer's order.
    size_t next_flag = 0;
    *flags = 0;
    for (size_t i = 1; i < f.size(); ++i) {
        while (next_flag < FLAG_COUNT &&
               (!(flag_names[next_flag].bit & turn_flags) || f[i] != flag_names[next_flag].name))
            ++next_flag;
        if (next_flag == FLAG_COUNT) return false;
        *flags |= flag_names[next_flag++].bit;
    }
    in.next += 1;
    return true;
}

bool read_die(Lines& in, unsigned i, SavedDie* d) {
    Fields f;
    int32_t x, y;
    if (!take(in, "die", 5, &f) || f[1] != (i == 0 ? "0" : "1")) return false;
    if (!read_signed(f[2], &x) || !read_signed(f[3], &y)) return false;
    d->x = x;
    d->y = y;
    return read_byte(f[4], 12, &d->value) && read_byte(f[5], 6, &d->face);
}

bool read_four(Lines& in, const char* key, uint32_t max, uint8_t* values) {
    Fields f;
    if (!take(in, key, SEATS, &f)) return false;
    for (unsigned seat = 0; seat < SEATS; ++seat)
        if (!read_byte(f[seat + 1], max, &values[seat])) return false;
    return true;
}

bool read_token(Lines& in, unsigned seat, unsigned t, SavedToken* tok) {
    Fields f;
    if (!take(in, "token", 6, &f) || f[1] != std::to_string(seat) || f[2] != std::to_string(t)) return false;
    return read_byte(f[3], 255, &tok->state) && read_byte(f[4], 255, &tok->step) && read_signed(f[5], &tok->x) &&
           read_signed(f[6], &tok->y);
}

// Splits the text into lines and checks its frame: size, the line end after
// every line, the checksum line last and the checksum itself.
bool read_frame(const std::string& text, Lines* in) {
    if (text.empty() || text.size() > SAVE_TEXT_MAX || text.back() != '\n') return false;
    const std::string_view all(text);
    size_t start = 0;
    while (start < all.size()) {
        const size_t end = all.find('\n', start);
        in->all.push_back(all.substr(start, end - start));
        start = end + 1;
    }
    if (in->all.size() < 3) return false;
    const std::string_view last = in->all.back();
    if (last.size() != 14 || last.substr(0, 6) != "crc32 ") return false;
    uint32_t stored = 0;
    for (char c : last.substr(6)) {
        const bool digit = c >= '0' && c <= '9', letter = c >= 'a' && c <= 'f';
        if (!digit && !letter) return false;
        stored = stored << 4 | static_cast<uint32_t>(digit ? c - '0' : c - 'a' + 10);
    }
    const size_t content = text.size() - last.size() - 1;
    if (crc32_of(text.data(), content) != stored) return false;
    in->all.pop_back();
    return true;
}

} // namespace

bool read_saved_game(const std::string& text, SavedGame* g) {
    Lines in;
    if (!read_frame(text, &in)) return false;
    Fields f;
    uint32_t version;
    if (in.all[0] != magic_line) return false;
    in.next = 1;
    if (!take(in, "version", 1, &f) || !read_unsigned(f[1], 0xFFFFFFFFu, &version) || version != format_version)
        return false;

    if (!take_byte(in, "players", 4, &g->players) || g->players < 2) return false;
    g->last = g->players == 4 ? 3 : 2;
    g->step = g->players == 2 ? 2 : 1;
    if (!take_byte(in, "tokens", TOKEN_SLOTS, &g->tokens) || g->tokens < 1) return false;
    if (!take(in, "soplar", 1, &f) || (f[1] != "on" && f[1] != "off")) return false;
    g->soplar = f[1] == "on";
    if (!read_four(in, "cpu", 1, g->cpu)) return false;
    for (unsigned seat = 0; seat < SEATS; ++seat)
        if (!take_name(in, "name " + std::to_string(seat), g->names[seat])) return false;
    g->has_first_home = in.next < in.all.size() && in.all[in.next].substr(0, 11) == "first_home ";
    if (g->has_first_home && !take_name(in, "first_home", g->first_home)) return false;
    if (!take(in, "time", 1, &f) || !read_unsigned(f[1], 0xFFFFFFFFu, &g->time)) return false;
    if (!take_byte(in, "current", SEATS - 1, &g->current)) return false;
    if (!read_flags(in, &g->flags)) return false;
    if (!read_die(in, 0, &g->dice[0]) || !read_die(in, 1, &g->dice[1])) return false;
    if (!take_byte(in, "dice_count", 2, &g->dice_count) || !take_byte(in, "moves_left", 12, &g->moves_left) ||
        !take_byte(in, "throws_this_turn", 255, &g->throws_this_turn) ||
        !take_byte(in, "throws_left", 2, &g->throws_left) || !take_byte(in, "doubles_in_row", 2, &g->doubles_in_row) ||
        !take_byte(in, "rest_token", TOKEN_SLOTS - 1, &g->rest_token) ||
        !take_byte(in, "culprit_token", TOKEN_SLOTS - 1, &g->culprit_token))
        return false;
    if (!read_four(in, "tokens_left", TOKEN_SLOTS, g->tokens_left) ||
        !read_four(in, "tokens_in_jail", TOKEN_SLOTS, g->tokens_in_jail))
        return false;
    std::memset(g->token, 0, sizeof g->token);
    for (unsigned seat = 0; seat < SEATS; ++seat) {
        if (!g->seated(seat)) continue;
        for (unsigned t = 0; t < g->tokens; ++t)
            if (!read_token(in, seat, t, &g->token[seat][t])) return false;
    }
    return in.next == in.all.size();
}

namespace {

bool parse_game(const std::string& text, SavedGame* g) { return read_saved_game(text, g) && saved_game_sound(*g); }

void recreate_record_file(const SavedGame& g) {
    create_record_file();
    if (g.tokens > 1 && (g.flags & GF_FIRST_HOME_DONE)) restore_first_home(g.has_first_home ? g.first_home : nullptr);
}

void apply_game(const SavedGame& g, uint32_t now) {
    // Numbered as new_game numbers: a game loaded over a running one takes
    // its number and its record file.
    if (!(game_flags & GF_GAME_ON) && game_number < LAST_GAME_NUMBER) game_number += 1;
    game_flags = (game_flags & (GF_MODAL | GF_ANIMATE | GF_HELP_OPEN)) | GF_GAME_ON | GF_APP_ACTIVE | g.flags |
                 (g.soplar ? uint32_t{GF_SOPLAR} : 0u);
    player_count = g.players;
    tokens_per_player = g.tokens;
    seat_players();
    for (unsigned seat = 0; seat < SEATS; ++seat) {
        cpu_player[seat] = g.cpu[seat];
        std::memcpy(player_name[seat], g.names[seat], NAME_SIZE);
        const bool seated = g.seated(seat);
        tokens_left[seat] = seated ? g.tokens_left[seat] : 0;
        tokens_in_jail[seat] = seated ? g.tokens_in_jail[seat] : 0;
        for (unsigned t = 0; t < TOKEN_SLOTS; ++t) {
            TokenRecord& tok = tokens[seat][t];
            const SavedToken& saved = g.token[seat][t];
            const bool used = seated && t < g.tokens;
            tok.state = used ? saved.state : 0;
            tok.step = used ? saved.step : 0;
            tok.x = static_cast<uint16_t>(used ? saved.x + board_dx : 0);
            tok.y = static_cast<uint16_t>(used ? saved.y + board_dy : 0);
        }
    }
    reset_dice(); // the dice ranges of this screen
    for (uint8_t i = 0; i < 2; ++i) {
        // The save does not say its screen: a die this one could not have
        // left where it lies comes into its range, as at a display change,
        // and a die in view is moved off whatever it would hide here.
        const SavedDie& d = g.dice[i];
        if (i < g.dice_count && d.face != 0) {
            place_shown_die(i, d.x, d.y);
        } else if (die_in_reach(i, d.x, d.y)) {
            dice[i].x = static_cast<int16_t>(d.x);
            dice[i].y = static_cast<int16_t>(d.y);
        } else {
            put_die_in_range(i, d.x, d.y);
        }
        dice[i].value = g.dice[i].value;
        dice[i].face = g.dice[i].face;
    }
    dice_count = g.dice_count;
    moves_left = g.moves_left;
    throws_this_turn = g.throws_this_turn;
    throws_left = g.throws_left;
    doubles_in_row = g.doubles_in_row;
    rest_token = g.rest_token;
    culprit_token = g.culprit_token;
    current_player = g.current;
    move_steps = 0;
    // A computer seat waits its full second, as at every turn change.
    cpu_last_tick = now;
    game_start_tick = now - g.time;
    recreate_record_file(g);
    invalidate_rect(0, 0, screen_w, screen_h, false);
    set_pointer(POINTER_PLAYER, current_player);
}

} // namespace

bool name_byte_ok(unsigned char c) {
    if (c < 0x20 || c == 0x7F) return false;
    return c != 0x81 && c != 0x8D && c != 0x8F && c != 0x90 && c != 0x9D;
}

std::string save_game_text(uint32_t now) {
    std::string out = std::string(magic_line) + "\n";
    add_line(out, "version %lld", format_version);
    add_line(out, "players %lld", player_count);
    add_line(out, "tokens %lld", tokens_per_player);
    out += (game_flags & GF_SOPLAR) ? "soplar on\n" : "soplar off\n";
    add_line(out, "cpu %lld %lld %lld %lld", cpu_player[0] != 0, cpu_player[1] != 0, cpu_player[2] != 0,
             cpu_player[3] != 0);
    for (unsigned seat = 0; seat < SEATS; ++seat)
        add_name_line(out, ("name " + std::to_string(seat)).c_str(), player_name[seat]);
    // An unknown name is left out rather than written empty: no seat with a
    // token home need bear the empty name, and the loader would refuse it.
    const GameRecord& r = game_record;
    if (tokens_per_player > 1 && (game_flags & GF_FIRST_HOME_DONE) && r.first_home_known)
        add_name_line(out, "first_home", r.names[RECORD_FIRST_HOME]);
    add_line(out, "time %lld", static_cast<long long>(now - game_start_tick));
    add_line(out, "current %lld", current_player);
    out += "flags";
    for (const FlagName& f : flag_names)
        if (game_flags & turn_flags & f.bit) out += std::string(" ") + f.name;
    out += '\n';
    for (unsigned i = 0; i < 2; ++i)
        add_line(out, "die %lld %lld %lld %lld %lld", i, dice[i].x, dice[i].y, dice[i].value, dice[i].face);
    add_line(out, "dice_count %lld", dice_count);
    add_line(out, "moves_left %lld", moves_left);
    add_line(out, "throws_this_turn %lld", throws_this_turn);
    add_line(out, "throws_left %lld", throws_left);
    add_line(out, "doubles_in_row %lld", doubles_in_row);
    add_line(out, "rest_token %lld", rest_token);
    add_line(out, "culprit_token %lld", culprit_token);
    uint8_t left[SEATS] = {}, jailed[SEATS] = {};
    for (unsigned seat = 0; seat < SEATS; ++seat) {
        if (!is_seated(seat)) continue;
        left[seat] = tokens_left[seat];
        jailed[seat] = tokens_in_jail[seat];
    }
    add_line(out, "tokens_left %lld %lld %lld %lld", left[0], left[1], left[2], left[3]);
    add_line(out, "tokens_in_jail %lld %lld %lld %lld", jailed[0], jailed[1], jailed[2], jailed[3]);
    for (unsigned seat = 0; seat < SEATS; ++seat) {
        if (!is_seated(seat)) continue;
        for (unsigned t = 0; t < tokens_per_player && t < TOKEN_SLOTS; ++t) {
            const TokenRecord& tok = tokens[seat][t];
            add_line(out, "token %lld %lld %lld %lld %lld %lld", seat, t, tok.state, tok.step, tok.x - board_dx,
                     tok.y - board_dy);
        }
    }
    char crc[16];
    std::snprintf(crc, sizeof crc, "crc32 %08lx\n", static_cast<unsigned long>(crc32_of(out.data(), out.size())));
    return out + crc;
}

bool check_game_text(const std::string& text) {
    SavedGame g{};
    return parse_game(text, &g);
}

bool load_game_text(const std::string& text, uint32_t now) {
    SavedGame g{};
    if (!parse_game(text, &g)) return false;
    apply_game(g, now);
    return true;
}
