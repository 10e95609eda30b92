// Texts of the tests, which write them as Windows-1252 bytes like the game:
// for the logs, bytes above 127 are shown as \xNN, so that a log stays
// readable as UTF-8; and texts go to and come back from windows as UTF-16,
// so that what a window shows is read the same under any code page.
#pragma once

#include <string>

std::string escaped_for_log(const std::string& text);

std::wstring wide_1252(const std::string& text);
// A character 1252 lacks comes back as \uXXXX, never as a '?' that could
// pass for one the game wrote.
std::string read_as_1252(const std::wstring& text);
