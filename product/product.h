// The facts the game, the installer and the build share, written once: the
// product's name and version (for both version resources, the installer's
// titles and its uninstall entry), the name of the mark the running game
// holds, and the name of the single setup file.
#pragma once

#define KORVALO_PRODUCT_NAME "Zenta Korvalo"
#define KORVALO_VERSION_MAJOR 2
#define KORVALO_VERSION_MINOR 0
#define KORVALO_VERSION_PATCH 0
#define KORVALO_VERSION_BUILD 0
#define KORVALO_VERSION_TEXT "2.0"
// VERSIONINFO wants the four numbers as a comma list.
#define KORVALO_VERSION_LIST KORVALO_VERSION_MAJOR, KORVALO_VERSION_MINOR, KORVALO_VERSION_PATCH, KORVALO_VERSION_BUILD
// Spanish (modern sort), Windows-1252: the translation every string block uses.
#define KORVALO_LANGUAGE 0x0C0A
#define KORVALO_CODEPAGE 1252
#define KORVALO_STRING_BLOCK "0C0A04E4"

// The game holds a mutex of this name while it runs: a second copy and the
// uninstaller look for it.
#define KORVALO_MUTEX_NAME "ZentaKorvaloJuego"
// The one file a player downloads: the installer carrying every game file.
#define KORVALO_SETUP_FILE "ZentaKorvalo-" KORVALO_VERSION_TEXT "-instalar.exe"
