// helpc: the help compiler of the game.
//   helpc SOURCE.hsrc OUTPUT.hlp     compile a help source
//   helpc --text SOURCE.txt OUT.txt  convert a UTF-8 text to Windows-1252, CR LF
// Errors go to stderr as "SOURCE:LINE: message"; nothing is written then,
// so that a failed build leaves no stale output behind.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "tools/helpc/help_compiler.h"
#include "tools/helpc/text_file.h"

static bool read_file(const char *path, std::string &text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream all;
  all << in.rdbuf();
  text = all.str();
  return true;
}

static bool write_file(const char *path, const std::string &bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), std::streamsize(bytes.size()));
  out.close();
  if (out) return true;
  std::remove(path);
  return false;
}

static int report(const char *source, const SourceError &error) {
  fprintf(stderr, "%s:%d: %s\n", source, error.line, error.message.c_str());
  return 1;
}

static int compile(const char *source_path, const char *output_path) {
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
  return 0;
}

static int convert(const char *source_path, const char *output_path) {
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

int main(int argc, char **argv) {
  if (argc == 4 && std::string(argv[1]) == "--text") return convert(argv[2], argv[3]);
  if (argc == 3 && argv[1][0] != '-') return compile(argv[1], argv[2]);
  fprintf(stderr, "usage: helpc SOURCE.hsrc OUTPUT.hlp\n       helpc --text SOURCE.txt OUTPUT.txt\n");
  return 2;
}
