#include "harness.h"

#include <algorithm>
#include <iterator>

std::string built_installer, stand_in_game;

bool same(const std::string& got, const std::string& expected) {
    if (got != expected)
        std::printf("  got:      \"%s\"\n  expected: \"%s\"\n", escaped_for_log(got).c_str(),
                    escaped_for_log(expected).c_str());
    return got == expected;
}

std::string read_file(const std::string& path) {
    FILE* file = _wfopen(wide_1252(path).c_str(), L"rb");
    std::string content = file ? "" : "<missing>";
    for (int c; file && (c = std::fgetc(file)) != EOF;) content += static_cast<char>(c);
    if (file) std::fclose(file);
    return content;
}

void write_file(const std::string& path, const std::string& content) {
    FILE* file = _wfopen(wide_1252(path).c_str(), L"wb");
    CHECK(file && std::fwrite(content.data(), 1, content.size(), file) == content.size(), "%s written",
          escaped_for_log(path).c_str());
    if (file) std::fclose(file);
}

bool exists(const std::string& path) { return GetFileAttributesW(wide_1252(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

std::map<std::string, std::string> files_in(const std::string& folder) {
    std::map<std::string, std::string> files;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(wide_1252(folder + "\\*").c_str(), &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found))
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            files[read_as_1252(found.cFileName)] = read_file(folder + "\\" + read_as_1252(found.cFileName));
    FindClose(search);
    return files;
}

std::string names(const std::map<std::string, std::string>& files) {
    std::string text;
    for (const auto& file : files) text += file.first + " ";
    return text;
}

PROCESS_INFORMATION start(const std::string& program, const std::string& line, const std::string& folder) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring command = wide_1252(line);
    CHECK(CreateProcessW(wide_1252(program).c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                         wide_1252(folder).c_str(), &startup, &process),
          "started: %s", escaped_for_log(line).c_str());
    return process;
}

int wait_exit(PROCESS_INFORMATION& process) {
    DWORD code = 0;
    WaitForSingleObject(process.hProcess, 10000);
    GetExitCodeProcess(process.hProcess, &code); // STILL_ACTIVE when it has to be ended
    TerminateProcess(process.hProcess, code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return static_cast<int>(code);
}

// The dialog and the boxes share one class; only the dialog has the folder.
HWND wait_window(const PROCESS_INFORMATION& process, bool dialog) {
    for (int tries = 0; tries < 500 && WaitForSingleObject(process.hProcess, 20) == WAIT_TIMEOUT; ++tries)
        for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, L"#32770", nullptr)) != nullptr;) {
            DWORD id = 0;
            GetWindowThreadProcessId(window, &id);
            if (id == process.dwProcessId && IsWindowVisible(window) && !GetDlgItem(window, IDC_FOLDER) == !dialog)
                return window;
        }
    return nullptr;
}

void type_folder(HWND dialog, const std::string& folder) {
    SetDlgItemTextW(dialog, IDC_FOLDER, wide_1252(folder).c_str());
    SendDlgItemMessageW(dialog, IDC_FOLDER, EM_SETSEL, 0, 0);
}

HWND answer(const PROCESS_INFORMATION& process, const char* caption, const std::string& text, HWND owner, int button,
            const std::string& what) {
    HWND box = wait_window(process, false);
    const char* said = what.c_str();
    CHECK(box && same(window_text(box), caption) && same(box_text(box), text), "%s: the box", said);
    CHECK(GetWindow(box, GW_OWNER) == owner, "%s: the box's owner", said);
    if (button) reply(box, button, what);
    return box;
}

void reply(HWND box, int button, const std::string& what) {
    press_box_button(box, button);
    CHECK(wait_until([&] { return !IsWindow(box); }, 5000), "%s: the box closes", what.c_str());
}

// The program group's window, which would keep the prefix's server alive, is closed.
void install(const std::string& program, const std::string& folder, const std::string& what, int scope) {
    PROCESS_INFORMATION installer = start(program, "\"" + program + "\"", "C:\\");
    HWND dialog = wait_window(installer, true), shell = nullptr;
    if (scope) SendMessageW(GetDlgItem(dialog, scope), BM_CLICK, 0, 0);
    if (!folder.empty()) type_folder(dialog, folder);
    PostMessageW(GetDlgItem(dialog, IDC_FOLDER), WM_KEYDOWN, VK_RETURN, 0);
    answer(installer, CAPTION_INSTALL, "La instalación se ha completado con éxito", dialog, IDOK, what);
    wait_until([&] { return (shell = FindWindowW(L"ExplorerWClass", nullptr)) != nullptr; }, 10000);
    PostMessageW(shell, WM_CLOSE, 0, 0);
    wait_until([&] { return !IsWindow(shell); }, 5000);
    CHECK(wait_exit(installer) == 0, "%s: exit code 0", what.c_str());
}

std::string special_folder(int csidl) {
    WCHAR path[MAX_PATH] = L"";
    SHGetFolderPathW(nullptr, csidl, nullptr, 0, path);
    return read_as_1252(path);
}

std::string uninstaller() { return special_folder(CSIDL_WINDOWS) + "\\Korvalo Setup.exe"; }
std::string program_group(int csidl) { return special_folder(csidl) + "\\Zenta Korvalo 2.0"; }
std::string desktop_link(int csidl) { return special_folder(csidl) + "\\Zenta Korvalo.lnk"; }

// Appends "<prefix>name=data" for each value of the key, and returns its subkeys.
static std::vector<std::wstring> list_values(HKEY key, const std::string& prefix, std::vector<std::string>& out) {
    std::vector<WCHAR> name(16384), data(1 << 15);
    DWORD length, bytes, type;
    for (DWORD i = 0; length = 16384, bytes = 1 << 16,
               !RegEnumValueW(key, i, name.data(), &length, nullptr, &type, LPBYTE(data.data()), &bytes);
         ++i) {
        std::string value = type == REG_DWORD ? "#" + std::to_string(*reinterpret_cast<DWORD*>(data.data()))
                                              : read_as_1252(std::wstring(data.data(), bytes / 2)).c_str();
        out.push_back(prefix + read_as_1252(std::wstring(name.data(), length)) + "=" + value);
    }
    std::vector<std::wstring> subkeys;
    for (DWORD i = 0; length = 16384, !RegEnumKeyExW(key, i, name.data(), &length, 0, 0, 0, 0); ++i)
        subkeys.emplace_back(name.data(), length);
    return subkeys;
}

static void list_folder(const std::wstring& folder, std::vector<std::string>& out) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found)) {
        std::wstring name = found.cFileName, path = folder + L"\\" + name;
        if (name == L"." || name == L"..") continue;
        out.push_back(read_as_1252(path) + " " + std::to_string(found.nFileSizeLow) + " " +
                      std::to_string(found.dwFileAttributes));
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) list_folder(path, out);
    }
    FindClose(search);
}

// The classes of COM and of file types and the 32-bit programs' view, which
// the installer never writes, are most of the registry and are left out.
static void list_key(HKEY root, const std::wstring& path, std::vector<std::string>& out) {
    HKEY key;
    if (path == L"Software\\Classes" || path == L"Software\\Wow6432Node" ||
        RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key))
        return;
    std::string name = (root == HKEY_CURRENT_USER ? "HKCU\\" : "HKLM\\") + read_as_1252(path);
    out.push_back(name);
    for (const std::wstring& subkey : list_values(key, name + " : ", out)) list_key(root, path + L"\\" + subkey, out);
    RegCloseKey(key);
}

std::string machine_values(const char* key) {
    std::vector<std::string> lines;
    list_key(HKEY_LOCAL_MACHINE, wide_1252(key), lines);
    std::sort(lines.begin(), lines.end());
    std::string text = lines.empty() ? "(no key)" : "";
    for (size_t i = 1; i < lines.size(); ++i) text += lines[i].substr(lines[0].size() + 3) + "\n";
    return text;
}

std::string outside_profile(const std::string& changed) {
    std::string outside, profile = special_folder(CSIDL_PROFILE) + "\\";
    for (size_t at = 0, end; at < changed.size(); at = end + 1) {
        end = changed.find('\n', at);
        std::string line = changed.substr(at, end - at);
        if (line.rfind(profile, 0) != 0 && line.rfind("HKCU\\", 0) != 0) outside += line + "\n";
    }
    return outside;
}

std::vector<std::string> prefix_state() {
    std::vector<std::string> state;
    list_folder(L"C:", state);
    list_key(HKEY_LOCAL_MACHINE, L"Software", state);
    list_key(HKEY_CURRENT_USER, L"Software", state);
    list_key(HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Control\\Session Manager", state); // the restart's work
    std::sort(state.begin(), state.end());
    return state;
}

// Wine's own bookkeeping moves by itself: the display driver's date stamp,
// Wine's settings, the state of the shell's folder windows; and Notepad keeps
// its settings.
std::string changed_since(const std::vector<std::string>& before) {
    std::vector<std::string> after = prefix_state(), changed;
    std::set_symmetric_difference(before.begin(), before.end(), after.begin(), after.end(),
                                  std::back_inserter(changed));
    std::string kept;
    for (const std::string& line : changed)
        if (line.find(" : DriverDateData=") == std::string::npos && line.rfind("HKCU\\Software\\Wine\\", 0) &&
            line.rfind("HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\", 0) &&
            line.rfind("HKCU\\Software\\Microsoft\\Notepad", 0))
            kept += line + "\n";
    return kept;
}
