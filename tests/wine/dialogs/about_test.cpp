// The About dialog: its caption and icon, three credit texts that fit
// their items in yellow, the red frame, no visible button, and Enter, Esc
// and the close box all closing it.
#include "driver.h"
#include "groups.h"
#include "log_text.h"

#include "ui/dialogs/dialogs.h"
#include "ui/resources/resource.h"

namespace {

HWND open_about() {
    start_on_ui([] {
        about_dialog();
        return 1;
    });
    HWND dialog = wait_dialog(IDC_CREDIT_1);
    CHECK(dialog != nullptr, "the About dialog opens");
    return dialog;
}

// Word-wrapped in the item's own font, the text needs no more than the
// item; that font has all its letters.
void check_fits(HWND dialog, int id) {
    HWND item = GetDlgItem(dialog, id);
    const std::string text = control_text(dialog, id);
    CHECK(text.size() > 20, "item %d has a credit text: \"%s\"", id, text.c_str());
    RECT box;
    GetClientRect(item, &box);
    RECT need = box;
    HDC dc = GetDC(item);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(item, WM_GETFONT, 0, 0)));
    DrawTextW(dc, wide_1252(text).c_str(), -1, &need, DT_CALCRECT | DT_WORDBREAK | DT_LEFT);
    SelectObject(dc, old);
    ReleaseDC(item, dc);
    CHECK(need.bottom <= box.bottom && need.right <= box.right, "item %d: text needs %ld x %ld of %ld x %ld", id,
          need.right, need.bottom, box.right, box.bottom);
    CHECK(has_colour(item, RGB(255, 255, 0)), "item %d is yellow", id);
    CHECK(font_has_letters(item), "item %d: its font lacks a letter of \"%s\"", id, text.c_str());
}

} // namespace

void about_tests() {
    HWND dialog = open_about();
    if (!dialog) return;
    char caption[64];
    GetWindowTextA(dialog, caption, sizeof caption);
    CHECK(std::string(caption) == "Zenta Korvalo", "caption \"%s\"", caption);
    CHECK(SendMessageA(dialog, WM_GETICON, ICON_SMALL, 0) != 0, "the program's icon");
    for (int id : {IDC_CREDIT_1, IDC_CREDIT_2, IDC_CREDIT_3}) check_fits(dialog, id);
    const std::string last = control_text(dialog, IDC_CREDIT_3);
    CHECK(last.size() > 19 && last.substr(last.size() - 19) == "¡Que gane el mejor!", "the last credit ends \"%s\"",
          last.c_str());
    RECT client, button;
    GetClientRect(dialog, &client);
    GetWindowRect(GetDlgItem(dialog, IDOK), &button);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&button), 2);
    CHECK(button.top >= client.bottom, "the button lies below the box (%ld >= %ld)", button.top, client.bottom);
    POINT corner = {10, 10};
    ClientToScreen(dialog, &corner);
    Sleep(100);
    CHECK(screen_pixel(corner.x + 30, corner.y) == RGB(255, 0, 0) &&
              screen_pixel(corner.x, corner.y + 30) == RGB(255, 0, 0) &&
              screen_pixel(corner.x + 30, corner.y + 1) == RGB(0, 0, 0),
          "a thin red frame 10 pixels in, black inside");
    press_key(dialog, VK_RETURN);
    CHECK(finish() == 1 && !IsWindow(dialog), "Enter closes it");

    dialog = open_about();
    if (!dialog) return;
    press_key(dialog, VK_ESCAPE);
    CHECK(finish() == 1 && !IsWindow(dialog), "Esc closes it");

    dialog = open_about();
    if (!dialog) return;
    PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    CHECK(finish() == 1 && !IsWindow(dialog), "the close box closes it");
}
