// Creation set-up and clean-up of the main window, and its paint.
#include "game/board.h"
#include "game/rules.h"
#include "game/seam.h"
#include "game/state.h"
#include "records/records.h"
#include "ui/app/app.h"
#include "ui/app/help.h"
#include "ui/app/sound.h"
#include "ui/app/text.h"
#include "ui/app/window.h"
#include "ui/dialogs/scaled_controls.h"
#include "ui/draw/draw.h"
#include "ui/draw/scale.h"
#include "ui/resources/graphics.h"
#include "ui/timing/timing.h"

#include <cstring>

HINSTANCE app_instance;
HWND main_window;
HDC window_dc;
HDC sprite_dc;
HDC dice_dc;

// The window's context draws in design pixels, the store under the dice
// keeps window pixels (190 x 100 design pixels of them), and the pointers
// and the name's font are made at the scale.
void scale_drawing() {
    draw_in_design_pixels(window_dc);
    destroy_surface(dice_dc);
    dice_dc = make_surface(190 * pixel_scale, 100 * pixel_scale);
    draw_in_design_pixels(dice_dc);
    release_cursors();
    load_cursors();
    set_pointer(POINTER_PLAYER, current_player);
    // The context must let go of the font before it can be deleted; Windows
    // refuses to delete a selected object, and it would leak at every change.
    SelectObject(window_dc, GetStockObject(SYSTEM_FONT));
    release_name_font();
    create_name_font();
}

bool on_create(HWND window) {
    main_window = window;
    load_bitmaps();
    create_brushes();
    create_pens();
    recentre_board();
    window_dc = GetDC(window);
    sprite_dc = make_surface(190, 100);
    SetTimer(window, CPU_TIMER, 100, nullptr);
    create_font();
    scale_drawing();
    SetBkColor(window_dc, RGB(255, 0, 0));
    SetTextColor(window_dc, RGB(0, 0, 0));
    // The dice cannot be paced without the counter; rather than run a game
    // whose waits have no scale, the program ends after saying why.
    if (!init_timing()) {
        show_message("No performance counter", window_title, MESSAGE_INFO);
        return false;
    }
    game_flags = 0;
    std::memset(player_name, 0, sizeof player_name);
    reset_dice();
    return true;
}

void cleanup() {
    play_wave(nullptr, 0);
    close_help();
    KillTimer(main_window, CPU_TIMER);
    destroy_surface(sprite_dc);
    destroy_surface(dice_dc);
    sprite_dc = dice_dc = nullptr;
    SelectObject(window_dc, GetStockObject(NULL_PEN));
    SelectObject(window_dc, GetStockObject(NULL_BRUSH));
    SelectObject(window_dc, GetStockObject(SYSTEM_FONT));
    release_graphics();
    release_scaled_controls();
    release_1252_fonts();
    delete_record_folder();
}

void on_paint() {
    PAINTSTRUCT paint;
    BeginPaint(main_window, &paint);
    draw_board();
    draw_buttons();
    if ((game_flags & GF_GAME_ON) || final_position_kept()) {
        if (!(game_flags & (GF_DICE_ROLLING | GF_DIE_DRAG)))
            for (uint8_t i = 0; i < dice_count && i < 2; ++i) draw_die(i);
        draw_tokens();
    }
    EndPaint(main_window, &paint);
}
