#include "tools/helpc/text_file.h"

#include "tools/helpc/cp1252.h"

bool convert_text_file(const std::string &utf8, std::string &out, SourceError &error) {
  out.clear();
  int line = 0;
  size_t at = 0;
  while (at < utf8.size()) {
    size_t end = utf8.find('\n', at);
    if (end == std::string::npos) end = utf8.size();
    std::string raw = utf8.substr(at, end - at);
    at = end + 1;
    line++;
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    std::string text, problem;
    if (!utf8_to_cp1252(raw, text, problem)) {
      error.line = line;
      error.message = problem;
      return false;
    }
    out += text + "\r\n";
  }
  return true;
}
