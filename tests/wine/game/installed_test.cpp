// The installed game as a standard user plays it. installed-game.sh runs
//   game_test <the shortcut's target> installed <its working folder>
// as an unprivileged user, once the installer has put the game under
// Program Files and the folder has been given to root. A one-token game
// against the computer, saved into and loaded from Documents, started a
// second time while it runs, played to its end; the game-over dialog and the
// summary must show what the record files give.
#include "check.h"
#include "driver.h"
#include "file_dialog.h"
#include "play.h"
#include "screen.h"
#include "ui/resources/resource.h"

#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string documents() {
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

// The player's own temporary folder, where the game keeps its records.
std::string record_file(const char* name) {
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "Zenta Korvalo\\" + name;
}

bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

HWND wait_for_file_dialog(const Game& game) {
    HWND dialog = nullptr;
    wait_until([&] { return (dialog = find_game_box(game)) && is_file_dialog(dialog) && IsWindowEnabled(dialog); },
               10000);
    return dialog && is_file_dialog(dialog) ? dialog : nullptr;
}

struct Times {
    DWORD started = 0, saved = 0, loaded = 0; // as seen from here
};

// F3 saves into Documents, F4 loads the game back from there: the game's
// time then goes on from where it was saved.
void save_and_load(const Game& game, Times& times) {
    const std::string saved = documents() + "\\Partida.kor";
    post_key(game, VK_F3);
    HWND dialog = wait_for_file_dialog(game);
    CHECK(dialog != nullptr, "no save dialog");
    if (!dialog) return;
    choose_file(dialog, "Partida.kor");
    CHECK(wait_until([&] { return exists(saved); }, 10000), "no saved game in %s", saved.c_str());
    times.saved = GetTickCount();
    wait_until([&] { return !IsWindow(dialog); }, 5000);
    post_key(game, VK_F4);
    HWND question = wait_for_box(game, 5000);
    if (question && is_message_box(question)) press_box_button(question, IDYES);
    dialog = wait_for_file_dialog(game);
    CHECK(dialog && window_text(dialog) == "Cargar partida", "no open dialog \"Cargar partida\"");
    if (!dialog) return;
    choose_file(dialog, "Partida.kor");
    wait_until([&] { return !IsWindow(dialog); }, 5000);
    times.loaded = GetTickCount();
    settle(game);
    HWND refused = find_game_box(game);
    CHECK(!refused, "loading from Documents: \"%s\"", refused ? box_text(refused).c_str() : "");
    if (refused) press_box_button(refused, IDOK);
}

// The game steps aside for another program (it minimises itself); started
// again, it brings the running copy back to the front and ends with 0.
void start_again(const char* exe, const Game& game) {
    HWND other = make_other_window();
    SetForegroundWindow(other);
    pump(100);
    CHECK(wait_until([&] { return IsIconic(game.window) != FALSE; }, 5000), "the game did not minimise");
    Game second;
    if (launch_game(exe, game.folder.c_str(), second)) {
        const int code = wait_for_exit(second, 20000);
        CHECK(code == 0, "the second copy ended with %d", code);
        stop_game(second);
    }
    const bool back = wait_until([&] { return !IsIconic(game.window) && GetForegroundWindow() == game.window; }, 5000);
    CHECK(back, "the running game is not back in front");
    DestroyWindow(other);
    if (!back) ShowWindow(game.window, SW_RESTORE), SetForegroundWindow(game.window); // so the game can go on
}

std::string item(HWND dialog, int id) {
    char text[64] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

int shown_ms(const std::string& time) {
    int h = 0, m = 0, s = 0;
    return std::sscanf(time.c_str(), "%d:%d:%d", &h, &m, &s) == 3 ? ((h * 60 + m) * 60 + s) * 1000 : -1;
}

// The summary paints each text on a gradient of one colour per row: the
// same text drawn over the colours of its rows, read at the box's right
// edge where no text reaches, must give the same pixels. x < 0 centres it
// on the box's 640 pixels.
int text_differs(const Image& shot, POINT client, int edge, int x, int y, const char* text, COLORREF colour) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HFONT font = CreateFontA(-MulDiv(18, GetDeviceCaps(screen, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                             FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
    HGDIOBJ old_font = SelectObject(dc, font);
    SIZE size;
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
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
    TextOutA(dc, 2, 2, text, lstrlenA(text));
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
    const bool ana = winner == "Ana";
    const std::string time_line = "Tiempo total: " + time;
    const struct {
        int x, y;
        const char* text;
        COLORREF colour;
    } texts[] = {
        {45, 30, "Ana", RGB(0, 0, 0)},
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
    if (failed_checks && getenv("KORVALO_TEST_PICTURES")) save_picture(shot, "installed-summary.bmp");
}

} // namespace

int installed_tests(const char* exe, const char* folder) {
    Game game;
    if (!start_game_at(exe, folder, game)) {
        CHECK(false, "the installed game did not start from %s in %s", exe, folder);
        return 1;
    }
    Times times;
    const std::string winner = play_against_computer(game, [&] {
        times.started = GetTickCount();
        save_and_load(game, times);
        CHECK(exists(record_file("Juego1.dat")), "no record file %s", record_file("Juego1.dat").c_str());
        start_again(exe, game);
    });
    HWND over = nullptr;
    wait_until([&] { return (over = find_game_box(game)) && !is_message_box(over); }, 10000);
    const DWORD over_seen = GetTickCount();
    CHECK(over != nullptr, "no game-over dialog after a win by \"%s\"", winner.c_str());
    if (!over) {
        stop_game(game);
        return failed_checks;
    }
    const std::string loser = winner == "Ana" ? "Cpu" : "Ana";
    CHECK(item(over, IDC_WINS_LABEL) == winner + " ganó:", "\"%s\"", item(over, IDC_WINS_LABEL).c_str());
    CHECK(item(over, IDC_WINS) == "1" && item(over, IDC_GAMES) == "1", "games won %s of %s", item(over, IDC_WINS).c_str(),
          item(over, IDC_GAMES).c_str());
    CHECK(item(over, IDC_FIRST_HOME) == winner, "first home \"%s\"", item(over, IDC_FIRST_HOME).c_str());
    CHECK(item(over, IDC_LAST_PLAYER) == loser, "last player \"%s\"", item(over, IDC_LAST_PLAYER).c_str());
    // The time between the save and the load is not the game's.
    const std::string time = item(over, IDC_TIME);
    const int expected = static_cast<int>(over_seen - times.loaded) + static_cast<int>(times.saved - times.started);
    CHECK(shown_ms(time) >= 0 && std::abs(shown_ms(time) - expected) <= 3000, "game time %s, about %d ms expected",
          time.c_str(), expected);
    press_box_button(over, IDCANCEL); // "Salir"
    HWND summary = nullptr;
    wait_until([&] { return (summary = find_game_box(game)) && summary != over; }, 10000);
    CHECK(summary != nullptr, "no summary after Salir");
    if (summary) {
        check_summary(summary, winner, time);
        press_box_button(summary, IDOK);
    }
    const int code = wait_for_exit(game, 10000);
    CHECK(code == 0, "exit code %d", code);
    CHECK(!exists(record_file("Juego1.dat")), "the record file is left after the exit");
    stop_game(game);
    return failed_checks;
}
