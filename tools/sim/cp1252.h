// UTF-8 text from scenario files to the Windows-1252 bytes the game holds.
#pragma once

#include <string>

// False if the text holds a character that Windows-1252 cannot show.
bool utf8_to_cp1252(const std::string& utf8, std::string* out);
std::string cp1252_to_utf8(const std::string& bytes);
