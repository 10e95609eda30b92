// Writes the eleven wave files of the game into a folder (made if missing):
//   korvalo-sounds FOLDER
#include <cstdio>
#include <filesystem>
#include <string>

#include "tools/sound/sounds.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    std::error_code ignored;
    std::filesystem::create_directories(argv[1], ignored);
    for (const SoundFile& f : make_all_sounds()) {
        const std::string path = std::string(argv[1]) + "/" + f.name;
        std::FILE* out = std::fopen(path.c_str(), "wb");
        if (!out || std::fwrite(f.bytes.data(), 1, f.bytes.size(), out) != f.bytes.size()) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
        std::fclose(out);
    }
    return 0;
}
