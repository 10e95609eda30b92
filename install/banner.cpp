#include "install.h"
#include "install_ids.h"

// The picture the banner shows when this program gave it one: at a scale
// other than 100 %, or back at 100 % after one. Until then the control shows
// the template's picture, which is its own.
static HBITMAP given_banner;

// The scale the system laid the dialog out at. Windows 10 1607 and later
// tell it per window; before, dialogs are laid out at the system's scale.
UINT dialog_dpi(HWND dialog) {
    using WindowDpi = UINT(WINAPI*)(HWND);
    auto window_dpi = reinterpret_cast<WindowDpi>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (window_dpi != nullptr) return window_dpi(dialog);
    HDC screen = GetDC(nullptr);
    UINT dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

static HBITMAP stretched(HBITMAP picture, const BITMAP& size, int width, int height) {
    HDC screen = GetDC(nullptr);
    HDC from = CreateCompatibleDC(screen), to = CreateCompatibleDC(screen);
    HBITMAP result = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old_from = SelectObject(from, picture), old_to = SelectObject(to, result);
    SetStretchBltMode(to, HALFTONE);
    SetBrushOrgEx(to, 0, 0, nullptr);
    StretchBlt(to, 0, 0, width, height, from, 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
    SelectObject(from, old_from);
    SelectObject(to, old_to);
    DeleteDC(from);
    DeleteDC(to);
    ReleaseDC(nullptr, screen);
    return result;
}

// The system scales the dialog's font, and with it every control placed in
// dialog units, but shows a picture at its own size. The banner grows with
// the scale too, as far as the dialog has room for it whole: the font's
// sizes do not follow the scale exactly, so the dialog may grow less.
void fit_banner(HWND dialog, UINT dpi) {
    HWND banner = GetDlgItem(dialog, IDC_BANNER);
    HBITMAP picture = static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_BANNER), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    BITMAP size;
    if (picture == nullptr || !GetObjectW(picture, sizeof size, &size)) return;
    RECT room, place;
    GetClientRect(dialog, &room);
    GetWindowRect(banner, &place);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    int width = MulDiv(size.bmWidth, dpi, 96), height = MulDiv(size.bmHeight, dpi, 96);
    if (width > room.right - place.left) {
        width = room.right - place.left;
        height = MulDiv(size.bmHeight, width, size.bmWidth);
    }
    if (height > room.bottom - place.top) {
        height = room.bottom - place.top;
        width = MulDiv(size.bmWidth, height, size.bmHeight);
    }
    bool own_size = width == size.bmWidth && height == size.bmHeight;
    if (own_size && given_banner == nullptr) {
        DeleteObject(picture);
        return;
    }
    HBITMAP shown = own_size ? picture : stretched(picture, size, width, height);
    if (shown != picture) DeleteObject(picture);
    // The picture shown before is ours to delete: the template's, or the one given before.
    DeleteObject(
        reinterpret_cast<HBITMAP>(SendMessageW(banner, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(shown))));
    given_banner = shown;
}

void release_banner() {
    if (given_banner != nullptr) DeleteObject(given_banner);
    given_banner = nullptr;
}
