// Save and Load: the system's save and open dialogs around the saved-game
// text of game/save_file.
#include "ui/app/save_load.h"

#include "saves/save_file.h"
#include "game/state.h"
#include "ui/app/app.h"
#include "ui/app/text.h"

#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include <cstring>
#include <string>

static const char file_filter[] = "Partidas de Zenta Korvalo (*.kor)\0*.kor\0";

static void tell(const char* text) {
    game_flags |= GF_MODAL;
    message_box(main_window, text, window_title, MB_OK | MB_ICONINFORMATION);
    game_flags &= ~GF_MODAL;
}

// The folder of the last game saved or file chosen to load during this run;
// until then the dialogs open in the player's Documents folder. A folder
// where a save failed is never kept: the next save would fail there again.
static char last_folder[MAX_PATH];

static void remember_folder(const OPENFILENAMEA& ofn) {
    if (ofn.nFileOffset == 0 || ofn.nFileOffset >= MAX_PATH) return;
    std::memcpy(last_folder, ofn.lpstrFile, ofn.nFileOffset);
    last_folder[ofn.nFileOffset] = 0;
}

typedef HRESULT(WINAPI* FolderPath)(HWND, int, HANDLE, DWORD, LPSTR);

static bool is_folder(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Documents, made when it is missing (a new profile may not have it yet);
// failing that the player's profile folder, then the temporary folder.
// Never none: the dialog would then open in the current folder, the
// game's own, which a standard user cannot write. The shell is loaded at
// run time, as the dialog library is (below).
static bool start_folder(char* folder) {
    static HMODULE shell;
    if (!shell) shell = LoadLibraryA("shell32.dll");
    const FolderPath folder_path =
        shell ? reinterpret_cast<FolderPath>(reinterpret_cast<void*>(GetProcAddress(shell, "SHGetFolderPathA")))
              : nullptr;
    for (const int place : {CSIDL_PERSONAL | CSIDL_FLAG_CREATE, CSIDL_PROFILE})
        if (folder_path && folder_path(nullptr, place, nullptr, SHGFP_TYPE_CURRENT, folder) == S_OK &&
            is_folder(folder))
            return true;
    const DWORD length = GetTempPathA(MAX_PATH, folder);
    return length > 0 && length < MAX_PATH && is_folder(folder);
}

// folder holds MAX_PATH bytes for the start folder's path.
static void prepare_dialog(OPENFILENAMEA& ofn, char* path, DWORD path_size, char* folder) {
    std::memset(&ofn, 0, sizeof ofn);
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = main_window;
    ofn.lpstrFilter = file_filter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path;
    ofn.nMaxFile = path_size;
    ofn.lpstrDefExt = "kor";
    if (last_folder[0]) ofn.lpstrInitialDir = last_folder;
    else if (start_folder(folder)) ofn.lpstrInitialDir = folder;
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
}

// The dialog library is loaded when it is first asked for, not at start:
// with what it brings in it is a third of the program's memory, and most
// runs never save or load. It stays loaded for the rest of the run.
typedef BOOL(WINAPI* FileDialog)(LPOPENFILENAMEA);

static FileDialog file_dialog(const char* name) {
    static HMODULE library;
    if (!library) library = LoadLibraryA("comdlg32.dll");
    return library ? reinterpret_cast<FileDialog>(reinterpret_cast<void*>(GetProcAddress(library, name))) : nullptr;
}

// False when no file was chosen; when the dialog cannot be shown at all the
// player is told why nothing happens.
static BOOL run_dialog(OPENFILENAMEA& ofn, const char* name, const char* failure) {
    const FileDialog dialog = file_dialog(name);
    if (!dialog) {
        tell(failure);
        return FALSE;
    }
    // The current folder must stay where it is: the sounds are found in it
    // by bare name. The flag asks the dialog to keep it, but the open dialog
    // may not, so it is also put back.
    char current[MAX_PATH];
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, current);
    game_flags |= GF_MODAL;
    const BOOL chosen = dialog(&ofn);
    game_flags &= ~GF_MODAL;
    if (length != 0 && length < MAX_PATH) SetCurrentDirectoryA(current);
    return chosen;
}

static bool carrying() { return (game_flags & (GF_DRAGGING | GF_DIE_DRAG | GF_DICE_ROLLING)) != 0; }

static bool write_whole(HANDLE file, const std::string& text) {
    DWORD written = 0;
    return WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, NULL) && written == text.size() &&
           FlushFileBuffers(file);
}

// Written beside the target under a temporary name and then moved over it,
// so that a failed or interrupted save leaves an earlier file as it was.
static bool write_save_file(const char* target, const std::string& text) {
    char folder[MAX_PATH];
    std::strncpy(folder, target, MAX_PATH - 1);
    folder[MAX_PATH - 1] = 0;
    char* slash = std::strrchr(folder, '\\');
    if (slash) slash[1] = 0;
    else std::strcpy(folder, ".");
    char temporary[MAX_PATH];
    if (!GetTempFileNameA(folder, "kor", 0, temporary)) return false;
    HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        DeleteFileA(temporary);
        return false;
    }
    const bool written = write_whole(file, text);
    CloseHandle(file);
    if (written && MoveFileExA(temporary, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    DeleteFileA(temporary);
    return false;
}

void save_command() {
    if (!(game_flags & GF_GAME_ON) || carrying()) return;
    char path[MAX_PATH] = "Partida.kor";
    char folder[MAX_PATH];
    OPENFILENAMEA ofn;
    prepare_dialog(ofn, path, sizeof path, folder);
    ofn.lpstrTitle = "Guardar partida";
    ofn.Flags |= OFN_OVERWRITEPROMPT;
    if (!run_dialog(ofn, "GetSaveFileNameA", "No se pudo guardar la partida.")) return;
    // The game is taken as it stands now: the computer may have played on
    // under the dialog, or even finished the game.
    bool saved = false;
    if ((game_flags & GF_GAME_ON) && !carrying()) {
        const std::string text = save_game_text(GetTickCount());
        saved = check_game_text(text) && write_save_file(path, text);
    }
    if (saved) remember_folder(ofn);
    else tell("No se pudo guardar la partida.");
}

// The whole file, or false when it cannot be read or is too long to be a
// saved game.
static bool read_save_file(const char* path, std::string* text) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD high = 0;
    const DWORD size = GetFileSize(file, &high);
    bool ok = size != INVALID_FILE_SIZE && high == 0 && size <= SAVE_TEXT_MAX;
    if (ok) {
        text->resize(size);
        DWORD read = 0;
        ok = size == 0 || (ReadFile(file, &(*text)[0], size, &read, NULL) && read == size);
    }
    CloseHandle(file);
    return ok;
}

void load_command() {
    if (carrying()) return;
    if (game_flags & GF_GAME_ON) {
        game_flags |= GF_MODAL;
        const int answer = message_box(main_window, "¿Quiere abandonar la partida actual y cargar otra?", window_title,
                                       MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
        game_flags &= ~GF_MODAL;
        if (answer != IDYES) return;
    }
    char path[MAX_PATH] = "";
    char folder[MAX_PATH];
    OPENFILENAMEA ofn;
    prepare_dialog(ofn, path, sizeof path, folder);
    ofn.lpstrTitle = "Cargar partida";
    ofn.Flags |= OFN_FILEMUSTEXIST;
    if (!run_dialog(ofn, "GetOpenFileNameA", "No se pudo cargar la partida.")) return;
    remember_folder(ofn);
    std::string text;
    if (carrying() || !read_save_file(path, &text) || !load_game_text(text, GetTickCount())) {
        tell("El archivo no es una partida válida de Zenta Korvalo.");
        return;
    }
    InvalidateRect(main_window, NULL, FALSE);
}
