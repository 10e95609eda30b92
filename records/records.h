// Game record files: one small binary file per game of the run, "Juego" +
// number + ".dat" in record_folder, deleted when the program ends.
#pragma once

#include "game/state.h"

#include <cstdint>
#include <cstdio>

enum { RECORD_FIRST_HOME = 0, RECORD_LAST_PLAYER = 1, RECORD_WINNER = 2, RECORD_COUNTS = 3 };
// Game numbers are one byte; numbering stops at the last one (its file is
// then reused), so every loop over the records ends.
enum { LAST_GAME_NUMBER = 255 };

// Where the record files lie, with its final separator; empty for the
// current folder. The game fills it at start-up with a folder of the
// player's own, since its own folder may not be writable.
extern char record_folder[RECORD_FOLDER_SIZE];

extern uint8_t record_tally[4][RECORD_COUNTS];
extern uint32_t total_game_time;
// Highest game number reached in this run: the files to delete at the end.
extern uint8_t highest_game_number;

// Texts of the game-over dialog's statistics, filled by finish_game_record.
struct GameOverTexts {
    char won_label[24];  // item 193, "%s ganó:"
    char games_won[8];   // item 186
    char total_games[8]; // item 187
    char first_home[10]; // item 188; only when first_home_read
    bool first_home_read;
    char last_player[10]; // item 189
    char game_time[16];   // item 190, "%02d:%02d:%02d"
};
extern GameOverTexts game_over_texts;

// The running game's record as the game knows it. Every write puts the
// whole of it on disk, so a file lost while the game runs (its temporary
// folder cleaned) is made again whole: appended to from nothing, it would
// shift every later name into the place of the one before.
struct GameRecord {
    char names[RECORD_COUNTS][NAME_SIZE]; // first home, last player, winner
    uint8_t names_held;                   // how many of them the file holds
    // False for a game loaded from a save that did not say whose token was
    // first home (its record had been lost): the name's place stays, empty.
    bool first_home_known;
    bool has_duration;
    uint32_t duration;
};
extern GameRecord game_record;

// The full name of a game's record file; out holds RECORD_PATH_SIZE bytes.
void format_record_name(char* out, unsigned game);
void create_record_file();
// A loaded game's first token home, after create_record_file; null when
// nobody knows whose it was.
void restore_first_home(const char* name);
void append_first_home();
void append_result();
uint8_t find_last_player();
void finish_game_record();
void tally_records(unsigned last_game);
void read_record_string(FILE* file, char* buffer);
void delete_record_files();
