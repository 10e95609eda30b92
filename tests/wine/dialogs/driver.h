// A stand-in for the main window and a second thread that plays the user:
// the dialogs run on the window thread exactly as the game runs them, the
// test steps on the driver thread find them, send them real messages and
// keys, and read their controls and the screen.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Host side: the window procedure hands the runner's messages here.
void set_host(HWND window);
LRESULT host_job_message(UINT message, LPARAM lparam);

// Checks print where they failed and what was got; the exit code counts them.
void check_(bool ok, const char* file, int line, const char* format, ...);
#define CHECK(ok, ...) check_((ok), __FILE__, __LINE__, __VA_ARGS__)
int failures();

// Runs fn on the window thread and waits for it.
void on_ui(const std::function<void()>& fn);
// Starts fn on the window thread (a dialog, which blocks there); finish
// waits for it to return and gives its result, or -1000 after the timeout.
void start_on_ui(const std::function<int()>& fn);
int finish(int timeout_ms = 5000);
bool ui_busy();

// The visible, enabled dialog of this process that has the given control
// (0: any), or null after the timeout.
HWND wait_dialog(int control_id, int timeout_ms = 5000);
HWND wait_dialog_caption(const char* caption, int timeout_ms = 5000);
bool wait_gone(HWND window, int timeout_ms = 5000);

// Keys go to the window with the keyboard focus, through the dialog's own
// message loop, as typed keys would.
void press_key(HWND dialog, WPARAM vk);
void type_text(HWND control, const wchar_t* text);
// A click on a picture control: button down and up at its centre.
void click_control(HWND control);
// A real pointer click at a screen point.
void real_click(int x, int y);

// Read as UTF-16, given as 1252 bytes (see read_as_1252).
std::string control_text(HWND dialog, int id);
// Whether the control's font has a letter for every character it shows.
bool font_has_letters(HWND control);
COLORREF screen_pixel(int x, int y);

// Waits until everything posted to the window thread so far has been handled.
void settle();
// Reads a variable of the window thread on that thread.
template <typename T> T ui_read(const T& variable) {
    T value{};
    on_ui([&] { value = variable; });
    return value;
}
// Whether the control shows picture `id` rather than `other` (the two
// differ at some pixel), polling until it does or the timeout passes.
bool shows_picture(HWND control, int id, int other, int timeout_ms = 1000);
// Whether the window shows this colour anywhere (near enough for smoothed
// letters), polling for a second.
bool has_colour(HWND window, COLORREF colour);

// Pixels copied out of a device context, as colour references.
struct Image {
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;
    COLORREF at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
Image capture(HDC dc, int x, int y, int width, int height);
// What a window shows of itself: its own surface, not what the screen was
// last refreshed with.
Image capture_window(HWND window, int x, int y, int width, int height);
Image load_image(int picture_id);

// The pictures the dialog's picture controls show now, to check after it
// closes that it released them.
std::vector<HGDIOBJ> shown_pictures(HWND dialog, const std::vector<int>& ids);
bool all_released(const std::vector<HGDIOBJ>& objects);

// Watches, on the window thread, what a control shows at one point each
// time it has painted, and when it is destroyed: a pause between the two
// is measured where it happens, whatever the load on the machine.
void watch_control(HWND control, int picture_id, int other_id);
// Seconds from the control's first paint with the picture to its
// destruction, or a negative number if it never showed it.
double shown_until_closed();
