#include "tools/helpc/file_system.h"

#include <algorithm>

#include "tools/helpc/btree.h"

// The reserved space counts the file header itself; the viewer rejects a
// file whose reserved space leaves no room beyond the used bytes.
static void put_internal_file(Bytes& out, const Bytes& payload, uint8_t flags) {
    put_u32(out, uint32_t(payload.size() + FS_FILE_HEADER));
    put_u32(out, uint32_t(payload.size()));
    put_u8(out, flags);
    put_bytes(out, payload);
}

bool write_file_system(const std::map<std::string, Bytes>& files, Bytes& out) {
    out.clear();
    put_u32(out, 0x00035F3F);
    put_u32(out, 0);          // directory position, patched below
    put_u32(out, 0xFFFFFFFF); // no free block
    put_u32(out, 0);          // total size, patched below

    // std::map orders its keys with std::string's compare, which is byte order.
    std::vector<Bytes> entries;
    for (const auto& file : files) {
        Bytes entry;
        put_cstring(entry, file.first);
        put_u32(entry, uint32_t(out.size()));
        entries.push_back(entry);
        put_internal_file(out, file.second, 0);
    }
    Bytes directory;
    if (!write_btree(DIRECTORY_TREE, entries, directory)) return false;
    patch_u32(out, 4, uint32_t(out.size()));
    put_internal_file(out, directory, 4);
    patch_u32(out, 12, uint32_t(out.size()));
    return true;
}
