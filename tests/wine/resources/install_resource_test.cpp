// Loads the installer's resources from install.exe, opened as a data file
// so that none of its code runs, and checks the install dialog's template
// and the dialog built from it, the banner, the manifest's execution level
// and the version block.
//   install_resource_test PATH-OF-install.exe
#include "resource_checks.h"

#include <cstdio>

#include "install/install_ids.h"

namespace {

const Template install_dialog = {
    IDD_INSTALL,
    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SETFONT,
    203,
    110,
    8,
    "Helv",
    "Instalación de Zenta Korvalo 2.0",
    {
        {IDC_STATIC, BANNER, "#106", 0, 50, 0, 0, IDB_BANNER},
        {IDC_FOLDER, EDIT, "", 51, 11, 140, 12, 0},
        {IDOK, DEFAULT_BUTTON, "Instalar", 80, 30, 40, 14, 0},
        {IDC_STATIC, GROUP_TEXT, "Instalar en:", 13, 12, 36, 12, 0},
    },
};

} // namespace

int main(int argc, char** argv) {
    setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc != 2) {
        std::printf("usage: install_resource_test PATH-OF-install.exe\n");
        return 2;
    }
    // A Unix path from the build becomes one on the drive that maps it.
    char path[MAX_PATH] = {};
    GetFullPathNameA(argv[1], sizeof path, path, nullptr);
    HMODULE installer =
        LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    CHECK(installer != nullptr, "%s: cannot be loaded as a data file (%lu)", path, GetLastError());
    if (!installer) return report_checks("installer resources");

    check_picture(installer, {IDB_BANNER, 314, 71, 8});
    check_template(installer, install_dialog);
    check_dialog(installer, install_dialog);
    check_manifest(installer, "requireAdministrator");
    check_version(path, {{"FileDescription", "Instalación de Zenta Korvalo 2.0"}});
    FreeLibrary(installer);
    return report_checks("installer resources");
}
