// Keys and the commands they reach: help, new game, Save, Load, leaving;
// and what activation changes.
#include "game/seam.h"
#include "game/state.h"
#include "records/records.h"
#include "ui/app/app.h"
#include "ui/app/help.h"
#include "ui/app/save_load.h"
#include "ui/app/window.h"
#include "ui/dialogs/dialogs.h"
#include "ui/resources/graphics.h"

static void end_press_and_clip() {
    cancel_button();
    set_pointer(POINTER_PLAYER, current_player);
    ClipCursor(nullptr);
}

// While a box or dialog of the game is open its answer comes first: a new
// game, Save or Load opened over it would be destroyed under it (a key can
// still reach the disabled window, posted by another program).
void on_key(WPARAM key) {
    if (game_flags & (GF_DIE_DRAG | GF_DRAGGING)) return;
    if ((game_flags & GF_MODAL) && (key == VK_F2 || key == VK_F3 || key == VK_F4)) return;
    end_press_and_clip();
    switch (key) {
    case VK_ESCAPE: PostMessageA(main_window, WM_CLOSE, 0, 0); break;
    case VK_F1: open_help(); break;
    case VK_F2: new_game_command(); break;
    case VK_F3:
        if (game_flags & GF_GAME_ON) save_command();
        break;
    case VK_F4: load_command(); break;
    default: break;
    }
}

// A system key also ends a carry or a die drag, without a move; a dragged
// die stays where its cube was and shows at the next repaint there.
void on_system_key(WPARAM key) {
    game_flags &= ~(GF_DRAGGING | GF_DROP_OK | GF_DIE_DRAG);
    end_press_and_clip();
    if (key == VK_F4) SendMessageA(main_window, WM_CLOSE, 0, 0);
}

void on_activate(WPARAM state) {
    const WORD how = LOWORD(state);
    if ((how == WA_ACTIVE || how == WA_CLICKACTIVE) && (game_flags & GF_GAME_ON))
        set_pointer(POINTER_PLAYER, current_player);
}

// While the activation is on its way to another program no window is in
// front yet; the decision is then asked again every 50 ms, for a second
// at most (a busy help program can take that long to show itself).
static int decide_tries;

void on_activate_app(bool active) {
    if (active) {
        game_flags = (game_flags | GF_ANIMATE | GF_APP_ACTIVE) & ~GF_HELP_OPEN;
        return;
    }
    game_flags &= ~(GF_DRAGGING | GF_BUTTON_HELD | GF_DIE_DRAG | GF_ANIMATE | GF_APP_ACTIVE);
    ClipCursor(nullptr);
    if (game_flags & (GF_MODAL | GF_HELP_OPEN)) return;
    // Which window takes the activation is only settled once this message
    // is over: the decision waits for a message of our own.
    decide_tries = 0;
    if (help_was_opened) PostMessageA(main_window, WM_DECIDE_MINIMISE, 0, 0);
    else ShowWindow(main_window, SW_MINIMIZE);
}

void decide_minimise() {
    KillTimer(main_window, DECIDE_TIMER);
    if (game_flags & (GF_APP_ACTIVE | GF_MODAL | GF_HELP_OPEN)) return; // back already, or a box opened
    if (!GetForegroundWindow() && ++decide_tries < 20) {
        SetTimer(main_window, DECIDE_TIMER, 50, nullptr);
        return;
    }
    if (!help_window_in_front()) ShowWindow(main_window, SW_MINIMIZE);
}

static bool confirm_leaving() {
    return show_message("¿De verdad quiere salir?", window_title, MESSAGE_QUESTION) == ANSWER_YES;
}

// While a box or dialog of the game is open its own answer comes first; a
// second question on top of it could destroy the window under it.
void leave_command() {
    if (game_flags & GF_MODAL) return;
    play_sound(nullptr, 0);
    game_flags |= GF_MODAL;
    if (confirm_leaving()) {
        if (game_number > 1) show_records_summary(game_number - 1u);
        DestroyWindow(main_window);
    }
    game_flags &= ~GF_MODAL;
}

static BOOL CALLBACK bring_forward_if_open(HWND window, LPARAM) {
    if (window == main_window || !IsWindowVisible(window) || !IsWindowEnabled(window)) return TRUE;
    SetForegroundWindow(window);
    return FALSE;
}

// With a box or dialog of the game open the question is not asked on top of
// it: the end of the session is refused and the open one (the enabled one,
// over any it disabled) comes to the front, so that the player answers it
// first and nothing is lost unasked.
bool on_query_end_session() {
    if (game_flags & GF_MODAL) {
        EnumThreadWindows(GetCurrentThreadId(), bring_forward_if_open, 0);
        return false;
    }
    play_sound(nullptr, 0);
    game_flags |= GF_MODAL;
    if (confirm_leaving()) {
        DestroyWindow(main_window);
        return true;
    }
    game_flags &= ~GF_MODAL;
    return false;
}

// The session really ends (the question was answered Yes elsewhere, or the
// system ends it anyway): the process may be ended without a WM_DESTROY,
// so the record files of the run go now.
void on_end_session(bool ending) {
    if (ending) delete_record_folder();
}

void run_new_game_dialogs() {
    if (new_game_dialog() != 0) return;
    player_count = chosen_players;
    tokens_per_player = chosen_tokens;
    seat_players();
}

void new_game_command() {
    play_sound("Tit.wav", SOUND_CUTS);
    game_flags |= GF_MODAL;
    if ((game_flags & GF_GAME_ON) && show_message("¿Están seguros de que quieren empezar un nuevo juego?", window_title,
                                                  MESSAGE_QUESTION) == ANSWER_NO) {
        game_flags &= ~GF_MODAL;
        return;
    }
    run_new_game_dialogs();
    game_flags &= ~GF_MODAL;
}
