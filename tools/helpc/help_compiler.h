#pragma once
// From a parsed help source to the bytes of a help file, with the checks
// that span topics: unknown jump targets, context names that collide
// (equal, or different names with one hash), records and trees that would
// not fit.
#include "tools/helpc/bytes.h"
#include "tools/helpc/help_source.h"

bool compile_help(const HelpSource& source, Bytes& out, SourceError& error);
