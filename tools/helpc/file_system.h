#pragma once
// The help file's own file system: a 16-byte header, the internal files
// each behind a 9-byte file header, and the directory tree last.
#include <map>
#include <string>

#include "tools/helpc/bytes.h"

enum { FS_HEADER = 16, FS_FILE_HEADER = 9 };

// Names in plain byte order, as the viewer's directory lookup expects (it
// stops at the first larger name). False when the directory page is full.
bool write_file_system(const std::map<std::string, Bytes>& files, Bytes& out);
