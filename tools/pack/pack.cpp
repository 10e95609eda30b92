// korvalo-pack: makes the single setup file, the installer carrying the
// game's files, and the medium's zip.
//   korvalo-pack OUTPUT INSTALL.EXE FILE...
//   korvalo-pack --zip OUTPUT.zip FOLDER NAME...
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

static void put16(Bytes& out, unsigned value) {
    out.push_back(static_cast<unsigned char>(value));
    out.push_back(static_cast<unsigned char>(value >> 8));
}

static uint32_t checksum(const Bytes& bytes) {
    return static_cast<uint32_t>(crc32(0, bytes.data(), static_cast<uInt>(bytes.size())));
}

static bool deflate_raw(const Bytes& raw, Bytes& packed) {
    z_stream z{};
    if (deflateInit2(&z, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY) != Z_OK) return false;
    packed.resize(deflateBound(&z, raw.size()));
    z.next_in = const_cast<unsigned char*>(raw.data());
    z.avail_in = static_cast<uInt>(raw.size());
    z.next_out = packed.data();
    z.avail_out = static_cast<uInt>(packed.size());
    bool done = deflate(&z, Z_FINISH) == Z_STREAM_END;
    packed.resize(z.total_out);
    deflateEnd(&z);
    return done;
}

static bool pack(const Bytes& raw, Bytes& out) {
    Bytes packed;
    bool done = deflate_raw(raw, packed);
    put32(out, static_cast<uint32_t>(raw.size()));
    put32(out, static_cast<uint32_t>(packed.size()));
    put32(out, checksum(raw));
    out.insert(out.end(), packed.begin(), packed.end());
    return done;
}

// One entry's header fields from "version needed" to the name's length:
// deflated, dated 1980-01-01 00:00 whatever the files' times, and a name
// beyond ASCII flagged as UTF-8 (bit 11), which Windows' own extraction
// otherwise reads in the OEM code page. No extra fields: they would carry
// the files' times, owners and modes.
static void entry_fields(Bytes& out, const std::string& name, uint32_t crc, size_t packed, size_t raw) {
    bool ascii = true;
    for (unsigned char c : name) ascii = ascii && c < 0x80;
    put16(out, 20);
    put16(out, ascii ? 0 : 0x0800);
    put16(out, 8);
    put16(out, 0);
    put16(out, (0 << 9) | (1 << 5) | 1);
    put32(out, crc);
    put32(out, static_cast<uint32_t>(packed));
    put32(out, static_cast<uint32_t>(raw));
    put16(out, static_cast<unsigned>(name.size()));
}

static int write_zip(const char* output, const std::string& folder, const std::vector<std::string>& names) {
    Bytes zip, directory, raw, packed;
    for (const std::string& name : names) {
        if (!read_all((folder + "/" + name).c_str(), raw) || !deflate_raw(raw, packed)) {
            std::fprintf(stderr, "korvalo-pack: cannot pack %s/%s\n", folder.c_str(), name.c_str());
            return 1;
        }
        put32(directory, 0x02014b50);
        put16(directory, 20);
        entry_fields(directory, name, checksum(raw), packed.size(), raw.size());
        for (int field = 0; field < 4; ++field) put16(directory, 0); // extra, comment, disk, internal
        put32(directory, 0);                                         // external attributes
        put32(directory, static_cast<uint32_t>(zip.size()));
        directory.insert(directory.end(), name.begin(), name.end());
        put32(zip, 0x04034b50);
        entry_fields(zip, name, checksum(raw), packed.size(), raw.size());
        put16(zip, 0);
        zip.insert(zip.end(), name.begin(), name.end());
        zip.insert(zip.end(), packed.begin(), packed.end());
    }
    size_t directory_at = zip.size();
    zip.insert(zip.end(), directory.begin(), directory.end());
    put32(zip, 0x06054b50);
    put32(zip, 0);
    put16(zip, static_cast<unsigned>(names.size()));
    put16(zip, static_cast<unsigned>(names.size()));
    put32(zip, static_cast<uint32_t>(directory.size()));
    put32(zip, static_cast<uint32_t>(directory_at));
    put16(zip, 0);
    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(zip.data()), zip.size());
    return out.good() ? 0 : 1;
}

int main(int argc, char** argv) {
    if (argc >= 5 && std::string(argv[1]) == "--zip")
        return write_zip(argv[2], argv[3], std::vector<std::string>(argv + 4, argv + argc));
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
    put32(fields, checksum(payload));
    std::copy(fields.begin(), fields.end(), installer.begin() + found[0] + sizeof MARK);
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(installer.data()), installer.size());
    out.write(reinterpret_cast<const char*>(payload.data()), payload.size());
    return out.good() ? 0 : 1;
}
