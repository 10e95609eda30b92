// Drawing surfaces: a memory context that owns one bitmap of its own.
#include "ui/app/app.h"
#include "ui/resources/graphics.h"

// A context does not say which bitmap it was made with once another one is
// selected into it (the sprite surface changes its bitmap at every copy),
// so each live surface is remembered with its own bitmap and the context's
// original one. The window has two surfaces and the game-over dialog three.
namespace {
struct Surface {
    HDC dc;
    HBITMAP own;
    HGDIOBJ original;
};
Surface surfaces[8];
} // namespace

HDC make_surface(int width, int height) {
    for (Surface& s : surfaces) {
        if (s.dc) continue;
        HDC dc = CreateCompatibleDC(window_dc);
        if (!dc) return nullptr;
        HBITMAP own = CreateCompatibleBitmap(window_dc, width, height);
        s = Surface{dc, own, SelectObject(dc, own)};
        return dc;
    }
    return nullptr;
}

void destroy_surface(HDC surface) {
    if (!surface) return;
    for (Surface& s : surfaces) {
        if (s.dc != surface) continue;
        SelectObject(s.dc, s.original);
        DeleteDC(s.dc);
        if (s.own) DeleteObject(s.own);
        s = Surface{};
        return;
    }
}
