// The desktop as the help tests see and drive it from inside Wine: screen
// captures (a BitBlt of the screen DC), real input through SendInput, and
// the windows of the help viewer and of the game found by class and
// process.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct Shot {
  int left = 0, top = 0, width = 0, height = 0;  // screen place of the capture
  std::vector<uint32_t> pixels;                  // 0xRRGGBB, top row first
  uint32_t at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

Shot capture(const RECT &area);
Shot capture_screen();
void save_bmp(const Shot &s, const std::string &name);
// Pixels that differ; every pixel when the sizes differ.
long differing_pixels(const Shot &a, const Shot &b);

// Polls every 20 ms until the condition holds or the time runs out,
// answering messages sent to this thread's windows meanwhile.
bool wait_until(const std::function<bool()> &condition, DWORD milliseconds);
void pause(DWORD milliseconds);

// A real left click at a screen point; the pointer is then parked in the
// bottom right corner, away from the text of any page.
void real_click(POINT at);
void park_pointer();
void real_key(WORD key);

DWORD window_process(HWND w);
// The visible help viewer window (class MS_WINHELP), or null.
HWND find_help_window();
// The text pane of the viewer and the text it shows (Windows-1252).
HWND help_text_pane(HWND help);
std::string help_page_text(HWND help);
RECT window_rect(HWND w);
std::string window_caption(HWND w);
// A visible dialog or message box (class #32770) of the process; any
// process when pid is 0.
HWND find_box(DWORD pid);
std::string box_text(HWND box);
// Closes every viewer window left open and ends its process if it will
// not go; returns how many there were.
int close_help_windows();
