#include "tools/helpc/text_file.h"

#include "tools/helpc/cp1252.h"

std::vector<std::string> source_lines(const std::string& utf8) {
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < utf8.size()) {
        size_t end = utf8.find('\n', at);
        if (end == std::string::npos) end = utf8.size();
        lines.push_back(utf8.substr(at, end - at));
        if (!lines.back().empty() && lines.back().back() == '\r') lines.back().pop_back();
        at = end + 1;
    }
    return lines;
}

bool convert_text_file(const std::string& utf8, std::string& out, SourceError& error) {
    out = "\xEF\xBB\xBF";
    int line = 0;
    for (const std::string& raw : source_lines(utf8)) {
        line++;
        std::string checked, problem;
        if (!utf8_to_cp1252(raw, checked, problem)) {
            error.line = line;
            error.message = problem;
            return false;
        }
        out += raw + "\r\n";
    }
    return true;
}
