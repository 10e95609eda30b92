#include "ui/draw/scale.h"

#include <windowsx.h>

#include <initializer_list>

uint8_t pixel_scale = 1;

// Floor division: a point left of or above the window (the mouse is kept
// during a press) stays left of or above design pixel 0.
static int design_axis(int v) { return v >= 0 ? v / pixel_scale : -((-v + pixel_scale - 1) / pixel_scale); }

POINT design_point(int x, int y) { return POINT{design_axis(x), design_axis(y)}; }

POINT design_point(LPARAM lparam) { return design_point(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)); }

RECT window_rect(int left, int top, int right, int bottom) {
    const int k = pixel_scale;
    return RECT{left * k, top * k, right * k, bottom * k};
}

void draw_in_design_pixels(HDC dc) {
    SetStretchBltMode(dc, COLORONCOLOR);
    if (pixel_scale == 1) {
        SetMapMode(dc, MM_TEXT);
        return;
    }
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, 1, 1, nullptr);
    SetViewportExtEx(dc, pixel_scale, pixel_scale, nullptr);
}

// A bitmap of the screen's format, w x h, holding the source enlarged.
static HBITMAP enlarged_copy(HDC screen, HBITMAP source, int w, int h, bool monochrome) {
    const int k = pixel_scale;
    HBITMAP made =
        monochrome ? CreateBitmap(w * k, h * k, 1, 1, nullptr) : CreateCompatibleBitmap(screen, w * k, h * k);
    HDC from = CreateCompatibleDC(screen), to = CreateCompatibleDC(screen);
    HGDIOBJ old_from = SelectObject(from, source), old_to = SelectObject(to, made);
    SetStretchBltMode(to, COLORONCOLOR);
    StretchBlt(to, 0, 0, w * k, h * k, from, 0, 0, w, h, SRCCOPY);
    SelectObject(from, old_from);
    SelectObject(to, old_to);
    DeleteDC(from);
    DeleteDC(to);
    return made;
}

HBITMAP enlarged_picture(HBITMAP picture) {
    BITMAP info;
    if (pixel_scale == 1 || !picture || !GetObjectA(picture, sizeof info, &info)) return picture;
    HDC screen = GetDC(nullptr);
    HBITMAP made = enlarged_copy(screen, picture, info.bmWidth, info.bmHeight, info.bmBitsPixel == 1);
    ReleaseDC(nullptr, screen);
    return made;
}

HCURSOR enlarged_pointer(HCURSOR pointer) {
    ICONINFO icon;
    if (pixel_scale == 1 || !pointer || !GetIconInfo(pointer, &icon)) return pointer;
    BITMAP mask;
    GetObjectA(icon.hbmMask, sizeof mask, &mask);
    HDC screen = GetDC(nullptr);
    ICONINFO made = icon;
    // A monochrome pointer keeps its AND and XOR halves in one mask twice
    // as high as the pointer; both grow alike.
    made.hbmMask = enlarged_copy(screen, icon.hbmMask, mask.bmWidth, mask.bmHeight, true);
    made.hbmColor = icon.hbmColor ? enlarged_copy(screen, icon.hbmColor, mask.bmWidth, mask.bmHeight, false) : nullptr;
    made.xHotspot = icon.xHotspot * pixel_scale;
    made.yHotspot = icon.yHotspot * pixel_scale;
    ReleaseDC(nullptr, screen);
    HCURSOR larger = reinterpret_cast<HCURSOR>(CreateIconIndirect(&made));
    for (HBITMAP b : {icon.hbmMask, icon.hbmColor, made.hbmMask, made.hbmColor})
        if (b) DeleteObject(b);
    return larger ? larger : pointer;
}

bool start_canvas(DesignCanvas& canvas, int x, int y, int w, int h) {
    canvas = DesignCanvas{};
    HDC screen = GetDC(nullptr);
    canvas.dc = CreateCompatibleDC(screen);
    canvas.bitmap = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(nullptr, screen);
    if (!canvas.dc || !canvas.bitmap) {
        if (canvas.dc) DeleteDC(canvas.dc);
        if (canvas.bitmap) DeleteObject(canvas.bitmap);
        canvas = DesignCanvas{};
        return false;
    }
    canvas.original = SelectObject(canvas.dc, canvas.bitmap);
    canvas.x = x, canvas.y = y, canvas.w = w, canvas.h = h;
    const RECT all = {0, 0, w, h};
    FillRect(canvas.dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    // The canvas's own origin is the target's (x, y): callers draw in the
    // target's design coordinates.
    SetViewportOrgEx(canvas.dc, -x, -y, nullptr);
    return true;
}

void finish_canvas(DesignCanvas& canvas, HDC target, DWORD rop) {
    if (!canvas.dc) return;
    SetViewportOrgEx(canvas.dc, 0, 0, nullptr);
    SetStretchBltMode(target, COLORONCOLOR);
    if (GetMapMode(target) == MM_ANISOTROPIC || pixel_scale == 1) {
        BitBlt(target, canvas.x, canvas.y, canvas.w, canvas.h, canvas.dc, 0, 0, rop);
    } else {
        const RECT r = window_rect(canvas.x, canvas.y, canvas.x + canvas.w, canvas.y + canvas.h);
        StretchBlt(target, r.left, r.top, r.right - r.left, r.bottom - r.top, canvas.dc, 0, 0, canvas.w, canvas.h, rop);
    }
    SelectObject(canvas.dc, canvas.original);
    DeleteObject(canvas.bitmap);
    DeleteDC(canvas.dc);
    canvas = DesignCanvas{};
}

HRGN enlarged_region(HRGN region) {
    const DWORD size = pixel_scale == 1 ? 0 : GetRegionData(region, 0, nullptr);
    RGNDATA* data = size ? static_cast<RGNDATA*>(HeapAlloc(GetProcessHeap(), 0, size)) : nullptr;
    if (!data) return region;
    HRGN made = nullptr;
    if (GetRegionData(region, size, data)) {
        RECT* r = reinterpret_cast<RECT*>(data->Buffer);
        for (DWORD i = 0; i < data->rdh.nCount; ++i) r[i] = window_rect(r[i].left, r[i].top, r[i].right, r[i].bottom);
        data->rdh.rcBound = window_rect(data->rdh.rcBound.left, data->rdh.rcBound.top, data->rdh.rcBound.right,
                                        data->rdh.rcBound.bottom);
        made = ExtCreateRegion(nullptr, size, data);
    }
    HeapFree(GetProcessHeap(), 0, data);
    if (!made) return region;
    DeleteObject(region);
    return made;
}
