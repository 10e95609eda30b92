#include "ui/dialogs/frame.h"

#include "ui/app/app.h"
#include "ui/resources/graphics.h"

void apply_ellipse_shape(HWND dialog) {
    RECT r;
    GetClientRect(dialog, &r);
    HRGN dialog_region = CreateEllipticRgn(r.left + 2, r.top + 2, r.right, r.bottom);
    SetWindowRgn(dialog, dialog_region, FALSE);
}

void paint_ellipse_border(HWND dialog) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(dialog, &ps);
    HPEN pen = CreatePen(PS_SOLID, 5, player_colour[0]);
    RECT r;
    GetClientRect(dialog, &r);
    HGDIOBJ old_brush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    HGDIOBJ old_pen = SelectObject(dc, pen);
    Ellipse(dc, r.left + 2, r.top + 2, r.right - 1, r.bottom - 1);
    SelectObject(dc, old_pen);
    SelectObject(dc, old_brush);
    EndPaint(dialog, &ps);
    DeleteObject(pen);
}

void show_picture(HWND dialog, int id, void* picture) {
    SendDlgItemMessageA(dialog, id, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
}

void flash_button(HWND dialog, int id, const ButtonRecord& record) {
    show_picture(dialog, id, record.pressed);
    UpdateWindow(GetDlgItem(dialog, id));
}

INT_PTR colour_control(HDC dc, COLORREF text) {
    SetBkColor(dc, RGB(0, 0, 0));
    SetTextColor(dc, text);
    return reinterpret_cast<INT_PTR>(GetStockObject(BLACK_BRUSH));
}

HBITMAP load_picture(int id) { return LoadBitmapA(app_instance, MAKEINTRESOURCEA(id)); }

void put_picture(HWND dialog, int id, HBITMAP picture) {
    const LRESULT previous =
        SendDlgItemMessageA(dialog, id, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
    if (previous && reinterpret_cast<HBITMAP>(previous) != picture) DeleteObject(reinterpret_cast<HGDIOBJ>(previous));
}
