#pragma once
// Plain text for Windows: UTF-8 with LF line ends in the repository,
// Windows-1252 with CR LF in the installed file, which old editors show
// as one long line otherwise.
#include <string>

#include "tools/helpc/help_source.h"

// Every line, the last one included, ends in CR LF in the result.
bool convert_text_file(const std::string &utf8, std::string &out, SourceError &error);
