// Faults: the picture at a larger scale not the design's picture enlarged block for block (the board with its tokens
// and dice, the new-game, players and game-over dialogs, the summary), the board not k times its height, pointers not
// enlarged with their hot spots, pieces of dice left on the board by a throw, a scale that follows the system's
// scaling instead of the screen's pixels (150 % on a 4K screen).
#include "check.h"
#include "file_dialog.h"
#include "game_window.h"
#include "screen.h"
#include "game/board.h"
#include "ui/draw/scale.h"
#include "ui/resources/resource.h"

#include <string>
#include <vector>

namespace {

// A picture of the game and the design rectangles in it where texts are
// written (a larger scale writes them in larger fonts rather than enlarged)
// or the game-over dialog's car may stand.
struct Picture {
    Image image; // window pixels
    std::vector<Area> skip;
};

struct Pictures {
    Picture board, new_game, players, game_over, summary;
};

Image crop(const Image& shot, const RECT& r) {
    Image part;
    part.w = r.right - r.left;
    part.h = r.bottom - r.top;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) part.px.push_back(shot.inside(x, y) ? shot.at(x, y) : 0xFF000000u);
    return part;
}

Area design_area(const RECT& r) {
    return Area{r.left / scale, r.top / scale, (r.right + scale - 1) / scale, (r.bottom + scale - 1) / scale};
}

// The dialog's client area as the screen shows it; outside the dialog's
// shape (the board shows there) nothing is compared. The controls' words
// are left out; a check box's or radio button's mark, a group box's frame
// and a sunken text's edge are compared.
Picture dialog_picture(const Game& game, HWND dialog) {
    settle(game);
    Sleep(200);
    RECT client;
    GetClientRect(dialog, &client);
    MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&client), 2);
    Picture p;
    p.image = crop(capture_settled_screen(), client);
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(dialog, shape) != ERROR)
        for (int y = 0; y < p.image.h; ++y)
            for (int x = 0; x < p.image.w; ++x)
                if (!PtInRegion(shape, x, y)) p.image.px[static_cast<size_t>(y) * p.image.w + x] = 0xFF000000u;
    DeleteObject(shape);
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char kind[16] = "";
        GetClassNameA(c, kind, sizeof kind);
        const LONG style = GetWindowLongA(c, GWL_STYLE);
        const bool button = lstrcmpiA(kind, "Button") == 0;
        if (!IsWindowVisible(c) || (!button && (style & SS_TYPEMASK) == SS_BITMAP)) continue;
        RECT r;
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        Area a = design_area(r);
        if (button && (style & BS_TYPEMASK) == BS_GROUPBOX) a.bottom = a.top + 16;
        else if (button) a.left += 14;
        else if (style & SS_SUNKEN) a = Area{a.left + 1, a.top + 1, a.right - 1, a.bottom - 1};
        p.skip.push_back(a);
    }
    return p;
}

// The summary's frame keeps the system's size, so its inside is a little
// larger than the design's enlarged: the design's part is compared.
void compare(const char* what, const Picture& larger, const Picture& design, bool exact = true) {
    std::vector<Area> skip = design.skip;
    skip.insert(skip.end(), larger.skip.begin(), larger.skip.end());
    const int w = design.image.w, h = design.image.h;
    const bool sized = exact ? larger.image.w == w * scale && larger.image.h == h * scale
                             : larger.image.w >= w * scale && larger.image.h >= h * scale;
    const int differ = differs_from_enlarged(larger.image, POINT{0, 0}, design.image, POINT{0, 0}, w, h, skip);
    CHECK(sized && differ == 0, "%s at scale %d: %d x %d for %d x %d, %d pixels not the design's enlarged", what, scale,
          larger.image.w, larger.image.h, w, h, differ);
}

// The game-over dialog's car, wherever it stopped: it drives along rows
// 72 pixels apart (from the top, later from 10 down), 20 pixels a step
// from 95 left of the screen; the top of the row where each of its own
// pixels that shows is at its place, or -1.
int car_top(const Image& view) {
    const Image car = game_picture(IDB_CAR); // the car at x 0, its mask at x 95
    if (car.w != 190) return -1;
    for (int first : {0, 10})
        for (int y = first; y + 72 <= view.h; y += 72)
            for (int x = -75; x < view.w; x += 20) {
                int shown = 0;
                bool all = true;
                for (int j = 0; j < 72 && all; ++j)
                    for (int i = 0; i < 95 && all; ++i) {
                        if (car.at(95 + i, j) != 0 || !view.inside(x + i, y + j)) continue;
                        all = view.at(x + i, y + j) == car.at(i, j);
                        ++shown;
                    }
                if (all && shown > 0) return y;
            }
    return -1;
}

// Red's last token is five pips from home; the test carries it there.
void win_the_game(const Game& game) {
    const std::vector<Spot> red = find_tokens(design_view(capture_settled_screen()), 0);
    CHECK(red.size() == 1, "%zu red tokens on the loaded board", red.size());
    if (red.empty()) return;
    const int cx = (centre_rect.left + centre_rect.right) / 2, cy = (centre_rect.top + centre_rect.bottom) / 2;
    post_mouse(game, WM_LBUTTONDOWN, red[0].x + 10, red[0].y + 10, true);
    post_mouse(game, WM_MOUSEMOVE, cx, cy, true);
    post_mouse(game, WM_LBUTTONUP, cx, cy, false);
    CHECK(answer_box(game, IDOK) == "Ganó Ana", "the winning move did not win");
}

// The two new-game dialogs, the loaded board, the game-over dialog after
// the winning move (the car stopped) and the summary.
Pictures take_pictures(const char* exe, const char* saved) {
    Pictures all;
    Game game;
    if (!start_game(exe, game)) return ++failed_checks, all;
    post_key(game, VK_F2);
    if (HWND dialog = wait_for_control(game, IDC_TOKENS_1)) {
        all.new_game = dialog_picture(game, dialog);
        press_box_button(dialog, IDOK);
        if (HWND players = wait_for_control(game, IDC_SEAT0_NAME)) {
            all.players = dialog_picture(game, players);
            press_box_button(players, IDCANCEL), gone(players);
        }
        press_box_button(dialog, IDCANCEL), gone(dialog);
    }
    post_key(game, VK_F4);
    if (HWND files = wait_for_file_dialog(game)) choose_file(files, saved), gone(files);
    settle(game);
    all.board.image = capture_settled_screen();
    all.board.skip = {Area{centre_rect.left, centre_rect.top, centre_rect.right, centre_rect.bottom},
                      Area{turn_name_rect.left, turn_name_rect.top, screen_w, turn_name_rect.bottom}};
    win_the_game(game);
    if (HWND over = wait_for_control(game, IDC_TIME, 10000)) {
        HWND other = make_other_window(0, -200, -200); // off the screen, hiding nothing
        SetForegroundWindow(other);                    // the car stands still while the game is not in front
        pump(300);
        all.game_over = dialog_picture(game, over);
        const int car = car_top(design_view(all.game_over.image));
        if (car >= 0) all.game_over.skip.push_back(Area{0, car, screen_w, car + 72});
        all.game_over.skip.push_back(
            Area{board_dx + 224, board_dy + 24, screen_w, board_dy + 24 + 80}); // the winner's name
        DestroyWindow(other);
        press_box_button(over, IDCANCEL);
    }
    HWND summary = nullptr;
    wait_until(
        [&] { return (summary = find_game_box(game)) && !GetDlgItem(summary, IDC_TIME) && !is_message_box(summary); },
        10000);
    if (summary) {
        all.summary = dialog_picture(game, summary);
        // Its texts are painted: the total time, each seat's name and counts, the wins in the square.
        all.summary.skip.push_back(Area{0, 0, 640, 35});
        for (int seat = 0; seat < 4; ++seat) {
            const int x = 45 + 320 * (seat % 2), y = 30 + 240 * (seat / 2);
            all.summary.skip.push_back(Area{x, y, x + 275, y + 40 + 48 * 2 + 30});
        }
        all.summary.skip.push_back(Area{281, 201, 360, 280});
        press_box_button(summary, IDOK);
    }
    CHECK(wait_for_exit(game, 10000) == 0, "no exit with 0 after the summary");
    stop_game(game);
    return all;
}

// The first throw of new games changes nothing but the dice, the tokens
// that moved, the centre and the turn's name: no piece of a die is left.
void check_first_throws(const char* exe, int starts) {
    Game game;
    if (!start_game(exe, game)) return void(++failed_checks);
    for (int n = 0; n < starts; ++n) {
        post_key(game, VK_F2);
        if (n > 0) answer_box(game, IDYES);
        if (HWND dialog = wait_for_control(game, IDC_TOKENS_1)) press_box_button(dialog, IDOK);
        if (HWND players = wait_for_control(game, IDC_SEAT0_NAME)) press_box_button(players, IDOK);
        wait_until([&] { return !find_game_box(game); }, 5000);
        settle(game);
        const Image before = capture_settled_screen();
        click(game, (top_arm.left + top_arm.right) / 2, top_arm.top + 30);
        Sleep(1200);
        settle(game);
        const Image after = capture_settled_screen();
        const Image view_before = design_view(before), view_after = design_view(after);
        std::vector<Area> changed = {
            Area{centre_rect.left, centre_rect.top, centre_rect.right + 1, centre_rect.bottom + 1},
            Area{turn_name_rect.left, turn_name_rect.top, screen_w, turn_name_rect.bottom}};
        for (const Image* view : {&view_before, &view_after}) {
            for (const DieSpot& d : find_dice(*view)) changed.push_back(Area{d.x, d.y, d.x + 61, d.y + 61});
            for (int seat : {0, 2})
                for (const Spot& s : find_tokens(*view, seat)) changed.push_back(Area{s.x, s.y, s.x + 20, s.y + 20});
        }
        const int left_behind =
            differs_from_enlarged(after, POINT{0, 0}, view_before, POINT{0, 0}, screen_w, screen_h, changed);
        CHECK(left_behind == 0, "scale %d, game %d: the first throw left %d pixels changed", scale, n + 1, left_behind);
    }
    post_key(game, VK_ESCAPE);
    answer_box(game, IDYES);
    wait_for_exit(game, 10000);
    stop_game(game);
}

// A pointer k times larger with its hot spot, by the game's own code in
// this process (another process's pointer cannot be read back); its pixels
// are enlarged as the dialogs' pictures are, compared above.
void check_enlarged_pointer(const char* exe) {
    HMODULE game = LoadLibraryExA(exe, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HCURSOR design = static_cast<HCURSOR>(LoadImageA(game, MAKEINTRESOURCEA(IDCUR_POINTER_RED), IMAGE_CURSOR, 0, 0, 0));
    pixel_scale = 3;
    HCURSOR larger = enlarged_pointer(design);
    pixel_scale = 1;
    ICONINFO small = {}, large = {};
    BITMAP mask = {};
    GetIconInfo(design, &small);
    GetIconInfo(larger, &large);
    GetObjectA(large.hbmMask, sizeof mask, &mask);
    CHECK(design && mask.bmWidth == 96 && large.xHotspot == 3 * small.xHotspot && large.yHotspot == 3 * small.yHotspot,
          "a pointer three times larger: %ld pixels wide, hot spot %lu,%lu for %lu,%lu", mask.bmWidth, large.xHotspot,
          large.yHotspot, small.xHotspot, small.yHotspot);
    for (HBITMAP b : {small.hbmMask, small.hbmColor, large.hbmMask, large.hbmColor})
        if (b) DeleteObject(b);
    if (larger != design) DestroyCursor(larger);
    DestroyCursor(design);
    FreeLibrary(game);
}

void set_system_scaling(DWORD dpi) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr))
        return;
    if (dpi == 96) RegDeleteValueA(key, "LogPixels");
    else RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    RegCloseKey(key);
}

} // namespace

// The same saved game and dialogs on a 960 x 540 screen (scale 1), at
// 1920 x 1080 (scale 2), and at 3840 x 2160 with the system at 150 %
// (scale 4 all the same): each larger picture is the first enlarged. On
// both large screens the first throws leave no piece of a die, drawn
// larger and, with "/escala:1", at the design's size, where the dice
// bounce across most of the screen and cross each other most often.
int screens_tests(const char* exe, const char* saved) {
    check_enlarged_pointer(exe);
    change_screen(960, 540);
    const Pictures design = take_pictures(exe, saved);
    struct Stage {
        int w, h, k;
        DWORD dpi;
    };
    for (const Stage& s : {Stage{1920, 1080, 2, 96}, Stage{3840, 2160, 4, 144}}) {
        set_system_scaling(s.dpi);
        CHECK(change_screen(s.w, s.h) && scale == s.k, "no %d x %d screen at scale %d", s.w, s.h, s.k);
        const Pictures larger = take_pictures(exe, saved);
        compare("the board", larger.board, design.board);
        compare("the new-game dialog", larger.new_game, design.new_game);
        compare("the players dialog", larger.players, design.players);
        compare("the game-over dialog", larger.game_over, design.game_over);
        compare("the summary", larger.summary, design.summary, false);
        check_first_throws(exe, 2);
        game_arguments = "/escala:1";
        take_screen(1);
        check_first_throws(exe, 3);
        game_arguments.clear();
    }
    set_system_scaling(96);
    return failed_checks;
}
