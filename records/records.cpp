#include "records/records.h"

#include "game/seam.h"
#include "game/state.h"

#include <cstdio>
#include <cstring>

char record_folder[RECORD_FOLDER_SIZE];
uint8_t record_tally[4][RECORD_COUNTS];
uint32_t total_game_time;
uint8_t highest_game_number;
GameOverTexts game_over_texts;
GameRecord game_record;

void format_record_name(char* out, unsigned game) {
    std::snprintf(out, RECORD_PATH_SIZE, "%s%s%u%s", record_folder, "Juego", game, ".dat");
}

// Every operation opens the file by name and closes it again. A cleaner may
// have removed the record folder while the game ran: it is made again and
// the write tried once more; a file that still cannot be opened is passed
// over in silence.
static void write_record() {
    FILE* f = std::fopen(record_file_name, "wb");
    if (!f && record_folder[0]) {
        make_record_folder();
        f = std::fopen(record_file_name, "wb");
    }
    if (!f) return;
    const GameRecord& r = game_record;
    for (unsigned i = 0; i < r.names_held; ++i) std::fwrite(r.names[i], 1, std::strlen(r.names[i]) + 1, f);
    if (r.has_duration) {
        const unsigned char b[] = {static_cast<unsigned char>(r.duration), static_cast<unsigned char>(r.duration >> 8),
                                   static_cast<unsigned char>(r.duration >> 16),
                                   static_cast<unsigned char>(r.duration >> 24)};
        std::fwrite(b, 1, sizeof b, f);
    }
    std::fclose(f);
}

static void set_name(unsigned index, const char* name) {
    std::snprintf(game_record.names[index], NAME_SIZE, "%.*s", NAME_SIZE - 1, name);
    if (game_record.names_held <= index) game_record.names_held = static_cast<uint8_t>(index + 1);
}

void create_record_file() {
    format_record_name(record_file_name, game_number);
    if (game_number > highest_game_number) highest_game_number = game_number;
    game_record = GameRecord{};
    write_record();
}

void restore_first_home(const char* name) {
    set_name(RECORD_FIRST_HOME, name ? name : "");
    game_record.first_home_known = name != nullptr;
    write_record();
}

void append_first_home() {
    set_name(RECORD_FIRST_HOME, player_name[current_player]);
    game_record.first_home_known = true;
    write_record();
}

void append_result() {
    if (tokens_per_player == 1) set_name(RECORD_FIRST_HOME, player_name[current_player]);
    set_name(RECORD_LAST_PLAYER, player_name[find_last_player()]);
    set_name(RECORD_WINNER, player_name[current_player]);
    write_record();
}

uint8_t find_last_player() {
    if (player_count == 2) return current_player == 0 ? 2 : 0;
    uint8_t chosen = 0;
    bool have = false;
    uint16_t least = 0;
    for (unsigned seat = 0; player_step != 0 && seat <= last_player; seat += player_step) {
        if (seat == current_player) continue;
        uint16_t progress = 0;
        for (const TokenRecord& t : tokens[seat]) progress = static_cast<uint16_t>(progress + t.step);
        if (!have || progress < least) {
            chosen = static_cast<uint8_t>(seat);
            least = progress;
            have = true;
        }
    }
    return chosen;
}

void read_record_string(FILE* file, char* buffer) {
    unsigned stored = 0;
    for (int c = std::fgetc(file); c != EOF && c != 0; c = std::fgetc(file))
        if (stored < NAME_SIZE - 1) buffer[stored++] = static_cast<char>(c);
    buffer[stored] = 0;
}

static bool read_duration(FILE* f, uint32_t* duration) {
    unsigned char b[4];
    if (std::fread(b, 1, 4, f) != 4) return false;
    *duration = b[0] | b[1] << 8 | b[2] << 16 | static_cast<uint32_t>(b[3]) << 24;
    return true;
}

void finish_game_record() {
    GameOverTexts& out = game_over_texts;
    const uint32_t duration = tick_count() - game_start_tick;
    game_start_tick = duration;
    std::snprintf(out.game_time, sizeof out.game_time, "%02u:%02u:%02u", duration / 3600000u, duration / 60000u % 60u,
                  duration / 1000u % 60u);

    game_record.duration = duration;
    game_record.has_duration = true;
    write_record();

    out.first_home_read = false;
    if (FILE* f = std::fopen(record_file_name, "rb")) {
        read_record_string(f, out.first_home);
        out.first_home_read = true;
        std::fclose(f);
    }

    unsigned won = 0;
    char file_name[sizeof record_file_name];
    char names[3][NAME_SIZE];
    for (unsigned i = 1; i <= game_number; ++i) {
        format_record_name(file_name, i);
        FILE* f = std::fopen(file_name, "rb");
        if (!f) continue;
        for (char* name : names) read_record_string(f, name);
        if (std::strcmp(names[2], player_name[current_player]) == 0) won += 1;
        std::fclose(f);
    }

    std::snprintf(out.won_label, sizeof out.won_label, "%s ganó:", player_name[current_player]);
    std::snprintf(out.games_won, sizeof out.games_won, "%u", won);
    std::snprintf(out.total_games, sizeof out.total_games, "%u", static_cast<unsigned>(game_number));
    std::snprintf(out.last_player, sizeof out.last_player, "%.9s", player_name[find_last_player()]);
}

void tally_records(unsigned last_game) {
    std::memset(record_tally, 0, sizeof record_tally);
    total_game_time = 0;
    char file_name[sizeof record_file_name];
    char name[NAME_SIZE];
    for (unsigned i = 1; i <= last_game; ++i) {
        format_record_name(file_name, i);
        FILE* f = std::fopen(file_name, "rb");
        if (!f) continue;
        for (unsigned count = 0; count < RECORD_COUNTS; ++count) {
            read_record_string(f, name);
            for (unsigned seat = 0; seat < SEATS; ++seat)
                if (std::strcmp(name, player_name[seat]) == 0) record_tally[seat][count] += 1;
        }
        uint32_t duration;
        if (read_duration(f, &duration)) total_game_time += duration;
        std::fclose(f);
    }
}

void delete_record_files() {
    char file_name[sizeof record_file_name];
    for (unsigned i = 1; i <= highest_game_number; ++i) {
        format_record_name(file_name, i);
        std::remove(file_name);
    }
}
