// Checks the committed wave files against a fresh generation and against
// the rules every game sound keeps:
//   check-sounds COMMITTED_FOLDER GENERATED_FOLDER
// Each file must exist in both folders with the same bytes, be a plain
// RIFF/WAVE PCM file at 22 050 Hz, 16 bits, mono, last 0.2 to 2 s, weigh
// under 100 000 bytes, be clearly audible and start and end near silence.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

int failures = 0;

void fail(const std::string& file, const std::string& what) {
    std::printf("FAIL %s: %s\n", file.c_str(), what.c_str());
    ++failures;
}

bool read_file(const std::string& path, std::vector<uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

uint32_t u32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
uint16_t u16(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}
bool tag(const std::vector<uint8_t>& b, size_t at, const char* t) {
    return std::string(b.begin() + at, b.begin() + at + 4) == t;
}

std::string num(double v) {
    char text[64];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

void check_format(const std::string& name, const std::vector<uint8_t>& b) {
    if (b.size() >= 100000) fail(name, "size " + num(b.size()) + " bytes, expected under 100000");
    if (b.size() < 44) {
        fail(name, "shorter than a wave header");
        return;
    }
    if (!tag(b, 0, "RIFF") || !tag(b, 8, "WAVE") || !tag(b, 12, "fmt ") || !tag(b, 36, "data"))
        fail(name, "not a plain RIFF/WAVE file with fmt and data chunks");
    if (u32(b, 4) != b.size() - 8)
        fail(name, "RIFF size " + num(u32(b, 4)) + ", expected " + num(b.size() - 8));
    if (u32(b, 16) != 16 || u16(b, 20) != 1)
        fail(name, "format is not 16-byte PCM (tag " + num(u16(b, 20)) + ")");
    if (u16(b, 22) != 1) fail(name, "channels " + num(u16(b, 22)) + ", expected 1");
    if (u32(b, 24) != 22050) fail(name, "rate " + num(u32(b, 24)) + ", expected 22050");
    if (u32(b, 28) != 44100 || u16(b, 32) != 2) fail(name, "byte rate or block align wrong");
    if (u16(b, 34) != 16) fail(name, "bits " + num(u16(b, 34)) + ", expected 16");
    const uint32_t data = u32(b, 40);
    if (data != b.size() - 44) {
        fail(name, "data size " + num(data) + ", expected " + num(b.size() - 44));
        return;
    }
    const double seconds = data / 44100.0;
    if (seconds < 0.2 || seconds > 2.0)
        fail(name, "lasts " + num(seconds) + " s, expected 0.2 to 2");
    const size_t count = data / 2;
    int peak = 0;
    for (size_t i = 0; i < count; ++i) {
        const int s = static_cast<int16_t>(u16(b, 44 + 2 * i));
        peak = std::abs(s) > peak ? std::abs(s) : peak;
    }
    if (peak < 8000) fail(name, "peak " + num(peak) + ", too quiet to hear");
    const int first = static_cast<int16_t>(u16(b, 44));
    const int last = static_cast<int16_t>(u16(b, 44 + 2 * (count - 1)));
    if (std::abs(first) > 300 || std::abs(last) > 300)
        fail(name, "starts or ends with a click (" + num(first) + ", " + num(last) + ")");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s COMMITTED_FOLDER GENERATED_FOLDER\n", argv[0]);
        return 2;
    }
    // The names the game plays, written here again on purpose:
    // a recipe renamed or dropped in the generator must fail this test.
    const char* names[] = {"Tit.wav",   "Dados.wav", "Perro.wav", "Aleluya.wav",
                           "Libre.wav", "Ajiji.wav", "Turn.wav",  "Jail.wav",
                           "No.wav",    "Ficha.wav", "Bravo.wav"};
    int checked = 0;
    for (const char* name : names) {
        std::vector<uint8_t> committed, generated;
        const bool have_committed = read_file(std::string(argv[1]) + "/" + name, committed);
        const bool have_generated = read_file(std::string(argv[2]) + "/" + name, generated);
        if (!have_committed) fail(name, "missing from the committed folder");
        if (!have_generated) fail(name, "not generated");
        if (!have_committed || !have_generated) continue;
        if (committed != generated)
            fail(name, "committed file differs from a fresh generation "
                       "(run the update-sounds target and commit)");
        check_format(name, committed);
        ++checked;
    }
    std::printf("%d of 11 sounds checked, %d failures\n", checked, failures);
    return failures ? 1 : 0;
}
