#include "tools/sim/fake_window.h"

#include "game/board.h"
#include "game/rules.h"
#include "game/state.h"
#include "records/records.h"
#include "tools/sim/sim_driver.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

std::vector<FakeSound> fake_sounds;
std::vector<FakeMessage> fake_messages;
unsigned fake_invalidations;
PointerShape fake_pointer = POINTER_PLAYER;
uint8_t fake_pointer_seat;
uint32_t fake_clock;
std::deque<int> scripted_dice;
int fake_game_over_answer = 1;
bool fake_program_left;
unsigned fake_games_over;

void fake_clear_events() {
    fake_sounds.clear();
    fake_messages.clear();
    fake_invalidations = 0;
}

bool fake_sound_played(const char* file) {
    for (const FakeSound& s : fake_sounds)
        if (s.file == file) return true;
    return false;
}

void fake_reset_program() {
    fake_clear_events();
    scripted_dice.clear();
    fake_game_over_answer = 1;
    fake_program_left = false;
    fake_games_over = 0;
    fake_clock = 0;
    game_flags = 0;
    std::memset(player_name, 0, sizeof player_name);
    std::memset(tokens, 0, sizeof tokens);
    std::memset(dice, 0, sizeof dice);
    std::memset(cpu_player, 0, sizeof cpu_player);
    std::memset(tokens_left, 0, sizeof tokens_left);
    std::memset(tokens_in_jail, 0, sizeof tokens_in_jail);
    dice_count = moves_left = throws_this_turn = throws_left = doubles_in_row = 0;
    game_number = 0;
    highest_game_number = 0;
    current_player = 0;
    reset_board_geometry();
    recentre_board();
}

void play_sound(const char* file, unsigned flags) {
    fake_sounds.push_back(FakeSound{file ? file : "", flags});
    // The dice sound follows the draws of the dice: what the script gave
    // for this throw and did not use is dropped here.
    if (file && std::strcmp(file, "Dados.wav") == 0) scripted_dice.clear();
}

int show_message(const char* text, const char* caption, unsigned kind) {
    fake_messages.push_back(FakeMessage{text, caption, kind});
    return kind == MESSAGE_QUESTION ? ANSWER_NO : ANSWER_OK;
}

void invalidate_rect(int, int, int, int, bool) { fake_invalidations += 1; }

void set_pointer(PointerShape shape, uint8_t seat) {
    fake_pointer = shape;
    fake_pointer_seat = seat;
}

uint32_t tick_count() { return fake_clock; }

int random_number() { return std::rand(); }

// Only a throw takes the scripted dice: a capture, a release or a token
// going home in between draws from the generator and leaves them alone.
int die_random_number() {
    if (!scripted_dice.empty()) {
        const int value = scripted_dice.front();
        scripted_dice.pop_front();
        return value - 1; // the throw takes rand() mod 6 + 1
    }
    return std::rand();
}

void animate_dice() {}
// The window draws what it is asked: a die the throw does not show would
// stand on the screen, so asking for one stops every test.
void draw_die(uint8_t die) {
    if (die < dice_count) return;
    std::fprintf(stderr, "die %u drawn, %u shown\n", unsigned{die}, unsigned{dice_count});
    std::abort();
}
void store_dice_background() {}

void keep_final_position() {}

int run_game_over_dialog() {
    fake_games_over += 1;
    finish_game_record();
    const int answer = fake_game_over_answer;
    fake_game_over_answer = 1;
    return answer;
}

void leave_after_game() { fake_program_left = true; }

// The new-game dialog that follows "Seguir" is cancelled.
void run_new_game_dialog() {}

void make_record_folder() {
    std::error_code ignored;
    std::filesystem::create_directories(record_folder, ignored);
}

void send_drop_release(int x, int y) { sim_release(x, y); }
