#include "tools/helpc/internal_files.h"

#include <algorithm>

#include "tools/helpc/btree.h"
#include "tools/helpc/text_record.h"

enum {
    SYS_TITLE = 1,
    SYS_COPYRIGHT = 2,
    SYS_CONTENTS = 3,
    SYS_WINDOW = 6,
};

static void system_record(Bytes& out, uint16_t type, const Bytes& data) {
    put_u16(out, type);
    put_u16(out, uint32_t(data.size()));
    put_bytes(out, data);
}

// The main window record: without it the viewer captions its window with
// its own name and the file path.
static Bytes window_record(const std::string& caption) {
    enum { HAS_TYPE = 1, HAS_NAME = 2, HAS_CAPTION = 4 };
    Bytes w;
    put_u16(w, HAS_TYPE | HAS_NAME | HAS_CAPTION);
    put_fixed(w, "main", 10);
    put_fixed(w, "main", 9);
    put_fixed(w, caption, 51);
    for (int i = 0; i < 5; i++) put_u16(w, 0); // x, y, width, height, maximize
    put_u32(w, 0);                             // colours, marked unused by the flags
    put_u32(w, 0);
    return w;
}

Bytes system_file(const std::string& caption, const std::string& copyright, uint32_t contents_offset) {
    Bytes out;
    put_u16(out, 0x036C);
    put_u16(out, 21); // minor 21: the 3.1 layout
    put_u16(out, 1);
    put_u32(out, 0); // generation date fixed, so that builds are reproducible
    put_u16(out, 0); // uncompressed 4 KB topic blocks
    Bytes title;
    put_cstring(title, caption);
    system_record(out, SYS_TITLE, title);
    if (!copyright.empty()) {
        Bytes text;
        put_cstring(text, copyright);
        system_record(out, SYS_COPYRIGHT, text);
    }
    Bytes contents;
    put_u32(contents, contents_offset);
    system_record(out, SYS_CONTENTS, contents);
    system_record(out, SYS_WINDOW, window_record(caption));
    return out;
}

Bytes font_file() {
    enum { FACE_SLOT = 32, SWISS = 3, BOLD = 1 };
    struct Descriptor {
        uint8_t style, half_points;
    };
    // In HelpFont order.
    static const Descriptor fonts[FONT_COUNT] = {{0, 20}, {BOLD, 20}, {BOLD, 24}, {BOLD, 32}};
    Bytes out;
    put_u16(out, 1);
    put_u16(out, FONT_COUNT);
    put_u16(out, 8);
    put_u16(out, 8 + FACE_SLOT);
    put_fixed(out, "Arial", FACE_SLOT);
    for (const Descriptor& d : fonts) {
        put_u8(out, d.style);
        put_u8(out, d.half_points);
        put_u8(out, SWISS);
        put_u16(out, 0); // face 0
        put_u8(out, 0);  // black text
        put_u8(out, 0);
        put_u8(out, 0);
        put_u8(out, 0xFF); // background, unused
        put_u8(out, 0xFF);
        put_u8(out, 0xFF);
    }
    return out;
}

bool context_file(std::vector<ContextEntry> entries, Bytes& out) {
    std::sort(entries.begin(), entries.end(),
              [](const ContextEntry& a, const ContextEntry& b) { return int32_t(a.hash) < int32_t(b.hash); });
    std::vector<Bytes> encoded;
    for (const ContextEntry& e : entries) {
        Bytes b;
        put_u32(b, e.hash);
        put_u32(b, e.offset);
        encoded.push_back(b);
    }
    return write_btree(CONTEXT_TREE, encoded, out);
}

bool title_file(std::vector<TitleEntry> entries, Bytes& out) {
    std::stable_sort(entries.begin(), entries.end(),
                     [](const TitleEntry& a, const TitleEntry& b) { return a.offset < b.offset; });
    std::vector<Bytes> encoded;
    for (const TitleEntry& e : entries) {
        Bytes b;
        put_u32(b, e.offset);
        put_cstring(b, e.title);
        encoded.push_back(b);
    }
    return write_btree(TITLE_TREE, encoded, out);
}

Bytes context_map_file() {
    Bytes out;
    put_u16(out, 0);
    return out;
}
