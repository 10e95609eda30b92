// The records summary over records written byte for byte: its place and
// caption, the gradient laid over the screen's height, every seat's name
// and counts (a seat that never played included), the games won in the
// central square, the total time, and Enter, Esc and the close box.
#include "driver.h"
#include "groups.h"
#include "log_text.h"

#include "game/state.h"
#include "records/records.h"
#include "ui/dialogs/dialogs.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

int w, h;

void write_record(unsigned game, const char* first, const char* last, const char* winner, uint32_t ms) {
    char name[16];
    std::snprintf(name, sizeof name, "Juego%u.dat", game);
    FILE* f = std::fopen(name, "wb");
    for (const char* n : {first, last, winner}) std::fwrite(n, 1, std::strlen(n) + 1, f);
    const unsigned char d[4] = {static_cast<unsigned char>(ms), static_cast<unsigned char>(ms >> 8),
                                static_cast<unsigned char>(ms >> 16), static_cast<unsigned char>(ms >> 24)};
    std::fwrite(d, 1, 4, f);
    std::fclose(f);
}

// Band i of the summary covers the rows from i h / 256 to (i + 1) h / 256
// (the screen heights tested divide exactly in binary).
COLORREF gradient_at(int y) {
    int band = 0;
    while (band < 254 && (band + 1) * h / 256 <= y) ++band;
    return RGB(255, 255 - band, 0);
}

HFONT make_summary_font() {
    HDC screen = GetDC(nullptr);
    const int height = -MulDiv(18, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    return CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
}

// The text drawn as the summary should draw it, on the gradient alone,
// compared pixel by pixel with what the dialog shows around that point.
// Drawn from UTF-16, so that it is the same under any code page.
unsigned text_differs(const Image& client, int x, int y, const char* bytes, COLORREF colour) {
    const std::wstring text = wide_1252(bytes);
    const int length = static_cast<int>(text.size());
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, client.width, client.height);
    HGDIOBJ old_bitmap = SelectObject(dc, canvas);
    HFONT font = make_summary_font();
    HGDIOBJ old_font = SelectObject(dc, font);
    SIZE size = {40, 20};
    if (length) GetTextExtentPoint32W(dc, text.c_str(), length, &size);
    const RECT box = {x - 2, y - 2, x + size.cx + 2, y + size.cy + 2};
    for (int row = box.top; row < box.bottom; ++row) {
        HBRUSH b = CreateSolidBrush(gradient_at(row));
        const RECT line = {box.left, row, box.right, row + 1};
        FillRect(dc, &line, b);
        DeleteObject(b);
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    TextOutW(dc, x, y, text.c_str(), length);
    const Image want = capture(dc, 0, 0, client.width, client.height);
    unsigned differ = 0;
    for (int row = box.top; row < box.bottom; ++row)
        for (int col = box.left; col < box.right; ++col) differ += want.at(col, row) != client.at(col, row);
    SelectObject(dc, old_font);
    SelectObject(dc, old_bitmap);
    DeleteObject(font);
    DeleteObject(canvas);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return differ;
}

// The time line, centred over the box's full width.
void check_time_line(const Image& client, const char* line) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HFONT font = make_summary_font();
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size;
    GetTextExtentPoint32W(dc, wide_1252(line).c_str(), lstrlenA(line), &size);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    const unsigned differ = text_differs(client, (639 - size.cx) / 2, 5, line, RGB(0, 0, 0));
    CHECK(differ == 0, "\"%s\" centred at the top: %u pixels differ", line, differ);
}

// What the dialog shows once it has painted.
Image client_image(HWND dialog) {
    RECT c;
    GetClientRect(dialog, &c);
    settle();
    Sleep(100);
    Image client;
    on_ui([&] { client = capture_window(dialog, 0, 0, c.right, c.bottom); });
    return client;
}

HWND open_summary(unsigned last_game) {
    start_on_ui([last_game] {
        show_records_summary(last_game);
        return 1;
    });
    HWND dialog = wait_dialog_caption("Resumen de todos los juegos");
    CHECK(dialog != nullptr, "the summary opens with its caption");
    return dialog;
}

void check_painting(HWND dialog) {
    RECT r;
    GetWindowRect(dialog, &r);
    CHECK(r.left == (w - 640) / 2 && r.top == (h - 480) / 2 && r.right - r.left == 640 && r.bottom - r.top == 480,
          "640 x 480 in the middle of %dx%d: %ld,%ld,%ld,%ld", w, h, r.left, r.top, r.right, r.bottom);
    CHECK(SendMessageA(dialog, WM_GETICON, ICON_SMALL, 0) != 0, "the program's icon");
    RECT c;
    GetClientRect(dialog, &c);
    const Image client = client_image(dialog);

    unsigned wrong_rows = 0;
    int first_wrong = -1;
    for (int y = 0; y < c.bottom; ++y)
        if (client.at(c.right - 3, y) != gradient_at(y)) {
            wrong_rows += 1;
            if (first_wrong < 0) first_wrong = y;
        }
    CHECK(wrong_rows == 0, "%u rows off the gradient at %dx%d, the first %d: %06lX, expected %06lX", wrong_rows, w, h,
          first_wrong, first_wrong < 0 ? 0 : client.at(c.right - 3, first_wrong),
          first_wrong < 0 ? 0 : gradient_at(first_wrong));
    for (POINT p : {POINT{320, 200}, POINT{360, 240}, POINT{320, 280}, POINT{280, 240}})
        CHECK(client.at(p.x, p.y) == RGB(0, 0, 0), "the central square passes %ld,%ld", p.x, p.y);

    const COLORREF black = RGB(0, 0, 0);
    const struct {
        int x, y;
        const char* text;
        COLORREF colour;
    } texts[] = {
        {45, 30, "Ana", black},
        {45, 70, "Juegos ganados:2", RGB(255, 0, 0)},
        {45, 118, "Primera ficha:1", RGB(255, 0, 0)},
        {45, 166, "Último jugador:0", RGB(255, 0, 0)},
        {365, 30, "Bea", black},
        {365, 70, "Juegos ganados:0", RGB(0, 0, 255)},
        {365, 166, "Último jugador:2", RGB(0, 0, 255)},
        // Seat 2 never played: no name, zeros.
        {45, 270, "", black},
        {45, 310, "Juegos ganados:0", RGB(255, 255, 0)},
        {45, 358, "Primera ficha:0", RGB(255, 255, 0)},
        {45, 406, "Último jugador:0", RGB(255, 255, 0)},
        {365, 270, "Iñigo", black},
        {365, 358, "Primera ficha:1", RGB(0, 255, 0)},
        {292, 203, "2", black},
        {332, 203, "0", black},
        {292, 243, "0", black},
        {332, 243, "0", black},
    };
    for (const auto& t : texts) {
        const unsigned differ = text_differs(client, t.x, t.y, t.text, t.colour);
        CHECK(differ == 0, "\"%s\" at %d,%d: %u pixels differ", t.text, t.x, t.y, differ);
    }
    check_time_line(client, "Tiempo total: 01:02:03");
}

} // namespace

void summary_tests() {
    w = GetSystemMetrics(SM_CXSCREEN);
    h = GetSystemMetrics(SM_CYSCREEN);
    // Game 1: Ana first home and winner, Bea last; game 2: Iñigo first
    // home, Bea last, Ana the winner. Together 1 h 2 min 3.999 s.
    write_record(1, "Ana", "Bea", "Ana", 3600000);
    write_record(2, "Iñigo", "Bea", "Ana", 123999);
    write_record(3, "Bea", "Ana", "Bea", 60000);
    on_ui([] {
        std::strcpy(player_name[0], "Ana");
        std::strcpy(player_name[1], "Bea");
        player_name[2][0] = 0;
        std::strcpy(player_name[3], "Iñigo");
        game_number = highest_game_number = 3;
    });
    // Game 3 is left out, as when leaving while it runs.
    HWND dialog = open_summary(2);
    if (!dialog) return;
    check_painting(dialog);
    press_key(dialog, VK_RETURN);
    CHECK(finish() == 1 && !IsWindow(dialog), "Enter closes the summary");

    // Every game, one of them a hundred hours long.
    write_record(4, "Bea", "Ana", "Bea", 360000000);
    on_ui([] { game_number = highest_game_number = 4; });
    dialog = open_summary(4);
    if (!dialog) return;
    check_time_line(client_image(dialog), "Tiempo total: 101:03:03");
    press_key(dialog, VK_ESCAPE);
    CHECK(finish() == 1 && !IsWindow(dialog), "Esc closes the summary");

    dialog = open_summary(2);
    if (!dialog) return;
    RECT r;
    GetWindowRect(dialog, &r);
    // The close box: found where the window itself says it is.
    POINT close = {-1, -1};
    for (int x = r.right - 2; x > r.right - 60 && close.x < 0; --x)
        for (int y = r.top + 2; y < r.top + 30 && close.x < 0; ++y)
            if (SendMessageA(dialog, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) close = POINT{x - 4, y + 4};
    CHECK(close.x >= 0, "the summary has a close box");
    int result = -1000;
    for (int attempt = 0; attempt < 3 && close.x >= 0 && result == -1000; ++attempt) {
        real_click(close.x, close.y);
        result = finish(1500);
    }
    CHECK(result == 1 && !IsWindow(dialog), "its close box closes the summary");
}
