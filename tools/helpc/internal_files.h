#pragma once
// The small internal files: |SYSTEM, |FONT, |CONTEXT, |TTLBTREE, |CTXOMAP.
#include <string>
#include <vector>

#include "tools/helpc/bytes.h"

enum { WINDOW_CAPTION_MAX = 50 };

Bytes system_file(const std::string& caption, const std::string& copyright, uint32_t contents_offset);
Bytes font_file();

struct ContextEntry {
    uint32_t hash;
    uint32_t offset;
};
// Sorted by the hash read as signed: the viewer compares signed and stops
// at the first larger key. False when the page would overflow.
bool context_file(std::vector<ContextEntry> entries, Bytes& out);

struct TitleEntry {
    uint32_t offset;
    std::string title;
};
bool title_file(std::vector<TitleEntry> entries, Bytes& out);
// Needed only for numeric context ids, which this help does not use.
Bytes context_map_file();
