// korvalo-art OUT_DIR: draws every picture and writes it under OUT_DIR with
// the repository's layout (OUT_DIR = the source tree regenerates the art).
#include <cstdio>
#include <string>

#include "tools/art/pictures.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: korvalo-art OUT_DIR\n");
        return 2;
    }
    const std::string root = argv[1];
    std::vector<art::Output> all = art::generate_pictures();
    std::vector<art::Output> sheets = art::generate_sheets(all);
    all.insert(all.end(), sheets.begin(), sheets.end());
    for (const art::Output& o : all) {
        if (!art::write_file(root + "/" + o.path, o.bytes)) {
            std::fprintf(stderr, "korvalo-art: cannot write %s/%s\n", root.c_str(), o.path.c_str());
            return 1;
        }
    }
    std::printf("korvalo-art: %zu files written under %s\n", all.size(), root.c_str());
    return 0;
}
