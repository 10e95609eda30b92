// korvalo-pack: makes the single setup file, the installer carrying the
// game's files.
//   korvalo-pack OUTPUT INSTALL.EXE FILE...
// The files go in packed (raw deflate, zlib's best) in the order given, the
// installer's own plain copy last, for the uninstaller it leaves; then the
// mark inside the installer gets the payload's size and checksum, so that
// the installer knows it carries one and can tell a cut or damaged download.
// Same inputs, same bytes: nothing of the time or the machine goes in.
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

static const char MARK[] = "KorvaloPayload:"; // 16 bytes with its NUL, then size and checksum

static bool read_all(const char* path, Bytes& out) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    out.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return true;
}

static void put32(Bytes& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

static bool pack(const Bytes& raw, Bytes& out) {
    z_stream z{};
    if (deflateInit2(&z, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY) != Z_OK) return false;
    Bytes packed(deflateBound(&z, raw.size()));
    z.next_in = const_cast<unsigned char*>(raw.data());
    z.avail_in = static_cast<uInt>(raw.size());
    z.next_out = packed.data();
    z.avail_out = static_cast<uInt>(packed.size());
    bool done = deflate(&z, Z_FINISH) == Z_STREAM_END;
    packed.resize(z.total_out);
    deflateEnd(&z);
    put32(out, static_cast<uint32_t>(raw.size()));
    put32(out, static_cast<uint32_t>(packed.size()));
    put32(out, static_cast<uint32_t>(crc32(0, raw.data(), static_cast<uInt>(raw.size()))));
    out.insert(out.end(), packed.begin(), packed.end());
    return done;
}

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: korvalo-pack OUTPUT INSTALL.EXE FILE...\n");
        return 2;
    }
    Bytes installer, payload, file;
    if (!read_all(argv[2], installer)) {
        std::fprintf(stderr, "korvalo-pack: cannot read %s\n", argv[2]);
        return 1;
    }
    std::vector<const char*> inputs(argv + 3, argv + argc);
    inputs.push_back(argv[2]);
    for (const char* input : inputs)
        if (!read_all(input, file) || !pack(file, payload)) {
            std::fprintf(stderr, "korvalo-pack: cannot pack %s\n", input);
            return 1;
        }
    const unsigned char* mark = reinterpret_cast<const unsigned char*>(MARK);
    std::vector<size_t> found;
    for (size_t i = 0; i + sizeof MARK + 8 <= installer.size(); ++i)
        if (std::memcmp(&installer[i], mark, sizeof MARK) == 0) found.push_back(i);
    if (found.size() != 1) {
        std::fprintf(stderr, "korvalo-pack: %zu payload marks in %s, expected one\n", found.size(), argv[2]);
        return 1;
    }
    Bytes fields;
    put32(fields, static_cast<uint32_t>(payload.size()));
    put32(fields, static_cast<uint32_t>(crc32(0, payload.data(), static_cast<uInt>(payload.size()))));
    std::copy(fields.begin(), fields.end(), installer.begin() + found[0] + sizeof MARK);
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(installer.data()), installer.size());
    out.write(reinterpret_cast<const char*>(payload.data()), payload.size());
    return out.good() ? 0 : 1;
}
