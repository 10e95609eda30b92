// Guards the build putting a wrong or stale picture, pointer, icon or manifest behind an id of the game or the
// installer, leaving one out, garbling the resource scripts' accented texts (a script saved as UTF-8), or copying wrong
// waves beside the game; an installer manifest lacking, as the system reads it, the game's systems or DPI awareness.
//
//   resource_test GAME.exe INSTALL.exe REPOSITORY
// Both programs are loaded as data files, so none of their code runs. The
// pictures and pointers are the generator's files named by their ids
// (ui/resources/art/<id>.bmp, .cur), checked as a whole against what the
// programs hold.
#include <windows.h>

#include "check.h"
#include "log_text.h"

#include "install/install_ids.h"
#include "ui/resources/resource.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <vector>

int failed_checks = 0;

static std::string repository;

static std::string file_bytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

static std::string resource(HMODULE module, LPCSTR type, LPCSTR name) {
    HRSRC found = FindResourceA(module, name, type);
    if (!found) return "";
    return std::string(static_cast<const char*>(LockResource(LoadResource(module, found))),
                       SizeofResource(module, found));
}

static WORD word_at(const std::string& bytes, size_t at) {
    return at + 2 <= bytes.size() ? WORD(BYTE(bytes[at]) | BYTE(bytes[at + 1]) << 8) : 0;
}

static DWORD dword_at(const std::string& bytes, size_t at) {
    return word_at(bytes, at) | DWORD(word_at(bytes, at + 2)) << 16;
}

// A .cur or .ico file keeps its images after a directory of 16-byte
// entries; the program keeps a group of 14-byte entries naming one resource
// per image, a pointer's image led by its hot spot. Both as the images in
// order, hot spots included.
static std::string file_images(const std::string& file, bool pointer) {
    std::string images;
    for (size_t i = 0, entry = 6; i < word_at(file, 4); ++i, entry += 16)
        images += (pointer ? file.substr(entry + 4, 4) : "") +
                  file.substr(dword_at(file, entry + 12), dword_at(file, entry + 8));
    return images;
}

static std::string group_images(HMODULE module, LPCSTR name, bool pointer) {
    const std::string group = resource(module, pointer ? RT_GROUP_CURSOR : RT_GROUP_ICON, name);
    std::string images;
    for (size_t i = 0, entry = 6; i < word_at(group, 4); ++i, entry += 14)
        images += resource(module, pointer ? RT_CURSOR : RT_ICON, MAKEINTRESOURCEA(word_at(group, entry + 12)));
    return images;
}

static BOOL CALLBACK add_id(HMODULE, LPCSTR, LPSTR name, LONG_PTR ids) {
    if (IS_INTRESOURCE(name))
        reinterpret_cast<std::vector<int>*>(ids)->push_back(int(reinterpret_cast<UINT_PTR>(name)));
    return TRUE;
}

static size_t files_like(const std::string& pattern) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    size_t count = 0;
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) ++count;
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    return count;
}

static void check_art(HMODULE game) {
    const std::string art = repository + "\\ui\\resources\\art\\";
    for (bool pointer : {false, true}) {
        std::vector<int> ids;
        EnumResourceNamesA(game, pointer ? RT_GROUP_CURSOR : RT_BITMAP, add_id, LONG_PTR(&ids));
        const char* kind = pointer ? ".cur" : ".bmp";
        CHECK(ids.size() == files_like(art + "*" + kind), "%zu %s resources, %zu files", ids.size(), kind,
              files_like(art + "*" + kind));
        for (int id : ids) {
            const std::string file = file_bytes(art + std::to_string(id) + kind);
            const std::string made = pointer ? file_images(file, true) : file.substr(std::min<size_t>(14, file.size()));
            const std::string held = pointer ? group_images(game, MAKEINTRESOURCEA(id), true)
                                             : resource(game, RT_BITMAP, MAKEINTRESOURCEA(id));
            CHECK(!made.empty() && held == made, "resource %d is not %d%s", id, id, kind);
        }
        NOTE("%zu %s resources checked", ids.size(), kind);
    }
    CHECK(group_images(game, MAKEINTRESOURCEA(IDI_KORVALO), false) ==
              file_images(file_bytes(art + "korvalo.ico"), false),
          "the icon is not korvalo.ico");
}

// The accented text as the program reads it, in the dialog template's UTF-16.
static void check_text(HMODULE module, int dialog, const char* text) {
    const std::wstring wide = wide_1252(text);
    const std::string bytes(reinterpret_cast<const char*>(wide.data()), wide.size() * 2);
    CHECK(resource(module, RT_DIALOG, MAKEINTRESOURCEA(dialog)).find(bytes) != std::string::npos,
          "dialog %d lacks \"%s\"", dialog, escaped_for_log(text).c_str());
}

static void check_waves(const std::string& game_folder) {
    const std::string sounds = repository + "\\ui\\resources\\sounds\\";
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((sounds + "*.wav").c_str(), &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
        CHECK(file_bytes(game_folder + found.cFileName) == file_bytes(sounds + found.cFileName),
              "%s beside the game is not the generator's", found.cFileName);
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    CHECK(files_like(sounds + "*.wav") > 0, "no waves in %s", sounds.c_str());
}

// What the system reads from a program's manifest when it starts it: the record of the systems the program
// declares itself made for, and its DPI awareness, the older entry first.
static std::pair<std::string, std::string> read_by_system(const std::string& program) {
    const std::wstring path = wide_1252(program);
    ACTCTXW manifest{
        sizeof manifest, ACTCTX_FLAG_RESOURCE_NAME_VALID, path.c_str(), 0, 0, nullptr, MAKEINTRESOURCEW(1), nullptr,
        nullptr};
    HANDLE context = CreateActCtxW(&manifest);
    std::string systems(4096, '\0');
    SIZE_T size = 0;
    QueryActCtxW(0, context, nullptr, CompatibilityInformationInActivationContext, &systems[0], 4096, &size);
    WCHAR aware[64] = L"", awareness[64] = L"";
    QueryActCtxSettingsW(0, context, L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware", aware, 64,
                         nullptr);
    QueryActCtxSettingsW(0, context, L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness",
                         awareness, 64, nullptr);
    return {systems.substr(0, size), read_as_1252(aware) + " " + read_as_1252(awareness)};
}

// A Unix path from the build becomes one on the drive that maps it.
static std::string full_path(const char* path) {
    char name[MAX_PATH];
    GetFullPathNameA(path, MAX_PATH, name, nullptr);
    return name;
}

static HMODULE load(const std::string& path) {
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    CHECK(module, "cannot load %s", path.c_str());
    return module;
}

int main(int argc, char** argv) {
    if (argc != 4) {
        NOTE("usage: resource_test GAME.exe INSTALL.exe REPOSITORY");
        return 2;
    }
    const std::string game_path = full_path(argv[1]), installer_path = full_path(argv[2]);
    repository = full_path(argv[3]);
    HMODULE game = load(game_path), installer = load(installer_path);
    if (!game || !installer) return 1;
    check_art(game);
    check_text(game, IDD_GAME_OVER, "Último jugador:");
    check_waves(game_path.substr(0, game_path.rfind('\\') + 1));
    const std::string manifest = resource(game, RT_MANIFEST, MAKEINTRESOURCEA(1));
    CHECK(manifest == file_bytes(repository + "\\ui\\resources\\korvalo.manifest"),
          "the game's manifest is not korvalo.manifest");
    // Aware of every monitor's scaling, with the older entry for Windows 8.1:
    // otherwise the system stretches the game's pixels, blurred.
    CHECK(manifest.find(">PerMonitorV2") != std::string::npos && manifest.find(">true/pm<") != std::string::npos,
          "the game's manifest does not declare its awareness of each monitor's scaling");
    CHECK(resource(installer, RT_BITMAP, MAKEINTRESOURCEA(IDB_BANNER)) ==
              file_bytes(repository + "\\install\\art\\banner.bmp").substr(14),
          "the installer's banner is not banner.bmp");
    check_text(installer, IDD_INSTALL, "Instalación de Zenta Korvalo 2.0");
    CHECK(resource(installer, RT_MANIFEST, MAKEINTRESOURCEA(1)) ==
              file_bytes(repository + "\\install\\install.manifest"),
          "the installer's manifest is not install.manifest");
    const std::string systems = read_by_system(game_path).first;
    const auto [installer_systems, installer_dpi] = read_by_system(installer_path);
    CHECK(systems.size() > 4 && systems[0] != 0 && installer_systems == systems,
          "the installer does not declare the systems the game declares");
    CHECK(installer_dpi == "true/pm PerMonitorV2", "the installer's DPI awareness: %s", installer_dpi.c_str());
    NOTE("resources: %d failed checks", failed_checks);
    return failed_checks != 0;
}
