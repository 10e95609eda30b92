#include "screen.h"

#include "ui/resources/resource.h"

#include <cstdio>
#include <map>

int scale = 1;

POINT on_screen(int x, int y) { return POINT{x * scale + scale / 2, y * scale + scale / 2}; }

static HMODULE game_module;
static std::map<int, Image> pictures;

static Image read_bitmap(HDC dc, HBITMAP bitmap, int w, int h) {
    Image image;
    image.w = w;
    image.h = h;
    image.px.resize(static_cast<size_t>(w) * h);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    GetDIBits(dc, bitmap, 0, h, image.px.data(), &info, DIB_RGB_COLORS);
    for (uint32_t& p : image.px) p &= 0xFFFFFF;
    return image;
}

static Image capture_screen() {
    HDC screen = GetDC(nullptr);
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    Image shot = read_bitmap(memory, bitmap, w, h);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return shot;
}

// Wine hands a window's drawing to the X server a little later, so a
// capture is taken again until two in a row agree.
Image capture_settled_screen() {
    Image last = capture_screen();
    for (int i = 0; i < 20; ++i) {
        Sleep(25);
        Image next = capture_screen();
        if (next.px == last.px) return next;
        last = std::move(next);
    }
    return last;
}

Image design_view(const Image& shot) {
    Image view;
    view.w = shot.w / scale;
    view.h = shot.h / scale;
    view.px.resize(static_cast<size_t>(view.w) * view.h);
    for (int y = 0; y < view.h; ++y)
        for (int x = 0; x < view.w; ++x) view.px[static_cast<size_t>(y) * view.w + x] = shot.at(x * scale, y * scale);
    return view;
}

int differs_from_enlarged(const Image& shot, POINT at, const Image& design, POINT from, int w, int h,
                          const std::vector<Area>& skip) {
    int n = 0;
    for (int y = 0; y < h * scale; ++y)
        for (int x = 0; x < w * scale; ++x) {
            const int dx = x / scale, dy = y / scale;
            bool skipped = false;
            for (const Area& a : skip)
                skipped = skipped || (a.left <= dx && dx < a.right && a.top <= dy && dy < a.bottom);
            if (skipped || !shot.inside(at.x + x, at.y + y) || !design.inside(from.x + dx, from.y + dy)) continue;
            n += shot.at(at.x + x, at.y + y) != design.at(from.x + dx, from.y + dy);
        }
    return n;
}

void open_game_pictures(const char* exe) {
    game_module = LoadLibraryExA(exe, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!game_module) std::printf("cannot open %s for its pictures\n", exe);
}

Image game_picture(int id) {
    auto found = pictures.find(id);
    if (found != pictures.end()) return found->second;
    HBITMAP bitmap =
        static_cast<HBITMAP>(LoadImageA(game_module, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    Image image;
    if (bitmap) {
        BITMAP info;
        GetObjectA(bitmap, sizeof info, &info);
        HDC screen = GetDC(nullptr);
        image = read_bitmap(screen, bitmap, info.bmWidth, info.bmHeight);
        ReleaseDC(nullptr, screen);
        DeleteObject(bitmap);
    }
    pictures[id] = image;
    return image;
}

bool same_block(const Image& shot, int x, int y, const Image& picture) {
    if (picture.w == 0) return false;
    for (int j = 0; j < picture.h; ++j)
        for (int i = 0; i < picture.w; ++i)
            if (!shot.inside(x + i, y + j) || shot.at(x + i, y + j) != picture.at(i, j)) return false;
    return true;
}

int differing_pixels(const Image& a, const Image& b, int x, int y, int w, int h) {
    int n = 0;
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            if (a.inside(i, j) && a.at(i, j) != b.at(i, j)) ++n;
    return n;
}

std::vector<Spot> find_tokens(const Image& shot, int seat) {
    static const int id[4] = {IDB_TOKEN_RED, IDB_TOKEN_BLUE, IDB_TOKEN_YELLOW, IDB_TOKEN_GREEN};
    const Image picture = game_picture(id[seat]);
    std::vector<Spot> spots;
    if (picture.w != 20) return spots;
    const uint32_t anchor = picture.at(10, 10);
    for (int y = 0; y + 20 <= shot.h; ++y)
        for (int x = 0; x + 20 <= shot.w; ++x)
            if (shot.at(x + 10, y + 10) == anchor && same_block(shot, x, y, picture)) spots.push_back({x, y});
    return spots;
}

// True when (x, y) is a pixel of the die's shape in a 60 x 60 cell.
static bool die_pixel(int x, int y) {
    const Image strip = game_picture(IDB_DICE);
    return strip.w == 420 && strip.at(DICE_MASK_CELL * DICE_CELL + x, y) == 0;
}

// A die is looked for where one of its anchors shows: pixels of its body
// that no face covers with a pip, spread over it so that a token painted
// over part of it hides few. The face whose visible pixels differ least,
// if few, is the one shown.
std::vector<DieSpot> find_dice(const Image& shot) {
    const Image strip = game_picture(IDB_DICE);
    std::vector<DieSpot> found;
    if (strip.w != 420) return found;
    auto in_die = [&](int i, int j) { return strip.at(DICE_MASK_CELL * DICE_CELL + i, j) == 0; };
    std::vector<Spot> anchors;
    for (int j = 8; j < 56; j += 12)
        for (int i = 8; i < 56; i += 12) {
            bool same = in_die(i, j);
            for (int f = 1; f < 6; ++f) same = same && strip.at(f * DICE_CELL + i, j) == strip.at(i, j);
            if (same) anchors.push_back({i, j});
        }
    const uint32_t body = strip.at(anchors[0].x, anchors[0].y);
    for (int y = 0; y < shot.h; ++y)
        for (int x = 0; x < shot.w; ++x) {
            bool anchored = false;
            for (const Spot& a : anchors)
                anchored = anchored || (shot.inside(x + a.x, y + a.y) && shot.at(x + a.x, y + a.y) == body);
            int best = 401, best_face = 0;
            for (int face = 1; anchored && face <= 6; ++face) {
                int compared = 0, wrong = 0;
                for (int j = 0; j < DICE_CELL && wrong < best; ++j)
                    for (int i = 0; i < DICE_CELL; ++i)
                        if (in_die(i, j) && shot.inside(x + i, y + j))
                            ++compared, wrong += shot.at(x + i, y + j) != strip.at((face - 1) * DICE_CELL + i, j);
                if (wrong < best && compared - wrong > 300) best = wrong, best_face = face;
            }
            if (best_face) found.push_back({x, y, best_face});
        }
    return found;
}

int read_centre_number(const Image& shot, int x, int y, COLORREF colour, const std::vector<DieSpot>& covering) {
    const int size = 68 * scale;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
    HGDIOBJ old_bitmap = SelectObject(memory, bitmap);
    // As the game draws it: the design's font in a context that draws
    // design pixels `scale` times larger.
    SetMapMode(memory, MM_ANISOTROPIC);
    SetWindowExtEx(memory, 1, 1, nullptr);
    SetViewportExtEx(memory, scale, scale, nullptr);
    HFONT font = CreateFontA(68, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
    HGDIOBJ old_font = SelectObject(memory, font);
    HBRUSH brush = CreateSolidBrush(colour);
    SetBkColor(memory, colour);
    SetTextColor(memory, RGB(0, 0, 0));
    int result = -1;
    for (int n = 0; n <= 12 && result < 0; ++n) {
        RECT r = {0, 0, 68, 68};
        FillRect(memory, &r, brush);
        char text[4];
        std::snprintf(text, sizeof text, "%d", n);
        DrawTextA(memory, text, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SelectObject(memory, old_bitmap);
        const Image expected = read_bitmap(memory, bitmap, size, size);
        SelectObject(memory, bitmap);
        bool same = true;
        for (int j = 0; j < size && same; ++j)
            for (int i = 0; i < size && same; ++i) {
                const int dx = x + i / scale, dy = y + j / scale; // the design pixel
                bool hidden = false;
                for (const DieSpot& d : covering)
                    hidden = hidden || (dx - d.x >= 0 && dx - d.x < 60 && dy - d.y >= 0 && dy - d.y < 60 &&
                                        die_pixel(dx - d.x, dy - d.y));
                same = hidden || shot.at(x * scale + i, y * scale + j) == expected.at(i, j);
            }
        if (same) result = n;
    }
    SelectObject(memory, old_font);
    SelectObject(memory, old_bitmap);
    DeleteObject(brush);
    DeleteObject(font);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return result;
}
