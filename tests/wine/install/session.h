// Starting the installer and finding, reading and answering its windows from
// outside, the way a user would see them. Every wait polls with a deadline.
#pragma once
#include <windows.h>
#include <string>

struct Program {
  PROCESS_INFORMATION process{};
  bool started = false;
};

struct Box {
  HWND window = nullptr;
  HWND owner = nullptr;
  std::string caption;
  std::string text;
};

// application may be null, in which case the command line names the program.
bool start_program(Program &program, const char *application, const std::string &command_line,
                   const std::string &folder);
// The exit code, or -1 when the program had to be ended after the deadline.
int wait_exit(Program &program, int milliseconds = 10000);
bool still_running(const Program &program);

HWND wait_install_dialog(const Program &program, int milliseconds = 10000);
Box wait_message_box(const Program &program, int milliseconds = 10000);
// Answers a box or presses a dialog button as a click would.
void press(HWND window, int id);
bool wait_gone(HWND window, int milliseconds = 5000);
bool is_default_button(HWND box, int id);

std::string window_text(HWND window);
std::string item_text(HWND dialog, int id);
void type_folder(HWND dialog, const std::string &folder);

// Closes the shell window opened on a folder, so that the prefix's server
// can end, and returns how many items it showed (-1: no window appeared).
int close_shell_window(int milliseconds = 10000);
