// Stands in for the system's HTML Help control (hhctrl.ocx) in a test's
// prefix, where Wine's own viewer cannot show a page. Each HtmlHelpA call
// is appended to C:\hhctrl-calls.txt as one line
//   command|file|class of the calling window|topic
// (topic "default" for none). HH_DISPLAY_TOPIC shows a plain window of the
// real viewer's class, made in the calling thread and owned by the calling
// window as the real one is; HH_CLOSE_ALL destroys it.
#include <windows.h>

#include <htmlhelp.h>
#include <stdio.h>

static HWND viewer;

static void log_call(HWND caller, LPCSTR file, UINT command, DWORD_PTR topic) {
  char caller_class[64] = "";
  if (caller) GetClassNameA(caller, caller_class, sizeof caller_class);
  FILE *log = fopen("C:\\hhctrl-calls.txt", "ab");
  if (!log) return;
  fprintf(log, "%u|%s|%s|%s\n", command, file ? file : "", caller_class,
          command == HH_DISPLAY_TOPIC && topic ? reinterpret_cast<const char *>(topic) : "default");
  fclose(log);
}

static LRESULT CALLBACK viewer_proc(HWND w, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcA(w, message, wparam, lparam);
}

static HWND show_viewer(HWND caller) {
  if (!IsWindow(viewer)) {
    WNDCLASSA c = {};
    c.lpfnWndProc = viewer_proc;
    c.hInstance = GetModuleHandleA("hhctrl.ocx");
    c.hbrBackground = HBRUSH(GetStockObject(WHITE_BRUSH));
    c.lpszClassName = "HH Parent";
    RegisterClassA(&c);
    viewer = CreateWindowExA(0, c.lpszClassName, "Zenta Korvalo", WS_OVERLAPPEDWINDOW, 60, 60, 400, 300, caller,
                             NULL, c.hInstance, NULL);
  }
  ShowWindow(viewer, SW_SHOW);
  SetForegroundWindow(viewer);
  return viewer;
}

extern "C" __declspec(dllexport) HWND WINAPI HtmlHelpA(HWND caller, LPCSTR file, UINT command, DWORD_PTR data) {
  log_call(caller, file, command, data);
  if (command == HH_DISPLAY_TOPIC) return show_viewer(caller);
  if (command == HH_CLOSE_ALL && IsWindow(viewer)) DestroyWindow(viewer);
  return NULL;
}
