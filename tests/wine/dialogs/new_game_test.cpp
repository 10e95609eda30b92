// The new-game and players dialogs: first-run defaults, the choice rows,
// the rows of the seated players, the "CPU" rules, the names, and the
// Enter and Esc paths in both directions.
#include "driver.h"
#include "groups.h"

#include "game/state.h"
#include "tools/sim/fake_window.h"
#include "ui/dialogs/dialogs.h"
#include "ui/resources/resource.h"

#include <cstring>
#include <string>

namespace {

const int label_id[SEATS] = {IDC_SEAT0_LABEL, IDC_SEAT1_LABEL, IDC_SEAT2_LABEL, IDC_SEAT3_LABEL};
const int name_id[SEATS] = {IDC_SEAT0_NAME, IDC_SEAT1_NAME, IDC_SEAT2_NAME, IDC_SEAT3_NAME};
const int cpu_id[SEATS] = {IDC_SEAT0_CPU, IDC_SEAT1_CPU, IDC_SEAT2_CPU, IDC_SEAT3_CPU};

bool visible(HWND dialog, int id) { return IsWindowVisible(GetDlgItem(dialog, id)) != 0; }
bool ticked(HWND dialog, int id) { return SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }
void tick(HWND dialog, int id) {
    SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0);
    settle();
}

unsigned tit_sounds() {
    unsigned n = 0;
    on_ui([&] {
        for (const FakeSound& s : fake_sounds) n += s.file == "Tit.wav" && s.flags == 3;
    });
    return n;
}

// Choice i shows its selected picture exactly when `selected` says so.
void check_row(HWND dialog, int first, int last, int selected_choice, int line) {
    for (int i = first; i <= last; ++i) {
        const int count = i < 4 ? i + 1 : i - 2;
        const bool selected = i == selected_choice;
        const int want = selected ? IDB_COUNT_SELECTED(count) : IDB_COUNT_NORMAL(count);
        const int other = selected ? IDB_COUNT_NORMAL(count) : IDB_COUNT_SELECTED(count);
        check_(shows_picture(GetDlgItem(dialog, IDC_CHOICE_FIRST + i), want, other), __FILE__, line,
               "choice %d should show its %s picture", IDC_CHOICE_FIRST + i, selected ? "selected" : "normal");
    }
}
void check_choices(HWND dialog, int tokens, int players, int line) {
    check_row(dialog, 0, 3, tokens - 1, line);
    check_row(dialog, 4, 6, players + 2, line);
}

// The OK of the new-game dialog opens the players dialog over it.
HWND open_players(HWND new_game) {
    press_key(new_game, VK_RETURN);
    HWND players = wait_dialog(IDC_SOPLAR_GROUP);
    CHECK(players != nullptr, "Enter in the new-game dialog opens the players dialog");
    return players;
}

void replace_name(HWND players, unsigned seat, const wchar_t* text) {
    HWND edit = GetDlgItem(players, name_id[seat]);
    on_ui([&] { SetFocus(edit); });
    settle();
    type_text(edit, text);
}

void first_run() {
    start_on_ui([] { return new_game_dialog(); });
    HWND dialog = wait_dialog(IDC_TOKENS_HEADING);
    CHECK(dialog != nullptr, "the new-game dialog opens");
    if (!dialog) return;
    CHECK(ui_read(tokens_per_player) == 1 && ui_read(player_count) == 2 && ui_read(chosen_tokens) == 1 &&
              ui_read(chosen_players) == 2,
          "first run: 1 token and 2 players, got %d and %d", ui_read(tokens_per_player), ui_read(player_count));
    check_choices(dialog, 1, 2, __LINE__);
    CHECK(has_colour(GetDlgItem(dialog, IDC_TOKENS_HEADING), RGB(255, 255, 0)), "headings are yellow");

    // Outside the ellipse the window under the dialog shows; inside, black.
    RECT r;
    GetWindowRect(dialog, &r);
    CHECK(screen_pixel(r.left + 1, r.top + 1) == RGB(255, 255, 255), "dialog corner is cut away: %06lX",
          screen_pixel(r.left + 1, r.top + 1));
    CHECK(screen_pixel((r.left + r.right) / 2, r.top + 40) == RGB(0, 0, 0), "inside is black");
    CHECK(screen_pixel((r.left + r.right) / 2, r.top + 3) == RGB(255, 0, 0), "red border along the edge, got %06lX",
          screen_pixel((r.left + r.right) / 2, r.top + 3));

    click_control(GetDlgItem(dialog, IDC_TOKENS_3));
    settle();
    CHECK(ui_read(tokens_per_player) == 3, "a click on \"3\" chooses 3 tokens");
    check_choices(dialog, 3, 2, __LINE__);
    GetWindowRect(GetDlgItem(dialog, IDC_PLAYERS_4), &r);
    for (int attempt = 0; attempt < 3 && ui_read(player_count) != 4; ++attempt) {
        real_click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        for (int i = 0; i < 50 && ui_read(player_count) != 4; ++i) Sleep(10);
    }
    CHECK(ui_read(player_count) == 4, "a real click on \"4\" chooses 4 players");
    check_choices(dialog, 3, 4, __LINE__);
    click_control(GetDlgItem(dialog, IDC_TOKENS_1));
    click_control(GetDlgItem(dialog, IDC_PLAYERS_2));
    settle();
    check_choices(dialog, 1, 2, __LINE__);

    HWND players = open_players(dialog);
    if (!players) return;
    CHECK(tit_sounds() == 1, "OK plays Tit.wav once");
    CHECK(shows_picture(GetDlgItem(dialog, IDOK), IDB_OK_PRESSED, IDB_OK),
          "the new-game OK stays pressed under the players dialog");
    CHECK(ui_read(last_player) == 2 && ui_read(player_step) == 2, "two players are seated at 0 and 2");
    for (unsigned seat = 0; seat < SEATS; ++seat) {
        const bool seated = seat % 2 == 0;
        CHECK(visible(players, label_id[seat]) == seated && visible(players, name_id[seat]) == seated &&
                  visible(players, cpu_id[seat]) == seated,
              "seat %u row %s", seat, seated ? "shown" : "hidden");
    }
    CHECK(control_text(players, label_id[0]) == "1" && control_text(players, label_id[2]) == "2",
          "the two rows are numbered 1 and 2, got %s", control_text(players, label_id[2]).c_str());
    CHECK(control_text(players, name_id[0]) == "Jugador 1" && control_text(players, name_id[2]) == "Jugador 2",
          "default names, got \"%s\" and \"%s\"", control_text(players, name_id[0]).c_str(),
          control_text(players, name_id[2]).c_str());
    CHECK(!ticked(players, cpu_id[0]) && !ticked(players, cpu_id[2]), "CPU boxes clear");
    CHECK(ticked(players, IDC_SOPLAR_NO) && !ticked(players, IDC_SOPLAR_YES), "\"No\" under \"Soplar\"");
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetWindowThreadProcessId(players, nullptr), &gui);
    DWORD from = 1, to = 0;
    SendDlgItemMessageA(players, name_id[0], EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    CHECK(gui.hwndFocus == GetDlgItem(players, name_id[0]) && from == 0 && to == 9,
          "focus on the first name, all of it selected (%lu..%lu)", from, to);
    // Seat 0's name is selected, shown in the selection's colours.
    CHECK(has_colour(GetDlgItem(players, label_id[0]), RGB(255, 0, 0)) &&
              has_colour(GetDlgItem(players, IDC_SOPLAR_NO), RGB(255, 0, 0)),
          "labels and choices in red");
    CHECK(has_colour(GetDlgItem(players, name_id[2]), RGB(255, 255, 0)), "seat 2's name in yellow");
    CHECK(has_colour(GetDlgItem(players, cpu_id[2]), RGB(255, 255, 0)), "seat 2's CPU box in yellow");
    CHECK(!has_colour(GetDlgItem(players, name_id[2]), RGB(255, 0, 0)), "not in red");

    // Two players: the last box ticked wins.
    tick(players, cpu_id[0]);
    CHECK(ticked(players, cpu_id[0]), "first CPU box ticks");
    tick(players, cpu_id[2]);
    CHECK(ticked(players, cpu_id[2]) && !ticked(players, cpu_id[0]), "ticking the second clears the first");
    tick(players, cpu_id[0]);
    CHECK(ticked(players, cpu_id[0]) && !ticked(players, cpu_id[2]), "and the other way round");

    replace_name(players, 0, L"ana");
    CHECK(control_text(players, name_id[0]) == "ana", "typing replaces the name, got \"%s\"",
          control_text(players, name_id[0]).c_str());
    replace_name(players, 2, L"iiiiiiiiiiiiii");
    CHECK(control_text(players, name_id[2]) == "iiiiiiiii", "names stop at 9 characters, got \"%s\"",
          control_text(players, name_id[2]).c_str());
    replace_name(players, 0, L"WWWWWWWWW");
    const size_t wide = control_text(players, name_id[0]).size();
    CHECK(wide > 0 && wide < 9, "the edit does not scroll: %zu wide letters fit", wide);

    // Esc goes back with nothing stored; the OK picture is normal again.
    press_key(players, VK_ESCAPE);
    CHECK(wait_gone(players), "Esc closes the players dialog");
    CHECK(shows_picture(GetDlgItem(dialog, IDOK), IDB_OK, IDB_OK_PRESSED), "the new-game OK is normal again");
    CHECK(ui_read(player_name[0][0]) == 0 && ui_read(game_number) == 0 && !(ui_read(game_flags) & GF_GAME_ON),
          "nothing stored, no game started");

    players = open_players(dialog);
    if (!players) return;
    CHECK(control_text(players, name_id[0]) == "Jugador 1", "names start over after Esc");
    // Kept as 1252 whatever the system's code page: what 1252 lacks (a
    // Cyrillic letter, an "a" with a macron) becomes "?". Typing stops
    // where the field is full; a longer text put there is cut to 9.
    replace_name(players, 0, L"pe\u00F1a\u0416\u0101");
    SetDlgItemTextW(players, name_id[2], L"\u0416\u0416\u0416\u0416\u0416\u0416\u0416\u0416\u0416\u0416\u0416\u0416");
    tick(players, cpu_id[2]);
    tick(players, IDC_SOPLAR_YES);
    const std::vector<HGDIOBJ> pictures =
        shown_pictures(dialog, {IDC_TOKENS_1, IDC_TOKENS_2, IDC_TOKENS_3, IDC_TOKENS_4, IDC_PLAYERS_2, IDOK});
    const std::vector<HGDIOBJ> players_ok = shown_pictures(players, {IDOK});
    watch_control(GetDlgItem(players, IDOK), IDB_OK_PRESSED, IDB_OK);
    press_key(players, VK_RETURN);
    const int result = finish();
    const double shown = shown_until_closed();
    CHECK(all_released(pictures) && all_released(players_ok), "both dialogs release their pictures");

    CHECK(result == 1, "Enter in the players dialog starts the game: result %d", result);
    CHECK(shown >= 0.099, "the pressed OK stays 0.1 s before the game starts: %.3f s", shown);
    CHECK(tit_sounds() == 3, "Tit.wav on each OK: %u", tit_sounds());
    on_ui([&] {
        CHECK(std::strcmp(player_name[0], "Peña??") == 0, "first letter upper-cased, \"?\" for what 1252 lacks: %s",
              player_name[0]);
        CHECK(std::strcmp(player_name[2], "?????????") == 0, "9 characters stored: %s", player_name[2]);
        CHECK(cpu_player[0] == 0 && cpu_player[2] == 1, "seat 2 is the computer");
        CHECK((game_flags & GF_SOPLAR) && (game_flags & GF_GAME_ON) && game_number == 1,
              "\"Soplar\" on and game 1 running (flags %lX)", static_cast<unsigned long>(game_flags));
    });
}

// F2 during a game: the dialog remembers the counts in force; Esc leaves
// them for the window to put back.
void cancel_during_game() {
    start_on_ui([] { return new_game_dialog(); });
    HWND dialog = wait_dialog(IDC_TOKENS_HEADING);
    if (!dialog) return CHECK(false, "the new-game dialog opens");
    check_choices(dialog, 1, 2, __LINE__);
    click_control(GetDlgItem(dialog, IDC_TOKENS_4));
    click_control(GetDlgItem(dialog, IDC_PLAYERS_3));
    settle();
    HWND players = open_players(dialog);
    if (!players) return;
    CHECK(ui_read(last_player) == 2 && ui_read(player_step) == 1, "OK seats the three players at once");
    press_key(players, VK_ESCAPE);
    CHECK(wait_gone(players), "Esc closes the players dialog");
    check_choices(dialog, 4, 3, __LINE__);
    press_key(dialog, VK_ESCAPE);
    CHECK(finish() == 0, "Esc cancels the new-game dialog");
    CHECK(ui_read(chosen_tokens) == 1 && ui_read(chosen_players) == 2, "what was in force is remembered");
    on_ui([] {
        CHECK(game_number == 1 && (game_flags & GF_GAME_ON), "the running game is untouched");
        player_count = chosen_players;
        tokens_per_player = chosen_tokens;
        seat_players();
    });
}

// After a game: the choices of the previous game come back; more seats
// keep the "CPU" rule, more tokens hide the boxes.
void later_games() {
    on_ui([] { game_flags &= ~GF_GAME_ON; });
    start_on_ui([] { return new_game_dialog(); });
    HWND dialog = wait_dialog(IDC_TOKENS_HEADING);
    if (!dialog) return CHECK(false, "the new-game dialog opens");
    check_choices(dialog, 1, 2, __LINE__);
    HWND players = open_players(dialog);
    if (!players) return;
    CHECK(control_text(players, name_id[0]) == "Peña??" && control_text(players, name_id[2]) == "?????????",
          "names of the last game: \"%s\" and \"%s\"", control_text(players, name_id[0]).c_str(),
          control_text(players, name_id[2]).c_str());
    CHECK(font_has_letters(GetDlgItem(players, name_id[0])) && font_has_letters(GetDlgItem(players, IDC_SOPLAR_YES)),
          "the names and \"Sí\" are written in a font that has their letters");
    CHECK(!ticked(players, cpu_id[0]) && ticked(players, cpu_id[2]) && ticked(players, IDC_SOPLAR_YES),
          "computer seat and \"Soplar\" of the last game");
    press_key(players, VK_ESCAPE);
    wait_gone(players);

    click_control(GetDlgItem(dialog, IDC_PLAYERS_3));
    settle();
    players = open_players(dialog);
    if (!players) return;
    for (unsigned seat = 0; seat < 3; ++seat)
        CHECK(visible(players, name_id[seat]) && visible(players, cpu_id[seat]) &&
                  control_text(players, label_id[seat]) == std::string(1, static_cast<char>('1' + seat)),
              "three players: row %u shown and numbered %u", seat, seat + 1);
    CHECK(!visible(players, name_id[3]), "no fourth row");
    CHECK(control_text(players, name_id[1]) == "", "a seat that never played has no name");
    tick(players, cpu_id[0]);
    CHECK(ticked(players, cpu_id[0]) && ticked(players, cpu_id[2]), "two of three may be the computer");
    tick(players, cpu_id[1]);
    CHECK(!ticked(players, cpu_id[1]) && ticked(players, cpu_id[0]) && ticked(players, cpu_id[2]),
          "the last clear box cannot be ticked");
    press_key(players, VK_ESCAPE);
    wait_gone(players);

    click_control(GetDlgItem(dialog, IDC_TOKENS_2));
    settle();
    players = open_players(dialog);
    if (!players) return;
    for (unsigned seat = 0; seat < 3; ++seat)
        CHECK(!visible(players, cpu_id[seat]), "two tokens: no CPU box for seat %u", seat);
    press_key(players, VK_RETURN);
    CHECK(finish() == 1, "the game starts");
    on_ui([] {
        CHECK(tokens_per_player == 2 && player_count == 3 && game_number == 2, "game 2: 2 tokens, 3 players");
        CHECK(cpu_player[0] == 0 && cpu_player[1] == 0 && cpu_player[2] == 0, "nobody is the computer");
    });
}

// Choices kept from a larger game could seat only computers; the first
// seat is then a person again.
void never_all_computers() {
    on_ui([] {
        game_flags &= ~GF_GAME_ON;
        tokens_per_player = 1;
        player_count = 3;
        seat_players();
        const uint8_t kept[SEATS] = {1, 1, 1, 0};
        std::memcpy(cpu_player, kept, sizeof kept);
    });
    start_on_ui([] { return new_game_dialog(); });
    HWND dialog = wait_dialog(IDC_TOKENS_HEADING);
    if (!dialog) return CHECK(false, "the new-game dialog opens");
    HWND players = open_players(dialog);
    if (!players) return;
    CHECK(!ticked(players, cpu_id[0]) && ticked(players, cpu_id[1]) && ticked(players, cpu_id[2]),
          "seat 0 is a person, 1 and 2 the computer");
    press_key(players, VK_RETURN);
    CHECK(finish() == 1, "the game starts");
    CHECK(ui_read(cpu_player[0]) == 0, "with a person at seat 0");
}

} // namespace

void new_game_tests() {
    first_run();
    cancel_during_game();
    later_games();
    never_all_computers();
}
