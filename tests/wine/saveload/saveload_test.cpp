// Faults: Save and Load not opening in Documents first and in the last folder used after, the dialogs' titles, name and filter, no question before replacing a file or abandoning a game, a loaded game not as saved or not going on, a damaged file taken, a failed save damaging the earlier file or leaving a temporary one, names not kept as 1252, the record file following a loaded game's folder.
#include "check.h"
#include "file_dialog.h"
#include "game_window.h"
#include "screen.h"
#include "ui/resources/resource.h"

#include <dlgs.h>

#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

char folder[MAX_PATH]; // the player's Documents, where the dialogs open first

std::string path_in_folder(const char* name) { return std::string(folder) + "\\" + name; }

std::string read_file(const char* name) {
    std::string bytes;
    if (FILE* f = std::fopen(path_in_folder(name).c_str(), "rb")) {
        for (int c = std::fgetc(f); c != EOF; c = std::fgetc(f)) bytes.push_back(static_cast<char>(c));
        std::fclose(f);
    }
    return bytes;
}

void write_file(const char* name, const std::string& bytes) {
    if (FILE* f = std::fopen(path_in_folder(name).c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
}

std::vector<std::string> files_in_folder() {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA(path_in_folder("*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileA(h, &found));
    FindClose(h);
    return names;
}

bool no_temporary_files() {
    for (const std::string& n : files_in_folder())
        if (n.size() < 4 || (n.substr(n.size() - 4) != ".kor" && n.substr(n.size() - 4) != ".dat")) return false;
    return true;
}

// The saved game without its time and checksum, which change with the clock.
std::string game_of(const std::string& text) {
    std::string out;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        const std::string line = text.substr(start, end == std::string::npos ? end : end - start + 1);
        if (line.rfind("time ", 0) != 0 && line.rfind("crc32 ", 0) != 0) out += line;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return out;
}

HWND wait_for_message_box(const Game& game) {
    HWND box = nullptr;
    wait_until([&] { return (box = find_game_box(game)) && is_message_box(box) && IsWindowEnabled(box); }, 5000);
    return box;
}

bool nothing_opens(const Game& game) {
    Sleep(1000);
    settle(game);
    return !find_game_box(game);
}

std::string filter_box(HWND dialog) { return control_text(dialog, cmb1); }

bool start_two_token_game(const Game& game) {
    post_key(game, VK_F2);
    HWND dialog = wait_for_box(game, 5000);
    if (!dialog || !GetDlgItem(dialog, IDC_TOKENS_2)) return false;
    press_box_button(dialog, IDC_TOKENS_2);
    press_box_button(dialog, IDC_PLAYERS_2);
    press_box_button(dialog, IDOK);
    HWND players = nullptr;
    wait_until([&] { return (players = find_game_box(game)) && GetDlgItem(players, IDC_SEAT0_NAME); }, 5000);
    if (!players) return false;
    SetDlgItemTextA(players, IDC_SEAT0_NAME, "Ana");
    SetDlgItemTextA(players, IDC_SEAT2_NAME, "Íñigo");
    press_box_button(players, IDOK);
    return wait_until([&] { return !find_game_box(game); }, 5000);
}

// F3 and a name typed into the save dialog; the file's bytes once written.
std::string save_as(const Game& game, const char* name) {
    post_key(game, VK_F3);
    HWND dialog = wait_for_file_dialog(game);
    CHECK(dialog != nullptr, "no save dialog for %s", name);
    if (!dialog) return "";
    choose_file(dialog, name);
    CHECK(gone(dialog), "the save dialog stays open");
    settle(game);
    return read_file(name);
}

// F4, the question answered Yes, and a name typed into the open dialog.
void load_from(const Game& game, const char* name) {
    post_key(game, VK_F4);
    HWND question = wait_for_message_box(game);
    CHECK(question != nullptr, "no question before loading");
    if (!question) return;
    press_box_button(question, IDYES);
    HWND dialog = wait_for_file_dialog(game);
    CHECK(dialog != nullptr, "no open dialog");
    if (!dialog) return;
    CHECK(window_text(dialog) == "Cargar partida", "open dialog title \"%s\"", window_text(dialog).c_str());
    CHECK(filter_box(dialog) == "Partidas de Zenta Korvalo (*.kor)", "open filter \"%s\"", filter_box(dialog).c_str());
    choose_file(dialog, name);
    CHECK(gone(dialog), "the open dialog stays open");
    settle(game);
}

void answer_box(const Game& game, const char* text, int button) {
    HWND box = wait_for_message_box(game);
    CHECK(box != nullptr, "no message \"%s\"", text);
    if (!box) return;
    CHECK(box_text(box) == text, "message \"%s\", expected \"%s\"", box_text(box).c_str(), text);
    CHECK(window_text(box) == "Zenta Korvalo", "caption \"%s\"", window_text(box).c_str());
    press_box_button(box, button);
    gone(box);
    settle(game);
}

// A click on the board's centre, where no token stands at the start: the
// person's throw. Sent, so that it returns once the dice have stopped: a
// key posted while they roll would be dropped.
void throw_dice(const Game& game) {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    const LPARAM at = MAKELPARAM((w - 451) / 2 + 226, (h - 450) / 2 + 225);
    DWORD_PTR result;
    SendMessageTimeoutA(game.window, WM_LBUTTONDOWN, MK_LBUTTON, at, SMTO_NORMAL, 10000, &result);
    SendMessageTimeoutA(game.window, WM_LBUTTONUP, 0, at, SMTO_NORMAL, 10000, &result);
    settle(game);
}

void run(const Game& game) {
    if (!start_two_token_game(game)) {
        CHECK(false, "could not start a game through the dialogs");
        return;
    }
    settle(game);
    const Image at_start = capture_settled_screen();

    post_key(game, VK_F3);
    HWND dialog = wait_for_file_dialog(game);
    CHECK(dialog != nullptr, "no save dialog");
    if (!dialog) return;
    CHECK(window_text(dialog) == "Guardar partida", "save dialog title \"%s\"", window_text(dialog).c_str());
    CHECK(file_name_box(dialog) == "Partida.kor", "proposed name \"%s\"", file_name_box(dialog).c_str());
    CHECK(filter_box(dialog) == "Partidas de Zenta Korvalo (*.kor)", "filter \"%s\"", filter_box(dialog).c_str());
    choose_file(dialog, "Uno.kor");
    CHECK(gone(dialog), "the save dialog stays open");
    settle(game);
    const std::string uno = read_file("Uno.kor");
    CHECK(uno.rfind("Zenta Korvalo partida\n", 0) == 0, "Uno.kor begins \"%.30s\"", uno.c_str());
    // Names as the game holds them, in Windows-1252.
    CHECK(uno.find("name 0 Ana\n") != std::string::npos && uno.find("name 2 \xCD\xF1igo\n") != std::string::npos,
          "the names are not in Uno.kor as they were typed");
    CHECK(no_temporary_files(), "a temporary file was left beside the saved game");

    // The same name again: the dialog asks before it replaces the file.
    post_key(game, VK_F3);
    dialog = wait_for_file_dialog(game);
    if (dialog) choose_file(dialog, "Uno.kor");
    HWND replace = wait_for_message_box(game);
    CHECK(replace != nullptr, "no question before replacing Uno.kor");
    if (replace) press_box_button(replace, IDYES);
    if (dialog) CHECK(gone(dialog), "the save dialog stays open after replacing");
    settle(game);
    CHECK(game_of(read_file("Uno.kor")) == game_of(uno), "Uno.kor replaced by another game");

    throw_dice(game);
    const std::string dos = save_as(game, "Dos.kor");
    CHECK(dos.find("throws_this_turn 1\n") != std::string::npos, "the throw is not in Dos.kor:\n%s", dos.c_str());

    // Loading asks first; No leaves the game alone.
    post_key(game, VK_F4);
    answer_box(game, "¿Quiere abandonar la partida actual y cargar otra?", IDNO);
    CHECK(nothing_opens(game), "answering No still opened a dialog");
    CHECK(game_of(save_as(game, "Dos-bis.kor")) == game_of(dos), "answering No changed the game");

    load_from(game, "Uno.kor");
    const Image loaded = capture_settled_screen();
    CHECK(differing_pixels(at_start, loaded, 0, 0, loaded.w, loaded.h) == 0, "the loaded game does not look as it did when saved (%d pixels)",
          differing_pixels(at_start, loaded, 0, 0, loaded.w, loaded.h));
    const std::string tres = save_as(game, "Tres.kor");
    CHECK(game_of(tres) == game_of(uno), "the loaded game saves differently:\n%s\nversus\n%s", tres.c_str(),
          uno.c_str());

    // The loaded game goes on.
    throw_dice(game);
    const std::string cuatro = save_as(game, "Cuatro.kor");
    CHECK(cuatro.find("throws_this_turn 1\n") != std::string::npos, "no throw after loading:\n%s", cuatro.c_str());

    // A damaged file is refused and the game is what it was.
    std::string damaged = uno;
    damaged[damaged.find("name 0 Ana") + 7] = 'E';
    write_file("Malo.kor", damaged);
    load_from(game, "Malo.kor");
    answer_box(game, "El archivo no es una partida válida de Zenta Korvalo.", IDOK);
    CHECK(game_of(save_as(game, "Cinco.kor")) == game_of(cuatro), "a refused file changed the game");

    // A save that cannot be written leaves the earlier file as it was: here
    // the file is held open, unshared, by another program.
    write_file("Cerrado.kor", "an earlier file");
    HANDLE held = CreateFileA(path_in_folder("Cerrado.kor").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    CHECK(held != INVALID_HANDLE_VALUE, "cannot hold Cerrado.kor open");
    post_key(game, VK_F3);
    dialog = wait_for_file_dialog(game);
    if (dialog) choose_file(dialog, "Cerrado.kor");
    replace = wait_for_message_box(game);
    if (replace && box_text(replace) != "No se pudo guardar la partida.") {
        press_box_button(replace, IDYES);
        gone(replace);
    }
    answer_box(game, "No se pudo guardar la partida.", IDOK);
    CloseHandle(held);
    CHECK(read_file("Cerrado.kor") == "an earlier file", "the earlier file was damaged");
    CHECK(no_temporary_files(), "a failed save left a temporary file");

    // Still the same game.
    CHECK(game_of(save_as(game, "Seis.kor")) == game_of(cuatro), "the failed save changed the game");

    // A game saved into another folder, the folder entered in the dialog:
    // from then on the dialogs open there. The game loaded from there keeps
    // its record file where it was.
    CreateDirectoryA(path_in_folder("Otra").c_str(), nullptr);
    post_key(game, VK_F3);
    dialog = wait_for_file_dialog(game);
    if (dialog) {
        choose_file(dialog, "Otra");
        wait_until([&] { return file_name_box(dialog).empty(); }, 5000);
        choose_file(dialog, "Siete.kor");
        CHECK(gone(dialog), "the save dialog stays open");
    }
    settle(game);
    CHECK(game_of(read_file("Otra\\Siete.kor")) == game_of(cuatro), "no game saved in another folder");
    load_from(game, "Siete.kor");
    CHECK(GetFileAttributesA(path_in_folder("Otra\\Juego1.dat").c_str()) == INVALID_FILE_ATTRIBUTES,
          "the record file went to the folder of the saved game");
    save_as(game, "Ocho.kor");
    CHECK(game_of(read_file("Otra\\Ocho.kor")) == game_of(cuatro), "the next save did not open in the folder last used");
    PostMessageA(game.window, WM_CLOSE, 0, 0);
    answer_box(game, "¿De verdad quiere salir?", IDYES);
}

} // namespace

int saveload_tests(const char* exe) {
    SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, folder);
    Game game;
    if (!start_game(exe, game)) {
        CHECK(false, "the game did not start");
        return failed_checks;
    }
    run(game);
    const int code = wait_for_exit(game, 10000);
    CHECK(code == 0, "exit code %d", code);
    stop_game(game);
    return failed_checks;
}
