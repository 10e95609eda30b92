#include "desktop.h"

#include <cstdio>
#include <cstring>

Shot capture(const RECT &area) {
  Shot s;
  s.left = area.left;
  s.top = area.top;
  s.width = area.right - area.left;
  s.height = area.bottom - area.top;
  if (s.width <= 0 || s.height <= 0) return Shot();
  HDC screen = GetDC(NULL);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = s.width;
  info.bmiHeader.biHeight = -s.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void *bits = NULL;
  HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, NULL, 0);
  HGDIOBJ old = SelectObject(memory, dib);
  BitBlt(memory, 0, 0, s.width, s.height, screen, s.left, s.top, SRCCOPY);
  GdiFlush();
  const uint32_t *p = static_cast<const uint32_t *>(bits);
  s.pixels.assign(p, p + size_t(s.width) * size_t(s.height));
  for (uint32_t &px : s.pixels) px &= 0xFFFFFF;
  SelectObject(memory, old);
  DeleteObject(dib);
  DeleteDC(memory);
  ReleaseDC(NULL, screen);
  return s;
}

Shot capture_screen() {
  RECT all = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return capture(all);
}

void save_bmp(const Shot &s, const std::string &name) {
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = s.width;
  header.biHeight = -s.height;
  header.biPlanes = 1;
  header.biBitCount = 32;
  DWORD data = DWORD(s.pixels.size() * 4);
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + data;
  FILE *f = fopen(name.c_str(), "wb");
  if (!f) return;
  fwrite(&file, sizeof file, 1, f);
  fwrite(&header, sizeof header, 1, f);
  fwrite(s.pixels.data(), 4, s.pixels.size(), f);
  fclose(f);
}

long differing_pixels(const Shot &a, const Shot &b) {
  if (a.width != b.width || a.height != b.height) return long(a.pixels.size() > b.pixels.size() ? a.pixels.size() : b.pixels.size());
  long n = 0;
  for (size_t i = 0; i < a.pixels.size(); i++) n += a.pixels[i] != b.pixels[i];
  return n;
}

static void pump() {
  MSG m;
  while (PeekMessageA(&m, NULL, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
}

bool wait_until(const std::function<bool()> &condition, DWORD milliseconds) {
  DWORD start = GetTickCount();
  for (;;) {
    pump();
    if (condition()) return true;
    if (GetTickCount() - start >= milliseconds) return false;
    MsgWaitForMultipleObjects(0, NULL, FALSE, 20, QS_ALLINPUT);
  }
}

void pause(DWORD milliseconds) {
  wait_until([] { return false; }, milliseconds);
}

// Under the virtual desktop the X pointer is warped after SetCursorPos and
// its motion comes back later: a click sent at once can land where the
// pointer was before. The pointer is moved, then the move is seen to stay.
static void move_pointer(int x, int y) {
  for (int attempt = 0; attempt < 5; attempt++) {
    SetCursorPos(x, y);
    pause(60);
    POINT now = {};
    GetCursorPos(&now);
    if (now.x == x && now.y == y) return;
  }
}

void park_pointer() { move_pointer(GetSystemMetrics(SM_CXSCREEN) - 4, GetSystemMetrics(SM_CYSCREEN) - 4); }

void real_click(POINT at) {
  move_pointer(at.x, at.y);
  INPUT press[2] = {};
  press[0].type = press[1].type = INPUT_MOUSE;
  press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, press, sizeof press[0]);
  pause(150);
  park_pointer();
}

void real_key(WORD key) {
  INPUT press[2] = {};
  press[0].type = press[1].type = INPUT_KEYBOARD;
  press[0].ki.wVk = press[1].ki.wVk = key;
  press[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, press, sizeof press[0]);
}

DWORD window_process(HWND w) {
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  return pid;
}

HWND find_help_window() {
  for (HWND w = FindWindowExA(NULL, NULL, "MS_WINHELP", NULL); w; w = FindWindowExA(NULL, w, "MS_WINHELP", NULL))
    if (IsWindowVisible(w)) return w;
  return NULL;
}

HWND help_text_pane(HWND help) { return help ? FindWindowExA(help, NULL, "RichEdit20A", NULL) : NULL; }

std::string help_page_text(HWND help) {
  HWND pane = help_text_pane(help);
  if (!pane) return "";
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(pane, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 2000, &length)) return "";
  std::string text(size_t(length) + 1, '\0');
  DWORD_PTR got = 0;
  if (!SendMessageTimeoutA(pane, WM_GETTEXT, text.size(), LPARAM(&text[0]), SMTO_NORMAL, 2000, &got)) return "";
  text.resize(got < text.size() ? size_t(got) : text.size() - 1);
  return text;
}

RECT window_rect(HWND w) {
  RECT r = {};
  GetWindowRect(w, &r);
  return r;
}

std::string window_caption(HWND w) {
  char text[256] = "";
  GetWindowTextA(w, text, sizeof text);
  return text;
}

struct BoxSearch {
  DWORD pid;
  HWND found;
};

static BOOL CALLBACK look_for_box(HWND w, LPARAM data) {
  BoxSearch *search = reinterpret_cast<BoxSearch *>(data);
  char name[16] = "";
  GetClassNameA(w, name, sizeof name);
  if (strcmp(name, "#32770") != 0 || !IsWindowVisible(w)) return TRUE;
  if (search->pid && window_process(w) != search->pid) return TRUE;
  search->found = w;
  return FALSE;
}

HWND find_box(DWORD pid) {
  BoxSearch search = {pid, NULL};
  EnumWindows(look_for_box, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string box_text(HWND box) {
  char text[512] = "";
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
  return text;
}

int close_help_windows() {
  int count = 0;
  HWND w;
  while ((w = FindWindowExA(NULL, NULL, "MS_WINHELP", NULL)) != NULL && count < 8) {
    count++;
    DWORD pid = window_process(w);
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
    PostMessageA(w, WM_CLOSE, 0, 0);
    if (!wait_until([&] { return !IsWindow(w); }, 5000) && process) TerminateProcess(process, 1);
    if (process) {
      WaitForSingleObject(process, 5000);
      CloseHandle(process);
    }
  }
  return count;
}
