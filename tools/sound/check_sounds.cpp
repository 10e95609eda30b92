// Guards against: committed waves that are not what the generator makes
// now (a recipe changed, renamed or dropped without regenerating), and a
// regenerated wave the game cannot play as it expects: plain PCM at
// 22 050 Hz, 16 bits, mono, 0.2 to 2 s, loud enough to hear.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "tools/sound/sounds.h"

static int sample(const std::vector<uint8_t>& b, size_t at) { return int16_t(b.at(at) | b.at(at + 1) << 8); }

TEST(Sounds, CommittedWavesAreTheGeneratedOnesAndPlayable) {
    const std::string folder = KORVALO_SOUNDS_DIR;
    std::set<std::string> made;
    for (const SoundFile& f : make_all_sounds()) {
        made.insert(f.name);
        std::ifstream in(folder + "/" + f.name, std::ios::binary);
        const std::vector<uint8_t> b{std::istreambuf_iterator<char>(in), {}};
        EXPECT_TRUE(b == f.bytes) << f.name << " is not what the generator makes now; run the update-sounds target";
        ASSERT_GE(b.size(), 46u) << f.name;
        // The plain 44-byte header: RIFF of the file's size, WAVE, a 16-byte
        // PCM fmt chunk (mono, 22 050 Hz, 44 100 bytes a second, 2 a sample,
        // 16 bits) and a data chunk of the rest.
        const uint32_t n = uint32_t(b.size() - 44), r = n + 36;
        const std::vector<uint8_t> want = {'R',
                                           'I',
                                           'F',
                                           'F',
                                           uint8_t(r),
                                           uint8_t(r >> 8),
                                           uint8_t(r >> 16),
                                           uint8_t(r >> 24),
                                           'W',
                                           'A',
                                           'V',
                                           'E',
                                           'f',
                                           'm',
                                           't',
                                           ' ',
                                           16,
                                           0,
                                           0,
                                           0,
                                           1,
                                           0,
                                           1,
                                           0,
                                           0x22,
                                           0x56,
                                           0,
                                           0,
                                           0x44,
                                           0xAC,
                                           0,
                                           0,
                                           2,
                                           0,
                                           16,
                                           0,
                                           'd',
                                           'a',
                                           't',
                                           'a',
                                           uint8_t(n),
                                           uint8_t(n >> 8),
                                           uint8_t(n >> 16),
                                           uint8_t(n >> 24)};
        EXPECT_EQ(std::vector<uint8_t>(b.begin(), b.begin() + 44), want) << f.name << ": not a plain header";
        const size_t samples = (b.size() - 44) / 2;
        EXPECT_TRUE(samples >= 4410 && samples <= 44100) << f.name << " lasts " << samples / 22050.0 << " s";
        int peak = 0;
        for (size_t i = 0; i < samples; ++i) peak = std::max(peak, std::abs(sample(b, 44 + 2 * i)));
        EXPECT_GE(peak, 8000) << f.name << " is too quiet to hear";
    }
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        EXPECT_TRUE(made.count(entry.path().filename().string())) << entry.path() << " is not made by the generator";
}
