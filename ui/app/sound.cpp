#include "ui/app/sound.h"

#include <windows.h>

#include <cwchar>

// winmm.dll is not among the DLLs the system always takes from its own
// folder: imported, it would be looked for beside the game first, before any
// of our code runs, and a file of that name left there (in Downloads, say)
// would run inside the game. It is loaded here, by its full system path.
using PlayFunction = BOOL(WINAPI*)(LPCSTR, UINT);

static bool looked;
static PlayFunction play;

static PlayFunction load_player() {
    WCHAR path[MAX_PATH];
    UINT length = GetSystemDirectoryW(path, MAX_PATH);
    if (length == 0 || length + 12 >= MAX_PATH) return nullptr;
    std::wcscpy(path + length, L"\\winmm.dll");
    HMODULE winmm = LoadLibraryExW(path, nullptr, 0);
    if (!winmm) return nullptr;
    return reinterpret_cast<PlayFunction>(reinterpret_cast<void (*)()>(GetProcAddress(winmm, "sndPlaySoundA")));
}

void load_sound_player() {
    if (looked) return;
    play = load_player();
    looked = true;
}

void play_wave(const char* file, unsigned flags) {
    load_sound_player();
    if (play) play(file, flags);
}
