// About dialog 204: three credit lines in yellow inside a thin red frame.
#include "ui/dialogs/dialogs.h"
#include "ui/dialogs/dialog_scale.h"
#include "ui/dialogs/frame.h"

#include "game/state.h"
#include "ui/app/app.h"
#include "ui/app/text.h"
#include "ui/draw/scale.h"
#include "ui/resources/resource.h"

// Each fits its item at the template's font, the third has a line to spare.
static const char* const credit_texts[3] = {
    "Zenta Korvalo 2.0: carrera de fichas con dos dados, de 2 a 4 jugadores en un mismo ordenador.",
    "Programa, dibujos, sonidos y reglas de la casa: el equipo de Zenta Korvalo.",
    "Gracias a todos los que probaron cada tirada, cada castigo y cada presada. ¡Que gane el mejor!",
};
static const int credit_ids[3] = {IDC_CREDIT_1, IDC_CREDIT_2, IDC_CREDIT_3};

static void init_about_dialog(HWND dialog) {
    use_1252_font(dialog);
    scale_dialog(dialog);
    for (int i = 0; i < 3; ++i) set_item_text(dialog, credit_ids[i], credit_texts[i]);
    set_window_text(dialog, window_title);
    // A shared icon: the system keeps it, nothing to release on close.
    HANDLE icon = LoadImageA(app_instance, MAKEINTRESOURCEA(IDI_KORVALO), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                             GetSystemMetrics(SM_CYSMICON), LR_SHARED);
    SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

// A red outline 10 design pixels inside the client area, filled so that it
// is one design pixel wide at any scale.
static void paint_about_frame(HWND dialog) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(dialog, &ps);
    const int saved = SaveDC(dc);
    draw_in_design_pixels(dc);
    RECT r;
    GetClientRect(dialog, &r);
    const POINT far_corner = design_point(r.right, r.bottom);
    const RECT frame = {10, 10, far_corner.x - 9, far_corner.y - 9};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FrameRect(dc, &frame, red);
    DeleteObject(red);
    RestoreDC(dc, saved);
    EndPaint(dialog, &ps);
}

static INT_PTR CALLBACK about_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG: init_about_dialog(dialog); return TRUE;
    case WM_COMMAND:
        if (LOWORD(wparam) == IDOK) EndDialog(dialog, 1);
        if (LOWORD(wparam) == IDCANCEL) EndDialog(dialog, 0);
        return LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL;
    case WM_PAINT: {
        const ScreenScale kept = enter_dialog_scale(dialog);
        paint_about_frame(dialog);
        leave_dialog_scale(kept);
        return TRUE;
    }
    case WM_CTLCOLORDLG: return reinterpret_cast<INT_PTR>(GetStockObject(BLACK_BRUSH));
    case WM_CTLCOLORSTATIC: return colour_control(reinterpret_cast<HDC>(wparam), RGB(255, 255, 0));
    case WM_DESTROY: release_dialog_font(dialog); return TRUE;
    }
    (void)lparam;
    return FALSE;
}

void about_dialog() { DialogBoxParamW(app_instance, MAKEINTRESOURCEW(IDD_ABOUT), main_window, about_dialog_proc, 0); }
