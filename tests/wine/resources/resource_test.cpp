// Loads every resource of the game by id, the way the game does, and
// checks what it gets: picture sizes and depths, tiles that fit their
// board cells, pointer hot spots, the icon, each dialog template (styles,
// sizes, fonts, controls) and the dialogs built from it, the Windows-1252
// texts, the version block and the manifest. Linked with korvalo.rc.
#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "ui/resources/resource.h"
#include "ui/resources/version.h"

namespace {

HINSTANCE instance;
int passed = 0, failed = 0;

void check_(bool ok, int line, const char* format, ...) {
    if (ok) {
        ++passed;
        return;
    }
    ++failed;
    char message[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(message, sizeof message, format, args);
    va_end(args);
    // Texts are Windows-1252: bytes above 127 are shown as \xNN, so the
    // log stays readable as UTF-8.
    std::string shown;
    for (unsigned char c : std::string(message)) {
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\x%02X", c);
        shown += c < 128 ? std::string(1, static_cast<char>(c)) : std::string(escape);
    }
    std::printf("resource_test.cpp:%d: %s\n", line, shown.c_str());
}
// The message says what was checked, what came back and what was expected.
#define CHECK(ok, ...) check_((ok), __LINE__, __VA_ARGS__)

std::string hex_bytes(const std::string& s) {
    std::string out;
    char b[4];
    for (unsigned char c : s) {
        std::snprintf(b, sizeof b, "%02X ", c);
        out += b;
    }
    return out;
}

// --- Pictures ----------------------------------------------------------------

struct Picture {
    int id, width, height, bits;
};

const Picture pictures[] = {
    {IDB_TOKEN_YELLOW, 20, 20, 8},
    {IDB_TOKEN_BLUE, 20, 20, 8},
    {IDB_TOKEN_RED, 20, 20, 8},
    {IDB_TOKEN_GREEN, 20, 20, 8},
    {IDB_TILE_TRACK_H, 96, 16, 8},
    {IDB_TILE_TRACK_H_WIDE, 96, 24, 8},
    {IDB_TILE_TRACK_V, 16, 96, 8},
    {IDB_TILE_TRACK_V_WIDE, 24, 96, 8},
    {IDB_TILE_EXIT_YELLOW, 16, 96, 8},
    {IDB_TILE_EXIT_BLUE, 96, 16, 8},
    {IDB_TILE_EXIT_RED, 16, 96, 8},
    {IDB_TILE_EXIT_GREEN, 96, 16, 8},
    {IDB_TILE_SAFE_YELLOW, 16, 96, 8},
    {IDB_TILE_SAFE_BLUE, 96, 16, 8},
    {IDB_TILE_ARM_END_BLUE, 68, 24, 8},
    {IDB_TILE_SAFE_RED, 16, 96, 8},
    {IDB_TILE_ARM_END_RED, 24, 68, 8},
    {IDB_TILE_SAFE_GREEN, 96, 16, 8},
    {IDB_TILE_ARM_END_GREEN, 68, 24, 8},
    {IDB_TILE_STRETCH_GREEN, 68, 24, 8},
    {IDB_TILE_STRETCH_BLUE, 68, 24, 8},
    {IDB_TILE_STRETCH_RED, 24, 68, 8},
    {IDB_TILE_STRETCH_YELLOW, 24, 68, 8},
    {IDB_TILE_ARM_END_YELLOW, 24, 68, 8},
    {IDB_JAIL_RED, 96, 96, 8},
    {IDB_JAIL_BLUE, 96, 96, 8},
    {IDB_JAIL_YELLOW, 96, 96, 8},
    {IDB_JAIL_GREEN, 96, 96, 8},
    {IDB_COUNT_1_SELECTED, 37, 36, 8},
    {IDB_COUNT_1, 37, 36, 8},
    {IDB_COUNT_2_SELECTED, 37, 36, 8},
    {IDB_COUNT_2, 37, 36, 8},
    {IDB_COUNT_3_SELECTED, 37, 36, 8},
    {IDB_COUNT_3, 37, 36, 8},
    {IDB_COUNT_4_SELECTED, 37, 36, 8},
    {IDB_COUNT_4, 37, 36, 8},
    {IDB_OK_PRESSED, 47, 46, 8},
    {IDB_OK, 47, 46, 24},
    {IDB_ABOUT_PRESSED, 47, 46, 8},
    {IDB_ABOUT, 47, 46, 8},
    {IDB_MINIMISE_PRESSED, 24, 23, 8},
    {IDB_MINIMISE, 24, 23, 8},
    {IDB_CLOSE_PRESSED, 24, 23, 8},
    {IDB_CLOSE, 24, 23, 8},
    {IDB_HELP_PRESSED, 24, 23, 8},
    {IDB_HELP, 24, 23, 8},
    {IDB_GO_ON_PRESSED, 47, 46, 8},
    {IDB_GO_ON, 47, 46, 8},
    {IDB_QUIT_PRESSED, 47, 46, 8},
    {IDB_QUIT, 47, 46, 8},
    {IDB_NEW_GAME_PRESSED, 47, 46, 8},
    {IDB_NEW_GAME, 47, 46, 8},
    {IDB_DICE, 7 * DICE_CELL, DICE_CELL, 24},
    {IDB_SAVE_PRESSED, 47, 46, 8},
    {IDB_SAVE, 47, 46, 8},
    {IDB_LOAD_PRESSED, 47, 46, 8},
    {IDB_LOAD, 47, 46, 8},
    {IDB_CAR, 190, 72, 8},
};

// The header of a bitmap resource as the executable stores it.
const BITMAPINFOHEADER* bitmap_header(int id, DWORD* bytes) {
    HRSRC found =
        FindResourceA(instance, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2) /* RT_BITMAP */);
    if (!found) return nullptr;
    if (bytes) *bytes = SizeofResource(instance, found);
    return static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(instance, found)));
}

void check_pictures() {
    DWORD total = 0;
    for (const Picture& p : pictures) {
        DWORD bytes = 0;
        const BITMAPINFOHEADER* h = bitmap_header(p.id, &bytes);
        CHECK(h != nullptr, "bitmap %d: not in the resources", p.id);
        if (!h) continue;
        total += bytes;
        const long height = h->biHeight < 0 ? -h->biHeight : h->biHeight;
        CHECK(h->biWidth == p.width && height == p.height, "bitmap %d: %ld x %ld, expected %d x %d",
              p.id, h->biWidth, height, p.width, p.height);
        CHECK(h->biBitCount == p.bits, "bitmap %d: %d bits per pixel, expected %d", p.id,
              h->biBitCount, p.bits);
        CHECK(h->biCompression == BI_RGB, "bitmap %d: compressed (%lu), expected plain", p.id,
              h->biCompression);

        HBITMAP loaded = LoadBitmapA(instance, MAKEINTRESOURCEA(p.id));
        BITMAP bm = {};
        CHECK(loaded && GetObjectA(loaded, sizeof bm, &bm) && bm.bmWidth == p.width &&
                  bm.bmHeight == p.height,
              "LoadBitmap %d: %ld x %ld, expected %d x %d", p.id, bm.bmWidth, bm.bmHeight, p.width,
              p.height);
        DeleteObject(loaded);

        HANDLE dib =
            LoadImageA(instance, MAKEINTRESOURCEA(p.id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
        DIBSECTION ds = {};
        const bool got = dib && GetObjectA(dib, sizeof ds, &ds) == sizeof ds;
        CHECK(got && ds.dsBmih.biBitCount == p.bits, "LoadImage %d: %d bits, expected %d", p.id,
              got ? ds.dsBmih.biBitCount : 0, p.bits);
        DeleteObject(dib);
    }
    std::printf("bitmaps: %lu bytes in the resources\n", total);
    CHECK(total < 350 * 1024, "the game's bitmaps take %lu bytes, expected under 350 KB", total);
}

// Every board square shows a tile of exactly its cell's size. The cells are
// the board geometry's; the tile of a square follows the four blocks of 17
// track squares and the four home stretches.
struct CellSize {
    int first, last, width, height;
};
const CellSize cells[] = {
    {1, 12, 16, 96},  {13, 16, 96, 24}, {17, 17, 68, 24}, {18, 29, 96, 16},   {30, 33, 24, 96},
    {34, 34, 24, 68}, {35, 46, 16, 96}, {47, 50, 96, 24}, {51, 51, 68, 24},   {52, 63, 96, 16},
    {64, 67, 24, 96}, {68, 75, 24, 68}, {86, 92, 68, 24}, {103, 109, 24, 68}, {120, 126, 68, 24},
};

int tile_of_square(int n) {
    if (n >= 69 && n <= 75) return IDB_TILE_STRETCH_RED;
    if (n >= 86 && n <= 92) return IDB_TILE_STRETCH_BLUE;
    if (n >= 103 && n <= 109) return IDB_TILE_STRETCH_YELLOW;
    if (n >= 120 && n <= 126) return IDB_TILE_STRETCH_GREEN;
    const int block = (n - 1) / 17, k = (n - 1) % 17 + 1;
    const int exits[4] = {IDB_TILE_EXIT_RED, IDB_TILE_EXIT_BLUE, IDB_TILE_EXIT_YELLOW,
                          IDB_TILE_EXIT_GREEN};
    const int safes[4] = {IDB_TILE_SAFE_RED, IDB_TILE_SAFE_BLUE, IDB_TILE_SAFE_YELLOW,
                          IDB_TILE_SAFE_GREEN};
    // The block's last square leads into the next seat's stretch.
    const int arm_ends[4] = {IDB_TILE_ARM_END_BLUE, IDB_TILE_ARM_END_YELLOW, IDB_TILE_ARM_END_GREEN,
                             IDB_TILE_ARM_END_RED};
    if (k == 5) return exits[block];
    if (k == 12) return safes[block];
    if (k == 17) return arm_ends[block];
    if (k >= 13) return block % 2 ? IDB_TILE_TRACK_V_WIDE : IDB_TILE_TRACK_H_WIDE;
    return block % 2 ? IDB_TILE_TRACK_H : IDB_TILE_TRACK_V;
}

void check_tiles_fit_cells() {
    int squares = 0;
    for (const CellSize& c : cells) {
        for (int n = c.first; n <= c.last; ++n) {
            const int tile = tile_of_square(n);
            const BITMAPINFOHEADER* h = bitmap_header(tile, nullptr);
            if (!h) continue; // reported by check_pictures
            const long height = h->biHeight < 0 ? -h->biHeight : h->biHeight;
            CHECK(h->biWidth == c.width && height == c.height,
                  "square %d: tile %d is %ld x %ld, its cell %d x %d", n, tile, h->biWidth, height,
                  c.width, c.height);
            ++squares;
        }
    }
    CHECK(squares == 68 + 4 * 7, "%d squares with a tile, expected 96", squares);
}

// --- Pointers and the icon -----------------------------------------------------

struct Pointer {
    int id, hot_x, hot_y;
};
const Pointer pointers[] = {
    {IDCUR_POINTER_RED, 14, 13},   {IDCUR_POINTER_BLUE, 14, 13}, {IDCUR_POINTER_YELLOW, 14, 13},
    {IDCUR_POINTER_GREEN, 14, 13}, {IDCUR_CARRY_RED, 16, 16},    {IDCUR_CARRY_BLUE, 16, 16},
    {IDCUR_CARRY_YELLOW, 16, 16},  {IDCUR_CARRY_GREEN, 16, 16},  {IDCUR_NO_DROP, 16, 16},
};

#pragma pack(push, 2)
struct GroupHeader {
    WORD reserved, type, count;
};
struct CursorEntry { // RT_GROUP_CURSOR
    WORD width, height, planes, bits;
    DWORD bytes;
    WORD id;
};
struct IconEntry { // RT_GROUP_ICON
    BYTE width, height, colours, reserved;
    WORD planes, bits;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

const void* resource_data(LPCSTR name, LPCSTR type) {
    HRSRC found = FindResourceA(instance, name, type);
    return found ? LockResource(LoadResource(instance, found)) : nullptr;
}

void check_pointers() {
    for (const Pointer& p : pointers) {
        HCURSOR cursor = LoadCursorA(instance, MAKEINTRESOURCEA(p.id));
        CHECK(cursor != nullptr, "cursor %d: LoadCursor failed", p.id);
        ICONINFO info = {};
        if (cursor && GetIconInfo(cursor, &info)) {
            CHECK(!info.fIcon, "cursor %d: loaded as an icon", p.id);
            CHECK(info.xHotspot == DWORD(p.hot_x) && info.yHotspot == DWORD(p.hot_y),
                  "cursor %d: hot spot %lu, %lu, expected %d, %d", p.id, info.xHotspot,
                  info.yHotspot, p.hot_x, p.hot_y);
            BITMAP mask = {};
            GetObjectA(info.hbmMask, sizeof mask, &mask);
            const int height = info.hbmColor ? mask.bmHeight : mask.bmHeight / 2;
            CHECK(mask.bmWidth == 32 && height == 32, "cursor %d: %ld x %d, expected 32 x 32", p.id,
                  mask.bmWidth, height);
            DeleteObject(info.hbmMask);
            DeleteObject(info.hbmColor);
        }
        // The stored image: 32 x 32 (the height counts the mask too), 16 colours.
        auto group = static_cast<const GroupHeader*>(
            resource_data(MAKEINTRESOURCEA(p.id), MAKEINTRESOURCEA(12) /* RT_GROUP_CURSOR */));
        CHECK(group && group->count == 1, "cursor %d: %d images, expected 1", p.id,
              group ? group->count : 0);
        if (!group || group->count < 1) continue;
        auto entry = reinterpret_cast<const CursorEntry*>(group + 1);
        auto image = static_cast<const BYTE*>(
            resource_data(MAKEINTRESOURCEA(entry->id), MAKEINTRESOURCEA(1) /* RT_CURSOR */));
        if (!image) continue;
        auto h = reinterpret_cast<const BITMAPINFOHEADER*>(image + 4); // after the hot spot
        CHECK(h->biWidth == 32 && h->biHeight == 64 && h->biBitCount == 4,
              "cursor %d image: %ld x %ld at %d bits, expected 32 x 64 at 4", p.id, h->biWidth,
              h->biHeight, h->biBitCount);
    }
}

void check_icon() {
    HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_KORVALO));
    CHECK(icon != nullptr, "icon %d: LoadIcon failed", IDI_KORVALO);
    ICONINFO info = {};
    if (icon && GetIconInfo(icon, &info)) {
        BITMAP colour = {};
        GetObjectA(info.hbmColor, sizeof colour, &colour);
        CHECK(info.fIcon && colour.bmWidth == 32 && colour.bmHeight == 32,
              "icon: %ld x %ld, expected 32 x 32", colour.bmWidth, colour.bmHeight);
        DeleteObject(info.hbmMask);
        DeleteObject(info.hbmColor);
    }
    auto group = static_cast<const GroupHeader*>(
        resource_data(MAKEINTRESOURCEA(IDI_KORVALO), MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */));
    CHECK(group != nullptr, "icon: no icon group");
    if (!group) return;
    bool big = false, small = false;
    auto entry = reinterpret_cast<const IconEntry*>(group + 1);
    for (int i = 0; i < group->count; ++i, ++entry) {
        auto h = static_cast<const BITMAPINFOHEADER*>(
            resource_data(MAKEINTRESOURCEA(entry->id), MAKEINTRESOURCEA(3) /* RT_ICON */));
        const int bits = h ? h->biBitCount : 0;
        CHECK(bits == 4, "icon image %d x %d: %d bits, expected 4 (16 colours)", entry->width,
              entry->height, bits);
        big |= entry->width == 32 && entry->height == 32;
        small |= entry->width == 16 && entry->height == 16;
    }
    CHECK(big && small, "icon: images 32 x 32 %s, 16 x 16 %s", big ? "present" : "missing",
          small ? "present" : "missing");
}

// --- Dialogs -----------------------------------------------------------------

enum Kind {
    TEXT,         // left-aligned static text, visible
    HIDDEN_TEXT,  // the same, hidden until the dialog shows it
    SUNKEN_TEXT,  // static text with a sunken edge
    PICTURE,      // clickable bitmap static with its picture named in the text
    CHOICE,       // clickable bitmap static, picture set when the dialog opens
    HIDDEN_EDIT,  // bordered, tab stop, no automatic scrolling, hidden
    HIDDEN_CHECK, // automatic check box, tab stop, hidden
    GROUP,
    RADIO,         // automatic radio button, visible
    DEFAULT_BUTTON // default push button
};

struct KindRule {
    const char* window_class;
    WORD atom;       // the class as a template stores it
    DWORD type_mask; // the control type field and its value
    DWORD type;
    DWORD set, clear; // style bits that must be set, and clear
};

const KindRule rules[] = {
    /* TEXT */ {"Static", 0x82, SS_TYPEMASK, SS_LEFT, WS_VISIBLE, SS_NOTIFY},
    /* HIDDEN_TEXT */ {"Static", 0x82, SS_TYPEMASK, SS_LEFT, 0, WS_VISIBLE},
    /* SUNKEN_TEXT */ {"Static", 0x82, SS_TYPEMASK, SS_LEFT, WS_VISIBLE | SS_SUNKEN, 0},
    /* PICTURE */ {"Static", 0x82, SS_TYPEMASK, SS_BITMAP, WS_VISIBLE | SS_NOTIFY, 0},
    /* CHOICE */ {"Static", 0x82, SS_TYPEMASK, SS_BITMAP, WS_VISIBLE | SS_NOTIFY, 0},
    /* HIDDEN_EDIT */
    {"Edit", 0x81, 0, 0, WS_BORDER | WS_TABSTOP, WS_VISIBLE | ES_AUTOHSCROLL},
    /* HIDDEN_CHECK */ {"Button", 0x80, BS_TYPEMASK, BS_AUTOCHECKBOX, WS_TABSTOP, WS_VISIBLE},
    /* GROUP */ {"Button", 0x80, BS_TYPEMASK, BS_GROUPBOX, WS_VISIBLE, 0},
    /* RADIO */ {"Button", 0x80, BS_TYPEMASK, BS_AUTORADIOBUTTON, WS_VISIBLE, 0},
    /* DEFAULT_BUTTON */ {"Button", 0x80, BS_TYPEMASK, BS_DEFPUSHBUTTON, WS_VISIBLE, 0},
};

struct Control {
    int id;
    Kind kind;
    const char* text; // Windows-1252, as the game reads it back
    int x, y, cx, cy;
    int picture; // PICTURE: the bitmap the text names
};

struct Template {
    int id;
    DWORD style;
    int cx, cy;
    int font_size;
    const char* font;
    const char* caption;
    std::vector<Control> controls;
};

const Template templates[] = {
    {IDD_NEW_GAME,
     WS_POPUP | WS_VISIBLE | DS_CENTER | DS_SETFONT,
     215,
     130,
     8,
     "Helv",
     "",
     {
         {IDC_TOKENS_HEADING, TEXT, "Fichas", 53, 25, 25, 12, 0},
         {IDC_PLAYERS_HEADING, TEXT, "Jugadores", 141, 25, 35, 12, 0},
         {IDC_TOKENS_1, CHOICE, "", 21, 40, 18, 17, 0},
         {IDC_TOKENS_2, CHOICE, "", 45, 40, 18, 17, 0},
         {IDC_TOKENS_3, CHOICE, "", 68, 40, 18, 17, 0},
         {IDC_TOKENS_4, CHOICE, "", 90, 40, 18, 17, 0},
         {IDC_PLAYERS_2, CHOICE, "", 126, 40, 18, 17, 0},
         {IDC_PLAYERS_3, CHOICE, "", 149, 40, 18, 17, 0},
         {IDC_PLAYERS_4, CHOICE, "", 171, 40, 18, 17, 0},
         {IDOK, PICTURE, "#147", 104, 96, 18, 17, IDB_OK},
     }},
    {IDD_PLAYERS,
     WS_POPUP | WS_VISIBLE | DS_CENTER | DS_SETFONT,
     215,
     130,
     8,
     "Helv",
     "",
     {
         {IDC_SEAT0_LABEL, HIDDEN_TEXT, "1", 58, 14, 7, 12, 0},
         {IDC_SEAT0_NAME, HIDDEN_EDIT, "", 71, 10, 42, 14, 0},
         {IDC_SEAT0_CPU, HIDDEN_CHECK, "CPU", 119, 10, 30, 10, 0},
         {IDC_SEAT1_LABEL, HIDDEN_TEXT, "2", 58, 34, 7, 12, 0},
         {IDC_SEAT1_NAME, HIDDEN_EDIT, "", 71, 30, 42, 14, 0},
         {IDC_SEAT1_CPU, HIDDEN_CHECK, "CPU", 119, 30, 30, 10, 0},
         {IDC_SEAT2_LABEL, HIDDEN_TEXT, "3", 58, 54, 9, 12, 0},
         {IDC_SEAT2_NAME, HIDDEN_EDIT, "", 71, 51, 42, 14, 0},
         {IDC_SEAT2_CPU, HIDDEN_CHECK, "CPU", 119, 50, 30, 10, 0},
         {IDC_SEAT3_LABEL, HIDDEN_TEXT, "4", 58, 74, 9, 12, 0},
         {IDC_SEAT3_NAME, HIDDEN_EDIT, "", 71, 71, 42, 14, 0},
         {IDC_SEAT3_CPU, HIDDEN_CHECK, "CPU", 119, 70, 30, 10, 0},
         {IDC_SOPLAR_GROUP, GROUP, "Soplar", 154, 30, 39, 37, 0},
         {IDC_SOPLAR_YES, RADIO, "Sí", 160, 40, 23, 10, 0},
         {IDC_SOPLAR_NO, RADIO, "No", 160, 54, 25, 10, 0},
         {IDOK, PICTURE, "#147", 104, 96, 18, 17, IDB_OK},
     }},
    {IDD_GAME_OVER,
     WS_POPUP | WS_VISIBLE | DS_SETFONT,
     184,
     142,
     18,
     "Arial",
     "",
     {
         {IDC_WINS_LABEL, SUNKEN_TEXT, "Default:", 34, 41, 55, 9, 0},
         {IDC_WINS, SUNKEN_TEXT, "1", 99, 41, 50, 9, 0},
         {IDC_GAMES_LABEL, SUNKEN_TEXT, "Juegos en total:", 34, 52, 55, 9, 0},
         {IDC_GAMES, SUNKEN_TEXT, "1", 99, 52, 50, 9, 0},
         {IDC_FIRST_HOME_LABEL, SUNKEN_TEXT, "Primera ficha:", 34, 63, 55, 9, 0},
         {IDC_FIRST_HOME, SUNKEN_TEXT, "1", 99, 63, 50, 9, 0},
         {IDC_LAST_PLAYER_LABEL, SUNKEN_TEXT, "Último jugador:", 34, 74, 55, 9, 0},
         {IDC_LAST_PLAYER, SUNKEN_TEXT, "1", 99, 74, 50, 9, 0},
         {IDC_TIME_LABEL, SUNKEN_TEXT, "Tiempo de juego:", 34, 84, 55, 9, 0},
         {IDC_TIME, SUNKEN_TEXT, "1", 99, 84, 50, 9, 0},
         {IDOK, PICTURE, "#157", 80, 99, 18, 17, IDB_GO_ON},
         {IDCANCEL, PICTURE, "#159", 95, 99, 18, 17, IDB_QUIT},
     }},
    {IDD_RECORDS,
     WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_CENTER | DS_SETFONT,
     184,
     142,
     18,
     "Arial",
     "Resumen de todos los juegos",
     {}},
    {IDD_ABOUT,
     WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_CENTER | DS_SETFONT,
     200,
     110,
     8,
     "MS Sans Serif",
     "Acerca de",
     {
         {IDC_CREDIT_1, TEXT, "", 20, 15, 165, 25, 0},
         {IDC_CREDIT_2, TEXT, "", 20, 45, 165, 25, 0},
         {IDC_CREDIT_3, TEXT, "", 20, 65, 165, 35, 0},
         {IDOK, DEFAULT_BUTTON, "Aceptar", 116, 240, 58, 15, 0},
     }},
};

// Reads a template: the classic layout and the extended one.
struct Reader {
    const BYTE* p;
    WORD word() {
        WORD w;
        std::memcpy(&w, p, 2);
        p += 2;
        return w;
    }
    DWORD dword() {
        DWORD d;
        std::memcpy(&d, p, 4);
        p += 4;
        return d;
    }
    void align() {
        while (reinterpret_cast<uintptr_t>(p) % 4)
            ++p;
    }
    // A name or an ordinal; ordinals come back as "#<n>" with *atom set.
    std::string text(WORD* atom = nullptr) {
        WORD first = word();
        if (first == 0xFFFF) {
            const WORD n = word();
            if (atom) *atom = n;
            return "#" + std::to_string(n);
        }
        std::wstring wide;
        for (WORD c = first; c != 0; c = word())
            wide += static_cast<wchar_t>(c);
        char out[512] = {};
        WideCharToMultiByte(1252, 0, wide.c_str(), -1, out, sizeof out - 1, nullptr, nullptr);
        return out;
    }
};

struct ParsedControl {
    DWORD style;
    int id, x, y, cx, cy;
    WORD atom = 0;
    std::string window_class, text;
};

void check_template(const Template& t) {
    auto data = static_cast<const BYTE*>(
        resource_data(MAKEINTRESOURCEA(t.id), MAKEINTRESOURCEA(5) /* RT_DIALOG */));
    CHECK(data != nullptr, "dialog %d: no template", t.id);
    if (!data) return;
    Reader r{data};
    const bool extended = data[2] == 0xFF && data[3] == 0xFF;
    DWORD style;
    if (extended) {
        r.dword(); // version and signature
        r.dword(); // help id
        r.dword(); // extended style
        style = r.dword();
    } else {
        style = r.dword();
        r.dword(); // extended style
    }
    const int count = r.word();
    r.word(), r.word(); // position: centred or set by the game
    const int cx = static_cast<short>(r.word()), cy = static_cast<short>(r.word());
    const std::string menu = r.text(), window_class = r.text(), caption = r.text();
    int font_size = 0;
    std::string font;
    if (style & DS_SETFONT) {
        font_size = r.word();
        if (extended) r.word(), r.word(); // weight; italic and character set
        font = r.text();
    }
    CHECK(style == t.style, "dialog %d: style %08lX, expected %08lX", t.id, style, t.style);
    CHECK(cx == t.cx && cy == t.cy, "dialog %d: %d x %d units, expected %d x %d", t.id, cx, cy,
          t.cx, t.cy);
    CHECK(font_size == t.font_size && font == t.font,
          "dialog %d: font \"%s\" %d, expected \"%s\" %d", t.id, font.c_str(), font_size, t.font,
          t.font_size);
    CHECK(caption == t.caption, "dialog %d: caption \"%s\", expected \"%s\"", t.id, caption.c_str(),
          t.caption);
    CHECK(menu.empty() && window_class.empty(), "dialog %d: has a menu or a class of its own",
          t.id);
    CHECK(count == int(t.controls.size()), "dialog %d: %d controls, expected %zu", t.id, count,
          t.controls.size());

    std::vector<ParsedControl> parsed;
    for (int i = 0; i < count; ++i) {
        r.align();
        ParsedControl c;
        if (extended) {
            r.dword(); // help id
            r.dword(); // extended style
            c.style = r.dword();
        } else {
            c.style = r.dword();
            r.dword();
        }
        c.x = static_cast<short>(r.word());
        c.y = static_cast<short>(r.word());
        c.cx = static_cast<short>(r.word());
        c.cy = static_cast<short>(r.word());
        c.id = extended ? static_cast<int>(r.dword()) : r.word();
        c.window_class = r.text(&c.atom);
        c.text = r.text();
        r.p += r.word(); // creation data
        parsed.push_back(c);
    }
    for (const Control& want : t.controls) {
        const ParsedControl* got = nullptr;
        for (const ParsedControl& c : parsed)
            got = c.id == want.id ? &c : got;
        CHECK(got != nullptr, "dialog %d: no control %d in the template", t.id, want.id);
        if (!got) continue;
        const KindRule& rule = rules[want.kind];
        const bool class_ok = got->atom
                                  ? got->atom == rule.atom
                                  : _stricmp(got->window_class.c_str(), rule.window_class) == 0;
        CHECK(class_ok, "dialog %d control %d: class %s, expected %s", t.id, want.id,
              got->window_class.c_str(), rule.window_class);
        CHECK((got->style & rule.type_mask) == rule.type && (got->style & rule.set) == rule.set &&
                  (got->style & rule.clear) == 0 && (got->style & WS_CHILD),
              "dialog %d control %d: style %08lX does not make a %s of the kind expected", t.id,
              want.id, got->style, rule.window_class);
        CHECK(got->x == want.x && got->y == want.y && got->cx == want.cx && got->cy == want.cy,
              "dialog %d control %d: at %d, %d, %d x %d, expected %d, %d, %d x %d", t.id, want.id,
              got->x, got->y, got->cx, got->cy, want.x, want.y, want.cx, want.cy);
        CHECK(got->text == want.text, "dialog %d control %d: template text \"%s\", expected \"%s\"",
              t.id, want.id, got->text.c_str(), want.text);
    }
}

INT_PTR CALLBACK quiet_dialog(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

BOOL CALLBACK count_child(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

// Builds the dialog as the game will and reads the controls back.
void check_dialog(const Template& t) {
    HWND dialog = CreateDialogParamA(instance, MAKEINTRESOURCEA(t.id), nullptr, quiet_dialog, 0);
    CHECK(dialog != nullptr, "dialog %d: CreateDialogParam failed (%lu)", t.id, GetLastError());
    if (!dialog) return;
    int children = 0;
    EnumChildWindows(dialog, count_child, reinterpret_cast<LPARAM>(&children));
    CHECK(children == int(t.controls.size()), "dialog %d: %d child windows, expected %zu", t.id,
          children, t.controls.size());
    char text[256];
    if (t.caption[0]) {
        GetWindowTextA(dialog, text, sizeof text);
        CHECK(std::strcmp(text, t.caption) == 0, "dialog %d: caption \"%s\", expected \"%s\"", t.id,
              text, t.caption);
    }
    for (const Control& c : t.controls) {
        HWND control = GetDlgItem(dialog, c.id);
        CHECK(control != nullptr, "dialog %d: control %d missing", t.id, c.id);
        if (!control) continue;
        const KindRule& rule = rules[c.kind];
        char window_class[64] = {};
        GetClassNameA(control, window_class, sizeof window_class);
        CHECK(_stricmp(window_class, rule.window_class) == 0,
              "dialog %d control %d: class %s, expected %s", t.id, c.id, window_class,
              rule.window_class);
        const bool visible = GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE;
        CHECK(visible == ((rule.set & WS_VISIBLE) != 0), "dialog %d control %d: %s", t.id, c.id,
              visible ? "visible, expected hidden" : "hidden, expected visible");
        if (c.kind == PICTURE || c.kind == CHOICE) {
            // The picture named in the text is loaded by the control itself.
            auto picture =
                reinterpret_cast<HBITMAP>(SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0));
            BITMAP bm = {};
            if (picture) GetObjectA(picture, sizeof bm, &bm);
            if (c.kind == CHOICE) {
                CHECK(picture == nullptr,
                      "dialog %d control %d: has a picture before the dialog sets one", t.id, c.id);
                continue;
            }
            const BITMAPINFOHEADER* h = bitmap_header(c.picture, nullptr);
            CHECK(picture && h && bm.bmWidth == h->biWidth,
                  "dialog %d control %d: shows a %ld-wide picture, expected bitmap %d", t.id, c.id,
                  bm.bmWidth, c.picture);
            continue;
        }
        GetDlgItemTextA(dialog, c.id, text, sizeof text);
        CHECK(std::strcmp(text, c.text) == 0,
              "dialog %d control %d: text \"%s\" [%s], expected \"%s\" [%s]", t.id, c.id, text,
              hex_bytes(text).c_str(), c.text, hex_bytes(c.text).c_str());
    }
    DestroyWindow(dialog);
}

// The accents reach the game as Windows-1252 bytes, whatever the source
// files' encoding.
void check_windows_1252() {
    HWND over =
        CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_GAME_OVER), nullptr, quiet_dialog, 0);
    char text[64] = {};
    GetDlgItemTextA(over, IDC_LAST_PLAYER_LABEL, text, sizeof text);
    CHECK(static_cast<unsigned char>(text[0]) == 0xDA &&
              std::strcmp(text + 1, "ltimo jugador:") == 0,
          "\"Último jugador:\" reads back as [%s]", hex_bytes(text).c_str());
    DestroyWindow(over);
    HWND players =
        CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_PLAYERS), nullptr, quiet_dialog, 0);
    std::memset(text, 0, sizeof text);
    GetDlgItemTextA(players, IDC_SOPLAR_YES, text, sizeof text);
    CHECK(text[0] == 'S' && static_cast<unsigned char>(text[1]) == 0xED && text[2] == 0,
          "\"Sí\" reads back as [%s]", hex_bytes(text).c_str());
    DestroyWindow(players);
}

// --- Version and manifest -------------------------------------------------------

void check_version() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    CHECK(size > 0, "version: no version block");
    if (!size) return;
    std::vector<BYTE> block(size);
    GetFileVersionInfoA(path, 0, size, block.data());
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    CHECK(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length) && fixed &&
              fixed->dwProductVersionMS == MAKELONG(KORVALO_VERSION_MINOR, KORVALO_VERSION_MAJOR) &&
              fixed->dwFileVersionMS == fixed->dwProductVersionMS && fixed->dwFileType == VFT_APP,
          "version: fixed part is not version %d.%d of an application", KORVALO_VERSION_MAJOR,
          KORVALO_VERSION_MINOR);
    WORD* translation = nullptr;
    CHECK(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                         reinterpret_cast<void**>(&translation), &length) &&
              length >= 4 && translation[0] == 0x0C0A && translation[1] == 1252,
          "version: translation %04X/%d, expected 0C0A/1252", translation ? translation[0] : 0,
          translation ? translation[1] : 0);
    const char* names[][2] = {{"ProductName", "Zenta Korvalo"}, {"ProductVersion", "2.0"}};
    for (auto& n : names) {
        char* value = nullptr;
        const std::string key = std::string("\\StringFileInfo\\0C0A04E4\\") + n[0];
        const bool found =
            VerQueryValueA(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &length);
        CHECK(found && value && std::strcmp(value, n[1]) == 0,
              "version: %s is \"%s\", expected \"%s\"", n[0], found && value ? value : "(none)",
              n[1]);
    }
}

BOOL CALLBACK count_manifest(HMODULE, LPCSTR, LPSTR, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

void check_manifest() {
    int manifests = 0;
    EnumResourceNamesA(instance, MAKEINTRESOURCEA(24) /* RT_MANIFEST */, count_manifest,
                       reinterpret_cast<LPARAM>(&manifests));
    CHECK(manifests == 1, "manifest: %d manifest resources, expected 1", manifests);
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    CHECK(found != nullptr, "manifest: no process manifest (id 1)");
    if (!found) return;
    const std::string text(static_cast<const char*>(LockResource(LoadResource(instance, found))),
                           SizeofResource(instance, found));
    CHECK(text.find("level=\"asInvoker\"") != std::string::npos,
          "manifest: does not run as the invoking user");
    // Version 6 of the common controls would ignore the dialogs' colours on
    // check boxes and radio buttons.
    CHECK(text.find("Common-Controls") == std::string::npos,
          "manifest: asks for the version 6 common controls");
}

} // namespace

int main() {
    setvbuf(stdout, nullptr, _IONBF, 0);
    instance = GetModuleHandleA(nullptr);
    check_pictures();
    check_tiles_fit_cells();
    check_pointers();
    check_icon();
    for (const Template& t : templates) {
        check_template(t);
        check_dialog(t);
    }
    check_windows_1252();
    check_version();
    check_manifest();
    std::printf("resources: %d passed, %d failed\n", passed, failed);
    return failed ? 1 : 0;
}
