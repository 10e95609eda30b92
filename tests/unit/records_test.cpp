// Record files: exact bytes, reading back damaged files, the statistics of
// the game-over dialog and the summary of the run.
#include "game/state.h"
#include "records/records.h"
#include "test_support.h"
#include "tools/sim/fake_window.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

static std::string file_bytes(const char* name) {
    std::string bytes;
    if (FILE* f = std::fopen(name, "rb")) {
        for (int c = std::fgetc(f); c != EOF; c = std::fgetc(f)) bytes.push_back(static_cast<char>(c));
        std::fclose(f);
    }
    return bytes;
}

static void write_file(const char* name, const std::string& bytes) {
    FILE* f = std::fopen(name, "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

static void win_game(uint8_t winner, uint32_t duration) {
    current_player = winner;
    const uint32_t start = fake_clock;
    append_result();
    fake_clock = start + duration;
    finish_game_record();
}

TEST(RecordFile, TwoPlayerGameIsThirtyFourExactBytes) {
    fresh_program();
    start_game(2, 1);
    win_game(2, 3723500);
    const std::string expected = std::string("Jugador 2\0Jugador 1\0Jugador 2\0", 30) + "\xEC\xD0\x38\x00";
    EXPECT_EQ(file_bytes("Juego1.dat"), std::string(expected.data(), 34));
    EXPECT_STREQ(game_over_texts.game_time, "01:02:03");
    EXPECT_STREQ(game_over_texts.won_label, "Jugador 2 gan\xF3:");
    EXPECT_STREQ(game_over_texts.games_won, "1");
    EXPECT_STREQ(game_over_texts.total_games, "1");
    EXPECT_STREQ(game_over_texts.first_home, "Jugador 2");
    EXPECT_STREQ(game_over_texts.last_player, "Jugador 1");
    delete_record_files();
}

TEST(RecordFile, BytesAreWrittenWithoutLineEndTranslation) {
    fresh_program();
    start_game(2, 2);
    std::strcpy(player_name[0], "");
    win_game(0, 0x0D0A0D0A);
    const std::string bytes = file_bytes("Juego1.dat");
    ASSERT_EQ(bytes.size(), 1u + 10u + 4u); // an empty name is one NUL
    EXPECT_EQ(bytes.substr(11), "\x0A\x0D\x0A\x0D");
    EXPECT_STREQ(game_over_texts.game_time, "60:46:02");
    game_start_tick = fake_clock - 360000000u; // a hundred hours: not reduced
    finish_game_record();
    EXPECT_STREQ(game_over_texts.game_time, "100:00:00");
    delete_record_files();
}

// A folder whose path is longer than a bare file name: every operation
// finds the record there, and none touches the current folder.
TEST(RecordFile, EveryOperationUsesTheRecordFolder) {
    const std::string folder = std::string(60, 'r');
    std::filesystem::create_directory(folder);
    std::snprintf(record_folder, sizeof record_folder, "%s/", folder.c_str());
    fresh_program();
    start_game(2, 1);
    win_game(2, 1000);
    EXPECT_EQ(file_bytes((folder + "/Juego1.dat").c_str()).size(), 34u);
    EXPECT_STREQ(game_over_texts.first_home, "Jugador 2");
    EXPECT_STREQ(game_over_texts.games_won, "1");
    tally_records(1);
    EXPECT_EQ(total_game_time, 1000u);
    EXPECT_FALSE(std::filesystem::exists("Juego1.dat"));
    delete_record_files();
    EXPECT_FALSE(std::filesystem::exists(folder + "/Juego1.dat"));
    record_folder[0] = 0;
    std::filesystem::remove(folder);
}

TEST(RecordFile, FirstHomeNameComesFirstAndAbandonedGamesLeaveNothing) {
    fresh_program();
    start_game(3, 2);
    current_player = 1;
    append_first_home();
    EXPECT_EQ(file_bytes("Juego1.dat"), std::string("Jugador 2\0", 10));
    start_game(3, 2); // a new game over the running one
    EXPECT_EQ(game_number, 1);
    EXPECT_EQ(file_bytes("Juego1.dat"), "");
    delete_record_files();
}

TEST(RecordFile, DamagedNamesAreCutAndFieldsStayInStep) {
    fresh_program();
    write_file("Juego1.dat", std::string("ABCDEFGHIJKL\0Short\0Tail", 23));
    FILE* f = std::fopen("Juego1.dat", "rb");
    ASSERT_NE(f, nullptr);
    char name[NAME_SIZE];
    read_record_string(f, name);
    EXPECT_STREQ(name, "ABCDEFGHI");
    read_record_string(f, name);
    EXPECT_STREQ(name, "Short");
    read_record_string(f, name);
    EXPECT_STREQ(name, "Tail"); // cut off by the end of the file
    read_record_string(f, name);
    EXPECT_STREQ(name, "");
    std::fclose(f);
    std::remove("Juego1.dat");
}

TEST(Statistics, GamesWonCountTheNameWhateverItsColour) {
    fresh_program();
    start_game(2, 1);
    win_game(0, 1000);
    std::strcpy(player_name[0], "Ana");
    std::strcpy(player_name[2], "Luis");
    game_flags &= ~GF_GAME_ON;
    start_game(2, 1);
    std::strcpy(player_name[0], "Luis");
    std::strcpy(player_name[2], "Ana");
    win_game(2, 2000); // Ana wins in yellow now
    EXPECT_STREQ(game_over_texts.games_won, "1");
    EXPECT_STREQ(game_over_texts.total_games, "2");
    // A record deleted while the game ran is not made anew by the duration:
    // the dialog keeps its own text for the first-home name.
    std::remove("Juego2.dat");
    finish_game_record();
    EXPECT_FALSE(game_over_texts.first_home_read);
    EXPECT_EQ(std::fopen("Juego2.dat", "rb"), nullptr);
    delete_record_files();
}

TEST(Summary, SeatsAreCreditedByTheirNamesAtReadingTime) {
    fresh_program();
    write_file("Juego1.dat", std::string("Ana\0Bea\0Ana\0\x10\x00\x00\x00", 16));
    write_file("Juego2.dat", std::string("Bea\0\0Bea\0\x01\x00", 11)); // duration cut short
    write_file("Juego4.dat", std::string("Ana\0Ana\0Ana\0\x20\x00\x00\x00", 16)); // game 3 is missing
    std::strcpy(player_name[0], "Ana");
    std::strcpy(player_name[1], "Bea");
    std::strcpy(player_name[2], "Ana");
    std::strcpy(player_name[3], "");
    tally_records(4);
    EXPECT_EQ(record_tally[0][RECORD_FIRST_HOME], 2);
    EXPECT_EQ(record_tally[0][RECORD_WINNER], 2);
    EXPECT_EQ(record_tally[2][RECORD_WINNER], 2); // same name, same counts
    EXPECT_EQ(record_tally[1][RECORD_WINNER], 1);
    EXPECT_EQ(record_tally[1][RECORD_LAST_PLAYER], 1);
    EXPECT_EQ(record_tally[3][RECORD_LAST_PLAYER], 1); // the empty name credits the empty seat
    EXPECT_EQ(total_game_time, 0x30u);
    tally_records(1);
    EXPECT_EQ(total_game_time, 0x10u);
    for (const char* n : {"Juego1.dat", "Juego2.dat", "Juego4.dat"}) std::remove(n);
}

TEST(Summary, LastPlayerIsTheFurthestBehindLowestSeatOnTies) {
    fresh_program();
    start_game(3, 2);
    current_player = 0;
    tokens[1][0].step = 30;
    tokens[2][0].step = 30;
    EXPECT_EQ(find_last_player(), 1);
    tokens[1][1].step = 100;
    EXPECT_EQ(find_last_player(), 2);
    current_player = 2;
    tokens[0][0].step = 131;
    EXPECT_EQ(find_last_player(), 1);
    delete_record_files();
}

TEST(Cleanup, EveryRecordOfTheRunIsDeleted) {
    fresh_program();
    for (unsigned i = 0; i < 260; ++i) {
        start_game(2, 1);
        game_flags &= ~GF_GAME_ON;
    }
    EXPECT_EQ(game_number, LAST_GAME_NUMBER);
    EXPECT_EQ(file_bytes("Juego255.dat"), "");
    FILE* probe = std::fopen("Juego255.dat", "rb");
    ASSERT_NE(probe, nullptr);
    std::fclose(probe);
    tally_records(LAST_GAME_NUMBER);
    EXPECT_EQ(total_game_time, 0u);
    delete_record_files();
    for (unsigned i : {1u, 100u, 255u}) {
        char name[RECORD_PATH_SIZE];
        format_record_name(name, i);
        EXPECT_EQ(std::fopen(name, "rb"), nullptr) << name;
    }
}
