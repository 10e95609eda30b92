#include "install.h"

#include "product/game_files.h"
#include "product/product.h"

#define INSTALL_ROW(source, destination) {source, destination},
const InstallFile install_file_table[INSTALL_FILE_COUNT] = {KORVALO_GAME_FILES(INSTALL_ROW)};
#undef INSTALL_ROW
#define INSTALL_ONE(source, destination) +1
static_assert(0 KORVALO_GAME_FILES(INSTALL_ONE) == INSTALL_FILE_COUNT, "every listed game file has its row");
#undef INSTALL_ONE

#include <shlobj.h>

const InstallScope EVERYONE = {true, HKEY_LOCAL_MACHINE, CSIDL_COMMON_PROGRAMS, CSIDL_COMMON_DESKTOPDIRECTORY,
                               " /ALLUSERS"};
const InstallScope ONLY_ME = {false, HKEY_CURRENT_USER, CSIDL_PROGRAMS, CSIDL_DESKTOPDIRECTORY, " /CURRENTUSER"};

const InstallScope& other_scope(const InstallScope& scope) { return scope.all_users ? ONLY_ME : EVERYONE; }

const Shortcut shortcut_table[SHORTCUT_COUNT] = {
    {"Ayuda.lnk", "Korvalo.hlp"},
    {"Léame.lnk", "Léame.txt"},
    {"Zenta Korvalo.lnk", "Korvalo.exe"},
};

const char HTML_HELP_FILE[] = "Korvalo.chm";

const char TITLE_INSTALL[] = "Instalación de " KORVALO_PRODUCT_NAME " " KORVALO_VERSION_TEXT;
const char TITLE_ERROR[] = "Error de instalación";
const char TITLE_UNINSTALL[] = "Desinstalación";
const char TEXT_BAD_FORM[] = "La ruta debe estar en la forma C:\\Carpeta";
const char TEXT_BAD_DRIVE[] = "La unidad no especificada no existe o no es un disco duro";
const char TEXT_BAD_CHARS[] = "Los caracteres siguientes no son válidos:\n\n: ? < > | * \" /";
const char TEXT_UNC[] = "No se puede instalar en una ruta UNC";
const char TEXT_NO_FOLDER[] = "No se pudo crear el directorio";
const char TEXT_MISSING_SOURCE[] = "No se encontraron los archivos para instalar";
const char TEXT_COPY_FAILED[] = "No fueron copiados todos los archivos";
const char TEXT_INSTALLED[] = "La instalación se ha completado con éxito";
const char TEXT_CANCEL[] = "¿Está seguro que quiere salir sin instalar el programa?";
const char TEXT_CONFIRM_UNINSTALL[] = "¿Está seguro de que quiere desinstalar el juego?";
const char TEXT_CLOSE_GAME[] = "Cierre Zenta Korvalo antes de desinstalarlo.";
const char TEXT_UNINSTALLED[] = "El juego se ha desinstalado con éxito";
const char TEXT_NOT_UNINSTALLED[] = "No se desinstaló completamente.\nDebe eliminar manualmente lo que queda:\n\n";
const char TEXT_NOT_INSTALLED[] = "Zenta Korvalo no está instalado.";
const char TEXT_LEFT_FOLDER[] = "los archivos del juego (no se reconoce su carpeta)";
const char TEXT_LEFT_SHORTCUTS[] = "accesos directos del menú Inicio o del escritorio";
const char TEXT_LEFT_REGISTRY[] = "la entrada del registro";
const char TEXT_MISSING_BESIDE[] = "Faltan estos archivos junto a install.exe:\n\n";
const char TEXT_MISSING_HOW[] =
    "\nSi abrió install.exe dentro del archivo zip, extraiga antes todo el archivo, o use el "
    "instalador de un solo archivo " KORVALO_SETUP_FILE ".";
const char TEXT_DAMAGED[] = "El instalador está dañado o incompleto: descárguelo de nuevo. No se ha instalado nada.";
const char TEXT_OTHER_SCOPE_EVERYONE[] =
    "Zenta Korvalo ya está instalado para todos los usuarios. Desinstálelo primero "
    "o instálelo de nuevo para todos los usuarios.";
const char TEXT_OTHER_SCOPE_ME[] = "Zenta Korvalo ya está instalado solo para usted. Desinstálelo primero o instálelo "
                                   "de nuevo solo para usted.";
const char TEXT_ELEVATION_REFUSED[] = "Para instalar para todos los usuarios hace falta permiso de administrador, y no "
                                      "se ha concedido. Puede instalar solo para usted.";
const char TEXT_NOT_ADMIN[] = "Para instalar para todos los usuarios hace falta permiso de administrador.";
const char PROGRAM_GROUP_NAME[] = KORVALO_PRODUCT_NAME " " KORVALO_VERSION_TEXT;
const char PUBLISHER[] = KORVALO_PRODUCT_NAME;
const char DESKTOP_LINK[] = "Zenta Korvalo.lnk";
const char UNINSTALLER_NAME[] = "Korvalo Setup.exe";
// The help viewer's index, made beside the help file when it is first opened.
const char HELP_INDEX_NAME[] = "Korvalo.gid";
const char GAME_RUNNING_MARK[] = KORVALO_MUTEX_NAME;
const char KEY_GAME[] = "Software\\Korvalo";
const char KEY_UNINSTALL[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zenta Korvalo";
