// What the rules ask of the window. The rules never include a platform
// header: the game program implements these with the real window calls
// (ui/), the unit tests and korvalo-sim with a fake window that records
// what was asked.
#pragma once

#include <cstdint>

// Sound flags, with the values of the platform's asynchronous player.
enum : unsigned {
    SOUND_ASYNC = 0x0001,
    SOUND_NODEFAULT = 0x0002,
    SOUND_NOSTOP = 0x0010,
    // Every game sound is asynchronous and never the system default;
    // the two "quiet" ones are skipped rather than cut a playing sound.
    SOUND_CUTS = SOUND_ASYNC | SOUND_NODEFAULT,
    SOUND_NO_CUT = SOUND_ASYNC | SOUND_NODEFAULT | SOUND_NOSTOP,
};

// Message box kinds and answers, with the platform's values.
enum : unsigned {
    MESSAGE_INFO = 0x40,                    // information icon, OK
    MESSAGE_QUESTION = 0x04 | 0x20 | 0x100, // Yes/No, question icon, No the default
};
enum { ANSWER_OK = 1, ANSWER_YES = 6, ANSWER_NO = 7 };

enum PointerShape { POINTER_PLAYER, POINTER_CARRY, POINTER_NO_DROP };

// Plays a wave file by bare name; a null name stops any playing sound.
void play_sound(const char* file, unsigned flags);
// Shows a message box owned by the main window and returns the answer.
int show_message(const char* text, const char* caption, unsigned kind);
// Asks for a repaint of a client rectangle (right and bottom exclusive).
void invalidate_rect(int left, int top, int right, int bottom, bool erase);
// The pointer shape of a seat: its arrow, its carried token, or the refusal.
void set_pointer(PointerShape shape, uint8_t seat);
// The system tick count in milliseconds.
uint32_t tick_count();
// One draw of the standard generator (rand()).
int random_number();
// The draw behind one die of a throw: the same generator, kept apart so
// that a test can script a throw without scripting the other draws.
int die_random_number();
// The dice bounce across the screen, drawn straight on the window; it
// leaves each thrown die's resting position in dice[i].x, dice[i].y.
void animate_dice();
// Draws die i at rest at its position.
void draw_die(uint8_t die);
// Stores the screen under both dice at their start places.
void store_dice_background();
// The game has ended: its position, tokens and dice, stays on the board
// from now until the next game starts, whatever the dialogs seat meanwhile.
void keep_final_position();
// The game-over dialog: 0 means leave the program, anything else go on.
int run_game_over_dialog();
// Hides the main window, shows the summary of the run and ends the program.
void leave_after_game();
// The new-game dialog that may start the next game.
void run_new_game_dialog();
// Makes record_folder again, with every folder above it that is missing,
// after something outside the game removed it.
void make_record_folder();
// The computer's drop: a button release delivered to the main window as a
// person's would be, at the point (x, y) of the board, in the design pixels
// the rules use; the window gets it in its own pixels.
void send_drop_release(int x, int y);
