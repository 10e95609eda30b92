// The two times chmcmd writes into a .chm, cleared, so that the same pages
// always give the same file.
#pragma once
#include <string>

// The ITSF header's time and the #SYSTEM file's time record (code 10) set to
// zero; false, with the file unchanged, when either is not found where a
// .chm keeps it, or the record is not found exactly once.
bool clear_chm_times(std::string& chm);
