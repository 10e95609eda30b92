#include "driver.h"

#include "log_text.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

static int failed;
static HWND host_window;
static DWORD ui_thread;
static std::function<int()> pending;
static HANDLE job_done;
static volatile int job_result;
static volatile bool job_running;

enum { WM_RUN_SYNC = WM_APP + 1, WM_RUN_JOB = WM_APP + 2 };

void check_(bool ok, const char* file, int line, const char* format, ...) {
    if (ok) return;
    ++failed;
    char message[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(message, sizeof message, format, args);
    va_end(args);
    const char* base = std::strrchr(file, '/');
    const std::string shown = escaped_for_log(message);
    std::printf("%s:%d: %s\n", base ? base + 1 : file, line, shown.c_str());
    std::fflush(stdout);
}

int failures() { return failed; }

// Host side: the window procedure's share of the job runner.
LRESULT host_settle_message();

LRESULT host_job_message(UINT message, LPARAM lparam) {
    if (message == WM_RUN_SYNC) {
        (*reinterpret_cast<const std::function<void()>*>(lparam))();
        return 1;
    }
    if (message == WM_APP + 3) return host_settle_message();
    if (message == WM_RUN_JOB) {
        std::function<int()> fn = pending;
        job_result = fn();
        job_running = false;
        SetEvent(job_done);
        return 1;
    }
    return 0;
}

void set_host(HWND window) {
    host_window = window;
    ui_thread = GetWindowThreadProcessId(window, nullptr);
    job_done = CreateEventA(nullptr, FALSE, FALSE, nullptr);
}

void on_ui(const std::function<void()>& fn) {
    SendMessageA(host_window, WM_RUN_SYNC, 0, reinterpret_cast<LPARAM>(&fn));
}

void start_on_ui(const std::function<int()>& fn) {
    pending = fn;
    job_running = true;
    ResetEvent(job_done);
    PostMessageA(host_window, WM_RUN_JOB, 0, 0);
}

int finish(int timeout_ms) {
    if (WaitForSingleObject(job_done, timeout_ms) != WAIT_OBJECT_0) return -1000;
    return job_result;
}

bool ui_busy() { return job_running; }

struct Search {
    int control_id;
    const char* caption;
    HWND found;
};

static BOOL CALLBACK match_dialog(HWND window, LPARAM lparam) {
    Search& s = *reinterpret_cast<Search*>(lparam);
    char class_name[16];
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window) || !IsWindowEnabled(window)) return TRUE;
    if (!GetClassNameA(window, class_name, sizeof class_name) || std::strcmp(class_name, "#32770") != 0) return TRUE;
    if (s.control_id && !GetDlgItem(window, s.control_id)) return TRUE;
    if (s.caption) {
        char text[128];
        GetWindowTextA(window, text, sizeof text);
        if (std::strcmp(text, s.caption) != 0) return TRUE;
    }
    s.found = window;
    return FALSE;
}

static HWND wait_search(Search s, int timeout_ms) {
    const DWORD start = GetTickCount();
    do {
        s.found = nullptr;
        EnumWindows(match_dialog, reinterpret_cast<LPARAM>(&s));
        if (s.found) return s.found;
        Sleep(10);
    } while (GetTickCount() - start < static_cast<DWORD>(timeout_ms));
    return nullptr;
}

HWND wait_dialog(int control_id, int timeout_ms) { return wait_search(Search{control_id, nullptr, nullptr}, timeout_ms); }

HWND wait_dialog_caption(const char* caption, int timeout_ms) {
    return wait_search(Search{0, caption, nullptr}, timeout_ms);
}

bool wait_gone(HWND window, int timeout_ms) {
    const DWORD start = GetTickCount();
    while (IsWindow(window) && IsWindowVisible(window)) {
        if (GetTickCount() - start > static_cast<DWORD>(timeout_ms)) return false;
        Sleep(5);
    }
    return true;
}

void press_key(HWND dialog, WPARAM vk) {
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(ui_thread, &gui);
    HWND target = gui.hwndFocus ? gui.hwndFocus : dialog;
    const UINT scan = MapVirtualKeyA(static_cast<UINT>(vk), 0);
    PostMessageA(target, WM_KEYDOWN, vk, 1 | scan << 16);
    PostMessageA(target, WM_KEYUP, vk, 1 | scan << 16 | 0xC0000000u);
}

void type_text(HWND control, const wchar_t* text) {
    for (const wchar_t* c = text; *c; ++c) PostMessageW(control, WM_CHAR, *c, 1);
    // Posted characters are handled once the window thread has caught up.
    SendMessageA(control, WM_NULL, 0, 0);
    Sleep(30);
    SendMessageA(control, WM_NULL, 0, 0);
}

void click_control(HWND control) {
    RECT r;
    GetClientRect(control, &r);
    const LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(control, WM_LBUTTONUP, 0, at);
}

void real_click(int x, int y) {
    HWND target = WindowFromPoint(POINT{x, y});
    if (target) SetForegroundWindow(GetAncestor(target, GA_ROOT));
    SetCursorPos(x, y);
    INPUT input[3] = {};
    for (INPUT& i : input) i.type = INPUT_MOUSE;
    // An absolute move first: the pointer's own position may lag behind.
    input[0].mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input[0].mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    input[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(3, input, sizeof(INPUT));
}

std::string control_text(HWND dialog, int id) {
    wchar_t text[256] = L"";
    GetDlgItemTextW(dialog, id, text, 256);
    return read_as_1252(text);
}

bool font_has_letters(HWND control) {
    wchar_t text[256] = L"";
    const int length = GetWindowTextW(control, text, 256);
    WORD glyphs[256];
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    GetGlyphIndicesW(dc, text, length, glyphs, GGI_MARK_NONEXISTING_GLYPHS);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    for (int i = 0; i < length; ++i)
        if (glyphs[i] == 0xFFFF) return false;
    return true;
}

COLORREF screen_pixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return c;
}


static HANDLE settled = CreateEventA(nullptr, FALSE, FALSE, nullptr);

LRESULT host_settle_message() {
    SetEvent(settled);
    return 1;
}

void settle() {
    ResetEvent(settled);
    PostMessageA(host_window, WM_APP + 3, 0, 0);
    WaitForSingleObject(settled, 5000);
}

// The first pixel (from the middle row down) where two pictures differ,
// and the colour the first one has there.
static POINT differing_point(int a, int b, COLORREF* colour) {
    HDC screen = GetDC(nullptr);
    HDC dc[2] = {CreateCompatibleDC(screen), CreateCompatibleDC(screen)};
    HBITMAP picture[2] = {LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(a)),
                          LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(b))};
    HGDIOBJ old[2] = {SelectObject(dc[0], picture[0]), SelectObject(dc[1], picture[1])};
    BITMAP size;
    GetObjectA(picture[0], sizeof size, &size);
    POINT at{-1, -1};
    for (int y = size.bmHeight / 2; y < size.bmHeight && at.x < 0; ++y)
        for (int x = 0; x < size.bmWidth && at.x < 0; ++x)
            if (GetPixel(dc[0], x, y) != GetPixel(dc[1], x, y)) {
                at = POINT{x, y};
                *colour = GetPixel(dc[0], x, y);
            }
    for (int i = 0; i < 2; ++i) {
        SelectObject(dc[i], old[i]);
        DeleteDC(dc[i]);
        DeleteObject(picture[i]);
    }
    ReleaseDC(nullptr, screen);
    return at;
}

bool shows_picture(HWND control, int id, int other, int timeout_ms) {
    COLORREF want = 0;
    const POINT at = differing_point(id, other, &want);
    if (at.x < 0) return false;
    const DWORD start = GetTickCount();
    do {
        HDC dc = GetDC(control);
        const COLORREF shown = GetPixel(dc, at.x, at.y);
        ReleaseDC(control, dc);
        if (shown == want) return true;
        Sleep(2);
    } while (GetTickCount() - start < static_cast<DWORD>(timeout_ms));
    return false;
}

static bool close_to(COLORREF a, COLORREF b) {
    return std::abs(GetRValue(a) - GetRValue(b)) < 48 && std::abs(GetGValue(a) - GetGValue(b)) < 48 &&
           std::abs(GetBValue(a) - GetBValue(b)) < 48;
}

bool has_colour(HWND window, COLORREF colour) {
    RECT r;
    GetClientRect(window, &r);
    const DWORD start = GetTickCount();
    do {
        const Image shown = capture_window(window, 0, 0, r.right, r.bottom);
        for (COLORREF c : shown.pixels)
            if (close_to(c, colour)) return true;
        Sleep(20);
    } while (GetTickCount() - start < 1000);
    return false;
}

Image capture(HDC dc, int x, int y, int width, int height) {
    Image image;
    image.width = width;
    image.height = height;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, width, height, dc, x, y, SRCCOPY);
    GdiFlush();
    const uint32_t* p = static_cast<const uint32_t*>(bits);
    image.pixels.resize(static_cast<size_t>(width) * height);
    for (size_t i = 0; i < image.pixels.size(); ++i)
        image.pixels[i] = RGB(p[i] >> 16 & 0xFF, p[i] >> 8 & 0xFF, p[i] & 0xFF);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(dib);
    return image;
}

Image capture_window(HWND window, int x, int y, int width, int height) {
    HDC dc = GetDC(window);
    Image image = capture(dc, x, y, width, height);
    ReleaseDC(window, dc);
    return image;
}

Image load_image(int picture_id) {
    HBITMAP picture = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(picture_id));
    BITMAP size;
    GetObjectA(picture, sizeof size, &size);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, picture);
    Image image = capture(dc, 0, 0, size.bmWidth, size.bmHeight);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    DeleteObject(picture);
    return image;
}

std::vector<HGDIOBJ> shown_pictures(HWND dialog, const std::vector<int>& ids) {
    std::vector<HGDIOBJ> objects;
    for (int id : ids)
        objects.push_back(reinterpret_cast<HGDIOBJ>(SendDlgItemMessageA(dialog, id, STM_GETIMAGE, IMAGE_BITMAP, 0)));
    return objects;
}

bool all_released(const std::vector<HGDIOBJ>& objects) {
    for (HGDIOBJ o : objects)
        if (!o || GetObjectType(o) != 0) return false;
    return true;
}

static HWND watched;
static POINT watched_at;
static COLORREF watched_colour;
static double shown_at, closed_at;
static HHOOK watch_hook;

static double now_seconds() {
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / f.QuadPart;
}

static LRESULT CALLBACK after_message(int code, WPARAM wparam, LPARAM lparam) {
    const CWPRETSTRUCT* m = reinterpret_cast<const CWPRETSTRUCT*>(lparam);
    if (code >= 0 && m->hwnd == watched) {
        // A static control may paint its new picture at once or when asked.
        if ((m->message == WM_PAINT || m->message == STM_SETIMAGE) && shown_at < 0) {
            HDC dc = GetDC(watched);
            if (GetPixel(dc, watched_at.x, watched_at.y) == watched_colour) shown_at = now_seconds();
            ReleaseDC(watched, dc);
        }
        if (m->message == WM_DESTROY) closed_at = now_seconds();
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

void watch_control(HWND control, int picture_id, int other_id) {
    watched_at = differing_point(picture_id, other_id, &watched_colour);
    shown_at = closed_at = -1;
    watched = control;
    on_ui([] { watch_hook = SetWindowsHookExA(WH_CALLWNDPROCRET, after_message, nullptr, GetCurrentThreadId()); });
}

double shown_until_closed() {
    on_ui([] { UnhookWindowsHookEx(watch_hook); });
    watched = nullptr;
    return shown_at < 0 || closed_at < 0 ? -1.0 : closed_at - shown_at;
}
