// Checks that print what was got and go on, so that one run shows every
// failure; the program's exit code says whether any failed.
#pragma once

#include <string>

extern int failed_checks;

bool check(bool ok, const std::string &what);
inline std::string quoted(const std::string &s) { return "\"" + s + "\""; }
inline std::string ms(unsigned long t) { return std::to_string(t) + " ms"; }
