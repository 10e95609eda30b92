// Checks that report at the caller's line what was got and what was expected.
#pragma once
#include <string>

extern int check_failures;

void check_at(const char *file, int line, bool ok, const std::string &what);
void check_text_at(const char *file, int line, const std::string &got, const std::string &expected,
                   const std::string &what);

#define CHECK(ok, what) check_at(__FILE__, __LINE__, (ok), (what))
#define CHECK_TEXT(got, expected, what) check_text_at(__FILE__, __LINE__, (got), (expected), (what))
