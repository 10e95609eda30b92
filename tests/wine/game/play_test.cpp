// Faults: a throw or dragged die painting off its place, a second click or a key during the dice roll or a button flash handled afterwards, a wrong pointer over a refused or allowed drop, a click in the computer's turn, ClipCursor in window coordinates, WM_DISPLAYCHANGE not followed, the final position lost after a win, a cancelled dialog putting counts back, the summary hidden or without a taskbar button, wrong texts of the game's boxes, names, statistics and summary under another code page, record files outside the temporary folder or left at exit.
#include "check.h"
#include "game_window.h"
#include "play.h"
#include "log_text.h"
#include "screen.h"
#include "game/board.h"
#include "game/state.h"
#include "ui/app/text.h"
#include "ui/resources/resource.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>


// The game-over dialog after the first game of two: what the record file
// gives, as the player reads it.
void check_game_over(HWND over, const std::string& winner) {
    const std::string loser = winner == "Peña" ? "Cpu" : "Peña";
    CHECK(control_text(over, IDC_WINS_LABEL) == winner + " ganó:" && control_text(over, IDC_WINS) == "1" && control_text(over, IDC_GAMES) == "1" &&
              control_text(over, IDC_FIRST_HOME) == winner && control_text(over, IDC_LAST_PLAYER) == loser,
          "game over: \"%s\" %s of %s, first \"%s\", last \"%s\"", control_text(over, IDC_WINS_LABEL).c_str(),
          control_text(over, IDC_WINS).c_str(), control_text(over, IDC_GAMES).c_str(), control_text(over, IDC_FIRST_HOME).c_str(),
          control_text(over, IDC_LAST_PLAYER).c_str());
}

// The summary paints each text on a gradient of one colour per row: the
// same text drawn over the colours of its rows, read at the box's right
// edge where no text reaches, must give the same pixels. x < 0 centres it
// on the box's 640 pixels.
static int text_differs(const Image& shot, POINT client, int edge, int x, int y, const char* text, COLORREF colour) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HFONT font = CreateFontA(-MulDiv(18, GetDeviceCaps(screen, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                             FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
    HGDIOBJ old_font = SelectObject(dc, font);
    SIZE size;
    const std::wstring wide = wide_1252(text);
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    if (x < 0) x = (639 - size.cx) / 2;
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, size.cx + 4, -(size.cy + 4), 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    uint32_t* px = nullptr;
    HBITMAP canvas = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&px), nullptr, 0);
    HGDIOBJ old_bitmap = SelectObject(dc, canvas);
    const int w = size.cx + 4, h = size.cy + 4, left = client.x + x - 2, top = client.y + y - 2;
    for (int row = 0; row < h; ++row)
        for (int col = 0; col < w; ++col) px[row * w + col] = shot.at(client.x + edge, top + row);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    TextOutW(dc, 2, 2, wide.c_str(), static_cast<int>(wide.size()));
    GdiFlush();
    int differ = 0;
    for (int row = 0; row < h; ++row)
        for (int col = 0; col < w; ++col) differ += (px[row * w + col] & 0xFFFFFF) != shot.at(left + col, top + row);
    SelectObject(dc, old_bitmap);
    SelectObject(dc, old_font);
    DeleteObject(canvas);
    DeleteObject(font);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return differ;
}

void check_summary(HWND summary, const std::string& winner, const std::string& time) {
    Sleep(300);
    const Image shot = capture_settled_screen();
    POINT client = {0, 0};
    ClientToScreen(summary, &client);
    RECT r;
    GetClientRect(summary, &r);
    const bool ana = winner == "Peña";
    const std::string time_line = "Tiempo total: " + time;
    const struct {
        int x, y;
        const char* text;
        COLORREF colour;
    } texts[] = {
        {45, 30, "Peña", RGB(0, 0, 0)},
        {45, 70, ana ? "Juegos ganados:1" : "Juegos ganados:0", RGB(255, 0, 0)},
        {45, 118, ana ? "Primera ficha:1" : "Primera ficha:0", RGB(255, 0, 0)},
        {45, 166, ana ? "Último jugador:0" : "Último jugador:1", RGB(255, 0, 0)},
        {45, 270, "Cpu", RGB(0, 0, 0)},
        {45, 310, ana ? "Juegos ganados:0" : "Juegos ganados:1", RGB(255, 255, 0)},
        {45, 358, ana ? "Primera ficha:0" : "Primera ficha:1", RGB(255, 255, 0)},
        {45, 406, ana ? "Último jugador:1" : "Último jugador:0", RGB(255, 255, 0)},
        {292, 203, ana ? "1" : "0", RGB(0, 0, 0)},
        {292, 243, ana ? "0" : "1", RGB(0, 0, 0)},
        {-1, 5, time_line.c_str(), RGB(0, 0, 0)},
    };
    for (const auto& t : texts) {
        const int differ = text_differs(shot, client, r.right - 3, t.x, t.y, t.text, t.colour);
        CHECK(differ == 0, "the summary's \"%s\" at %d,%d: %d pixels differ", t.text, t.x, t.y, differ);
    }
}

// "Salir": the summary, a window of its own with a taskbar button, in
// front (the game's window is hidden by now), with the run's records.
void leave_with_salir(const Game& game, HWND over, const std::string& winner, const std::string& time) {
    press_box_button(over, IDCANCEL);
    HWND summary = nullptr;
    wait_until([&] { return (summary = find_game_box(game)) && summary != over; }, 10000);
    CHECK(summary != nullptr, "no records summary after Salir");
    if (!summary) return;
    const LONG_PTR ex = GetWindowLongPtrA(summary, GWL_EXSTYLE);
    const bool taskbar = (ex & WS_EX_APPWINDOW) || (!GetWindow(summary, GW_OWNER) && !(ex & WS_EX_TOOLWINDOW));
    CHECK(taskbar && wait_until([&] { return GetForegroundWindow() == summary; }, 2000),
          "the summary has %s taskbar button and is %s front", taskbar ? "a" : "no",
          GetForegroundWindow() == summary ? "in" : "not in");
    check_summary(summary, winner, time);
    press_box_button(summary, IDOK);
}

namespace {

const COLORREF red = RGB(255, 0, 0), yellow = RGB(255, 255, 0);

struct Box {
    int left, top, right, bottom; // right and bottom exclusive
    bool holds(int x, int y) const { return left <= x && x < right && top <= y && y < bottom; }
};

Box rect_box(const Rect& r) { return Box{r.left, r.top, r.right + 1, r.bottom + 1}; }
Box die_box(int x, int y) { return Box{x, y, x + 61, y + 61}; }
Box token_box(const Spot& s) { return Box{s.x, s.y, s.x + 20, s.y + 20}; }

// Pixels that differ outside every excluded box.
int changes_outside(const Image& a, const Image& b, const std::vector<Box>& excluded) {
    int n = 0;
    Box seen = {a.w, a.h, -1, -1};
    for (int y = 0; y < a.h; ++y)
        for (int x = 0; x < a.w; ++x) {
            if (a.at(x, y) == b.at(x, y)) continue;
            bool skip = false;
            for (const Box& e : excluded) skip = skip || e.holds(x, y);
            if (skip) continue;
            ++n;
            seen = Box{std::min(seen.left, x), std::min(seen.top, y), std::max(seen.right, x), std::max(seen.bottom, y)};
        }
    if (n) NOTE("changed pixels within %d,%d - %d,%d", seen.left, seen.top, seen.right, seen.bottom);
    return n;
}

struct View {
    Image shot;
    int turn = -1;   // 0 red, 2 yellow, -1 neither
    int number = -1; // pips left in the centre
    std::vector<DieSpot> dice;
    std::vector<Spot> red_tokens, yellow_tokens;
};

View look() {
    View v;
    v.shot = capture_settled_screen();
    v.dice = find_dice(v.shot);
    // The centre's colour is read at a corner no die covers.
    const POINT corners[4] = {{centre_rect.left + 1, centre_rect.top + 1}, {centre_rect.right - 2, centre_rect.top + 1},
                              {centre_rect.left + 1, centre_rect.bottom - 2}, {centre_rect.right - 2, centre_rect.bottom - 2}};
    for (const POINT& c : corners) {
        bool covered = false;
        for (const DieSpot& d : v.dice) covered = covered || die_box(d.x, d.y).holds(c.x, c.y);
        if (covered) continue;
        const uint32_t colour = v.shot.at(c.x, c.y);
        if (colour == 0xFF0000) v.turn = 0;
        if (colour == 0xFFFF00) v.turn = 2;
        break;
    }
    if (v.turn >= 0)
        v.number = read_centre_number(v.shot, centre_rect.left, centre_rect.top, v.turn == 0 ? red : yellow, v.dice);
    v.red_tokens = find_tokens(v.shot, 0);
    v.yellow_tokens = find_tokens(v.shot, 2);
    return v;
}

std::vector<Box> moving_parts(const View& a, const View& b) {
    std::vector<Box> boxes = {rect_box(centre_rect)};
    for (const View* v : {&a, &b}) {
        for (const DieSpot& d : v->dice) boxes.push_back(die_box(d.x, d.y));
        for (const Spot& s : v->red_tokens) boxes.push_back(token_box(s));
        for (const Spot& s : v->yellow_tokens) boxes.push_back(token_box(s));
    }
    return boxes;
}

// A point of the board that is on no die and no token: a click there is
// the throw.
POINT empty_point(const View& v) {
    const POINT candidates[] = {{(centre_rect.left + centre_rect.right) / 2, (centre_rect.top + centre_rect.bottom) / 2},
                                {(top_arm.left + top_arm.right) / 2, top_arm.top + 30},
                                {(bottom_arm.left + bottom_arm.right) / 2, bottom_arm.bottom - 30},
                                {left_arm.left + 30, (left_arm.top + left_arm.bottom) / 2}};
    for (const POINT& p : candidates) {
        bool free = true;
        for (const DieSpot& d : v.dice) free = free && !die_box(d.x, d.y).holds(p.x, p.y);
        for (const Spot& s : v.red_tokens) free = free && !token_box(s).holds(p.x, p.y);
        for (const Spot& s : v.yellow_tokens) free = free && !token_box(s).holds(p.x, p.y);
        if (free) return p;
    }
    return candidates[0];
}

POINT square_point(uint8_t square) {
    if (square == HOME_SQUARE) return POINT{(centre_rect.left + centre_rect.right) / 2, (centre_rect.top + centre_rect.bottom) / 2};
    Cell c;
    square_cell(square, &c);
    return POINT{c.left + c.width / 2, c.top + c.height / 2};
}

bool in_square(const Spot& s, uint8_t square) {
    Cell c;
    if (!square_cell(square, &c)) return false;
    // A 20-pixel token overhangs a 16-pixel square: its corner is inside.
    return s.x >= c.left && s.y >= c.top && s.x < c.left + c.width && s.y < c.top + c.height;
}

struct Play {
    Game game;
    std::function<void()> started; // run once the game is on
    Image bare; // the board of the new game, before any die is shown
    HCURSOR red_pointer = nullptr;
    std::string winner;
    bool shapes_checked = false, idle_click_checked = false, cpu_click_checked = false, die_dragged = false;
    bool clip_checked = false, resolution_changed = false;
    bool large = false; // the larger screen: its resolution is changed during the game
    int human_moves = 0, human_throws = 0, computer_turns = 0, missed_pickups = 0;
    int games = 0; // started in this run
};

// Message boxes inside the game: each is answered with OK; "Ganó" ends it.
bool answer_boxes(Play& p) {
    HWND box = find_game_box(p.game);
    if (!box) return false;
    if (!is_message_box(box)) return false;
    const std::string text = box_text(box);
    CHECK(window_text(box) == "Zenta Korvalo" || window_text(box) == "Castigo!!!", "caption \"%s\"",
          window_text(box).c_str());
    NOTE("message at %lu ms: %s", GetTickCount(), text.c_str());
    if (text.rfind("Ganó ", 0) == 0) p.winner = text.substr(std::strlen("Ganó "));
    press_box_button(box, IDOK);
    wait_until([&] { return !IsWindow(box); }, 5000);
    return true;
}

// "Aceptar" clicked as players do: on the small screen with Escape pressed
// while the button flashes, on the large one with a double click whose
// second click comes once what the first opened or closed is there (still
// within the system's double-click time, or it would be a click of its
// own). Neither may reach what comes up next.
void click_aceptar(HWND dialog, const std::function<bool()>& next_is_there) {
    RECT r;
    GetWindowRect(GetDlgItem(dialog, IDOK), &r);
    const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    if (screen_w == 640) {
        real_click_and_key(x, y, VK_ESCAPE);
        return;
    }
    real_click(x, y);
    const DWORD first = GetTickCount();
    // A second click too late (a busy machine) would be a click of its own.
    if (!wait_until(next_is_there, GetDoubleClickTime()) || GetTickCount() - first > GetDoubleClickTime() - 100) {
        NOTE("no second click: what the first click opened or closed came too late for a double click");
        return;
    }
    real_button(true);
    real_button(false);
}

// From F2, or from "Seguir" of the game before when the new-game dialog
// is already on its way.
bool start_one_token_game(Play& p, bool from_key) {
    if (from_key) post_key(p.game, VK_F2);
    HWND dialog = nullptr;
    wait_until([&] { return (dialog = find_game_box(p.game)) && GetDlgItem(dialog, IDC_TOKENS_1); }, 10000);
    if (!dialog || !GetDlgItem(dialog, IDC_TOKENS_1)) return false;
    press_box_button(dialog, IDC_TOKENS_1);
    press_box_button(dialog, IDC_PLAYERS_2);
    // The Escape or second click must neither leave the players dialog at
    // once nor reach the board (a question, or red's dice: check_new_game
    // sees them).
    click_aceptar(dialog, [&] {
        HWND top = find_game_box(p.game);
        return top && top != dialog && IsWindowVisible(top);
    });
    HWND players = nullptr;
    wait_until([&] { return (players = find_game_box(p.game)) && GetDlgItem(players, IDC_SEAT0_NAME); }, 5000);
    Sleep(300);
    settle(p.game);
    CHECK(players && IsWindowVisible(players) && GetDlgItem(players, IDC_SEAT0_NAME),
          "the players dialog did not stay open");
    if (!players || !IsWindowVisible(players)) return false;
    if (p.games == 1) check_players_texts(players);
    // Typed from outside as UTF-16; shown and kept as "Peña".
    SetDlgItemTextW(players, IDC_SEAT0_NAME, L"pe\u00F1a");
    SetDlgItemTextA(players, IDC_SEAT2_NAME, "Cpu");
    // The box keeps its state from the game before.
    if (IsDlgButtonChecked(players, IDC_SEAT2_CPU) != BST_CHECKED)
        SendMessageA(GetDlgItem(players, IDC_SEAT2_CPU), BM_CLICK, 0, 0);
    // Both "Aceptar" stand at the same place: a click there soon after the
    // first is the second half of a double click.
    Sleep(GetDoubleClickTime());
    click_aceptar(players, [&] { return !find_game_box(p.game); });
    const bool started = wait_until([&] { return !find_game_box(p.game); }, 3000);
    CHECK(started, "a box is open after the players dialog: %s", box_text(find_game_box(p.game)).c_str());
    return started;
}

// "Peña" beside the board, pixel for pixel as drawn here in the system
// font or, where that lacks the letters of 1252, its stand-in.
void check_name_beside_board(const Image& shot) {
    HFONT font = font_with_1252_letters(static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, shot.w, shot.h);
    HGDIOBJ old_bitmap = SelectObject(dc, canvas);
    HGDIOBJ old_font = SelectObject(dc, font);
    const wchar_t name[] = L"Pe\u00F1a";
    SIZE size;
    GetTextExtentPoint32W(dc, name, 4, &size);
    SetBkColor(dc, RGB(0, 0, 0));
    SetTextColor(dc, RGB(255, 0, 0));
    TextOutW(dc, turn_name_rect.left, turn_name_rect.top, name, 4);
    int differ = 0;
    for (int y = turn_name_rect.top; y < turn_name_rect.top + size.cy; ++y)
        for (int x = turn_name_rect.left; x < turn_name_rect.left + size.cx; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            differ += shot.at(x, y) != (static_cast<uint32_t>(GetRValue(c)) << 16 | GetGValue(c) << 8 | GetBValue(c));
        }
    SelectObject(dc, old_font);
    SelectObject(dc, old_bitmap);
    DeleteObject(canvas);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    release_1252_fonts();
    CHECK(differ == 0, "the name beside the board is not \"Peña\": %d pixels differ", differ);
}

// The opening of the game: red to throw, both tokens in their jails.
void check_new_game(Play& p, const View& v) {
    CHECK(v.turn == 0 && v.number == 0, "turn %d, centre %d", v.turn, v.number);
    CHECK(v.red_tokens.size() == 1 && v.yellow_tokens.size() == 1, "%zu red and %zu yellow tokens",
          v.red_tokens.size(), v.yellow_tokens.size());
    if (!v.red_tokens.empty()) CHECK(rect_box(board_areas[jail_area_of[0]]).holds(v.red_tokens[0].x, v.red_tokens[0].y), "red not in jail");
    if (!v.yellow_tokens.empty()) CHECK(rect_box(board_areas[jail_area_of[2]]).holds(v.yellow_tokens[0].x, v.yellow_tokens[0].y), "yellow not in jail");
    CHECK(find_tokens(v.shot, 1).empty() && find_tokens(v.shot, 3).empty(), "tokens of unseated players drawn");
    // A new game puts the dice back at their start places with the faces
    // they showed: only the first game of the run starts without them.
    if (p.games == 1) {
        CHECK(v.dice.empty(), "dice drawn before the first throw (by a stray click on the board?)");
        p.bare = v.shot;
        check_name_beside_board(v.shot);
    } else {
        for (const DieSpot& d : v.dice)
            CHECK((d.x == 150 && d.y == 0) || (d.x == 350 && d.y == 25),
                  "a die at %d,%d in a new game (thrown by a stray click on the board?)", d.x, d.y);
    }
    p.red_pointer = current_cursor();
}

// Two quick clicks throw once: the second comes during the bounce. The
// window answers no message while a bounce runs: once the first is over, a
// second one started by that click would keep it from answering for a second.
void two_clicks_throw(Play& p, POINT at) {
    real_click(at.x, at.y);
    real_click(at.x + 12, at.y);
    DWORD_PTR result;
    wait_until([&] { return !SendMessageTimeoutA(p.game.window, WM_NULL, 0, 0, SMTO_NORMAL, 50, &result); }, 3000);
    SendMessageTimeoutA(p.game.window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
    Sleep(100);
    const DWORD start = GetTickCount();
    SendMessageTimeoutA(p.game.window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
    CHECK(GetTickCount() - start < 600, "two clicks threw twice (busy for %lu ms after the first bounce)",
          GetTickCount() - start);
}

// The throw: two dice in their halves, and nothing else changed on the
// board but the centre and the tokens it moved.
void human_throw(Play& p, const View& before) {
    two_clicks_throw(p, empty_point(before));
    settle(p.game);
    const View after = look();
    ++p.human_throws;
    if (answer_boxes(p)) return;
    if (after.turn == 0 && after.dice.size() == 2) {
        const int w = after.shot.w;
        const DieSpot& d0 = after.dice[0].x < after.dice[1].x ? after.dice[0] : after.dice[1];
        const DieSpot& d1 = after.dice[0].x < after.dice[1].x ? after.dice[1] : after.dice[0];
        CHECK(d0.x <= w / 2 - 30 && d1.x >= w / 2 + 30 - 60, "dice at %d and %d", d0.x, d1.x);
    }
    // Only the first throw starts from a board with every piece in sight:
    // later a resting die may hide part of a token from the search.
    if (!before.dice.empty()) return;
    std::vector<Box> parts = moving_parts(before, after);
    parts.push_back(Box{turn_name_rect.left, turn_name_rect.top, after.shot.w, turn_name_rect.top + 20});
    const int stray = changes_outside(before.shot, after.shot, parts);
    CHECK(stray == 0, "the throw left %d stray pixels", stray);
}

// A die carried elsewhere and let go there, not by a release but by the
// window losing the mouse (disabled, as under a box of the system): it is
// put down where its cube was, the cube is gone and the board shows around it.
void drag_die(Play& p, const View& v) {
    p.die_dragged = true;
    const DieSpot d = v.dice[0];
    const int dx = d.x > v.shot.w / 4 ? -50 : 50, dy = d.y > v.shot.h / 2 ? -40 : 40;
    // Sent, not posted: all handled before the window is disabled.
    DWORD_PTR result;
    const POINT path[3] = {{d.x + 30, d.y + 30}, {d.x + 30 + dx / 2, d.y + 30 + dy / 2}, {d.x + 30 + dx, d.y + 30 + dy}};
    for (int i = 0; i < 3; ++i)
        SendMessageTimeoutA(p.game.window, i == 0 ? WM_LBUTTONDOWN : WM_MOUSEMOVE, MK_LBUTTON,
                            MAKELPARAM(path[i].x, path[i].y), SMTO_NORMAL, 5000, &result);
    EnableWindow(p.game.window, FALSE);
    EnableWindow(p.game.window, TRUE);
    settle(p.game);
    Sleep(50);
    const View after = look();
    bool moved = false;
    for (const DieSpot& n : after.dice) moved = moved || (n.x == d.x + dx && n.y == d.y + dy && n.face == d.face);
    CHECK(moved, "the die is not at its new place (%d, %d)", d.x + dx, d.y + dy);
    // Nothing but the two dice's places and the centre changed, and where
    // the die was the board shows again (no cube left).
    std::vector<Box> kept = moving_parts(v, after);
    int cube = 0;
    for (int y = d.y; y < d.y + 61; ++y)
        for (int x = d.x; x < d.x + 61; ++x) {
            bool covered = false;
            for (size_t i = 1; i < kept.size(); ++i) covered = covered || (!(kept[i].left == d.x && kept[i].top == d.y) && kept[i].holds(x, y));
            cube += after.shot.inside(x, y) && !covered && after.shot.at(x, y) != p.bare.at(x, y);
        }
    const int stray = changes_outside(v.shot, after.shot, kept);
    CHECK(cube == 0 && stray == 0, "dragging the die left %d pixels of it behind and %d stray pixels", cube, stray);
}

// The dice may come to rest over a token or the centre; like a player, the
// test then carries them into the margins, below the buttons.
bool park_dice(Play& p, const View& v) {
    bool moved = false;
    for (const DieSpot& d : v.dice) {
        const bool left_half = d.x < v.shot.w / 2;
        const int to_x = left_half ? 10 : v.shot.w - 70, to_y = v.shot.h - 70;
        if (d.x == to_x && d.y == to_y) continue;
        post_mouse(p.game, WM_LBUTTONDOWN, d.x + 30, d.y + 30, true);
        post_mouse(p.game, WM_MOUSEMOVE, to_x + 30, to_y + 30, true);
        post_mouse(p.game, WM_LBUTTONUP, to_x + 30, to_y + 30, false);
        // The die put down shows at the next paint; a press handled before
        // that paint would repaint its square without dice.
        settle(p.game);
        moved = true;
    }
    return moved;
}

View wait_for_quiet(Play& p) {
    settle(p.game);
    return look();
}

// Tries each move the dice seem to allow until the pointer says it is
// legal. The count read in the centre, the dice found on the screen and the
// square under the token's picture can each be wrong (a die half hidden, a
// token put off its square's middle), so when none of those moves is legal
// every square of red's route is tried, as a player looking for the spot
// would; only a move owed with no legal square anywhere is a failure.
bool find_legal_target(Play& p, const Spot& token, int number, const View& v, HCURSOR carry, POINT* target,
                       uint8_t* square) {
    current_player = 0;
    const uint8_t from = point_to_square(token.x + 10, token.y + 10);
    const uint8_t step = square_to_step(from);
    std::vector<int> steps;
    std::vector<int> moves = {number};
    for (const DieSpot& d : v.dice) moves.push_back(d.face), moves.push_back(number - d.face);
    for (int m : moves)
        if (m > 0 && step != NO_SQUARE) steps.push_back(step + m);
    const size_t likely = steps.size();
    for (int s = 1; s <= STEP_HOME; ++s) steps.push_back(s);
    for (size_t i = 0; i < steps.size(); ++i) {
        const uint8_t to = step_to_square(static_cast<uint8_t>(steps[i]), 0);
        if (to == NO_SQUARE) continue;
        // The token's own square is always a legal drop, of no move at all.
        if (i >= likely && (to == from || in_square(token, to))) continue;
        const POINT at = square_point(to);
        post_mouse(p.game, WM_MOUSEMOVE, at.x, at.y, true);
        settle(p.game);
        if (current_cursor() == carry) {
            if (i >= likely)
                NOTE("legal square found only by searching: step %d for a token seen at %d,%d (square %u), %d pips, "
                     "%zu dice seen", steps[i], token.x, token.y, from, number, v.dice.size());
            *target = at;
            *square = to;
            return true;
        }
    }
    return false;
}

// Over the jail (no square) a drop is refused, over the token's own square
// allowed; a refused drop changes nothing, and with a move owed a click on
// the board throws nothing.
void check_refused_drop(Play& p, const Spot& token, const View& v, POINT jail, HCURSOR carry, HCURSOR refused) {
    p.shapes_checked = true;
    CHECK(refused != p.red_pointer, "the refusal pointer is red's arrow");
    post_mouse(p.game, WM_MOUSEMOVE, token.x + 10, token.y + 10, true);
    settle(p.game);
    CHECK(current_cursor() == carry, "the token's own square is not a legal drop");
    post_mouse(p.game, WM_MOUSEMOVE, jail.x, jail.y, true);
    post_mouse(p.game, WM_LBUTTONUP, jail.x, jail.y, false);
    settle(p.game);
    const View after = look();
    CHECK(current_cursor() == p.red_pointer, "the pointer is not red's arrow after the drop");
    const int changed = differing_pixels(v.shot, after.shot, 0, 0, v.shot.w, v.shot.h);
    CHECK(changed == 0, "a refused drop changed %d pixels", changed);
    const POINT at = empty_point(after);
    click(p.game, at.x, at.y);
    settle(p.game);
    CHECK(differing_pixels(v.shot, capture_settled_screen(), 0, 0, v.shot.w, v.shot.h) == 0,
          "a click threw the dice while a move was owed");
}

void human_move(Play& p, const View& v) {
    if (v.red_tokens.empty()) {
        CHECK(false, "red has a move to make but no token is seen");
        return;
    }
    const Spot token = v.red_tokens[0];
    const Rect& jail_area = board_areas[jail_area_of[0]];
    const POINT jail = {jail_area.left + 48, jail_area.top + 48};
    post_mouse(p.game, WM_LBUTTONDOWN, token.x + 10, token.y + 10, true);
    settle(p.game);
    const HCURSOR carry = current_cursor();
    // A die the search missed (half under a token) is picked up first; it
    // is carried into the left margin and the move tried again.
    if (carry == p.red_pointer) {
        NOTE("no token picked up at %d,%d: a die under the pointer is carried aside", token.x + 10, token.y + 10);
        post_mouse(p.game, WM_MOUSEMOVE, 40, v.shot.h - 110, true);
        post_mouse(p.game, WM_LBUTTONUP, 40, v.shot.h - 110, false);
        settle(p.game);
        ++p.missed_pickups;
        CHECK(p.missed_pickups < 4, "the token at %d,%d cannot be picked up", token.x, token.y);
        return;
    }
    post_mouse(p.game, WM_MOUSEMOVE, jail.x, jail.y, true);
    settle(p.game);
    const HCURSOR refused = current_cursor();
    // Now and then (seen under Wine, cause not found) the pointer still shows
    // the carry over the jail: the token is put back on its own square and
    // the move tried again; only a repeated failure counts.
    if (refused == carry) {
        NOTE("the carry pointer still shows over the jail at %d,%d (token at %d,%d, %d pips): put back and tried again",
             static_cast<int>(jail.x), static_cast<int>(jail.y), token.x, token.y, v.number);
        post_mouse(p.game, WM_MOUSEMOVE, token.x + 10, token.y + 10, true);
        post_mouse(p.game, WM_LBUTTONUP, token.x + 10, token.y + 10, false);
        settle(p.game);
        ++p.missed_pickups;
        CHECK(p.missed_pickups < 4, "no refusal pointer over the jail");
        return;
    }
    p.missed_pickups = 0;
    if (!p.shapes_checked) {
        check_refused_drop(p, token, v, jail, carry, refused);
        post_mouse(p.game, WM_LBUTTONDOWN, token.x + 10, token.y + 10, true);
        settle(p.game);
    }
    POINT target = {0, 0};
    uint8_t square = NO_SQUARE;
    const bool legal = find_legal_target(p, token, v.number, v, carry, &target, &square);
    CHECK(legal, "no legal square for %d pips", v.number);
    post_mouse(p.game, WM_LBUTTONUP, legal ? target.x : token.x + 10, legal ? target.y : token.y + 10, false);
    settle(p.game);
    ++p.human_moves;
    if (answer_boxes(p) || !legal) return;
    const View after = look();
    if (square != HOME_SQUARE && !after.red_tokens.empty()) {
        bool there = false;
        for (const Spot& s : after.red_tokens) there = there || in_square(s, square);
        CHECK(there, "the token is not on square %u after the drop (from %d,%d to %d,%d; now at %d,%d)", square, token.x,
              token.y, static_cast<int>(target.x), static_cast<int>(target.y), after.red_tokens[0].x, after.red_tokens[0].y);
    }
}

// During the computer's turn a click on the board throws nothing: within
// its first second the computer has not thrown yet either.
void check_click_in_computer_turn(Play& p, const View& v) {
    p.cpu_click_checked = true;
    const POINT at = empty_point(v);
    click(p.game, at.x, at.y);
    settle(p.game);
    const Image now = capture_settled_screen();
    CHECK(differing_pixels(v.shot, now, 0, 0, now.w, now.h) == 0, "a click in the computer's turn changed the screen");
}

// The range a carried die may travel is kept on the screen, where the
// window stands: shown with the window moved off the screen's corner.
void check_clip_on_screen(Play& p, const View& v) {
    p.clip_checked = true;
    const DieSpot d = v.dice[0].x < v.dice[1].x ? v.dice[0] : v.dice[1]; // die 0, the left half
    SetWindowPos(p.game.window, nullptr, 20, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    DWORD_PTR result;
    SendMessageTimeoutA(p.game.window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(d.x + 30, d.y + 30), SMTO_NORMAL, 5000,
                        &result);
    RECT clip = {};
    GetClipCursor(&clip);
    post_mouse(p.game, WM_LBUTTONUP, d.x + 30, d.y + 30, false);
    SetWindowPos(p.game.window, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    settle(p.game);
    CHECK(clip.left == 20 && clip.top == 10 && clip.right == v.shot.w / 2 - 30 + 20,
          "a die's range with the window at 20,10 clipped to %ld,%ld-%ld,%ld", clip.left, clip.top, clip.right,
          clip.bottom);
}

// The screen changes from 1024 x 768 to 800 x 600 in the middle of the
// game: the window covers the new screen, the board is centred on it, the
// tokens and dice moved with it; then the game goes on there.
void change_resolution(Play& p, const View& before) {
    p.resolution_changed = true;
    const int old_left = board_rect.left, old_top = board_rect.top;
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = 800;
    mode.dmPelsHeight = 600;
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    const LONG changed = ChangeDisplaySettingsExA(nullptr, &mode, nullptr, 0, nullptr);
    screen_w = 800;
    screen_h = 600;
    reset_board_geometry();
    recentre_board();
    settle(p.game);
    const View after = look();
    RECT r;
    GetWindowRect(p.game.window, &r);
    const int dx = board_rect.left - old_left, dy = board_rect.top - old_top;
    auto moved = [&](const std::vector<Spot>& was, const std::vector<Spot>& now) {
        if (was.size() != now.size()) return false;
        for (size_t i = 0; i < was.size(); ++i)
            if (now[i].x != was[i].x + dx || now[i].y != was[i].y + dy) return false;
        return true;
    };
    std::vector<int> faces_before, faces_after;
    for (const DieSpot& d : before.dice) faces_before.push_back(d.face);
    for (const DieSpot& d : after.dice) faces_after.push_back(d.face);
    std::sort(faces_before.begin(), faces_before.end());
    std::sort(faces_after.begin(), faces_after.end());
    int outline = 0; // a die may rest over part of it
    for (int x = board_rect.left; x <= board_rect.right; ++x) outline += after.shot.at(x, board_rect.top) == 0xFF0000;
    const bool tokens = moved(before.red_tokens, after.red_tokens) && moved(before.yellow_tokens, after.yellow_tokens);
    CHECK(changed == DISP_CHANGE_SUCCESSFUL && r.right == 800 && r.bottom == 600 && outline > 300 && tokens &&
              faces_before == faces_after,
          "after the change to 800 x 600 (%ld): window %ld x %ld, %d red pixels of the board's top, tokens %s, "
          "dice %zu before and %zu after", changed, r.right, r.bottom, outline, tokens ? "moved" : "not moved",
          faces_before.size(), faces_after.size());
}

HWND wait_for_game_over(Play& p) {
    HWND over = nullptr;
    wait_until([&] { return (over = find_game_box(p.game)) && !is_message_box(over); }, 10000);
    CHECK(over != nullptr, "no game-over dialog");
    return over;
}

// A temporary folder named in a script the ANSI code page cannot spell, as
// a Greek player's is under a Western code page; it does not exist yet.
std::wstring greek_temporary_folder() {
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    return temp + std::wstring(L"Παίκτης-") + std::to_wstring(GetCurrentProcessId());
}

bool every_check_reached(const Play& p) {
    return p.die_dragged && p.clip_checked && p.shapes_checked && p.cpu_click_checked &&
           (!p.large || p.resolution_changed);
}

// After "Seguir" the board keeps the final position, the winner's token
// beside its jail and the dice, also once the new-game dialog is cancelled
// and the window repainted; the cancel puts back nothing (three players
// chosen there are still chosen at the next F2: three rows of players).
// Then the player leaves with Escape.
void leave_after_seguir(Play& p) {
    HWND over = wait_for_game_over(p);
    if (over) press_box_button(over, IDOK); // "Seguir"
    HWND dialog = nullptr;
    wait_until([&] { return (dialog = find_game_box(p.game)) && GetDlgItem(dialog, IDC_PLAYERS_3); }, 10000);
    if (!dialog) return;
    press_box_button(dialog, IDC_PLAYERS_3);
    press_box_button(dialog, IDCANCEL);
    wait_until([&] { return !IsWindow(dialog); }, 5000);
    InvalidateRect(p.game.window, nullptr, TRUE);
    const View v = wait_for_quiet(p);
    const int seat = p.winner == "Peña" ? 0 : 2;
    const Rect& jail = board_areas[jail_area_of[seat]];
    const Spot home = {jail.left + (seat == 0 ? -25 : 102), jail.top};
    bool winner_home = false;
    for (const Spot& s : find_tokens(v.shot, seat)) winner_home = winner_home || (s.x == home.x && s.y == home.y);
    CHECK(winner_home && !find_tokens(v.shot, 2 - seat).empty() && !v.dice.empty(),
          "the final position is gone after Seguir and a cancelled dialog");
    post_key(p.game, VK_F2);
    wait_until([&] { return (dialog = find_game_box(p.game)) && GetDlgItem(dialog, IDOK); }, 5000);
    press_box_button(dialog, IDOK);
    HWND players = nullptr;
    wait_until([&] { return (players = find_game_box(p.game)) && GetDlgItem(players, IDC_SEAT0_NAME); }, 5000);
    CHECK(players && IsWindowVisible(GetDlgItem(players, IDC_SEAT1_NAME)),
          "a dialog cancelled after Seguir put the player count back");
    press_box_button(players, IDCANCEL);
    wait_until([&] { return !IsWindow(players); }, 5000);
    press_box_button(dialog, IDCANCEL);
    wait_until([&] { return !IsWindow(dialog); }, 5000);
    post_key(p.game, VK_ESCAPE);
    HWND box = wait_for_box(p.game, 5000);
    if (box) press_box_button(box, IDYES);
}

void finish(Play& p) {
    CHECK(!record_file_of(p.game).empty(), "no record file in the game's temporary folder while the game runs");
    if (p.large) {
        leave_after_seguir(p);
    } else if (HWND over = wait_for_game_over(p)) {
        check_game_over(over, p.winner);
        leave_with_salir(p.game, over, p.winner, control_text(over, IDC_TIME));
    }
    const int code = wait_for_exit(p.game, 10000);
    CHECK(code == 0, "exit code %d after the game", code);
    // Every game of the run left a record file while the program ran; none
    // may be left behind.
    CHECK(record_file_of(p.game).empty(), "record file %s left after the exit", record_file_of(p.game).c_str());
}

// One game from its dialogs to "Ganó"; false when it could not start.
bool play_one_game(Play& p, bool from_key) {
    p.winner.clear();
    ++p.games;
    if (!start_one_token_game(p, from_key)) {
        CHECK(false, "could not start a one-token game through the dialogs");
        return false;
    }
    if (p.started) p.started();
    View v = wait_for_quiet(p);
    check_new_game(p, v);
    int last_turn = -1;
    const DWORD start = GetTickCount();
    while (p.winner.empty() && GetTickCount() - start < 400000) {
        if (answer_boxes(p)) continue;
        v = look();
        if (v.turn == 2) {
            if (last_turn != 2) ++p.computer_turns;
            if (last_turn != 2 && !p.cpu_click_checked && v.number == 0) check_click_in_computer_turn(p, v);
            last_turn = 2;
            Sleep(50);
            continue;
        }
        if (v.turn != 0) {
            Sleep(50);
            continue;
        }
        last_turn = 0;
        if (v.number == 0) {
            if (!p.die_dragged && v.dice.size() == 2) drag_die(p, v);
            else if (!p.clip_checked && v.dice.size() == 2) check_clip_on_screen(p, v);
            else if (p.large && !p.resolution_changed && p.die_dragged && p.clip_checked) change_resolution(p, v);
            else human_throw(p, v);
        } else if (park_dice(p, v)) {
            continue;
        } else {
            human_move(p, v);
        }
    }
    NOTE("%d throws and %d moves by the person, %d computer turns; winner %s", p.human_throws, p.human_moves,
         p.computer_turns, p.winner.c_str());
    CHECK(p.winner == "Peña" || p.winner == "Cpu", "winner \"%s\"", p.winner.c_str());
    return true;
}

} // namespace

// A game can end before every check had its moment (three doubles in a
// row win a one-token game at once): then "Seguir" starts the next one.
// The last game ends with "Salir" on the larger screen and with "Seguir" on
// the smaller one.
int play_tests(const char* exe) {
    Play p;
    p.large = screen_w > 640;
    if (!start_game(exe, p.game, greek_temporary_folder())) {
        CHECK(false, "the game did not start");
        return 1;
    }
    bool from_key = true;
    for (int game = 1; play_one_game(p, from_key) && !p.winner.empty(); ++game) {
        if (every_check_reached(p) || game == 4) break;
        NOTE("game %d ended before every check was reached: Seguir", game);
        HWND over = wait_for_game_over(p);
        if (!over) break;
        press_box_button(over, IDOK); // "Seguir"
        from_key = false;
    }
    CHECK(every_check_reached(p), "not every check was reached");
    if (!p.winner.empty()) finish(p);
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
