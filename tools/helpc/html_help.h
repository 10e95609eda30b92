#pragma once
// The same help as HTML Help: one page per topic (named after its context
// name, Windows-1252 with the charset declared), the contents file (.hhc)
// and the project (.hhp) that the HTML Help compiler turns into NAME.chm.
// The source must already have passed compile_help, which refuses unknown
// jump targets and clashing context names.
#include <map>
#include <string>

#include "tools/helpc/help_source.h"

// File name to bytes; `name` names the project, its contents file and the
// compiled file.
std::map<std::string, std::string> html_help_files(const HelpSource& source, const std::string& name);

// The page a topic is written to.
std::string page_name(const Topic& topic);
