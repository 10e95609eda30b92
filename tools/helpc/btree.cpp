#include "tools/helpc/btree.h"

const BtreeFormat DIRECTORY_TREE = {0x0402, 1024, "z4"};
const BtreeFormat CONTEXT_TREE = {0x0002, 2048, "L4"};
const BtreeFormat TITLE_TREE = {0x0002, 2048, "Lz"};

size_t btree_leaf_room(const BtreeFormat& format) { return format.page_size - BTREE_LEAF_HEADER; }

bool write_btree(const BtreeFormat& format, const std::vector<Bytes>& entries, Bytes& out) {
    size_t used = 0;
    for (const Bytes& e : entries) used += e.size();
    if (used > btree_leaf_room(format)) return false;

    put_u16(out, 0x293B);
    put_u16(out, format.flags);
    put_u16(out, format.page_size);
    put_fixed(out, format.structure, 16);
    put_u16(out, 0); // must be zero
    put_u16(out, 0); // page splits
    put_u16(out, 0); // root page
    put_u16(out, 0xFFFF);
    put_u16(out, 1); // pages
    put_u16(out, 1); // levels: the root is the leaf
    put_u32(out, uint32_t(entries.size()));

    size_t page_start = out.size();
    put_u16(out, uint32_t(btree_leaf_room(format) - used)); // free bytes at the end
    put_u16(out, uint32_t(entries.size()));
    put_u16(out, 0xFFFF); // no previous leaf
    put_u16(out, 0xFFFF); // no next leaf
    for (const Bytes& e : entries) put_bytes(out, e);
    out.resize(page_start + format.page_size, 0);
    return true;
}
