// Which of the game's two help files the system can show. Platform-neutral:
// the Win32 side gathers the facts, this decides.
#pragma once

enum HelpKind { HELP_WINHELP, HELP_HTML };

// WinHelp where a viewer that really shows .hlp files is present: a viewer
// file (winhlp32.exe in the Windows or the system folder) on a system older
// than 6.0 (Vista), or on Wine, whose viewer works. From Vista on the file, where there is one, is
// a stub that only says the feature is gone, so those systems get HTML
// Help, which every Windows from 98 on has.
HelpKind choose_help_kind(bool winhelp_viewer_file, unsigned windows_major, bool wine);
