#include "game_driver.h"

#include "checks.h"
#include "desktop.h"

static const char leave_question[] = "¿De verdad quiere salir?";

static HWND find_game_window(DWORD pid) {
  for (HWND w = FindWindowExA(NULL, NULL, "Korvalo Class", NULL); w; w = FindWindowExA(NULL, w, "Korvalo Class", NULL))
    if (window_process(w) == pid) return w;
  return NULL;
}

POINT board_offset() {
  return POINT{(GetSystemMetrics(SM_CXSCREEN) - 451) / 2 - 94, (GetSystemMetrics(SM_CYSCREEN) - 450) / 2 - 15};
}

bool start_game(const std::string &exe, const std::string &folder, Game &game) {
  std::string command = "\"" + exe + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  if (!CreateProcessA(exe.c_str(), &command[0], NULL, NULL, FALSE, 0, NULL, folder.c_str(), &startup, &game.process))
    return check(false, "cannot start " + exe + " (error " + std::to_string(GetLastError()) + ")");
  if (!check(wait_until([&] { return (game.window = find_game_window(game.pid())) != NULL; }, 20000),
             "the game's window (class \"Korvalo Class\") appears"))
    return false;
  // The first paint is done when the board's frame corner is red.
  POINT d = board_offset();
  RECT corner = {d.x + 94, d.y + 14, d.x + 95, d.y + 15};
  return check(wait_until([&] { return capture(corner).at(0, 0) == 0xFF0000; }, 20000), "the game paints its board");
}

void end_game(Game &game) {
  if (!game.process.hProcess) return;
  // Waited for: the next game started would otherwise find this one still
  // holding the single-copy mutex, and give way to it.
  if (WaitForSingleObject(game.process.hProcess, 0) != WAIT_OBJECT_0) {
    TerminateProcess(game.process.hProcess, 99);
    WaitForSingleObject(game.process.hProcess, 5000);
  }
  CloseHandle(game.process.hProcess);
  CloseHandle(game.process.hThread);
  game.process = {};
}

bool bring_to_front(HWND w) {
  if (IsIconic(w)) ShowWindow(w, SW_RESTORE);
  SetForegroundWindow(w);
  return wait_until([&] { return GetForegroundWindow() == w && !IsIconic(w); }, 5000);
}

bool game_stays_shown(const Game &game, DWORD milliseconds) {
  return !wait_until([&] { return IsIconic(game.window) != FALSE; }, milliseconds);
}

bool leave_game(Game &game, bool by_key, const std::string &who, DWORD &yes_at) {
  yes_at = GetTickCount();
  if (by_key)
    real_key(VK_ESCAPE);
  else
    PostMessageA(game.window, WM_CLOSE, 0, 0);
  HWND box = NULL;
  if (!check(wait_until([&] { return (box = find_box(game.pid())) != NULL; }, 5000), who + ": leaving asks a question"))
    return false;
  check(box_text(box) == leave_question, who + ": the question is " + quoted(box_text(box)));
  yes_at = GetTickCount();
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), LPARAM(GetDlgItem(box, IDYES)));
  DWORD code = 1;
  bool ended = WaitForSingleObject(game.process.hProcess, 10000) == WAIT_OBJECT_0;
  if (ended) GetExitCodeProcess(game.process.hProcess, &code);
  return check(ended && code == 0, who + ": after Yes the game ends with code " +
                                       (ended ? std::to_string(code) : std::string("(still running after 10 s)")));
}

static LRESULT CALLBACK plain_window_proc(HWND w, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcA(w, message, wparam, lparam);
}

HWND make_plain_window() {
  WNDCLASSA c = {};
  c.lpfnWndProc = plain_window_proc;
  c.hInstance = GetModuleHandleA(NULL);
  c.hbrBackground = HBRUSH(GetStockObject(GRAY_BRUSH));
  c.lpszClassName = "Otro programa";
  RegisterClassA(&c);
  int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  return CreateWindowExA(0, c.lpszClassName, "Otro programa", WS_OVERLAPPEDWINDOW | WS_VISIBLE, w - 220, h - 160,
                         200, 140, NULL, NULL, c.hInstance, NULL);
}
