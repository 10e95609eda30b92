// Opens the game's help file in the system's help viewer, the way F1 does
// (a bare name from the current folder), and checks the viewer's window:
// its class and caption. The screenshot is taken from outside (the shell
// script) while this program waits; then the window is closed, because a
// help viewer left running keeps the wine server, and the test, alive.
//
// Exit code 0 when the window appeared with the right caption and closed.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

static const char *expected_caption = "Zenta Korvalo";

static HWND wait_for_window(DWORD milliseconds) {
  DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds) {
    HWND w = FindWindowA("MS_WINHELP", NULL);
    if (w && IsWindowVisible(w)) return w;
    Sleep(20);
  }
  return NULL;
}

static bool wait_for_file(const char *name, DWORD milliseconds) {
  DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds) {
    if (GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES) return true;
    Sleep(50);
  }
  return false;
}

// Tells the script which X display to photograph: the Windows process sees
// the Unix environment it was started from.
static void announce_ready() {
  FILE *f = fopen("window-ready.txt", "w");
  const char *display = getenv("DISPLAY");
  fprintf(f, "%s\n", display ? display : "");
  fclose(f);
}

int main() {
  setvbuf(stdout, NULL, _IONBF, 0);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION viewer = {};
  char command[] = "winhlp32.exe Korvalo.hlp";
  if (!CreateProcessA(NULL, command, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &viewer)) {
    printf("FAIL: winhlp32.exe could not be started (error %lu)\n", GetLastError());
    return 1;
  }
  int failures = 0;
  HWND window = wait_for_window(30000);
  if (!window) {
    printf("FAIL: no window of class MS_WINHELP within 30 s\n");
    TerminateProcess(viewer.hProcess, 1);
    return 1;
  }
  char caption[128] = "";
  GetWindowTextA(window, caption, sizeof caption);
  if (strcmp(caption, expected_caption) != 0) {
    printf("FAIL: caption is \"%s\", expected \"%s\"\n", caption, expected_caption);
    failures++;
  } else {
    printf("ok: help window captioned \"%s\"\n", caption);
  }
  // Let the first page paint before it is photographed.
  Sleep(1500);
  announce_ready();
  if (!wait_for_file("shot-done.txt", 60000)) {
    printf("FAIL: the screenshot was never taken\n");
    failures++;
  }
  PostMessageA(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(viewer.hProcess, 10000) != WAIT_OBJECT_0) {
    printf("FAIL: the help viewer did not end after WM_CLOSE\n");
    TerminateProcess(viewer.hProcess, 1);
    failures++;
  } else {
    printf("ok: help viewer closed\n");
  }
  CloseHandle(viewer.hThread);
  CloseHandle(viewer.hProcess);
  return failures == 0 ? 0 : 1;
}
