// Loads every resource of the game by id, the way the game does, and
// checks what it gets: picture sizes and depths, tiles that fit their
// board cells, pointer hot spots, the icon, each dialog template (styles,
// sizes, fonts, controls) and the dialogs built from it, the Windows-1252
// texts, the version block and the manifest. Linked with korvalo.rc.
#include "resource_checks.h"

#include <cstdio>
#include <cstring>

#include "ui/resources/resource.h"

namespace {

HINSTANCE instance;

// --- Pictures ----------------------------------------------------------------

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

void check_pictures() {
    DWORD total = 0;
    for (const Picture& p : pictures)
        total += check_picture(instance, p);
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
            const BITMAPINFOHEADER* h = bitmap_header(instance, tile, nullptr);
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
        auto group = static_cast<const GroupHeader*>(resource_data(
            instance, MAKEINTRESOURCEA(p.id), MAKEINTRESOURCEA(12) /* RT_GROUP_CURSOR */));
        CHECK(group && group->count == 1, "cursor %d: %d images, expected 1", p.id,
              group ? group->count : 0);
        if (!group || group->count < 1) continue;
        auto entry = reinterpret_cast<const CursorEntry*>(group + 1);
        auto image = static_cast<const BYTE*>(resource_data(instance, MAKEINTRESOURCEA(entry->id),
                                                            MAKEINTRESOURCEA(1) /* RT_CURSOR */));
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
    auto group = static_cast<const GroupHeader*>(resource_data(
        instance, MAKEINTRESOURCEA(IDI_KORVALO), MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */));
    CHECK(group != nullptr, "icon: no icon group");
    if (!group) return;
    bool big = false, small = false;
    auto entry = reinterpret_cast<const IconEntry*>(group + 1);
    for (int i = 0; i < group->count; ++i, ++entry) {
        auto h = static_cast<const BITMAPINFOHEADER*>(resource_data(
            instance, MAKEINTRESOURCEA(entry->id), MAKEINTRESOURCEA(3) /* RT_ICON */));
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

void check_game_version() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    check_version(path, {});
}

void check_game_manifest() {
    const std::string text = check_manifest(instance, "asInvoker");
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
        check_template(instance, t);
        check_dialog(instance, t);
    }
    check_windows_1252();
    check_game_version();
    check_game_manifest();
    return report_checks("resources");
}
