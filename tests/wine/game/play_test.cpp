// Faults: a second click or key during the dice roll or a button flash handled
// afterwards, a wrong pointer over a refused or allowed drop, a click in the computer's turn taken, ClipCursor in
// window coordinates, WM_DISPLAYCHANGE not followed, the final position lost from "Ganó" on, a cancelled dialog
// putting counts back, the summary hidden or without a taskbar button, names that no save can hold, texts of boxes,
// names, statistics and summary wrong under another code page, record files outside the temporary folder or left.
#include "check.h"
#include "game_window.h"
#include "log_text.h"
#include "play.h"
#include "screen.h"
#include "game/board.h"
#include "game/state.h"
#include "ui/app/text.h"
#include "ui/resources/resource.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

// Pixels of the text drawn at (x, y) of the screen over the background the
// shot shows at column `edge` of the same rows, that differ from the shot.
// Drawn as the game draws it: in a design font, `scale` times larger.
static int text_differs(const Image& shot, int x, int y, int edge, const std::string& text, COLORREF colour,
                        HFONT font) {
    const std::wstring wide = wide_1252(text);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old_font = SelectObject(dc, font);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, 1, 1, nullptr);
    SetViewportExtEx(dc, scale, scale, nullptr);
    SIZE size = {0, 0};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    const int w = (size.cx + 4) * scale, h = (size.cy + 4) * scale;
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    uint32_t* px = nullptr;
    HBITMAP canvas = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&px), nullptr, 0);
    HGDIOBJ old_bitmap = SelectObject(dc, canvas);
    for (int row = 0; row < h; ++row)
        for (int col = 0; col < w; ++col) px[row * w + col] = shot.at(edge, y - 2 * scale + row);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    TextOutW(dc, 2, 2, wide.c_str(), static_cast<int>(wide.size()));
    GdiFlush();
    int differ = 0;
    for (int row = 0; row < h; ++row)
        for (int col = 0; col < w; ++col)
            differ += (px[row * w + col] & 0xFFFFFF) != shot.at(x - 2 * scale + col, y - 2 * scale + row);
    SelectObject(dc, old_bitmap);
    SelectObject(dc, old_font);
    DeleteObject(canvas);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return differ;
}

void check_game_over(HWND over, const std::string& winner) {
    const std::string loser = winner == "Peña" ? "Cpu??" : "Peña";
    const std::string shown = control_text(over, IDC_WINS_LABEL) + control_text(over, IDC_WINS) + "/" +
                              control_text(over, IDC_GAMES) + "," + control_text(over, IDC_FIRST_HOME) + "," +
                              control_text(over, IDC_LAST_PLAYER);
    CHECK(shown == winner + " ganó:1/1," + winner + "," + loser, "game over: \"%s\"", shown.c_str());
}

// The records summary in front, after "Salir" (the game's window hidden)
// a window of its own with a taskbar button, painting the records of a
// run whose first game alone has ended when `records` says so.
void check_summary(const Game& game, const std::string& winner, bool records, bool salir) {
    HWND summary = nullptr;
    wait_until(
        [&] { return (summary = find_game_box(game)) && !GetDlgItem(summary, IDC_TIME) && !is_message_box(summary); },
        10000);
    CHECK(summary != nullptr, "no records summary");
    if (!summary) return;
    const LONG_PTR ex = GetWindowLongPtrA(summary, GWL_EXSTYLE);
    const bool taskbar = (ex & WS_EX_APPWINDOW) || (!GetWindow(summary, GW_OWNER) && !(ex & WS_EX_TOOLWINDOW));
    CHECK((taskbar || !salir) && wait_until([&] { return GetForegroundWindow() == summary; }, 10000),
          "the summary has %s taskbar button and is %s front", taskbar ? "a" : "no",
          GetForegroundWindow() == summary ? "in" : "not in");
    if (!records) return press_box_button(summary, IDOK);
    Sleep(300);
    const Image shot = capture_settled_screen();
    POINT client = {0, 0};
    ClientToScreen(summary, &client);
    RECT r;
    GetClientRect(summary, &r);
    // 18 points at 100 %.
    HFONT font =
        CreateFontA(-MulDiv(18, 96, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
    const std::string won = winner == "Peña" ? "1" : "0", lost = won == "1" ? "0" : "1";
    const struct {
        int x, y;
        std::string text;
        COLORREF colour;
    } texts[] = {{45, 30, "Peña", RGB(0, 0, 0)},
                 {45, 70, "Juegos ganados:" + won, RGB(255, 0, 0)},
                 {45, 166, "Último jugador:" + lost, RGB(255, 0, 0)},
                 {45, 358, "Primera ficha:" + lost, RGB(255, 255, 0)}};
    for (const auto& t : texts) {
        const int differ = text_differs(shot, client.x + t.x * scale, client.y + t.y * scale, client.x + r.right - 3,
                                        t.text, t.colour, font);
        CHECK(differ == 0, "the summary's \"%s\": %d pixels differ", t.text.c_str(), differ);
    }
    DeleteObject(font);
    press_box_button(summary, IDOK);
}

namespace {

struct Box {
    int left, top, right, bottom; // right and bottom exclusive
    bool holds(int x, int y) const { return left <= x && x < right && top <= y && y < bottom; }
};
Box die_box(const DieSpot& d) { return Box{d.x, d.y, d.x + 61, d.y + 61}; }
Box token_box(const Spot& s) { return Box{s.x, s.y, s.x + 20, s.y + 20}; }

struct View {
    Image shot;
    int turn = -1;   // 0 red, 2 yellow, -1 neither
    int number = -1; // pips left in the centre
    std::vector<DieSpot> dice;
    std::vector<Spot> red, yellow;
    // The dice, the tokens and the centre: what a throw or a move may change.
    std::vector<Box> parts() const {
        std::vector<Box> boxes = {
            Box{centre_rect.left, centre_rect.top, centre_rect.right + 1, centre_rect.bottom + 1}};
        for (const DieSpot& d : dice) boxes.push_back(die_box(d));
        for (const Spot& s : red) boxes.push_back(token_box(s));
        for (const Spot& s : yellow) boxes.push_back(token_box(s));
        return boxes;
    }
};

View look() {
    View v;
    const Image full = capture_settled_screen();
    v.shot = design_view(full);
    v.dice = find_dice(v.shot);
    // The centre's colour is read at a corner no die covers.
    for (POINT c :
         {POINT{centre_rect.left + 1, centre_rect.top + 1}, POINT{centre_rect.right - 2, centre_rect.bottom - 2},
          POINT{centre_rect.left + 1, centre_rect.bottom - 2}}) {
        bool covered = false;
        for (const DieSpot& d : v.dice) covered = covered || die_box(d).holds(c.x, c.y);
        if (covered) continue;
        v.turn = v.shot.at(c.x, c.y) == 0xFF0000 ? 0 : v.shot.at(c.x, c.y) == 0xFFFF00 ? 2 : -1;
        break;
    }
    if (v.turn >= 0)
        v.number = read_centre_number(full, centre_rect.left, centre_rect.top,
                                      v.turn == 0 ? RGB(255, 0, 0) : RGB(255, 255, 0), v.dice);
    v.red = find_tokens(v.shot, 0);
    v.yellow = find_tokens(v.shot, 2);
    return v;
}

// A point of the board on no die and no token: a click there throws.
POINT empty_point(const View& v) {
    for (POINT p : {POINT{(top_arm.left + top_arm.right) / 2, top_arm.top + 30},
                    POINT{(bottom_arm.left + bottom_arm.right) / 2, bottom_arm.bottom - 30}}) {
        bool free = true;
        for (size_t i = 1; i < v.parts().size(); ++i) free = free && !v.parts()[i].holds(p.x, p.y);
        if (free) return p;
    }
    return POINT{(centre_rect.left + centre_rect.right) / 2, (centre_rect.top + centre_rect.bottom) / 2};
}

struct Play {
    Game game;
    std::function<void()> started; // run once the game is on
    HCURSOR red_pointer = nullptr;
    std::string winner;
    bool resize = false; // the screen's resolution is changed during the game
    bool shapes = false, cpu_click = false, clipped = false, resized = false;
    int games = 0, misses = 0;
};

// The winner's token shows where the game places a token that reached home.
bool home_token_drawn(const Play& p) {
    const uint8_t seat = p.winner == "Peña" ? 0 : 2;
    place_token(HOME_SQUARE, seat, 0);
    settle(p.game);
    for (const Spot& s : find_tokens(design_view(capture_settled_screen()), seat))
        if (s.x == tokens[seat][0].x && s.y == tokens[seat][0].y) return true;
    return false;
}

bool every_check_reached(const Play& p) { return p.clipped && p.shapes && p.cpu_click && (!p.resize || p.resized); }

// Message boxes inside the game: each is answered with OK; "Ganó", with the winner's token drawn at home, ends it.
bool answer_boxes(Play& p) {
    HWND box = find_game_box(p.game);
    if (!box || !is_message_box(box)) return false;
    const std::string text = box_text(box);
    CHECK(window_text(box) == "Zenta Korvalo" || window_text(box) == "Castigo!!!", "caption \"%s\"",
          window_text(box).c_str());
    if (text.rfind("Ganó ", 0) == 0) p.winner = text.substr(std::strlen("Ganó "));
    CHECK(p.winner.empty() || home_token_drawn(p), "under \"%s\" no token at its home spot", text.c_str());
    press_box_button(box, IDOK);
    gone(box);
    return true;
}

// "Aceptar" clicked as players do: on the new-game dialog with Escape
// pressed while the button flashes, on the players dialog with a double
// click whose second click comes once the dialog has closed. Neither may
// reach what comes up next.
void click_aceptar(const Play& p, HWND dialog, bool double_click) {
    RECT r;
    GetWindowRect(GetDlgItem(dialog, IDOK), &r);
    const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    if (!double_click) return real_click_and_key(x, y, VK_ESCAPE);
    real_click(x, y);
    DWORD first = GetTickCount();
    bool next = wait_until([&] { return find_game_box(p.game) != dialog; }, GetDoubleClickTime());
    // On a heavily loaded machine Wine has been seen to lose an injected
    // click whole (the button under the pointer, the dialog in front and
    // enabled, no command): the click is given once more, and said so.
    if (!next && find_game_box(p.game) == dialog) {
        fprintf(stderr, "the first click on \"Aceptar\" got no answer; clicking again\n");
        real_click(x, y);
        first = GetTickCount();
        next = wait_until([&] { return find_game_box(p.game) != dialog; }, GetDoubleClickTime());
    }
    // A second click too late (a busy machine) would be a click of its own.
    if (next && GetTickCount() - first < GetDoubleClickTime() - 100) real_button(true), real_button(false);
}

bool start_one_token_game(Play& p, bool from_key) {
    if (from_key) post_key(p.game, VK_F2);
    HWND players = nullptr;
    for (int attempt = 0; attempt < 2 && !players; ++attempt) {
        // A click Wine lost whole (see click_aceptar) leaves the Escape typed
        // after it to close the new-game dialog: no players dialog comes. The
        // game is asked once more, and said so; a game that closes the
        // players dialog itself fails both times.
        if (attempt > 0) {
            if (find_game_box(p.game)) break;
            fprintf(stderr, "no players dialog after \"Aceptar\"; asking for a new game again\n");
            post_key(p.game, VK_F2);
        }
        HWND dialog = wait_for_control(p.game, IDC_TOKENS_1, 10000);
        if (!dialog) return false;
        press_box_button(dialog, IDC_TOKENS_1);
        press_box_button(dialog, IDC_PLAYERS_2);
        click_aceptar(p, dialog, false);
        players = wait_for_control(p.game, IDC_SEAT0_NAME);
    }
    Sleep(300);
    settle(p.game);
    CHECK(players && IsWindowVisible(players), "the players dialog did not stay open");
    if (!players) return false;
    if (p.games == 1) check_players_texts(players);
    // Typed from outside as UTF-16; shown and kept as "Peña" and "Cpu??", which a saved game can hold.
    SetDlgItemTextW(players, IDC_SEAT0_NAME, L"pe\u00F1a");
    SetDlgItemTextW(players, IDC_SEAT2_NAME, L"Cpu\t\u0081");
    if (!IsDlgButtonChecked(players, IDC_SEAT2_CPU)) SendDlgItemMessageA(players, IDC_SEAT2_CPU, BM_CLICK, 0, 0);
    click_aceptar(p, players, true);
    HWND left = nullptr;
    CHECK(wait_until([&] { return !(left = find_game_box(p.game)); }, 10000),
          "a box is open after the players dialog: %s%s",
          GetDlgItem(left, IDC_SEAT0_NAME) ? "players"
          : GetDlgItem(left, IDC_TOKENS_1) ? "new game"
                                           : "",
          box_text(left).c_str());
    return !find_game_box(p.game);
}

// Red to throw, both tokens in their jails, no die (none thrown by a stray
// click, none left from the last game), "Peña" beside the board.
void check_new_game(Play& p, const View& v) {
    CHECK(v.turn == 0 && v.number == 0 && v.red.size() == 1 && v.yellow.size() == 1 && v.dice.empty(),
          "turn %d, centre %d, %zu and %zu tokens, %zu dice", v.turn, v.number, v.red.size(), v.yellow.size(),
          v.dice.size());
    p.red_pointer = current_cursor();
    if (p.games > 1 || scale > 1) return; // larger, the name is written in another font
    const int differ =
        text_differs(v.shot, turn_name_rect.left, turn_name_rect.top, v.shot.w - 1, "Peña", RGB(255, 0, 0),
                     font_with_1252_letters(static_cast<HFONT>(GetStockObject(SYSTEM_FONT))));
    release_1252_fonts();
    CHECK(differ == 0, "the name beside the board is not \"Peña\": %d pixels differ", differ);
}

// Two quick clicks throw once: the second comes during the roll. The window
// answers no message while the dice roll: a second roll started by that
// click would keep it from answering once the first is over.
void human_throw(Play& p, const View& before) {
    const POINT at = on_screen(empty_point(before).x, empty_point(before).y);
    real_click(at.x, at.y);
    real_click(at.x + 12 * scale, at.y);
    DWORD_PTR result;
    wait_until([&] { return !SendMessageTimeoutA(p.game.window, WM_NULL, 0, 0, SMTO_NORMAL, 50, &result); }, 3000);
    SendMessageTimeoutA(p.game.window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
    Sleep(100);
    const DWORD start = GetTickCount();
    SendMessageTimeoutA(p.game.window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
    CHECK(GetTickCount() - start < 600, "two clicks threw twice");
    settle(p.game);
}

// The dice may come to rest over a token or the centre; like a player, the
// test then carries them into the margins, below the buttons.
bool park_dice(Play& p, const View& v) {
    bool moved = false;
    for (const DieSpot& d : v.dice) {
        const int to_x = d.x < v.shot.w / 2 ? 10 : v.shot.w - 70, to_y = v.shot.h - 70;
        if (d.x == to_x && d.y == to_y) continue;
        post_mouse(p.game, WM_LBUTTONDOWN, d.x + 30, d.y + 30, true);
        post_mouse(p.game, WM_MOUSEMOVE, to_x + 30, to_y + 30, true);
        post_mouse(p.game, WM_LBUTTONUP, to_x + 30, to_y + 30, false);
        settle(p.game); // a press before the next paint would repaint its square without dice
        moved = true;
    }
    return moved;
}

POINT square_point(uint8_t square) {
    if (square == HOME_SQUARE)
        return POINT{(centre_rect.left + centre_rect.right) / 2, (centre_rect.top + centre_rect.bottom) / 2};
    Cell c;
    square_cell(square, &c);
    return POINT{c.left + c.width / 2, c.top + c.height / 2};
}

// Over the jail (no square) a drop is refused, over the token's own square
// allowed; a refused drop changes nothing, and with a move owed a click on
// the board throws nothing.
void check_refused_drop(Play& p, const Spot& token, const View& v, POINT jail, HCURSOR carry, HCURSOR refused) {
    p.shapes = true;
    post_mouse(p.game, WM_MOUSEMOVE, token.x + 10, token.y + 10, true);
    settle(p.game);
    const HCURSOR own_square = current_cursor();
    post_mouse(p.game, WM_MOUSEMOVE, jail.x, jail.y, true);
    post_mouse(p.game, WM_LBUTTONUP, jail.x, jail.y, false);
    settle(p.game);
    const int changed = differing_pixels(v.shot, design_view(capture_settled_screen()), 0, 0, v.shot.w, v.shot.h);
    const HCURSOR after_drop = current_cursor();
    const POINT at = empty_point(v);
    click(p.game, at.x, at.y);
    settle(p.game);
    const int thrown = differing_pixels(v.shot, design_view(capture_settled_screen()), 0, 0, v.shot.w, v.shot.h);
    CHECK(refused != p.red_pointer && own_square == carry && after_drop == p.red_pointer && changed == 0 && thrown == 0,
          "refusal pointer %d, own square %d, red's after the drop %d; %d pixels changed by the drop, %d by a click",
          refused != p.red_pointer, own_square == carry, after_drop == p.red_pointer, changed, thrown);
}

// Tries the moves the dice seem to allow, then every square of red's route,
// until the pointer says the drop is legal, and drops the token there.
void human_move(Play& p, const View& v) {
    CHECK(!v.red.empty(), "red has a move to make but no token is seen");
    if (v.red.empty()) return;
    const Spot token = v.red[0];
    const Rect& jail_area = board_areas[jail_area_of[0]];
    const POINT jail = {jail_area.left + 48, jail_area.top + 48};
    post_mouse(p.game, WM_LBUTTONDOWN, token.x + 10, token.y + 10, true);
    settle(p.game);
    const HCURSOR carry = current_cursor();
    post_mouse(p.game, WM_MOUSEMOVE, jail.x, jail.y, true);
    settle(p.game);
    const HCURSOR refused = current_cursor();
    // A die the search missed (half under a token) was picked up, or (seen
    // under Wine now and then) the carry pointer still shows over the jail:
    // put back and tried again; only a repeated failure counts.
    if (carry == p.red_pointer || refused == carry) {
        post_mouse(p.game, WM_MOUSEMOVE, 40, v.shot.h - 110, true);
        post_mouse(p.game, WM_LBUTTONUP, 40, v.shot.h - 110, false);
        settle(p.game);
        CHECK(++p.misses < 4, "the token at %d,%d cannot be carried", token.x, token.y);
        return;
    }
    p.misses = 0;
    if (!p.shapes) {
        check_refused_drop(p, token, v, jail, carry, refused);
        post_mouse(p.game, WM_LBUTTONDOWN, token.x + 10, token.y + 10, true);
    }
    const uint8_t step = square_to_step(point_to_square(token.x + 10, token.y + 10), 0);
    std::vector<int> steps;
    if (step != NO_SQUARE) {
        for (const DieSpot& d : v.dice) steps.push_back(step + d.face), steps.push_back(step + v.number - d.face);
        steps.push_back(step + v.number);
    }
    for (int s = 1; s <= STEP_HOME; ++s) steps.push_back(s);
    for (int s : steps) {
        const uint8_t to =
            s > 0 && s <= STEP_HOME ? step_to_square(static_cast<uint8_t>(s), 0) : static_cast<uint8_t>(NO_SQUARE);
        if (to == NO_SQUARE || s == step) continue;
        const POINT at = square_point(to);
        post_mouse(p.game, WM_MOUSEMOVE, at.x, at.y, true);
        settle(p.game);
        if (current_cursor() != carry) continue;
        post_mouse(p.game, WM_LBUTTONUP, at.x, at.y, false);
        settle(p.game);
        return;
    }
    CHECK(false, "no legal square for %d pips", v.number);
    post_mouse(p.game, WM_LBUTTONUP, token.x + 10, token.y + 10, false);
}

// During the computer's turn a click on the board throws nothing: within
// its first second the computer has not thrown yet either.
void check_click_in_computer_turn(Play& p, const View& v) {
    p.cpu_click = true;
    const POINT at = empty_point(v);
    click(p.game, at.x, at.y);
    settle(p.game);
    const Image now = design_view(capture_settled_screen());
    CHECK(differing_pixels(v.shot, now, 0, 0, now.w, now.h) == 0, "a click in the computer's turn changed the screen");
}

// The range a carried die may travel is kept on the screen, where the
// window stands: shown with the window moved off the screen's corner.
void check_clip_on_screen(Play& p, const View& v) {
    p.clipped = true;
    const DieSpot d = v.dice[0].x < v.dice[1].x ? v.dice[0] : v.dice[1]; // die 0, the left half
    SetWindowPos(p.game.window, nullptr, 20, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    DWORD_PTR result;
    const POINT on_die = on_screen(d.x + 30, d.y + 30);
    SendMessageTimeoutA(p.game.window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(on_die.x, on_die.y), SMTO_NORMAL, 5000,
                        &result);
    RECT clip = {};
    GetClipCursor(&clip);
    post_mouse(p.game, WM_LBUTTONUP, d.x + 30, d.y + 30, false);
    SetWindowPos(p.game.window, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    settle(p.game);
    CHECK(clip.left == 20 && clip.top == 10 && clip.right == (v.shot.w / 2 - 30) * scale + 20,
          "a die's range with the window at 20,10 clipped to %ld,%ld-%ld,%ld", clip.left, clip.top, clip.right,
          clip.bottom);
}

// The screen changes from 1024 x 768 to 1920 x 1080 during the game, where
// the game draws everything twice as large: the window covers the new
// screen, the board is centred on it, the tokens and dice moved with it;
// then the game goes on there.
void change_resolution(Play& p, const View& before) {
    p.resized = true;
    const int old_left = board_rect.left, old_top = board_rect.top;
    const bool changed = change_screen(1920, 1080);
    settle(p.game);
    p.red_pointer = current_cursor(); // the pointers are made again at the new scale
    const View after = look();
    RECT r;
    GetWindowRect(p.game.window, &r);
    bool moved = before.red.size() == after.red.size() && before.dice.size() == after.dice.size();
    for (size_t i = 0; moved && i < after.red.size(); ++i)
        moved = after.red[i].x - before.red[i].x == board_rect.left - old_left &&
                after.red[i].y - before.red[i].y == board_rect.top - old_top;
    int corners = 0; // a die may rest over one
    for (int x : {board_rect.left, board_rect.right})
        for (int y : {board_rect.top, board_rect.bottom}) corners += after.shot.at(x, y) == 0xFF0000;
    CHECK(changed && scale == 2 && r.right == 1920 && r.bottom == 1080 && corners >= 2 && moved,
          "after the change to 1920 x 1080: window %ld x %ld, the board's corner or the tokens and dice not moved",
          r.right, r.bottom);
}

// After "Seguir" the board keeps the final position, the winner's token
// beside its jail and the dice, also once the new-game dialog is cancelled
// and the window repainted; the cancel puts back nothing (three players
// chosen there are still chosen at the next F2).
void check_final_position(Play& p, HWND over) {
    press_box_button(over, IDOK);
    HWND dialog = wait_for_control(p.game, IDC_PLAYERS_3, 10000);
    if (dialog) press_box_button(dialog, IDC_PLAYERS_3), press_box_button(dialog, IDCANCEL), gone(dialog);
    InvalidateRect(p.game.window, nullptr, TRUE);
    settle(p.game);
    const View v = look();
    CHECK(dialog && home_token_drawn(p) && !(p.winner == "Peña" ? v.yellow : v.red).empty() && !v.dice.empty(),
          "the final position is gone");
    post_key(p.game, VK_F2);
    if ((dialog = wait_for_control(p.game, IDOK))) press_box_button(dialog, IDOK);
    HWND players = wait_for_control(p.game, IDC_SEAT0_NAME);
    CHECK(players && IsWindowVisible(GetDlgItem(players, IDC_SEAT1_NAME)),
          "a dialog cancelled after Seguir put the player count back");
    if (players) press_box_button(players, IDCANCEL), gone(players);
    if (dialog) press_box_button(dialog, IDCANCEL), gone(dialog);
}

// One game from its dialogs to "Ganó"; false when it could not start.
bool play_one_game(Play& p, bool from_key) {
    p.winner.clear();
    ++p.games;
    const bool started = start_one_token_game(p, from_key);
    CHECK(started, "could not start a one-token game");
    if (!started) return false;
    if (p.started) p.started();
    settle(p.game);
    check_new_game(p, look());
    bool computer = false;
    const DWORD start = GetTickCount();
    while (p.winner.empty() && GetTickCount() - start < 400000 && failed_checks < 20) {
        if (answer_boxes(p)) continue;
        const View v = look();
        if (v.turn == 2 && !computer && !p.cpu_click && v.number == 0) check_click_in_computer_turn(p, v);
        computer = v.turn == 2;
        if (v.turn != 0) {
            Sleep(50);
        } else if (v.number != 0) {
            if (!park_dice(p, v)) human_move(p, v);
        } else if (!p.clipped && v.dice.size() == 2) {
            check_clip_on_screen(p, v);
        } else if (p.resize && !p.resized && p.clipped) {
            change_resolution(p, v);
        } else {
            human_throw(p, v);
        }
    }
    CHECK(p.winner == "Peña" || p.winner == "Cpu??", "winner \"%s\"", p.winner.c_str());
    return true;
}

} // namespace

// A one-token game of "Peña" against the computer through the real window,
// the record files in a temporary folder whose name the ANSI code page
// cannot spell. A game can end before every check had its moment (three
// doubles in a row win at once): then "Seguir" starts the next one. After
// the last, "Seguir" and a second game left with Escape: the summary then
// shows the games before it.
int play_tests(const char* exe) {
    Play p;
    p.resize = true;
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    if (!start_game(exe, p.game, temp + std::wstring(L"Παίκτης-") + std::to_wstring(GetCurrentProcessId())))
        return ++failed_checks;
    HWND over = nullptr;
    for (bool from_key = true; play_one_game(p, from_key) && !p.winner.empty(); from_key = false) {
        if (!(over = wait_for_control(p.game, IDC_TIME, 10000)) || every_check_reached(p) || p.games == 4) break;
        press_box_button(over, IDOK); // "Seguir"
    }
    CHECK(every_check_reached(p) && over, "not every check was reached");
    if (over && p.games == 1) check_game_over(over, p.winner);
    if (over) check_final_position(p, over);
    CHECK(!record_file_of(p.game).empty(), "no record file in the game's temporary folder while the game runs");
    ++p.games;
    start_one_token_game(p, true);
    post_key(p.game, VK_ESCAPE);
    answer_box(p.game, IDYES);
    check_summary(p.game, p.winner, p.games == 2, false);
    CHECK(wait_for_exit(p.game, 10000) == 0 && record_file_of(p.game).empty(), "no exit with 0, or a record file left");
    stop_game(p.game);
    return failed_checks;
}

std::string play_against_computer(Game& game, const std::function<void()>& started) {
    Play p;
    p.game = game;
    p.started = started;
    play_one_game(p, true);
    return p.winner;
}
