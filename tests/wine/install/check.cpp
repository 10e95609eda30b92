#include "check.h"

#include <cstdio>

int check_failures = 0;

// The program's texts are Windows-1252; bytes above 127 are shown escaped so
// the log reads the same on any terminal.
static std::string printable(const std::string &text) {
  std::string out;
  for (unsigned char c : text) {
    if (c >= 32 && c < 127) {
      out += static_cast<char>(c);
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
      out += escaped;
    }
  }
  return out;
}

void check_at(const char *file, int line, bool ok, const std::string &what) {
  if (ok) return;
  ++check_failures;
  std::printf("%s:%d: FAILED: %s\n", file, line, printable(what).c_str());
}

void check_text_at(const char *file, int line, const std::string &got, const std::string &expected,
                   const std::string &what) {
  if (got == expected) return;
  ++check_failures;
  std::printf("%s:%d: FAILED: %s\n  got:      \"%s\"\n  expected: \"%s\"\n", file, line,
              printable(what).c_str(), printable(got).c_str(), printable(expected).c_str());
}
