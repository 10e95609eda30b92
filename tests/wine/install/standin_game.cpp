// Stands in for the game on the test media, recording the folder it was started in. Started with "keep" it
// only waits, so that Wine keeps its desktop open between the programs the test starts.
#include <windows.h>

#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR line, int) {
    if (std::strcmp(line, "keep") == 0) Sleep(INFINITE);
    char folder[MAX_PATH] = "";
    DWORD length = GetCurrentDirectoryA(MAX_PATH, folder), written = 0;
    HANDLE file = CreateFileA("inicio.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    WriteFile(file, folder, length, &written, nullptr);
    CloseHandle(file);
    return 0;
}
