// Stands in for the game on the test media: it records the folder it was
// started in and runs, holding the game's running mark, until the test
// deletes that record. Started with "keep" it only waits, so that Wine keeps
// its desktop open between the programs the test starts.
#include <windows.h>

#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR line, int) {
  if (std::strcmp(line, "keep") == 0) Sleep(INFINITE);
  HANDLE mark = CreateMutexA(nullptr, FALSE, "ZentaKorvaloJuego");
  char folder[MAX_PATH] = "";
  DWORD length = GetCurrentDirectoryA(MAX_PATH, folder), written = 0;
  HANDLE file = CreateFileA("inicio.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  WriteFile(file, folder, length, &written, nullptr);
  CloseHandle(file);
  for (int waited = 0; waited < 120000 && GetFileAttributesA("inicio.txt") != INVALID_FILE_ATTRIBUTES;
       waited += 20)
    Sleep(20);
  CloseHandle(mark);
  return 0;
}
