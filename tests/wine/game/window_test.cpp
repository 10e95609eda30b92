// Faults: the board or buttons painted off their place, a press not kept outside the window (SetCapture), the game's
// pointer lost after a dialog (WM_SETCURSOR), Escape, Alt+F4, the close button or F2 not reaching their command, No
// changing the screen, no minimising on deactivation, a leave question over an open box (WM_QUERYENDSESSION), a record
// file left when the session ends, a bad exit code.
#include "check.h"
#include "game_window.h"
#include "screen.h"
#include "game/board.h"
#include "ui/resources/resource.h"
#include "ui/resources/window_buttons.h"

#include <string>

void dialog_tests(const Game& game);
void computer_game_test(const Game& game);
void pacing_tests();

namespace {

POINT button_centre(int i) {
    return POINT{(buttons[i].left + buttons[i].right) / 2, (buttons[i].top + buttons[i].bottom) / 2};
}

bool shows_button(int i, bool pressed) {
    return same_block(capture_settled_screen(), buttons[i].left, buttons[i].top,
                      game_picture(window_button_picture[i] - pressed));
}

bool no_box(const Game& game) { return Sleep(400), settle(game), find_game_box(game) == nullptr; }

// The window covers the screen; on a 640 x 480 screen the board's red
// outline has its corner at (94, 14); the centre shows a black 0 on red,
// every button is drawn and no die or token before a game.
void check_opening(const Game& game) {
    const Image shot = capture_settled_screen();
    RECT r;
    GetWindowRect(game.window, &r);
    int off_outline = 0;
    for (int i = 0; i <= 451; i += 3)
        off_outline += (shot.at(94 + i, 14) != 0xFF0000) + (shot.at(94 + i, 465) != 0xFF0000) +
                       (shot.at(94, 14 + i) != 0xFF0000) + (shot.at(545, 14 + i) != 0xFF0000);
    bool drawn = true;
    for (int i = 0; i < WINDOW_BUTTONS; ++i) drawn = drawn && shows_button(i, false);
    CHECK(r.left == 0 && r.top == 0 && r.right == shot.w && r.bottom == shot.h && off_outline == 0 &&
              shot.at(93, 200) == 0 &&
              read_centre_number(shot, centre_rect.left, centre_rect.top, RGB(255, 0, 0)) == 0 && drawn &&
              find_dice(shot).empty() && find_tokens(shot, 0).empty() && find_tokens(shot, 2).empty(),
          "opening: window %ld,%ld-%ld,%ld, %d outline pixels not red, buttons %s", r.left, r.top, r.right, r.bottom,
          off_outline, drawn ? "drawn" : "not drawn");
}

// A press on a button released over another program's window (one of the
// test's, on top without taking the activation) ends with the button up
// and no command: the window kept the mouse (SetCapture).
void check_buttons(const Game& game) {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    HWND over = make_other_window(WS_EX_TOPMOST | WS_EX_NOACTIVATE, w - 60, h - 60);
    const POINT about = button_centre(1);
    const POINT at = on_screen(about.x, about.y);
    real_move(at.x, at.y);
    real_button(true);
    settle(game);
    real_move(w - 35, h - 35);
    real_button(false);
    settle(game);
    CHECK(shows_button(1, false) && no_box(game),
          "a press released over another window left Acerca de pressed or ran it");
    DestroyWindow(over);
}

// Over the board the pointer has the game's shape again after a dialog's
// edit field gave it another (WM_SETCURSOR).
void check_pointer_after_edit(const Game& game) {
    const POINT board = {(board_rect.left + board_rect.right) / 2, (board_rect.top + board_rect.bottom) / 2};
    const POINT at = on_screen(board.x, board.y);
    real_move(at.x, at.y);
    settle(game);
    const HCURSOR game_pointer = current_cursor();
    post_key(game, VK_F2);
    HWND dialog = wait_for_control(game, IDC_TOKENS_1);
    if (dialog) press_box_button(dialog, IDOK);
    HWND players = wait_for_control(game, IDC_SEAT0_NAME);
    RECT edit = {};
    GetWindowRect(GetDlgItem(players, IDC_SEAT0_NAME), &edit);
    real_move((edit.left + edit.right) / 2, (edit.top + edit.bottom) / 2);
    settle(game);
    const HCURSOR over_edit = current_cursor();
    if (players) press_box_button(players, IDCANCEL), gone(players);
    if (dialog) press_box_button(dialog, IDCANCEL), gone(dialog);
    real_move(at.x + 5, at.y);
    settle(game);
    CHECK(dialog && over_edit != game_pointer && current_cursor() == game_pointer,
          "over the board after an edit field the pointer is %p, not the game's %p",
          static_cast<void*>(current_cursor()), static_cast<void*>(game_pointer));
}

// Each way out asks the same question; No leaves the screen as it was.
void check_leaving_refused(const Game& game, const char* how, void (*ask)(const Game&)) {
    const Image before = capture_settled_screen();
    ask(game);
    const std::string asked = answer_box(game, IDNO);
    Sleep(100);
    settle(game);
    const int changed = differing_pixels(before, capture_settled_screen(), 0, 0, before.w, before.h);
    CHECK(asked == "¿De verdad quiere salir?" && changed == 0, "%s asked \"%s\"; No changed %d pixels", how,
          asked.c_str(), changed);
}

// Switching to another program minimises the game, but not under its own
// box. The system's question before it ends the session, with that box
// open: no second question on top of it, the end refused, the box in front.
void check_deactivation(const Game& game) {
    HWND other = make_other_window();
    SetForegroundWindow(other);
    pump(100);
    CHECK(wait_until([&] { return IsIconic(game.window) != FALSE; }, 3000), "switching away did not minimise");
    ShowWindow(game.window, SW_RESTORE);
    SetForegroundWindow(game.window);
    pump(300);
    post_key(game, VK_ESCAPE);
    HWND box = nullptr;
    wait_until([&] { return (box = find_game_box(game)) != nullptr; }, 5000);
    SetForegroundWindow(other);
    pump(600);
    CHECK(!IsIconic(game.window), "minimised under a message box");
    DWORD_PTR answer = TRUE;
    const bool answered = SendMessageTimeoutA(game.window, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 3000, &answer) != 0;
    pump(100);
    CHECK(answered && answer == FALSE && find_game_box(game) == box && GetForegroundWindow() == box,
          "the end of the session during a box: answered %d (%d), box in front %d", answered, static_cast<int>(answer),
          GetForegroundWindow() == box);
    answer_box(game, IDNO);
    DestroyWindow(other);
    SetForegroundWindow(game.window);
}

// A game started, F2 asks first; when the session really ends the record
// file goes at once (the system may end the process without destroying
// the window).
void check_session_end(const Game& game) {
    post_key(game, VK_F2);
    if (HWND dialog = wait_for_control(game, IDC_TOKENS_1)) press_box_button(dialog, IDOK);
    if (HWND players = wait_for_control(game, IDC_SEAT0_NAME)) press_box_button(players, IDOK);
    wait_until([&] { return !find_game_box(game); }, 5000);
    post_key(game, VK_F2);
    const std::string asked = answer_box(game, IDNO);
    CHECK(asked == "¿Están seguros de que quieren empezar un nuevo juego?", "F2 in a game asked \"%s\"", asked.c_str());
    const bool created = wait_until([&] { return !record_file_of(game).empty(); }, 5000);
    DWORD_PTR result;
    SendMessageTimeoutA(game.window, WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 5000, &result);
    CHECK(created && record_file_of(game).empty(), "record file %s at the end of the session",
          created ? "left" : "never made");
}

} // namespace

int window_tests(const char* exe) {
    Game game;
    if (!start_game(exe, game)) return ++failed_checks;
    check_opening(game);
    check_buttons(game);
    check_pointer_after_edit(game);
    dialog_tests(game);
    check_leaving_refused(game, "Escape", [](const Game& g) { post_key(g, VK_ESCAPE); });
    check_leaving_refused(game, "Alt+F4", [](const Game& g) { post_alt_key(g, VK_F4); });
    check_leaving_refused(game, "x", [](const Game& g) { click(g, button_centre(2).x, button_centre(2).y); });
    check_deactivation(game);
    check_session_end(game);
    computer_game_test(game);
    // The window still has the keyboard: a typed Escape asks, Yes ends the
    // program with exit code 0.
    SetForegroundWindow(game.window);
    pump(200);
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_ESCAPE;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
    CHECK(answer_box(game, IDYES) == "¿De verdad quiere salir?" && wait_for_exit(game, 10000) == 0,
          "a typed Escape and Yes did not end the game with 0");
    stop_game(game);
    pacing_tests();
    return failed_checks;
}
