#include "install.h"

// The program's texts are Windows-1252 whatever code page the system uses
// (another language's, or UTF-8): read as the system's own they would come
// out garbled, and our accented file names would name other files.
Wide wide(const char* text) {
    Wide out;
    if (MultiByteToWideChar(1252, 0, text, -1, out.text, ARRAYSIZE(out.text)) == 0) out.text[0] = L'\0';
    return out;
}

int show_message(HWND owner, const char* text, const char* title, UINT style) {
    return MessageBoxW(owner, wide(text).text, wide(title).text, style);
}
