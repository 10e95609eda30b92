#include "session.h"

#include "files.h"
#include "../../../install/install_ids.h"

#include <commctrl.h>
#include <vector>

static const int POLL_MS = 20;

bool start_program(Program &program, const char *application, const std::string &command_line,
                   const std::string &folder) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::vector<char> line(command_line.begin(), command_line.end());
  line.push_back('\0');
  program.started = CreateProcessA(application, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   folder.c_str(), &startup, &program.process) != FALSE;
  return program.started;
}

int wait_exit(Program &program, int milliseconds) {
  if (!program.started) return -1;
  DWORD code = static_cast<DWORD>(-1);
  if (WaitForSingleObject(program.process.hProcess, milliseconds) == WAIT_OBJECT_0) {
    GetExitCodeProcess(program.process.hProcess, &code);
  } else {
    TerminateProcess(program.process.hProcess, 99);
    WaitForSingleObject(program.process.hProcess, 5000);
    code = static_cast<DWORD>(-1);
  }
  CloseHandle(program.process.hProcess);
  CloseHandle(program.process.hThread);
  program.started = false;
  return static_cast<int>(code);
}

bool still_running(const Program &program) {
  return program.started && WaitForSingleObject(program.process.hProcess, 0) == WAIT_TIMEOUT;
}

// The install dialog and the message boxes share the dialog class; only the
// dialog has the folder edit.
static HWND find_dialog_window(const Program &program, bool want_install_dialog) {
  HWND window = nullptr;
  while ((window = FindWindowExA(nullptr, window, "#32770", nullptr)) != nullptr) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != program.process.dwProcessId || !IsWindowVisible(window)) continue;
    bool is_install_dialog = GetDlgItem(window, IDC_FOLDER) != nullptr;
    if (is_install_dialog == want_install_dialog) return window;
  }
  return nullptr;
}

HWND wait_install_dialog(const Program &program, int milliseconds) {
  for (int waited = 0; waited < milliseconds; waited += POLL_MS) {
    if (HWND dialog = find_dialog_window(program, true)) return dialog;
    if (!still_running(program)) return nullptr;
    Sleep(POLL_MS);
  }
  return nullptr;
}

Box wait_message_box(const Program &program, int milliseconds) {
  Box box;
  for (int waited = 0; waited < milliseconds; waited += POLL_MS) {
    box.window = find_dialog_window(program, false);
    if (box.window != nullptr) break;
    if (!still_running(program)) return box;
    Sleep(POLL_MS);
  }
  if (box.window == nullptr) return box;
  box.owner = GetWindow(box.window, GW_OWNER);
  box.caption = window_text(box.window);
  box.text = item_text(box.window, 0xFFFF);
  return box;
}

// A click moves the focus to the button; without a button (Cancel of a box
// that has none, as Esc or the close box give it) the command alone.
void press(HWND window, int id) {
  if (HWND button = GetDlgItem(window, id))
    PostMessageA(button, BM_CLICK, 0, 0);
  else
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

bool wait_gone(HWND window, int milliseconds) {
  for (int waited = 0; waited < milliseconds; waited += POLL_MS) {
    if (!IsWindow(window)) return true;
    Sleep(POLL_MS);
  }
  return false;
}

bool is_default_button(HWND box, int id) {
  HWND button = GetDlgItem(box, id);
  return button != nullptr && (GetWindowLongA(button, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON;
}

// Read as UTF-16 and compared as Windows-1252, whatever the code page: a
// text the program handed over in the wrong code page shows as wrong here.
std::string window_text(HWND window) {
  WCHAR text[1024] = L"";
  SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
  char out[1024] = "";
  WideCharToMultiByte(1252, 0, text, -1, out, sizeof out, nullptr, nullptr);
  return out;
}

std::string item_text(HWND dialog, int id) { return window_text(GetDlgItem(dialog, id)); }

void type_folder(HWND dialog, const std::string &folder) {
  SetDlgItemTextW(dialog, IDC_FOLDER, wide(folder).c_str());
  SendDlgItemMessageA(dialog, IDC_FOLDER, EM_SETSEL, 0, 0);
}

// Wine's shell window names no folder in its title or address bar, so the
// folder is recognised by how many items its list shows once filled.
static BOOL CALLBACK find_list(HWND child, LPARAM found) {
  char kind[64] = "";
  GetClassNameA(child, kind, sizeof kind);
  if (lstrcmpiA(kind, "SysListView32") != 0) return TRUE;
  *reinterpret_cast<HWND *>(found) = child;
  return FALSE;
}

int close_shell_window(int milliseconds) {
  for (int waited = 0; waited < milliseconds; waited += POLL_MS) {
    if (HWND shell = FindWindowA("ExplorerWClass", nullptr)) {
      int items = -1;
      HWND list = nullptr;
      for (int tries = 0; tries < 100; ++tries, Sleep(POLL_MS)) {
        if (list == nullptr) EnumChildWindows(shell, find_list, reinterpret_cast<LPARAM>(&list));
        if (list == nullptr) continue;
        items = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
        if (items > 0) break;
      }
      PostMessageA(shell, WM_CLOSE, 0, 0);
      wait_gone(shell);
      return items;
    }
    Sleep(POLL_MS);
  }
  return -1;
}
