#pragma once
// Plain text for Windows: UTF-8 with LF line ends in the repository, and in
// the installed file UTF-8 led by a byte-order mark, with CR LF, which old
// editors show as one long line otherwise. The mark makes Notepad read it as
// UTF-8 on every Windows from 2000 on; without it Notepad takes the system's
// code page, which garbles the accents under Greek or the UTF-8 option.
#include <string>
#include <vector>

#include "tools/helpc/help_source.h"

// The lines of a source, without their LF or CR LF ends; a last line
// without an end counts, an empty end after the last LF does not.
std::vector<std::string> source_lines(const std::string& utf8);

// Every line, the last one included, ends in CR LF in the result. Its
// characters are those Windows-1252 has, as the help's are, so that the
// fonts of the oldest systems show them all.
bool convert_text_file(const std::string& utf8, std::string& out, SourceError& error);
