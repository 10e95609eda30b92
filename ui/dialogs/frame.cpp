#include "ui/dialogs/frame.h"

#include "ui/app/app.h"
#include "ui/dialogs/dialog_scale.h"
#include "ui/draw/scale.h"
#include "ui/resources/graphics.h"

// The client area in design pixels (the dialog is drawn pixel_scale times larger).
static RECT design_client(HWND dialog) {
    RECT r;
    GetClientRect(dialog, &r);
    const POINT far_corner = design_point(r.right, r.bottom);
    return RECT{0, 0, far_corner.x, far_corner.y};
}

void apply_ellipse_shape(HWND dialog) {
    const RECT r = design_client(dialog);
    SetWindowRgn(dialog, enlarged_region(CreateEllipticRgn(r.left + 2, r.top + 2, r.right, r.bottom)), FALSE);
}

// The ring is drawn on a black design-sized canvas and ORed onto the black
// dialog: only the ring's pixels change, as when the pen drew it there.
void paint_ellipse_border(HWND dialog) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(dialog, &ps);
    const ScreenScale kept = enter_dialog_scale(dialog);
    const RECT r = design_client(dialog);
    DesignCanvas ring;
    if (start_canvas(ring, 0, 0, r.right, r.bottom)) {
        HPEN pen = CreatePen(PS_SOLID, 5, player_colour[0]);
        SelectObject(ring.dc, GetStockObject(NULL_BRUSH));
        HGDIOBJ old_pen = SelectObject(ring.dc, pen);
        Ellipse(ring.dc, r.left + 2, r.top + 2, r.right - 1, r.bottom - 1);
        SelectObject(ring.dc, old_pen);
        DeleteObject(pen);
        finish_canvas(ring, dc, SRCPAINT);
    }
    leave_dialog_scale(kept);
    EndPaint(dialog, &ps);
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

HBITMAP load_picture(int id) {
    HBITMAP design = LoadBitmapA(app_instance, MAKEINTRESOURCEA(id));
    HBITMAP shown = enlarged_picture(design);
    if (shown != design) DeleteObject(design);
    return shown;
}

void put_picture(HWND dialog, int id, HBITMAP picture) {
    const LRESULT previous =
        SendDlgItemMessageA(dialog, id, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
    if (previous && reinterpret_cast<HBITMAP>(previous) != picture) DeleteObject(reinterpret_cast<HGDIOBJ>(previous));
}
