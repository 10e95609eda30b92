// Faults: a board painted off its place, a button left pressed or run after a cancel, a press not kept outside the window (SetCapture), the game's pointer lost after a dialog (WM_SETCURSOR), a leave key or button not reaching its question, No changing the screen, no minimising on deactivation, a leave question over an open box (WM_QUERYENDSESSION), a record file left at the end of the session, a bad exit code.
#include "check.h"
#include "game_window.h"
#include "screen.h"
#include "game/board.h"
#include "ui/resources/resource.h"

#include <string>

void dialog_tests(const Game& game);
void pacing_tests();

static const char leave_question[] = "¿De verdad quiere salir?";

static POINT button_centre(int i) {
    const ButtonRecord& b = buttons[i];
    return POINT{(b.left + b.right) / 2, (b.top + b.bottom) / 2};
}

static bool shows_button(const Image& shot, int i, bool pressed) {
    static const int normal[WINDOW_BUTTONS] = {IDB_NEW_GAME, IDB_ABOUT, IDB_CLOSE, IDB_MINIMISE,
                                               IDB_HELP, IDB_SAVE, IDB_LOAD};
    const ButtonRecord& b = buttons[i];
    return same_block(shot, b.left, b.top, game_picture(pressed ? normal[i] - 1 : normal[i]));
}

static void check_window_and_outline(const Game& game, const Image& shot) {
    RECT r;
    GetWindowRect(game.window, &r);
    CHECK(r.left == 0 && r.top == 0 && r.right == shot.w && r.bottom == shot.h, "window at %ld,%ld-%ld,%ld",
          r.left, r.top, r.right, r.bottom);
    const LONG style = GetWindowLongA(game.window, GWL_STYLE);
    CHECK((style & WS_POPUP) && !(style & (WS_CAPTION | WS_THICKFRAME)), "style %lx", style);

    // The board is centred; on a 640 x 480 screen its corner is (94, 14).
    const int left = (shot.w - 451) / 2, top = (shot.h - 450) / 2 - 1;
    if (shot.w == 640) CHECK(left == 94 && top == 14, "corner %d,%d", left, top);
    const int right = left + 451, bottom = top + 451;
    int off_outline = 0;
    for (int x = left; x <= right; x += 3) off_outline += (shot.at(x, top) != 0xFF0000) + (shot.at(x, bottom) != 0xFF0000);
    for (int y = top; y <= bottom; y += 3) off_outline += (shot.at(left, y) != 0xFF0000) + (shot.at(right, y) != 0xFF0000);
    CHECK(off_outline == 0, "%d outline pixels are not red", off_outline);
    CHECK(shot.at(left - 1, top + 200) == 0 && shot.at(right + 1, bottom - 200) == 0 && shot.at(left + 200, bottom + 1) == 0,
          "margins outside the outline are not black");
}

static void check_opening_picture(const Image& shot) {
    CHECK(read_centre_number(shot, centre_rect.left, centre_rect.top, RGB(255, 0, 0)) == 0,
          "the centre is not red with a black 0");
    for (int i = 0; i < WINDOW_BUTTONS; ++i) CHECK(shows_button(shot, i, false), "button %d not drawn", i);
    CHECK(find_dice(shot).empty(), "a die is drawn before the first game");
    for (int seat = 0; seat < 4; ++seat) CHECK(find_tokens(shot, seat).empty(), "a token of seat %d is drawn", seat);
}

static bool no_box(const Game& game, DWORD ms) {
    Sleep(ms);
    settle(game);
    return find_game_box(game) == nullptr;
}

static void check_held_button(const Game& game) {
    const POINT inicio = button_centre(0);
    post_mouse(game, WM_LBUTTONDOWN, inicio.x, inicio.y, true);
    settle(game);
    Image shot = capture_settled_screen();
    CHECK(shows_button(shot, 0, true), "Inicio not drawn pressed while held");
    CHECK(shows_button(shot, 1, false), "another button drawn pressed");
    // Leaving the button cancels it at once; coming back does not press it.
    post_mouse(game, WM_MOUSEMOVE, inicio.x + 100, inicio.y, true);
    post_mouse(game, WM_MOUSEMOVE, inicio.x, inicio.y, true);
    settle(game);
    CHECK(shows_button(capture_settled_screen(), 0, false), "Inicio still pressed after the pointer left it");
    post_mouse(game, WM_LBUTTONUP, inicio.x, inicio.y, false);
    CHECK(no_box(game, 400), "a command ran after the pointer had left the button");

    // A key cancels a held button too.
    post_mouse(game, WM_LBUTTONDOWN, inicio.x, inicio.y, true);
    post_key(game, VK_SPACE);
    settle(game);
    CHECK(shows_button(capture_settled_screen(), 0, false), "Inicio still pressed after a key");
    post_mouse(game, WM_LBUTTONUP, inicio.x, inicio.y, false);
    CHECK(no_box(game, 400), "a command ran after a key cancelled the press");

    // Down and up on the button: with no game running, the new-game dialog
    // opens without a question first.
    click(game, inicio.x, inicio.y);
    HWND dialog = wait_for_box(game, 5000);
    CHECK(dialog && !is_message_box(dialog) && GetDlgItem(dialog, IDC_TOKENS_1),
          "Inicio did not open the new-game dialog");
    if (dialog) {
        press_box_button(dialog, IDCANCEL);
        CHECK(wait_until([&] { return !IsWindow(dialog); }, 5000), "the new-game dialog did not close");
    }
    settle(game);
    CHECK(shows_button(capture_settled_screen(), 0, false), "Inicio left pressed after its command");
}

// Each way out asks the same question; No leaves the screen as it was.
static void check_leaving_refused(const Game& game, const char* how, void (*ask)(const Game&)) {
    const Image before = capture_settled_screen();
    ask(game);
    HWND box = wait_for_box(game, 5000);
    CHECK(box && is_message_box(box), "%s: no question", how);
    if (!box) return;
    CHECK(box_text(box) == leave_question, "%s: asked \"%s\"", how, box_text(box).c_str());
    CHECK(window_text(box) == "Zenta Korvalo", "%s: caption \"%s\"", how, window_text(box).c_str());
    press_box_button(box, IDNO);
    CHECK(wait_until([&] { return !IsWindow(box); }, 5000), "%s: the question stayed", how);
    settle(game);
    Sleep(100);
    settle(game);
    CHECK(IsWindow(game.window), "%s: No closed the game", how);
    const int changed = differing_pixels(before, capture_settled_screen(), 0, 0, before.w, before.h);
    CHECK(changed == 0, "%s: %d pixels changed after No", how, changed);
}

static void ask_by_escape(const Game& game) { post_key(game, VK_ESCAPE); }
static void ask_by_alt_f4(const Game& game) { post_alt_key(game, VK_F4); }
static void ask_by_close_button(const Game& game) {
    const POINT x = button_centre(2);
    click(game, x.x, x.y);
}

static void bring_back(const Game& game) {
    ShowWindow(game.window, SW_RESTORE);
    SetForegroundWindow(game.window);
    pump(300);
    settle(game);
}

// A press on a window button keeps the mouse: released over another
// program's window (one of the test's, on top of the game without taking
// the activation), the press ends with the button up and no command.
static void check_release_elsewhere(const Game& game) {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    HWND over = make_other_window(WS_EX_TOPMOST | WS_EX_NOACTIVATE, w - 60, h - 60);
    const POINT about = button_centre(1);
    real_move(about.x, about.y);
    real_button(true);
    settle(game);
    real_move(w - 35, h - 35);
    real_button(false);
    settle(game);
    CHECK(shows_button(capture_settled_screen(), 1, false) && no_box(game, 300),
          "a press released over another window left Acerca de pressed or ran it");
    DestroyWindow(over);
}

// The pointer has the game's shape again over the board after a dialog's
// edit field gave it another: the window class has no cursor of its own.
static void check_pointer_after_edit(const Game& game) {
    const POINT board = {(board_rect.left + board_rect.right) / 2, (board_rect.top + board_rect.bottom) / 2};
    real_move(board.x, board.y);
    settle(game);
    const HCURSOR game_pointer = current_cursor();
    post_key(game, VK_F2);
    HWND dialog = wait_for_box(game, 5000);
    if (dialog) press_box_button(dialog, IDOK);
    HWND players = nullptr;
    wait_until([&] { return (players = find_game_box(game)) && GetDlgItem(players, IDC_SEAT0_NAME); }, 5000);
    RECT edit = {};
    GetWindowRect(GetDlgItem(players, IDC_SEAT0_NAME), &edit);
    real_move((edit.left + edit.right) / 2, (edit.top + edit.bottom) / 2);
    settle(game);
    const HCURSOR over_edit = current_cursor();
    press_box_button(players, IDCANCEL);
    wait_until([&] { return !IsWindow(players); }, 5000);
    press_box_button(dialog, IDCANCEL);
    wait_until([&] { return !IsWindow(dialog); }, 5000);
    real_move(board.x + 5, board.y);
    settle(game);
    CHECK(over_edit != game_pointer && current_cursor() == game_pointer,
          "over the board after an edit field the pointer is %p, not the game's %p", static_cast<void*>(current_cursor()),
          static_cast<void*>(game_pointer));
}

// The system's question before it ends the session, while a box of the
// game is open: no second question on top of it, the end refused, and the
// open box brought to the front for its answer.
static void check_session_end_refused(const Game& game, HWND box) {
    DWORD_PTR answer = TRUE;
    const bool answered = SendMessageTimeoutA(game.window, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 3000, &answer) != 0;
    pump(100);
    CHECK(answered && answer == FALSE && find_game_box(game) == box && GetForegroundWindow() == box,
          "the end of the session during a box: answered %d (%d), box in front %d", answered, static_cast<int>(answer),
          GetForegroundWindow() == box);
}

static void check_deactivation(const Game& game, HWND other) {
    SetForegroundWindow(other);
    pump(100);
    CHECK(wait_until([&] { return IsIconic(game.window) != FALSE; }, 3000), "switching away did not minimise");
    bring_back(game);
    CHECK(!IsIconic(game.window), "the game did not come back");

    // Under the leave question and under the new-game dialog it stays.
    post_key(game, VK_ESCAPE);
    HWND box = wait_for_box(game, 5000);
    SetForegroundWindow(other);
    pump(600);
    CHECK(!IsIconic(game.window), "minimised under a message box");
    check_session_end_refused(game, box);
    if (box) press_box_button(box, IDNO);
    wait_until([&] { return !IsWindow(box); }, 5000);
    bring_back(game);

    post_key(game, VK_F2);
    HWND dialog = wait_for_box(game, 5000);
    SetForegroundWindow(other);
    pump(600);
    CHECK(!IsIconic(game.window), "minimised under the new-game dialog");
    if (dialog) press_box_button(dialog, IDCANCEL);
    wait_until([&] { return !IsWindow(dialog); }, 5000);
    bring_back(game);
}

// A one-token game of two started through the dialogs (the record file
// exists while it runs); F2 then asks its question.
static void start_a_game(const Game& game) {
    post_key(game, VK_F2);
    HWND dialog = wait_for_control(game, IDC_TOKENS_1);
    CHECK(dialog != nullptr, "F2 opened no new-game dialog");
    if (!dialog) return;
    press_box_button(dialog, IDC_TOKENS_1);
    press_box_button(dialog, IDC_PLAYERS_2);
    press_box_button(dialog, IDOK);
    HWND players = wait_for_control(game, IDC_SEAT0_NAME);
    if (players) press_box_button(players, IDOK);
    CHECK(wait_until([&] { return !find_game_box(game); }, 5000), "the game did not start");
    post_key(game, VK_F2);
    const std::string asked = answer_box(game, IDNO);
    CHECK(asked == "¿Están seguros de que quieren empezar un nuevo juego?", "F2 asked \"%s\"", asked.c_str());
}

// The session really ending with a game running (the one the texts check
// started): its record file goes at once, as the system may end the
// process without destroying the window.
static void check_session_end(const Game& game) {
    const bool created = wait_until([&] { return !record_file_of(game).empty(); }, 5000);
    DWORD_PTR result;
    SendMessageTimeoutA(game.window, WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 5000, &result);
    CHECK(created && record_file_of(game).empty(), "record file %s at the end of the session",
          created ? "left" : "never made");
}

// After the boxes the window still has the keyboard: a real Escape asks,
// and Yes ends the program with exit code 0.
static void check_leaving_with_keyboard(Game& game) {
    SetForegroundWindow(game.window);
    pump(200);
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_ESCAPE;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
    HWND box = wait_for_box(game, 5000);
    CHECK(box && box_text(box) == leave_question, "a typed Escape did not ask");
    if (box) press_box_button(box, IDYES);
    const int code = wait_for_exit(game, 10000);
    CHECK(code == 0, "exit code %d after Yes", code);
}

int window_tests(const char* exe) {
    Game game;
    if (!start_game(exe, game)) {
        CHECK(false, "the game did not start");
        return 1;
    }
    const Image opening = capture_settled_screen();
    check_window_and_outline(game, opening);
    check_opening_picture(opening);
    check_held_button(game);
    check_release_elsewhere(game);
    check_pointer_after_edit(game);
    dialog_tests(game);
    check_leaving_refused(game, "Escape", ask_by_escape);
    check_leaving_refused(game, "Alt+F4", ask_by_alt_f4);
    check_leaving_refused(game, "x", ask_by_close_button);
    HWND other = make_other_window();
    check_deactivation(game, other);
    DestroyWindow(other);
    start_a_game(game);
    check_session_end(game);
    check_leaving_with_keyboard(game);
    stop_game(game);
    pacing_tests();
    return failed_checks;
}

