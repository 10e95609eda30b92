#pragma once
// UTF-8 (how the sources are kept) to Windows-1252 (what the help viewer and
// Notepad read). A character the code page lacks is an error, never a '?':
// a silently replaced letter in a rule text is worse than a failed build.
#include <string>

// Converts text; on failure returns false and sets error (the byte column
// where the bad sequence starts is 1-based).
bool utf8_to_cp1252(const std::string& utf8, std::string& out, std::string& error);
