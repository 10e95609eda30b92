#include "resource_checks.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "log_text.h"
#include "ui/resources/version.h"

namespace {

int passed = 0, failed = 0;

struct KindRule {
    const char* window_class;
    WORD atom;       // the class as a template stores it
    DWORD type_mask; // the control type field and its value
    DWORD type;
    DWORD set, clear; // style bits that must be set, and clear
};

const KindRule rules[] = {
    /* TEXT */ {"Static", 0x82, SS_TYPEMASK, SS_LEFT, WS_VISIBLE, SS_NOTIFY},
    /* HIDDEN_TEXT */ {"Static", 0x82, SS_TYPEMASK, SS_LEFT, 0, WS_VISIBLE},
    /* SUNKEN_TEXT */ {"Static", 0x82, SS_TYPEMASK, SS_LEFT, WS_VISIBLE | SS_SUNKEN, 0},
    /* GROUP_TEXT */ {"Static", 0x82, SS_TYPEMASK, SS_LEFT, WS_VISIBLE | WS_GROUP, SS_NOTIFY},
    /* PICTURE */ {"Static", 0x82, SS_TYPEMASK, SS_BITMAP, WS_VISIBLE | SS_NOTIFY, 0},
    /* CHOICE */ {"Static", 0x82, SS_TYPEMASK, SS_BITMAP, WS_VISIBLE | SS_NOTIFY, 0},
    /* BANNER */ {"Static", 0x82, SS_TYPEMASK, SS_BITMAP, WS_VISIBLE, 0},
    /* EDIT */
    {"Edit", 0x81, 0, 0, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, ES_MULTILINE},
    /* HIDDEN_EDIT */
    {"Edit", 0x81, 0, 0, WS_BORDER | WS_TABSTOP, WS_VISIBLE | ES_AUTOHSCROLL},
    /* HIDDEN_CHECK */ {"Button", 0x80, BS_TYPEMASK, BS_AUTOCHECKBOX, WS_TABSTOP, WS_VISIBLE},
    /* GROUP */ {"Button", 0x80, BS_TYPEMASK, BS_GROUPBOX, WS_VISIBLE, 0},
    /* RADIO */ {"Button", 0x80, BS_TYPEMASK, BS_AUTORADIOBUTTON, WS_VISIBLE, 0},
    /* DEFAULT_BUTTON */
    {"Button", 0x80, BS_TYPEMASK, BS_DEFPUSHBUTTON, WS_VISIBLE | WS_TABSTOP, 0},
};

bool shows_picture(Kind kind) {
    return kind == PICTURE || kind == BANNER;
}

// Reads a template: the classic layout and the extended one.
struct Reader {
    const BYTE* p;
    WORD word() {
        WORD w;
        std::memcpy(&w, p, 2);
        p += 2;
        return w;
    }
    DWORD dword() {
        DWORD d;
        std::memcpy(&d, p, 4);
        p += 4;
        return d;
    }
    void align() {
        while (reinterpret_cast<uintptr_t>(p) % 4)
            ++p;
    }
    // A name or an ordinal; ordinals come back as "#<n>" with *atom set.
    std::string text(WORD* atom = nullptr) {
        WORD first = word();
        if (first == 0xFFFF) {
            const WORD n = word();
            if (atom) *atom = n;
            return "#" + std::to_string(n);
        }
        std::wstring wide;
        for (WORD c = first; c != 0; c = word())
            wide += static_cast<wchar_t>(c);
        char out[512] = {};
        WideCharToMultiByte(1252, 0, wide.c_str(), -1, out, sizeof out - 1, nullptr, nullptr);
        return out;
    }
};

struct ParsedControl {
    DWORD style;
    int id, x, y, cx, cy;
    WORD atom = 0;
    std::string window_class, text;
};

} // namespace

INT_PTR CALLBACK quiet_dialog(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

void check_(bool ok, const char* file, int line, const char* format, ...) {
    if (ok) {
        ++passed;
        return;
    }
    ++failed;
    char message[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(message, sizeof message, format, args);
    va_end(args);
    const std::string shown = escaped_for_log(message);
    const char* name = file;
    for (const char* p = file; *p; ++p)
        if (*p == '/' || *p == '\\') name = p + 1;
    std::printf("%s:%d: %s\n", name, line, shown.c_str());
}

int report_checks(const char* what) {
    std::printf("%s: %d passed, %d failed\n", what, passed, failed);
    return failed ? 1 : 0;
}

std::string hex_bytes(const std::string& s) {
    std::string out;
    char b[4];
    for (unsigned char c : s) {
        std::snprintf(b, sizeof b, "%02X ", c);
        out += b;
    }
    return out;
}

const BITMAPINFOHEADER* bitmap_header(HMODULE module, int id, DWORD* bytes) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2) /* RT_BITMAP */);
    if (!found) return nullptr;
    if (bytes) *bytes = SizeofResource(module, found);
    return static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module, found)));
}

const void* resource_data(HMODULE module, LPCSTR name, LPCSTR type) {
    HRSRC found = FindResourceA(module, name, type);
    return found ? LockResource(LoadResource(module, found)) : nullptr;
}

DWORD check_picture(HMODULE module, const Picture& p) {
    DWORD bytes = 0;
    const BITMAPINFOHEADER* h = bitmap_header(module, p.id, &bytes);
    CHECK(h != nullptr, "bitmap %d: not in the resources", p.id);
    if (!h) return 0;
    const long height = h->biHeight < 0 ? -h->biHeight : h->biHeight;
    CHECK(h->biWidth == p.width && height == p.height, "bitmap %d: %ld x %ld, expected %d x %d",
          p.id, h->biWidth, height, p.width, p.height);
    CHECK(h->biBitCount == p.bits, "bitmap %d: %d bits per pixel, expected %d", p.id, h->biBitCount,
          p.bits);
    CHECK(h->biCompression == BI_RGB, "bitmap %d: compressed (%lu), expected plain", p.id,
          h->biCompression);

    HBITMAP loaded = LoadBitmapA(module, MAKEINTRESOURCEA(p.id));
    BITMAP bm = {};
    CHECK(loaded && GetObjectA(loaded, sizeof bm, &bm) && bm.bmWidth == p.width &&
              bm.bmHeight == p.height,
          "LoadBitmap %d: %ld x %ld, expected %d x %d", p.id, bm.bmWidth, bm.bmHeight, p.width,
          p.height);
    DeleteObject(loaded);

    HANDLE dib =
        LoadImageA(module, MAKEINTRESOURCEA(p.id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    DIBSECTION ds = {};
    const bool got = dib && GetObjectA(dib, sizeof ds, &ds) == sizeof ds;
    CHECK(got && ds.dsBmih.biBitCount == p.bits, "LoadImage %d: %d bits, expected %d", p.id,
          got ? ds.dsBmih.biBitCount : 0, p.bits);
    DeleteObject(dib);
    return bytes;
}

void check_template(HMODULE module, const Template& t) {
    auto data = static_cast<const BYTE*>(
        resource_data(module, MAKEINTRESOURCEA(t.id), MAKEINTRESOURCEA(5) /* RT_DIALOG */));
    CHECK(data != nullptr, "dialog %d: no template", t.id);
    if (!data) return;
    Reader r{data};
    const bool extended = data[2] == 0xFF && data[3] == 0xFF;
    DWORD style;
    if (extended) {
        r.dword(); // version and signature
        r.dword(); // help id
        r.dword(); // extended style
        style = r.dword();
    } else {
        style = r.dword();
        r.dword(); // extended style
    }
    const int count = r.word();
    r.word(), r.word(); // position: centred or set by the program
    const int cx = static_cast<short>(r.word()), cy = static_cast<short>(r.word());
    const std::string menu = r.text(), window_class = r.text(), caption = r.text();
    int font_size = 0;
    std::string font;
    if (style & DS_SETFONT) {
        font_size = r.word();
        if (extended) r.word(), r.word(); // weight; italic and character set
        font = r.text();
    }
    CHECK(style == t.style, "dialog %d: style %08lX, expected %08lX", t.id, style, t.style);
    CHECK(cx == t.cx && cy == t.cy, "dialog %d: %d x %d units, expected %d x %d", t.id, cx, cy,
          t.cx, t.cy);
    CHECK(font_size == t.font_size && font == t.font,
          "dialog %d: font \"%s\" %d, expected \"%s\" %d", t.id, font.c_str(), font_size, t.font,
          t.font_size);
    CHECK(caption == t.caption, "dialog %d: caption \"%s\", expected \"%s\"", t.id, caption.c_str(),
          t.caption);
    CHECK(menu.empty() && window_class.empty(), "dialog %d: has a menu or a class of its own",
          t.id);
    CHECK(count == int(t.controls.size()), "dialog %d: %d controls, expected %zu", t.id, count,
          t.controls.size());

    std::vector<ParsedControl> parsed;
    for (int i = 0; i < count; ++i) {
        r.align();
        ParsedControl c;
        if (extended) {
            r.dword(); // help id
            r.dword(); // extended style
            c.style = r.dword();
        } else {
            c.style = r.dword();
            r.dword();
        }
        c.x = static_cast<short>(r.word());
        c.y = static_cast<short>(r.word());
        c.cx = static_cast<short>(r.word());
        c.cy = static_cast<short>(r.word());
        // Signed, so that a label's -1 reads back as -1.
        c.id = extended ? static_cast<int>(r.dword()) : static_cast<short>(r.word());
        c.window_class = r.text(&c.atom);
        c.text = r.text();
        r.p += r.word(); // creation data
        parsed.push_back(c);
    }
    // Template order is tab order, and labels share the id -1: controls are
    // compared place by place.
    for (size_t i = 0; i < t.controls.size() && i < parsed.size(); ++i) {
        const Control& want = t.controls[i];
        const ParsedControl& got = parsed[i];
        CHECK(got.id == want.id, "dialog %d control %zu: id %d, expected %d", t.id, i + 1, got.id,
              want.id);
        const KindRule& rule = rules[want.kind];
        const bool class_ok = got.atom ? got.atom == rule.atom
                                       : _stricmp(got.window_class.c_str(), rule.window_class) == 0;
        CHECK(class_ok, "dialog %d control %d: class %s, expected %s", t.id, want.id,
              got.window_class.c_str(), rule.window_class);
        CHECK((got.style & rule.type_mask) == rule.type && (got.style & rule.set) == rule.set &&
                  (got.style & rule.clear) == 0 && (got.style & WS_CHILD),
              "dialog %d control %d: style %08lX does not make a %s of the kind expected", t.id,
              want.id, got.style, rule.window_class);
        CHECK(got.x == want.x && got.y == want.y && got.cx == want.cx && got.cy == want.cy,
              "dialog %d control %d: at %d, %d, %d x %d, expected %d, %d, %d x %d", t.id, want.id,
              got.x, got.y, got.cx, got.cy, want.x, want.y, want.cx, want.cy);
        CHECK(got.text == want.text, "dialog %d control %d: template text \"%s\", expected \"%s\"",
              t.id, want.id, got.text.c_str(), want.text);
    }
}

void check_dialog(HMODULE module, const Template& t) {
    HWND dialog = CreateDialogParamA(module, MAKEINTRESOURCEA(t.id), nullptr, quiet_dialog, 0);
    CHECK(dialog != nullptr, "dialog %d: CreateDialogParam failed (%lu)", t.id, GetLastError());
    if (!dialog) return;
    char text[256];
    if (t.caption[0]) {
        GetWindowTextA(dialog, text, sizeof text);
        CHECK(std::strcmp(text, t.caption) == 0, "dialog %d: caption \"%s\" [%s], expected \"%s\"",
              t.id, text, hex_bytes(text).c_str(), t.caption);
    }
    // The child windows come in the template's order.
    size_t children = 0;
    for (HWND control = GetWindow(dialog, GW_CHILD); control;
         control = GetWindow(control, GW_HWNDNEXT), ++children) {
        if (children >= t.controls.size()) continue;
        const Control& c = t.controls[children];
        const int id = static_cast<short>(GetDlgCtrlID(control));
        CHECK(id == c.id, "dialog %d child %zu: id %d, expected %d", t.id, children + 1, id, c.id);
        const KindRule& rule = rules[c.kind];
        char window_class[64] = {};
        GetClassNameA(control, window_class, sizeof window_class);
        CHECK(_stricmp(window_class, rule.window_class) == 0,
              "dialog %d control %d: class %s, expected %s", t.id, c.id, window_class,
              rule.window_class);
        const bool visible = GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE;
        CHECK(visible == ((rule.set & WS_VISIBLE) != 0), "dialog %d control %d: %s", t.id, c.id,
              visible ? "visible, expected hidden" : "hidden, expected visible");
        if (c.kind == CHOICE) {
            CHECK(!SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0),
                  "dialog %d control %d: has a picture before the dialog sets one", t.id, c.id);
            continue;
        }
        if (shows_picture(c.kind)) {
            // The picture named in the text is loaded by the control itself,
            // which takes the picture's size.
            auto picture =
                reinterpret_cast<HBITMAP>(SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0));
            BITMAP bm = {};
            if (picture) GetObjectA(picture, sizeof bm, &bm);
            const BITMAPINFOHEADER* h = bitmap_header(module, c.picture, nullptr);
            CHECK(picture && h && bm.bmWidth == h->biWidth,
                  "dialog %d control %d: shows a %ld-wide picture, expected bitmap %d", t.id, c.id,
                  bm.bmWidth, c.picture);
            RECT client = {};
            GetClientRect(control, &client);
            CHECK(h && client.right == h->biWidth && client.bottom == std::labs(h->biHeight),
                  "dialog %d control %d: %ld x %ld pixels, expected the size of bitmap %d", t.id,
                  c.id, client.right, client.bottom, c.picture);
            continue;
        }
        GetWindowTextA(control, text, sizeof text);
        CHECK(std::strcmp(text, c.text) == 0,
              "dialog %d control %d: text \"%s\" [%s], expected \"%s\" [%s]", t.id, c.id, text,
              hex_bytes(text).c_str(), c.text, hex_bytes(c.text).c_str());
    }
    CHECK(children == t.controls.size(), "dialog %d: %zu child windows, expected %zu", t.id,
          children, t.controls.size());
    DestroyWindow(dialog);
}

void check_version(const char* path, const std::vector<VersionString>& strings) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    CHECK(size > 0, "version of %s: no version block", path);
    if (!size) return;
    std::vector<BYTE> block(size);
    GetFileVersionInfoA(path, 0, size, block.data());
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    CHECK(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length) && fixed &&
              fixed->dwProductVersionMS == MAKELONG(KORVALO_VERSION_MINOR, KORVALO_VERSION_MAJOR) &&
              fixed->dwFileVersionMS == fixed->dwProductVersionMS && fixed->dwFileType == VFT_APP,
          "version: fixed part is not version %d.%d of an application", KORVALO_VERSION_MAJOR,
          KORVALO_VERSION_MINOR);
    WORD* translation = nullptr;
    CHECK(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                         reinterpret_cast<void**>(&translation), &length) &&
              length >= 4 && translation[0] == 0x0C0A && translation[1] == 1252,
          "version: translation %04X/%d, expected 0C0A/1252", translation ? translation[0] : 0,
          translation ? translation[1] : 0);
    std::vector<VersionString> all = {{"ProductName", "Zenta Korvalo"}, {"ProductVersion", "2.0"}};
    all.insert(all.end(), strings.begin(), strings.end());
    for (const VersionString& s : all) {
        char* value = nullptr;
        const std::string key = std::string("\\StringFileInfo\\0C0A04E4\\") + s.name;
        const bool found =
            VerQueryValueA(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &length);
        CHECK(found && value && std::strcmp(value, s.value) == 0,
              "version: %s is \"%s\", expected \"%s\"", s.name, found && value ? value : "(none)",
              s.value);
    }
}

namespace {

BOOL CALLBACK count_manifest(HMODULE, LPCSTR, LPSTR, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

} // namespace

std::string check_manifest(HMODULE module, const char* level) {
    int manifests = 0;
    EnumResourceNamesA(module, MAKEINTRESOURCEA(24) /* RT_MANIFEST */, count_manifest,
                       reinterpret_cast<LPARAM>(&manifests));
    CHECK(manifests == 1, "manifest: %d manifest resources, expected 1", manifests);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    CHECK(found != nullptr, "manifest: no process manifest (id 1)");
    if (!found) return "";
    const std::string text(static_cast<const char*>(LockResource(LoadResource(module, found))),
                           SizeofResource(module, found));
    const std::string wanted = std::string("level=\"") + level + "\"";
    CHECK(text.find(wanted) != std::string::npos, "manifest: does not ask for %s", wanted.c_str());
    return text;
}
