#include "install.h"

// Source names are what the medium holds, destination names what the game
// looks for; the copy changes only the name. The first three rows are the
// shortcut targets; the HTML help is last, after the files the uninstaller
// has always deleted in this order.
const InstallFile install_file_table[INSTALL_FILE_COUNT] = {
    {"Korvalo.hl_", "Korvalo.hlp"}, {"Léame.txt", "Léame.txt"},     {"Korvalo.ex_", "Korvalo.exe"},
    {"Perro.wa_", "Perro.wav"},     {"Aleluya.wa_", "Aleluya.wav"}, {"Bravo.wa_", "Bravo.wav"},
    {"Dados.wa_", "Dados.wav"},     {"Ficha.wa_", "Ficha.wav"},     {"Jail.wa_", "Jail.wav"},
    {"Libre.wa_", "Libre.wav"},     {"No.wa_", "No.wav"},           {"Tit.wa_", "Tit.wav"},
    {"Turn.wa_", "Turn.wav"},       {"Ajiji.wa_", "Ajiji.wav"},     {"Korvalo.ch_", "Korvalo.chm"},
};

const Shortcut shortcut_table[SHORTCUT_COUNT] = {
    {"Ayuda.lnk", "Korvalo.hlp"},
    {"Léame.lnk", "Léame.txt"},
    {"Zenta Korvalo.lnk", "Korvalo.exe"},
};

const char HTML_HELP_FILE[] = "Korvalo.chm";

const char TITLE_INSTALL[] = "Instalación de Zenta Korvalo 2.0";
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
const char TEXT_NOT_UNINSTALLED[] = "No se desinstaló completamente.\nDebe eliminar los archivos manualmente";
const char TEXT_NOT_INSTALLED[] = "Zenta Korvalo no está instalado.";
const char PROGRAM_GROUP_NAME[] = "Zenta Korvalo 2.0";
const char PUBLISHER[] = "Zenta Korvalo";
const char DESKTOP_LINK[] = "Zenta Korvalo.lnk";
const char UNINSTALLER_NAME[] = "Korvalo Setup.exe";
// The help viewer's index, made beside the help file when it is first opened.
const char HELP_INDEX_NAME[] = "Korvalo.gid";
// The game holds a mutex of this name while it runs.
const char GAME_RUNNING_MARK[] = "ZentaKorvaloJuego";
const char KEY_GAME[] = "Software\\Korvalo";
const char KEY_UNINSTALL[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zenta Korvalo";
