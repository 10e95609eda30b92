#pragma once
// Plain text for Windows: UTF-8 with LF line ends in the repository,
// Windows-1252 with CR LF in the installed file, which old editors show
// as one long line otherwise.
#include <string>
#include <vector>

#include "tools/helpc/help_source.h"

// The lines of a source, without their LF or CR LF ends; a last line
// without an end counts, an empty end after the last LF does not.
std::vector<std::string> source_lines(const std::string& utf8);

// Every line, the last one included, ends in CR LF in the result.
bool convert_text_file(const std::string& utf8, std::string& out, SourceError& error);
