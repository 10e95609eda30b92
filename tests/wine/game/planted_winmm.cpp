// A winmm.dll someone left beside the setup file and the game. Loaded, it leaves a mark on drive C: and refuses
// to load, so that a program that took it cannot pass unseen.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    HANDLE mark = CreateFileW(L"C:\\planted-dll-loaded.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(mark);
    return FALSE;
}
