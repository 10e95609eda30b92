// The product's name and version, for the version resources of the game
// and the installer (and anything that shows them).
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
