// helpc: the help compiler of the game.
//   helpc SOURCE.hsrc OUTPUT.hlp [HTML-FOLDER]
//                                    compile a help source; with a folder,
//                                    also write the same help there as HTML
//                                    pages with the contents file and the
//                                    project of OUTPUT.chm
//   helpc --text SOURCE.txt OUT.txt  a UTF-8 text for Notepad: byte-order mark, CR LF
//   helpc --chm IN.chm OUT.chm       the .chm chmcmd made, without its times
// Errors go to stderr as "SOURCE:LINE: message"; nothing is written then,
// so that a failed build leaves no stale output behind.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "tools/helpc/chm_time.h"
#include "tools/helpc/help_compiler.h"
#include "tools/helpc/html_help.h"
#include "tools/helpc/text_file.h"

static bool read_file(const char* path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream all;
    all << in.rdbuf();
    text = all.str();
    return true;
}

static bool write_file(const char* path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    out.close();
    if (out) return true;
    std::remove(path);
    return false;
}

static int report(const char* source, const SourceError& error) {
    fprintf(stderr, "%s:%d: %s\n", source, error.line, error.message.c_str());
    return 1;
}

// The project takes the help file's name: Korvalo.hlp and Korvalo.chm.
static std::string base_name(const std::string& path) {
    size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

static int compile(const char* source_path, const char* output_path, const char* html_folder) {
    std::string text;
    if (!read_file(source_path, text)) {
        fprintf(stderr, "%s: cannot be read\n", source_path);
        return 1;
    }
    HelpSource source;
    SourceError error;
    Bytes help;
    if (!parse_help_source(text, source, error) || !compile_help(source, help, error))
        return report(source_path, error);
    if (!write_file(output_path, std::string(help.begin(), help.end()))) {
        fprintf(stderr, "%s: cannot be written\n", output_path);
        return 1;
    }
    if (!html_folder) return 0;
    for (const auto& file : html_help_files(source, base_name(output_path))) {
        std::string path = std::string(html_folder) + "/" + file.first;
        if (!write_file(path.c_str(), file.second)) {
            fprintf(stderr, "%s: cannot be written\n", path.c_str());
            return 1;
        }
    }
    return 0;
}

static int convert(const char* source_path, const char* output_path) {
    std::string text, converted;
    if (!read_file(source_path, text)) {
        fprintf(stderr, "%s: cannot be read\n", source_path);
        return 1;
    }
    SourceError error;
    if (!convert_text_file(text, converted, error)) return report(source_path, error);
    if (!write_file(output_path, converted)) {
        fprintf(stderr, "%s: cannot be written\n", output_path);
        return 1;
    }
    return 0;
}

static int clear_times(const char* source_path, const char* output_path) {
    std::string chm;
    if (!read_file(source_path, chm) || !clear_chm_times(chm)) {
        fprintf(stderr, "%s: no .chm with its times where chmcmd writes them\n", source_path);
        return 1;
    }
    if (!write_file(output_path, chm)) {
        fprintf(stderr, "%s: cannot be written\n", output_path);
        return 1;
    }
    return 0;
}

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--text") return convert(argv[2], argv[3]);
    if (argc == 4 && std::string(argv[1]) == "--chm") return clear_times(argv[2], argv[3]);
    if ((argc == 3 || argc == 4) && argv[1][0] != '-') return compile(argv[1], argv[2], argc == 4 ? argv[3] : nullptr);
    fprintf(stderr, "usage: helpc SOURCE.hsrc OUTPUT.hlp [HTML-FOLDER]\n       helpc --text SOURCE.txt OUTPUT.txt\n"
                    "       helpc --chm IN.chm OUT.chm\n");
    return 2;
}
