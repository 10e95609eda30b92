// What the main window procedure dispatches to: one procedure per event.
#pragma once

#include <windows.h>

#include <cstdint>

extern uint8_t pressed_button; // the window button held down (0..6)
// The pointer shape the game last chose. The window class has no cursor:
// each time the pointer comes over the window it is given this shape again,
// whatever shape another window or a dialog's edit field gave it.
extern HCURSOR chosen_pointer;

// Creation set-up and clean-up; on_create is false when the game cannot run.
bool on_create(HWND window);
void cleanup();
void on_paint();

// The mouse, already stored in pointer_x and pointer_y.
void on_left_button_down();
void on_mouse_move(WPARAM keys);
void on_left_button_up();
// WM_CAPTURECHANGED: the mouse went elsewhere before the button came up.
void on_capture_lost();

// The button bar.
bool press_button();
void track_button();
void release_button();
// Ends a press on a window button without running its command.
void cancel_button();

// The largest scale the command line allows ("/escala:N"; 0: as large as
// the screen allows).
extern unsigned largest_scale;
// The monitor the game is on as it is now (the main window's, the primary
// one before the window exists): sets pixel_scale; the design screen the
// rules see and the place the full-screen window takes.
struct MeasuredScreen {
    uint16_t w, h;
    SIZE window;
    POINT at; // the monitor's top-left corner on the desktop
};
MeasuredScreen measure_screen();
// WM_DISPLAYCHANGE and WM_DPICHANGED: the window, the board and the pieces
// follow the new screen, drawn at the scale it takes. `suggested` is the
// place the system proposes with WM_DPICHANGED (on the monitor the window
// is going to), null otherwise: the window fills the monitor it names.
void on_display_change(const RECT* suggested);
// WM_WINDOWPOSCHANGED: a window moved onto another monitor of the same
// scaling (Win+Shift+arrow) gets no WM_DPICHANGED; it fills the monitor it
// is now mostly on, at that monitor's scale.
void on_window_moved();
// Everything drawn at the window's scale made again for the scale now in
// force (the contexts, the pointers, the name's font).
void scale_drawing();

void on_key(WPARAM key);
void on_system_key(WPARAM key);
void on_activate(WPARAM state);
void on_activate_app(bool active);
// Posted on deactivation while the help may be open: minimises the window
// unless the help window is the one that took the activation.
enum { WM_DECIDE_MINIMISE = WM_APP + 1 };
// The main window's timers: the computer players' 100 ms step, and the
// one that asks decide_minimise again.
enum { CPU_TIMER = 1, DECIDE_TIMER = 2 };
void decide_minimise();
void leave_command();
bool on_query_end_session();
void on_end_session(bool ending);
void new_game_command();
// The new-game dialog, and the previous counts back when it is cancelled.
void run_new_game_dialogs();
