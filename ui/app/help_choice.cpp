#include "ui/app/help_choice.h"

HelpKind choose_help_kind(bool winhelp_viewer_file, unsigned windows_major, bool wine) {
    return winhelp_viewer_file && (windows_major < 6 || wine) ? HELP_WINHELP : HELP_HTML;
}
