// Record files: their exact bytes in the record folder, the game-over texts,
// the run's summary read back from damaged files, and their deletion.
#include "saves/save_file.h"
#include "records/records.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

static void win_game(uint8_t winner, uint32_t duration) {
    current_player = winner;
    append_result();
    fake_clock = game_start_tick + duration;
    finish_game_record();
}

static void write_file(const char* name, const std::string& bytes) { std::ofstream(name, std::ios::binary) << bytes; }

// In a folder whose path is longer than a file name, removed by a cleaner
// while the game runs; duration bytes that a text-mode write would turn
// into other line ends.
TEST(Records, ExactBytesInTheRecordFolderAndTheGameOverTexts) {
    const std::string folder(60, 'r');
    std::filesystem::create_directory(folder);
    std::snprintf(record_folder, sizeof record_folder, "%s/", folder.c_str());
    start_game(2, 1);
    std::filesystem::remove_all(folder);
    std::strcpy(player_name[0], "");
    win_game(2, 0x0D0A0D0A);
    EXPECT_EQ(file_bytes((folder + "/Juego1.dat").c_str()),
              std::string("Jugador 2\0\0Jugador 2\0\x0A\x0D\x0A\x0D", 25));
    EXPECT_STREQ(game_over_texts.game_time, "60:46:02");
    EXPECT_STREQ(game_over_texts.won_label, "Jugador 2 gan\xF3:");
    EXPECT_STREQ(game_over_texts.first_home, "Jugador 2");
    EXPECT_STREQ(game_over_texts.last_player, "");
    EXPECT_FALSE(std::filesystem::exists("Juego1.dat"));
    game_start_tick = fake_clock - 360000000u; // a hundred hours are not reduced
    finish_game_record();
    EXPECT_STREQ(game_over_texts.game_time, "100:00:00");
    // A folder that cannot be made (a file is in the way): no first home is
    // read from a record that was never written.
    const std::string kept = record_file_name;
    std::snprintf(record_folder, sizeof record_folder, "%s/Juego1.dat/", folder.c_str());
    std::snprintf(record_file_name, sizeof record_file_name, "%sJuego1.dat", record_folder);
    finish_game_record();
    EXPECT_FALSE(game_over_texts.first_home_read);
    std::snprintf(record_folder, sizeof record_folder, "%s/", folder.c_str());
    std::snprintf(record_file_name, sizeof record_file_name, "%s", kept.c_str());
    delete_record_files();
    EXPECT_TRUE(std::filesystem::is_empty(folder));
    record_folder[0] = 0;
    std::filesystem::remove(folder);
}

// Names count for whichever seat bears them at reading time; a name too
// long is cut, a file cut short or missing counts for what it holds.
TEST(Records, SummaryAndGamesWonReadDamagedFilesByName) {
    start_game(4, 1);
    write_file("Juego1.dat", std::string("Ana\0Bea\0Ana\0\x10\x00\x00\x01", 16));
    write_file("Juego2.dat", std::string("Bea\0\0Bea\0\x01\x00", 11));
    write_file("Juego4.dat", std::string("ABCDEFGHIJKL\0Ana\0Ana\0\x20\x00\x00\x00", 25));
    const char* names[4] = {"Ana", "Bea", "Ana", "ABCDEFGHI"};
    for (int seat = 0; seat < 4; ++seat) std::strcpy(player_name[seat], names[seat]);
    tally_records(4);
    const uint8_t expected[4][RECORD_COUNTS] = {{1, 1, 2}, {1, 1, 1}, {1, 1, 2}, {1, 0, 0}};
    for (int seat = 0; seat < 4; ++seat)
        for (int c = 0; c < RECORD_COUNTS; ++c) EXPECT_EQ(record_tally[seat][c], expected[seat][c]) << seat << c;
    EXPECT_EQ(total_game_time, 0x01000030u);
    tally_records(1);
    EXPECT_EQ(total_game_time, 0x01000010u);
    game_number = 5;
    create_record_file();
    win_game(2, 0);
    EXPECT_STREQ(game_over_texts.games_won, "3");
    EXPECT_STREQ(game_over_texts.total_games, "5");
    for (const char* n : {"Juego1.dat", "Juego2.dat", "Juego4.dat", "Juego5.dat"}) std::remove(n);
}

// A record file lost while its game runs (the temporary folder cleaned) at
// each step, or a game loaded from a save that does not say whose token was
// first home: the names never shift, and a save never names nobody.
TEST(Records, NamesKeepTheirPlacesWhateverIsLost) {
    for (int lost = 0; lost <= 4; ++lost) {
        start_game(2, 2);
        if (lost == 1) std::remove(record_file_name);
        current_player = 2;
        token_home(0);
        tokens_in_jail[2] = 1; // it came home from jail
        if (lost == 2) std::remove(record_file_name);
        if (lost == 4 && load_game_text(edited(save_game_text(fake_clock), "first_home [^\n]*\n", ""), fake_clock)) {
            const std::string saved = save_game_text(fake_clock); // names nobody, and loads
            EXPECT_TRUE(saved.find("first_home") == std::string::npos && check_game_text(saved)) << saved;
        }
        current_player = 0;
        append_result();
        if (lost == 3) std::remove(record_file_name);
        fake_clock = game_start_tick + 5000;
        finish_game_record();
        const std::string first = lost == 4 ? "" : "Jugador 2";
        EXPECT_EQ(file_bytes(record_file_name), first + std::string("\0Jugador 2\0Jugador 1\0\x88\x13\0\0", 25))
            << lost;
        EXPECT_TRUE(game_over_texts.first_home_read && first == game_over_texts.first_home) << lost;
        tally_records(1);
        const uint8_t expected[2][RECORD_COUNTS] = {{0, 0, 1}, {lost != 4, 1, 0}};
        for (int c = 0; c < RECORD_COUNTS; ++c)
            EXPECT_TRUE(record_tally[0][c] == expected[0][c] && record_tally[2][c] == expected[1][c]) << lost << c;
        delete_record_files();
    }
}

TEST(Records, LastPlayerIsTheFurthestBehindAndNumbersStopAt255) {
    start_game(3, 2);
    tokens[1][0].step = 30;
    tokens[2][0].step = 30;
    EXPECT_EQ(find_last_player(), 1);
    tokens[1][1].step = 100;
    EXPECT_EQ(find_last_player(), 2);
    current_player = 2;
    tokens[0][0].step = 131;
    EXPECT_EQ(find_last_player(), 1);
    for (int i = 0; i < 260; ++i) {
        game_flags &= ~GF_GAME_ON;
        sim_start_game();
    }
    EXPECT_EQ(game_number, LAST_GAME_NUMBER);
    const std::string text = save_game_text(fake_clock); // and loaded after the game
    game_flags &= ~GF_GAME_ON;
    ASSERT_TRUE(load_game_text(text, fake_clock));
    EXPECT_EQ(game_number, LAST_GAME_NUMBER);
    EXPECT_EQ(file_bytes("Juego255.dat"), "");
    EXPECT_TRUE(std::filesystem::exists("Juego255.dat"));
    delete_record_files();
    for (const char* n : {"Juego1.dat", "Juego100.dat", "Juego255.dat"}) EXPECT_FALSE(std::filesystem::exists(n)) << n;
}
