// Faults: a choice not shown chosen, a wrong row, default name or "Sí" in the players dialog, Enter or Esc not reaching
// a dialog, the About dialog's credit lost, a dialog leaving the game deaf to keys, a second new-game dialog opened
// over the first, the "CPU" boxes hidden or the computer idle in a game of more than one token.
#include "check.h"
#include "game_window.h"
#include "game/board.h"
#include "screen.h"
#include "ui/resources/resource.h"

#include <string>

namespace {

// Whether choice "3" shows its selected picture: nearer to it than to its
// normal one, pixel for pixel (the screen may round a colour).
bool three_chosen(const Game& game, HWND dialog) {
    settle(game);
    POINT at = {0, 0};
    ClientToScreen(GetDlgItem(dialog, IDC_TOKENS_3), &at);
    const Image shot = capture_settled_screen(), selected = game_picture(IDB_COUNT_SELECTED(3)),
                normal = game_picture(IDB_COUNT_NORMAL(3));
    int nearer = 0;
    for (int y = 0; y < selected.h; ++y)
        for (int x = 0; x < selected.w; ++x)
            if (selected.at(x, y) != normal.at(x, y))
                nearer += shot.at(at.x + x, at.y + y) == selected.at(x, y) ? 1 : -1;
    return nearer > 0;
}

// Keys go to the control with the focus in the dialog's thread, as typed.
void press_key(HWND dialog, WPARAM vk) {
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &gui);
    HWND target = IsChild(dialog, gui.hwndFocus) ? gui.hwndFocus : dialog;
    PostMessageA(target, WM_KEYDOWN, vk, 1);
    PostMessageA(target, WM_KEYUP, vk, 1 | 0xC0000000u);
}

void click_control(HWND control) {
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

} // namespace

// The players dialog of a first game of two: the rows of seats 0 and 2,
// their default names and "Sí", read as the player sees them.
void check_players_texts(HWND players) {
    const bool rows = IsWindowVisible(GetDlgItem(players, IDC_SEAT0_NAME)) &&
                      !IsWindowVisible(GetDlgItem(players, IDC_SEAT1_NAME)) &&
                      IsWindowVisible(GetDlgItem(players, IDC_SEAT2_NAME));
    const std::string first = control_text(players, IDC_SEAT0_NAME), second = control_text(players, IDC_SEAT2_NAME),
                      yes = control_text(players, IDC_SOPLAR_YES);
    CHECK(rows && first == "Jugador 1" && second == "Jugador 2" && yes == "Sí",
          "players dialog: rows %s, \"%s\", \"%s\", \"%s\"", rows ? "right" : "wrong", first.c_str(), second.c_str(),
          yes.c_str());
}

void dialog_tests(const Game& game) {
    post_key(game, VK_F2);
    HWND dialog = wait_for_control(game, IDC_TOKENS_1);
    CHECK(dialog != nullptr, "F2 opened no new-game dialog");
    if (!dialog) return;
    const bool before = three_chosen(game, dialog);
    click_control(GetDlgItem(dialog, IDC_TOKENS_3));
    CHECK(!before && three_chosen(game, dialog), "a click on \"3\" does not show it chosen");
    click_control(GetDlgItem(dialog, IDC_TOKENS_1));
    settle(game);
    press_key(dialog, VK_RETURN);
    HWND players = wait_for_control(game, IDC_SEAT0_NAME);
    CHECK(players != nullptr, "Enter in the new-game dialog opened no players dialog");
    if (players) {
        check_players_texts(players);
        post_key(game, VK_F2); // to the window under both dialogs
        settle(game);
        CHECK(!wait_for_control(game, IDC_TOKENS_1, 500), "F2 under open dialogs opened a second new-game dialog");
        press_key(players, VK_ESCAPE);
        CHECK(gone(players) && IsWindow(dialog), "Esc did not go back from the players dialog");
    }
    press_key(dialog, VK_ESCAPE);
    CHECK(gone(dialog), "Esc did not close the new-game dialog");

    const ButtonRecord& about = buttons[1];
    click(game, (about.left + about.right) / 2, (about.top + about.bottom) / 2);
    HWND credits = wait_for_control(game, IDC_CREDIT_3);
    CHECK(credits != nullptr, "Acerca de opened no dialog");
    if (!credits) return;
    const std::string last = control_text(credits, IDC_CREDIT_3);
    CHECK(window_text(credits) == "Zenta Korvalo" && last.size() > 19 &&
              last.substr(last.size() - 19) == "¡Que gane el mejor!",
          "About: \"%s\", its last credit \"%s\"", window_text(credits).c_str(), last.c_str());
    press_key(credits, VK_RETURN);
    CHECK(gone(credits), "Enter did not close the About dialog");
}

// A game of two tokens with red handed to the computer: both "CPU" boxes
// show, and the computer throws on its own. Its actions come 1.0 to 1.1 s
// apart, so the board is looked at again after a few of them.
namespace {

// The new-game dialogs over a running game (F2, Yes), with the tokens
// chosen; the players dialog, or null.
HWND open_players_dialog(const Game& game, int tokens_id) {
    post_key(game, VK_F2);
    HWND box = nullptr;
    wait_until([&] { return (box = find_game_box(game)) != nullptr; }, 5000);
    if (box && is_message_box(box)) press_box_button(box, IDYES);
    HWND dialog = wait_for_control(game, tokens_id);
    if (!dialog) return nullptr;
    click_control(GetDlgItem(dialog, tokens_id));
    settle(game);
    press_key(dialog, VK_RETURN);
    return wait_for_control(game, IDC_SEAT0_CPU);
}

void start_with_red_ticked(const Game& game, HWND players) {
    click_control(GetDlgItem(players, IDC_SEAT0_CPU));
    settle(game);
    press_key(players, VK_RETURN);
    wait_until([&] { return !find_game_box(game); }, 5000);
    settle(game);
}

} // namespace

// A game of two tokens with red handed to the computer: both "CPU" boxes
// show, and the computer throws on its own. Its actions come 1.0 to 1.1 s
// apart, so the board is looked at again after a few of them. Red is handed
// back to a person at the end.
void computer_game_test(const Game& game) {
    HWND players = open_players_dialog(game, IDC_TOKENS_2);
    CHECK(players != nullptr, "F2 and two tokens opened no players dialog");
    if (!players) return;
    const bool boxes = IsWindowVisible(GetDlgItem(players, IDC_SEAT0_CPU)) &&
                       IsWindowVisible(GetDlgItem(players, IDC_SEAT2_CPU)) &&
                       !IsWindowVisible(GetDlgItem(players, IDC_SEAT1_CPU));
    CHECK(boxes, "with two tokens the \"CPU\" boxes of the two seats are not the ones shown");
    start_with_red_ticked(game, players);
    const Image before = capture_settled_screen();
    pump(3500);
    const Image after = capture_settled_screen();
    CHECK(before.px != after.px, "the computer did not throw for red in a game of two tokens");
    if (HWND again = open_players_dialog(game, IDC_TOKENS_1)) start_with_red_ticked(game, again);
}
