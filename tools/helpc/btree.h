#pragma once
// The B+ trees of the help file (the internal directory, |CONTEXT,
// |TTLBTREE), always as a single leaf page: a few dozen topics fit, and a
// tree that would need index pages is refused instead of written.
#include <string>
#include <vector>

#include "tools/helpc/bytes.h"

struct BtreeFormat {
    uint16_t flags;
    uint16_t page_size;
    const char* structure;
};

extern const BtreeFormat DIRECTORY_TREE;
extern const BtreeFormat CONTEXT_TREE;
extern const BtreeFormat TITLE_TREE;

enum { BTREE_HEADER = 38, BTREE_LEAF_HEADER = 8 };

// Room for entries in the one leaf page.
size_t btree_leaf_room(const BtreeFormat& format);
// Header and leaf page of entries already encoded and sorted; false when
// they do not fit the page.
bool write_btree(const BtreeFormat& format, const std::vector<Bytes>& entries, Bytes& out);
