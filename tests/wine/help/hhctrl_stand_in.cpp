// Stands in for the system's HTML Help control (hhctrl.ocx) in a test's
// prefix, where Wine's own viewer shows no page. Each HtmlHelpA call is
// appended to C:\hhctrl-calls.txt as one line
//   command|file|class of the calling window|topic ("-" for none)|path this control was loaded from
// HH_DISPLAY_TOPIC shows a window owned by the caller, as the real viewer's
// is; HH_CLOSE_ALL destroys it.
#include <windows.h>

#include <htmlhelp.h>
#include <stdio.h>

static HWND viewer;

extern "C" __declspec(dllexport) HWND WINAPI HtmlHelpA(HWND caller, LPCSTR file, UINT command, DWORD_PTR data) {
    char caller_class[64] = "", path[MAX_PATH] = "";
    if (caller) GetClassNameA(caller, caller_class, sizeof caller_class);
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(&viewer), &self);
    GetModuleFileNameA(self, path, MAX_PATH);
    if (FILE* log = fopen("C:\\hhctrl-calls.txt", "ab")) {
        const char* topic = command == HH_DISPLAY_TOPIC && data ? reinterpret_cast<const char*>(data) : "-";
        fprintf(log, "%u|%s|%s|%s|%s\n", command, file ? file : "", caller_class, topic, path);
        fclose(log);
    }
    if (command == HH_DISPLAY_TOPIC && !IsWindow(viewer))
        viewer = CreateWindowExA(0, "Static", "Zenta Korvalo", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 400, 300,
                                 caller, nullptr, nullptr, nullptr);
    if (command == HH_CLOSE_ALL && IsWindow(viewer)) DestroyWindow(viewer);
    return command == HH_DISPLAY_TOPIC ? viewer : nullptr;
}
