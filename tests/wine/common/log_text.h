// Texts for the test logs: Windows-1252 bytes above 127 are shown as \xNN,
// so that a log stays readable as UTF-8.
#pragma once

#include <string>

std::string escaped_for_log(const std::string& text);
