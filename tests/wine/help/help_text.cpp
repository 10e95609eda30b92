#include "help_text.h"

#include <windows.h>

#include <cstdio>

static std::string to_cp1252(const std::string &utf8) {
  if (utf8.empty()) return utf8;
  int wide_length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), NULL, 0);
  std::wstring wide(size_t(wide_length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), &wide[0], wide_length);
  int length = WideCharToMultiByte(1252, 0, wide.data(), wide_length, NULL, 0, NULL, NULL);
  std::string out(size_t(length), '\0');
  WideCharToMultiByte(1252, 0, wide.data(), wide_length, &out[0], length, NULL, NULL);
  return out;
}

static std::string trim(const std::string &s) {
  size_t first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  size_t last = s.find_last_not_of(" \t");
  return s.substr(first, last - first + 1);
}

// The jumps of one source line, in order; a backslash takes the next
// character literally and the stars of bold text are not shown.
static void read_jumps(const std::string &line, std::vector<ContentsJump> &jumps) {
  enum { OUTSIDE, LABEL, TARGET } where = OUTSIDE;
  ContentsJump jump;
  for (size_t i = 0; i < line.size(); i++) {
    char c = line[i];
    bool literal = c == '\\' && i + 1 < line.size();
    if (literal) c = line[++i];
    if (where == OUTSIDE) {
      if (c == '[' && !literal) {
        where = LABEL;
        jump = ContentsJump();
      }
    } else if (where == LABEL) {
      if (c == '|' && !literal)
        where = TARGET;
      else if (c != '*' || literal)
        jump.label += c;
    } else if (c == ']' && !literal) {
      jumps.push_back(jump);
      where = OUTSIDE;
    } else {
      jump.target += c;
    }
  }
}

// A paragraph as the viewer shows it: a jump shows its label, the stars of
// bold text are not shown, a backslash takes the next character literally.
static std::string shown_text(const std::string &line) {
  enum { OUTSIDE, LABEL, TARGET } where = OUTSIDE;
  std::string out;
  for (size_t i = 0; i < line.size(); i++) {
    char c = line[i];
    bool literal = c == '\\' && i + 1 < line.size();
    if (literal) c = line[++i];
    if (literal)
      out += c;
    else if (where == TARGET)
      where = c == ']' ? OUTSIDE : TARGET;
    else if (where == OUTSIDE && c == '[')
      where = LABEL;
    else if (where == LABEL && c == '|')
      where = TARGET;
    else if (c != '*')
      out += c;
  }
  return out;
}

bool read_help_text(const char *path, HelpText &text, std::string &error) {
  FILE *f = fopen(path, "rb");
  if (!f) {
    error = std::string("cannot open ") + path;
    return false;
  }
  std::string all;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, f)) > 0) all.append(buffer, n);
  fclose(f);
  text = HelpText();
  bool in_first_paragraph = false;
  size_t start = 0;
  while (start < all.size()) {
    size_t end = all.find('\n', start);
    if (end == std::string::npos) end = all.size();
    std::string line = to_cp1252(all.substr(start, end - start));
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    // A line that starts with spaces continues the paragraph above it.
    bool continues = in_first_paragraph && !line.empty() && line[0] == ' ' && !trim(line).empty();
    if (!continues) in_first_paragraph = false;
    if (continues) {
      text.topics.back().first_paragraph += " " + shown_text(trim(line));
    } else if (line.compare(0, 9, "@caption ") == 0) {
      text.caption = trim(line.substr(9));
    } else if (line.compare(0, 6, "@back ") == 0) {
      text.back_text = trim(line.substr(6));
    } else if (line.compare(0, 2, "= ") == 0) {
      std::string rest = trim(line.substr(2));
      size_t gap = rest.find(' ');
      if (gap == std::string::npos) continue;
      text.topics.push_back(TopicTitle{rest.substr(0, gap), trim(rest.substr(gap + 1)), ""});
    } else if (text.topics.size() == 1 && !line.empty() && line[0] != '#') {
      read_jumps(line, text.contents_jumps);
    } else if (!text.topics.empty() && text.topics.back().first_paragraph.empty() && !trim(line).empty() &&
               line[0] != '#' && line[0] != '=' && line[0] != '@' && line[0] != ' ' && line.compare(0, 2, "- ") != 0) {
      text.topics.back().first_paragraph = shown_text(trim(line));
      in_first_paragraph = true;
    }
  }
  if (text.topics.empty() || text.contents_jumps.empty()) {
    error = std::string(path) + " has no contents topic with jumps";
    return false;
  }
  return true;
}

std::string HelpText::title_of(const std::string &context) const {
  for (const TopicTitle &t : topics)
    if (t.context == context) return t.title;
  return "";
}

std::string HelpText::first_paragraph_of(const std::string &context) const {
  for (const TopicTitle &t : topics)
    if (t.context == context) return t.first_paragraph;
  return "";
}

std::vector<std::string> page_lines(const std::string &page) {
  std::vector<std::string> lines;
  std::string line;
  for (char c : page) {
    if (c == '\r' || c == '\n') {
      if (!trim(line).empty()) lines.push_back(trim(line));
      line.clear();
    } else {
      line += c;
    }
  }
  if (!trim(line).empty()) lines.push_back(trim(line));
  return lines;
}
