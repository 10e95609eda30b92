// Guards against: the single setup file needing anything beside it, every user's uninstaller removing the user's own
// shortcuts, installing other bytes than the medium's,
// installing or leaving anything when damaged or cut, a user's own installation writing outside the user's profile
// and HKEY_CURRENT_USER or under the wrong uninstall command, a silent run that asks or fails with 0, a silent
// uninstall that leaves anything, every user's installation in the wrong places.
#include "harness.h"

#include "../../../install/install.h"

static const char DOWNLOADS[] = "C:\\descargas";

static int run(const std::string& program, const std::string& arguments) {
    PROCESS_INFORMATION process = start(program, "\"" + program + "\" " + arguments, DOWNLOADS);
    return wait_exit(process);
}

static std::string user_values(const char* key) {
    HKEY opened;
    std::string text;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, wide_1252(key).c_str(), 0, KEY_READ, &opened)) return "(no key)";
    WCHAR data[1024];
    DWORD bytes = sizeof data, type = 0;
    if (!RegQueryValueExW(opened, L"UninstallString", nullptr, &type, reinterpret_cast<BYTE*>(data), &bytes))
        text = read_as_1252(data);
    RegCloseKey(opened);
    return text;
}

void check_setup(const std::string& built_setup, const std::string& medium) {
    std::string setup = std::string(DOWNLOADS) + "\\ZentaKorvalo-2.0-instalar.exe";
    std::string bytes = read_file(built_setup), local = special_folder(CSIDL_LOCAL_APPDATA);
    CreateDirectoryW(wide_1252(DOWNLOADS).c_str(), nullptr);
    CreateDirectoryW(wide_1252(local + "\\Programs").c_str(), nullptr); // as Windows gives every profile
    write_file(setup, bytes);
    std::string flipped = bytes, cut = bytes.substr(0, bytes.size() - 1000);
    flipped[bytes.size() - 5000] ^= 0x20;
    write_file(std::string(DOWNLOADS) + "\\dañado.exe", flipped);
    write_file(std::string(DOWNLOADS) + "\\cortado.exe", cut);
    std::vector<std::string> before = prefix_state();
    for (const char* damaged : {"\\dañado.exe", "\\cortado.exe"})
        CHECK(run(DOWNLOADS + std::string(damaged), "/S /CURRENTUSER") == FAILED_DAMAGED, "%s refused", damaged);
    CHECK(same(changed_since(before), ""), "a damaged setup file writes nothing");

    CHECK(run(setup, "/S /CURRENTUSER") == DONE, "only for me, silently: exit 0");
    std::string folder = local + "\\Programs\\Zenta Korvalo", own_uninstaller = local + "\\Programs\\Korvalo Setup.exe";
    CHECK(holds_medium(folder, medium), "the user's game folder holds the medium's files");
    CHECK(same(outside_profile(changed_since(before)), ""),
          "only for me: nothing outside the profile and HKEY_CURRENT_USER");
    CHECK(same(user_values(UNINSTALL_KEY), "\"" + own_uninstaller + "\" /uninstall /CURRENTUSER"),
          "the user's uninstall command");
    CHECK(exists(program_group(CSIDL_PROGRAMS) + "\\Zenta Korvalo.lnk") && exists(desktop_link(CSIDL_DESKTOPDIRECTORY)),
          "the user's own shortcuts");
    CHECK(run(setup, "/S /ALLUSERS") == FAILED_OTHER_SCOPE, "every user's over the user's own: refused");
    // Every user's game from an earlier version beside it: its uninstaller leaves the user's own shortcuts.
    CreateDirectoryW(L"C:\\Viejo", nullptr);
    write_file("C:\\Viejo\\Korvalo.exe", "juego");
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, L"Software\\Korvalo", L"Path", REG_SZ, L"C:\\Viejo\\", 20);
    CHECK(run(setup, "/uninstall /S") == DONE && !exists("C:\\Viejo") &&
              exists(program_group(CSIDL_PROGRAMS) + "\\Zenta Korvalo.lnk") &&
              exists(desktop_link(CSIDL_DESKTOPDIRECTORY)),
          "the earlier version uninstalled, the user's own shortcuts kept");
    CHECK(run(own_uninstaller, "/uninstall /CURRENTUSER /S") == DONE, "uninstalled silently: exit 0");
    CHECK(wait_until([&] { return changed_since(before).empty(); }, 10000), "nothing left:\n%s",
          escaped_for_log(changed_since(before)).c_str());

    std::string common = "C:\\Juegos de todos\\Korvalo"; // /D= last, blanks and all
    CHECK(run(setup, "/ALLUSERS /s /D=" + common + " ") == DONE, "for everyone, silently, in a folder given: exit 0");
    CHECK(holds_medium(common, medium) && exists(program_group() + "\\Zenta Korvalo.lnk") &&
              machine_values(UNINSTALL_KEY).find("/uninstall /ALLUSERS") != std::string::npos,
          "every user's installation");
    CHECK(run(uninstaller(), "/uninstall /ALLUSERS /S") == DONE && !exists(common) && !exists(program_group()),
          "every user's uninstalled silently");
}
