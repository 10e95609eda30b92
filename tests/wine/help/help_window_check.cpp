// Opens the game's help file in the system's help viewer, the way F1 does
// (a bare name from the current folder), and checks what a player sees:
// the viewer's window (class MS_WINHELP) with our caption, the contents
// page with its jumps, every jump opening a page of its own, and the way
// back from each page showing the contents again. Then the window is
// closed, because a viewer left running keeps the wine server, and the
// test, alive.
//
// Clicks and screenshots are made from inside Wine (SendInput, a screen
// BitBlt), so the test needs no X connection of its own. Screenshots are
// left as help-*.bmp in the current folder. Exit code 0 when all is well.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

static const char *expected_caption = "Zenta Korvalo";
// The viewer draws jumps in this green, underlined.
static const uint32_t jump_colour = 0x008000;

struct Screen {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;  // 0xRRGGBB, top row first
};

static Screen capture_screen() {
  Screen s;
  s.width = GetSystemMetrics(SM_CXSCREEN);
  s.height = GetSystemMetrics(SM_CYSCREEN);
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
  BitBlt(memory, 0, 0, s.width, s.height, screen, 0, 0, SRCCOPY);
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

static void save_bmp(const Screen &s, const std::string &name) {
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

static uint64_t fingerprint(const Screen &s) {
  uint64_t h = 1469598103934665603ull;
  for (uint32_t px : s.pixels) h = (h ^ px) * 1099511628211ull;
  return h;
}

static int count_jump_pixels(const Screen &s) {
  int n = 0;
  for (uint32_t px : s.pixels) n += px == jump_colour;
  return n;
}

// A jump's underline is a row of jump-coloured pixels without a gap; the
// text to click is just above it. Top to bottom.
static std::vector<POINT> find_jumps(const Screen &s) {
  std::vector<POINT> jumps;
  for (int y = 0; y < s.height; y++) {
    int count = 0, first = -1, last = -1;
    for (int x = 0; x < s.width; x++) {
      if (s.pixels[size_t(y) * size_t(s.width) + size_t(x)] != jump_colour) continue;
      if (first < 0) first = x;
      last = x;
      count++;
    }
    if (count >= 20 && count == last - first + 1) jumps.push_back(POINT{first + count / 2, y - 5});
  }
  return jumps;
}

static void click(POINT at) {
  SetCursorPos(at.x, at.y);
  INPUT press[2] = {};
  press[0].type = press[1].type = INPUT_MOUSE;
  press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, press, sizeof press[0]);
  // Let the new page paint, and park the pointer off the text.
  Sleep(1200);
  SetCursorPos(1000, 740);
  Sleep(300);
}

static HWND wait_for_window(DWORD milliseconds) {
  DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds) {
    HWND w = FindWindowA("MS_WINHELP", NULL);
    if (w && IsWindowVisible(w)) return w;
    Sleep(20);
  }
  return NULL;
}

static int failures = 0;

static void check(bool ok, const std::string &what) {
  printf("%s: %s\n", ok ? "ok" : "FAIL", what.c_str());
  if (!ok) failures++;
}

static void click_through(const Screen &contents) {
  uint64_t home = fingerprint(contents);
  std::vector<POINT> jumps = find_jumps(contents);
  std::vector<uint64_t> seen;
  check(!jumps.empty(), std::to_string(jumps.size()) + " jumps on the contents page");
  for (size_t i = 0; i < jumps.size(); i++) {
    std::string n = std::to_string(i + 1);
    click(jumps[i]);
    Screen page = capture_screen();
    save_bmp(page, "help-page-" + n + ".bmp");
    uint64_t sum = fingerprint(page);
    bool fresh = sum != home;
    for (uint64_t other : seen) fresh = fresh && sum != other;
    if (!fresh) check(false, "jump " + n + " did not open a page of its own");
    seen.push_back(sum);
    std::vector<POINT> on_page = find_jumps(page);
    if (on_page.empty()) {
      check(false, "page of jump " + n + " has no way back");
      continue;
    }
    click(on_page.back());
    if (fingerprint(capture_screen()) != home) {
      check(false, "the way back from page " + n + " does not show the contents");
      click(jumps[0]);  // leave some page; the next round starts from the contents again
    }
  }
  check(failures == 0, "every jump opened its own page and led back to the contents");
}

int main() {
  setvbuf(stdout, NULL, _IONBF, 0);
  // A process that has not touched the desktop loses its first SetCursorPos.
  GetDesktopWindow();
  Sleep(200);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION viewer = {};
  char command[] = "winhlp32.exe Korvalo.hlp";
  if (!CreateProcessA(NULL, command, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &viewer)) {
    printf("FAIL: winhlp32.exe could not be started (error %lu)\n", GetLastError());
    return 1;
  }
  HWND window = wait_for_window(30000);
  if (!window) {
    printf("FAIL: no window of class MS_WINHELP within 30 s\n");
    TerminateProcess(viewer.hProcess, 1);
    return 1;
  }
  char caption[128] = "";
  GetWindowTextA(window, caption, sizeof caption);
  check(strcmp(caption, expected_caption) == 0, std::string("help window captioned \"") + caption + "\"");
  SetForegroundWindow(window);
  SetCursorPos(1000, 740);
  Sleep(1500);
  Screen contents = capture_screen();
  save_bmp(contents, "help-contents.bmp");
  int green = count_jump_pixels(contents);
  check(green >= 1000, "contents page shows its jumps (" + std::to_string(green) + " jump-coloured pixels)");
  if (green >= 1000) click_through(contents);

  PostMessageA(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(viewer.hProcess, 10000) != WAIT_OBJECT_0) {
    TerminateProcess(viewer.hProcess, 1);
    check(false, "the help viewer did not end after WM_CLOSE");
  } else {
    check(true, "help viewer closed");
  }
  CloseHandle(viewer.hThread);
  CloseHandle(viewer.hProcess);
  return failures == 0 ? 0 : 1;
}
