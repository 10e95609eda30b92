// What the resource tests of the game and of the installer share: checks
// that report the caller's line and go on, and readers for the pictures,
// dialog templates, version block and manifest of a loaded module.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

void check_(bool ok, const char* file, int line, const char* format, ...);
// The message says what was checked, what came back and what was expected.
#define CHECK(ok, ...) check_((ok), __FILE__, __LINE__, __VA_ARGS__)
// Prints the count of checks; the program's exit code.
int report_checks(const char* what);

std::string hex_bytes(const std::string& s);

// --- Pictures ----------------------------------------------------------------

struct Picture {
    int id, width, height, bits;
};

// The header of a bitmap resource as the module stores it.
const BITMAPINFOHEADER* bitmap_header(HMODULE module, int id, DWORD* bytes);
const void* resource_data(HMODULE module, LPCSTR name, LPCSTR type);
// The stored bitmap's size, depth and compression, and what LoadBitmap and
// LoadImage make of it; returns the bytes it takes in the resources.
DWORD check_picture(HMODULE module, const Picture& p);

// --- Dialogs -----------------------------------------------------------------

enum Kind {
    TEXT,         // left-aligned static text, visible
    HIDDEN_TEXT,  // the same, hidden until the dialog shows it
    SUNKEN_TEXT,  // static text with a sunken edge
    GROUP_TEXT,   // left-aligned static text that starts a tab group
    PICTURE,      // clickable bitmap static with its picture named in the text
    CHOICE,       // clickable bitmap static, picture set when the dialog opens
    BANNER,       // bitmap static with its picture named in the text
    EDIT,         // single line, bordered, tab stop, scrolls sideways
    HIDDEN_EDIT,  // bordered, tab stop, no automatic scrolling, hidden
    HIDDEN_CHECK, // automatic check box, tab stop, hidden
    GROUP,
    RADIO,         // automatic radio button, visible
    DEFAULT_BUTTON // default push button, tab stop
};

struct Control {
    int id;
    Kind kind;
    const char* text; // Windows-1252, as the programs read it back
    int x, y, cx, cy;
    int picture; // PICTURE and BANNER: the bitmap the text names
};

struct Template {
    int id;
    DWORD style;
    int cx, cy;
    int font_size;
    const char* font;
    const char* caption;
    std::vector<Control> controls; // in template (and tab) order
};

// The template as stored: style, size, font, caption, and each control's
// id, kind, place and text in order.
void check_template(HMODULE module, const Template& t);
// A dialog procedure that handles nothing: the template's controls as they are.
INT_PTR CALLBACK quiet_dialog(HWND, UINT message, WPARAM, LPARAM);
// Builds the dialog as the program will and reads the controls back.
void check_dialog(HMODULE module, const Template& t);

// --- Version and manifest ----------------------------------------------------

struct VersionString {
    const char* name;
    const char* value; // Windows-1252
};

// The version block of the program file: the product's version, an
// application, Spanish Windows-1252 strings with the product's name and
// version, and the strings given.
void check_version(const char* path, const std::vector<VersionString>& strings);
// The one process manifest and its execution level; returns its text.
std::string check_manifest(HMODULE module, const char* level);
