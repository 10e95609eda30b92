#include "check.h"

#include "log_text.h"

#include <cstdio>

int check_failures = 0;

void check_at(const char *file, int line, bool ok, const std::string &what) {
  if (ok) return;
  ++check_failures;
  std::printf("%s:%d: FAILED: %s\n", file, line, escaped_for_log(what).c_str());
}

void check_text_at(const char *file, int line, const std::string &got, const std::string &expected,
                   const std::string &what) {
  if (got == expected) return;
  ++check_failures;
  std::printf("%s:%d: FAILED: %s\n  got:      \"%s\"\n  expected: \"%s\"\n", file, line,
              escaped_for_log(what).c_str(), escaped_for_log(got).c_str(),
              escaped_for_log(expected).c_str());
}
