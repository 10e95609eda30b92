// The game's help as a player meets it, under Wine.
//
// Group "help", in one session:
// 1. The help file alone in the system's help viewer, opened by its bare
//    name from the current folder as the game does: the window (class
//    MS_WINHELP) with our caption, the contents topic with every jump of
//    the help source, each jump showing the topic the source names and the
//    way back showing the contents again. The pictures of these pages are
//    the references for what follows.
// 2. The real game started in its own folder: F1 (a real key) opens the
//    viewer on the contents, the same picture as the reference, and a jump
//    shows its topic; the "?" button (a real click) opens it too. The help
//    window taking the activation does not minimise the game, while a
//    plain window of another program does. Leaving the game (Escape, Yes)
//    closes the help.
// 3. The game started from a folder without the help file: F1 neither
//    opens a viewer nor stops the game behind the viewer's question.
// Group "again": the help left open on a topic behind the game: switching
// back to it does not minimise the game, and F1 brings it back in front on
// the contents.
// Group "chm": the prefix made a system without a WinHelp viewer (its
// winhlp32.exe removed from the Windows and the system folder) whose HTML Help control is a stand-in that logs its
// calls (hhctrl.ocx from the current folder, loaded with the override
// hhctrl.ocx=n): the game started from another folder opens Korvalo.chm
// from its own folder on the default topic through HtmlHelpA, for F1 and
// for "?"; its viewer window taking the activation does not minimise the
// game, another program's does; leaving closes the help (HH_CLOSE_ALL). A
// game without Korvalo.chm beside it calls nothing and asks nothing.
//
// Clicks and screenshots are made from inside Wine (SendInput, a screen
// BitBlt); screenshots are left as help-*.bmp in the current folder. Any
// viewer still open at the end is closed, because it would keep the wine
// server, and the test, alive. Exit code 0 when all is well.
//
//   help_window_check HELP-SOURCE GAME-FOLDER OTHER-FOLDER help|again|chm
// with Korvalo.hlp in the current folder, the game (korvalo.exe beside its
// Korvalo.hlp, Korvalo.chm and waves) in GAME-FOLDER, and a korvalo.exe
// without any help file in OTHER-FOLDER.
#include <windows.h>

#include <htmlhelp.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "checks.h"
#include "desktop.h"
#include "game_driver.h"
#include "help_text.h"

static const char expected_caption[] = "Zenta Korvalo";
// The viewer draws jumps in this green, underlined.
static const uint32_t jump_colour = 0x008000;

int failed_checks = 0;

// The messages hold texts as the game and the viewer show them, in
// Windows-1252; the log is read in UTF-8.
static std::string for_the_log(const std::string &cp1252) {
  if (cp1252.empty()) return cp1252;
  std::wstring wide(cp1252.size(), L'\0');
  int n = MultiByteToWideChar(1252, 0, cp1252.data(), int(cp1252.size()), &wide[0], int(wide.size()));
  std::string out(size_t(n) * 3, '\0');
  out.resize(size_t(WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, &out[0], int(out.size()), NULL, NULL)));
  return out;
}

bool check(bool ok, const std::string &what) {
  printf("%s: %s\n", ok ? "ok" : "FAIL", for_the_log(what).c_str());
  if (!ok) failed_checks++;
  return ok;
}

static std::string first_line(const std::string &page) {
  std::vector<std::string> lines = page_lines(page);
  return lines.empty() ? "" : lines.front();
}

// A jump's underline is a row of jump-coloured pixels without a gap; the
// text to click is just above it. Screen points, top to bottom.
static std::vector<POINT> find_jumps(const Shot &s) {
  std::vector<POINT> jumps;
  for (int y = 0; y < s.height; y++) {
    int count = 0, first = -1, last = -1;
    for (int x = 0; x < s.width; x++) {
      if (s.at(x, y) != jump_colour) continue;
      if (first < 0) first = x;
      last = x;
      count++;
    }
    if (count >= 20 && count == last - first + 1)
      jumps.push_back(POINT{s.left + first + count / 2, s.top + y - 5});
  }
  return jumps;
}

static int count_jump_pixels(const Shot &s) {
  int n = 0;
  for (uint32_t px : s.pixels) n += px == jump_colour;
  return n;
}

struct Page {
  std::string text;
  Shot shot;  // the text pane
};

// Waits until the viewer shows a page whose title is `title` (any page other
// than `leaving` when the title is empty) and its picture has stopped
// changing and differs from `leaving`'s; the pane's picture and text.
static bool wait_for_page(HWND help, const std::string &title, const Page *leaving, Page &page, DWORD deadline) {
  Shot last;
  return wait_until(
      [&] {
        HWND pane = help_text_pane(help);
        if (!pane) return false;
        std::string text = help_page_text(help);
        if (text.empty()) return false;
        if (!title.empty() && first_line(text) != title) return false;
        if (title.empty() && leaving && text == leaving->text) return false;
        Shot now = capture(window_rect(pane));
        if (leaving && differing_pixels(now, leaving->shot) == 0) return false;
        bool steady = !last.pixels.empty() && differing_pixels(now, last) == 0;
        last = now;
        if (!steady) return false;
        page.text = text;
        page.shot = now;
        return true;
      },
      deadline);
}

static bool contents_lists_every_jump(const std::string &text, const HelpText &source, std::string &missing) {
  std::vector<std::string> lines = page_lines(text);
  size_t at = 0;
  for (const ContentsJump &jump : source.contents_jumps) {
    while (at < lines.size() && lines[at].find(jump.label) == std::string::npos) at++;
    if (at == lines.size()) {
      missing = jump.label;
      return false;
    }
    at++;
  }
  return true;
}

// ---- 1. the viewer alone -------------------------------------------------

struct Reference {
  Page contents;
  std::vector<Page> pages;  // by contents jump, empty when it failed
};

static void check_contents(const Page &contents, const HelpText &source, const char *who) {
  std::string missing;
  check(contents_lists_every_jump(contents.text, source, missing),
        std::string(who) + ": the contents lists every jump of the source in order" +
            (missing.empty() ? "" : " (missing " + quoted(missing) + ")"));
}

// The way back ends a page; on a small screen it is below the window's
// edge until the page is scrolled to its end.
static Shot end_of_page(HWND help, const Page &page) {
  HWND pane = help_text_pane(help);
  if (!(GetWindowLongA(pane, GWL_STYLE) & WS_VSCROLL)) return page.shot;
  DWORD_PTR result;
  SendMessageTimeoutA(pane, WM_VSCROLL, SB_BOTTOM, 0, SMTO_NORMAL, 2000, &result);
  Shot last, now;
  wait_until(
      [&] {
        now = capture(window_rect(pane));
        bool steady = differing_pixels(now, page.shot) != 0 && differing_pixels(now, last) == 0;
        last = now;
        return steady;
      },
      3000);
  return now;
}

// Every jump of the source is drawn on the contents page, or, when the
// page is longer than the window (a small screen), the first ones are.
static bool jumps_drawn(HWND help, const std::vector<POINT> &jumps, const HelpText &source, const std::string &who) {
  size_t want = source.contents_jumps.size();
  bool scrolls = (GetWindowLongA(help_text_pane(help), GWL_STYLE) & WS_VSCROLL) != 0;
  if (scrolls && !jumps.empty() && jumps.size() < want) {
    printf("   %s: %zu of %zu jumps fit in the window\n", who.c_str(), jumps.size(), want);
    return true;
  }
  return check(jumps.size() == want, who + ": " + std::to_string(jumps.size()) + " jumps drawn on the contents page, " +
                                         std::to_string(want) + " in the source");
}

static void click_through(HWND help, const HelpText &source, Reference &ref) {
  const Page &contents = ref.contents;
  std::vector<POINT> jumps = find_jumps(contents.shot);
  if (!jumps_drawn(help, jumps, source, "viewer alone")) return;
  ref.pages.resize(jumps.size());
  int right = 0;
  for (size_t i = 0; i < jumps.size(); i++) {
    const ContentsJump &jump = source.contents_jumps[i];
    std::string title = source.title_of(jump.target);
    std::string n = std::to_string(i + 1);
    real_click(jumps[i]);
    Page page;
    if (!wait_for_page(help, "", &contents, page, 5000)) {
      check(false, "jump " + n + " " + quoted(jump.label) + " showed no new page");
      continue;
    }
    save_bmp(page.shot, "help-page-" + n + ".bmp");
    bool ok = check(first_line(page.text) == title,
                    "jump " + n + " " + quoted(jump.label) + " shows the topic " + quoted(title) + " (got " +
                        quoted(first_line(page.text)) + ")");
    // The title alone would pass a page whose text is wrong or missing.
    std::string paragraph = source.first_paragraph_of(jump.target);
    std::vector<std::string> lines = page_lines(page.text);
    if (!paragraph.empty() && std::find(lines.begin(), lines.end(), paragraph) == lines.end())
      ok = check(false, "page " + n + " shows its first paragraph as in the source: " + quoted(paragraph));
    for (size_t j = 0; j < i; j++)
      if (!ref.pages[j].text.empty() && differing_pixels(ref.pages[j].shot, page.shot) == 0)
        ok = check(false, "page of jump " + n + " looks exactly like the page of jump " + std::to_string(j + 1));
    std::vector<POINT> on_page = find_jumps(end_of_page(help, page));
    if (!check(!on_page.empty() && page_lines(page.text).back() == source.back_text,
               "page " + n + " ends with the way back " + quoted(source.back_text)))
      continue;
    ref.pages[i] = page;
    real_click(on_page.back());
    Page back;
    if (!wait_for_page(help, first_line(contents.text), &page, back, 5000) ||
        differing_pixels(back.shot, contents.shot) != 0) {
      check(false, "the way back from page " + n + " does not show the contents as before");
      continue;
    }
    right += ok;
  }
  check(right == int(jumps.size()), std::to_string(right) + " of " + std::to_string(jumps.size()) +
                                        " jumps showed their topic and led back to the contents");
}

static void viewer_alone(const HelpText &source, Reference &ref) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION viewer = {};
  char command[] = "winhlp32.exe Korvalo.hlp";
  if (!CreateProcessA(NULL, command, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &viewer)) {
    check(false, "winhlp32.exe could not be started (error " + std::to_string(GetLastError()) + ")");
    return;
  }
  HWND help = NULL;
  if (check(wait_until([&] { return (help = find_help_window()) != NULL; }, 30000),
            "viewer alone: a window of class MS_WINHELP")) {
    check(window_caption(help) == expected_caption, "viewer alone: captioned " + quoted(window_caption(help)));
    SetForegroundWindow(help);
    park_pointer();
    const std::string &title = source.topics.front().title;
    if (check(wait_for_page(help, title, NULL, ref.contents, 10000), "viewer alone: opens on the contents " + quoted(title))) {
      save_bmp(capture_screen(), "help-contents.bmp");
      check_contents(ref.contents, source, "viewer alone");
      int green = count_jump_pixels(ref.contents.shot);
      if (check(green >= 1000, "contents page shows its jumps (" + std::to_string(green) + " jump-coloured pixels)"))
        click_through(help, source, ref);
    }
    PostMessageA(help, WM_CLOSE, 0, 0);
  }
  if (WaitForSingleObject(viewer.hProcess, 10000) != WAIT_OBJECT_0) {
    TerminateProcess(viewer.hProcess, 1);
    check(false, "viewer alone: did not end after WM_CLOSE");
  }
  CloseHandle(viewer.hThread);
  CloseHandle(viewer.hProcess);
}

// ---- 2. the game in its folder -------------------------------------------

// Waits for the page titled `title`; with a reference, its picture and
// text must be the reference's.
static bool expect_page(HWND help, const std::string &title, const Page &reference, const std::string &who, Page &page) {
  bool shown = wait_for_page(help, title, NULL, page, 10000);
  if (!check(shown, who + ": the help shows " + quoted(title) + " (got " + quoted(first_line(help_page_text(help))) + ")"))
    return false;
  if (reference.shot.pixels.empty()) return true;
  long differ = differing_pixels(page.shot, reference.shot);
  return check(differ == 0 && page.text == reference.text,
               who + ": the page looks as when the viewer showed it before (" + std::to_string(differ) +
                   " pixels differ" + (page.text == reference.text ? "" : ", the text differs") + ")");
}

static HWND wait_for_help(DWORD milliseconds) {
  HWND help = NULL;
  wait_until([&] { return (help = find_help_window()) != NULL; }, milliseconds);
  return help;
}

// True when `w` lies under `over` in the window stack.
static bool below(HWND w, HWND over) {
  for (HWND next = GetWindow(over, GW_HWNDNEXT); next; next = GetWindow(next, GW_HWNDNEXT))
    if (next == w) return true;
  return false;
}

// Once the help window has the activation the game must stay as it is:
// the help is read beside the board, not instead of it.
static void check_help_keeps_game(const Game &game, HWND help, const std::string &after) {
  check(!below(help, game.window), "after " + after + " the help window is in front of the game");
  check(wait_until([&] { return GetForegroundWindow() == help; }, 3000),
        "after " + after + " the help window takes the activation");
  check(game_stays_shown(game, 1500), "after " + after + " the game is not minimised");
}

// The help opened from the game: the viewer's window, captioned, in front,
// on the contents; null when none came.
static HWND help_from_game(const Game &game, DWORD since, const HelpText &source, const Page &reference,
                           const std::string &how, Page &contents) {
  HWND help = wait_for_help(15000);
  if (!check(help != NULL, how + " opens the help window (" + ms(GetTickCount() - since) + ")")) return NULL;
  check(window_caption(help) == expected_caption, how + ": the help window is captioned " + quoted(window_caption(help)));
  check(window_process(help) != game.pid(), how + ": the help window belongs to the viewer's own process");
  if (expect_page(help, source.topics.front().title, reference, how, contents)) {
    printf("   %s: contents shown %s after the command\n", how.c_str(), ms(GetTickCount() - since).c_str());
    check_contents(contents, source, how.c_str());
  }
  check_help_keeps_game(game, help, how);
  return help;
}

// A jump from the middle of the contents, neither its first nor its last.
static void click_a_jump(const Game &game, HWND help, const Page &contents, const HelpText &source,
                         const Reference &ref, const std::string &who) {
  std::vector<POINT> jumps = find_jumps(contents.shot);
  if (!jumps_drawn(help, jumps, source, who)) return;
  size_t k = jumps.size() / 2;
  const ContentsJump &jump = source.contents_jumps[k];
  real_click(jumps[k]);
  Page page;
  const Page none;
  if (expect_page(help, source.title_of(jump.target), k < ref.pages.size() ? ref.pages[k] : none,
                  who + ": jump " + quoted(jump.label), page))
    save_bmp(capture_screen(), "help-game-jump.bmp");
  check(game_stays_shown(game, 500), who + ": a click in the help leaves the game shown");
}

static void leave_closes_help(Game &game, bool by_key, const std::string &who) {
  HWND help = find_help_window();
  check(help != NULL, who + ": the help window is open when leaving");
  DWORD yes_at = 0;
  leave_game(game, by_key, who, yes_at);
  if (!help) return;
  bool closed = wait_until([] { return find_help_window() == NULL; }, 10000);
  check(closed, who + ": leaving the game closes the help window" +
                    (closed ? " (gone " + ms(GetTickCount() - yes_at) + " after Yes)" : std::string(" (still open 10 s on)")));
}

static void game_with_help(const std::string &folder, const HelpText &source, const Reference &ref) {
  Game game;
  if (!start_game(folder + "\\korvalo.exe", folder, game)) return end_game(game);
  check(bring_to_front(game.window), "game: takes the activation");

  DWORD start = GetTickCount();
  real_key(VK_F1);
  Page contents;
  HWND help = help_from_game(game, start, source, ref.contents, "game: F1", contents);
  if (help) {
    save_bmp(capture_screen(), "help-game-f1.bmp");
    if (!contents.text.empty()) click_a_jump(game, help, contents, source, ref, "game");
    PostMessageA(help, WM_CLOSE, 0, 0);
    check(wait_until([] { return find_help_window() == NULL; }, 10000), "game: the help window closes on WM_CLOSE");
  }

  check(bring_to_front(game.window), "game: takes the activation before the click on \"?\"");
  POINT d = board_offset();
  start = GetTickCount();
  real_click(POINT{d.x + 593, d.y + 11});
  if (help_from_game(game, start, source, ref.contents, "game: the \"?\" button", contents))
    save_bmp(capture_screen(), "help-game-button.bmp");

  // Back in the game, another program's window takes the activation: now
  // the full-screen game gets out of its way.
  check(bring_to_front(game.window), "game: takes the activation back from the help");
  HWND other = make_plain_window();
  start = GetTickCount();
  SetForegroundWindow(other);
  bool minimised = wait_until([&] { return IsIconic(game.window) != FALSE; }, 5000);
  check(minimised, "game: another program's window taking the activation minimises the game" +
                       (minimised ? " (" + ms(GetTickCount() - start) + ")" : std::string()));
  save_bmp(capture_screen(), "help-game-other.bmp");
  DestroyWindow(other);
  check(bring_to_front(game.window), "game: shown again and active");

  leave_closes_help(game, true, "game");
  end_game(game);
}

// ---- 3. the game started elsewhere -----------------------------------------

static void game_without_help(const std::string &folder, const std::string &elsewhere) {
  // A viewer left by a game before would be taken for one opened here.
  close_help_windows();
  Game game;
  if (!start_game(folder + "\\korvalo.exe", elsewhere, game)) return end_game(game);
  check(bring_to_front(game.window), "game elsewhere: takes the activation");
  // Sent, as the "?" button sends it: the call returns when the game has
  // handled the key, so a game stopped behind the viewer's question shows.
  DWORD start = GetTickCount();
  DWORD_PTR result;
  bool handled = SendMessageTimeoutA(game.window, WM_KEYDOWN, VK_F1, 1, SMTO_NORMAL, 5000, &result) != 0;
  check(handled, "game elsewhere: F1 is handled and the game goes on (" +
                     (handled ? ms(GetTickCount() - start) : std::string("not done in 5 s")) + ")");
  HWND box = NULL;
  bool something = wait_until([&] { return find_help_window() != NULL || (box = find_box(0)) != NULL; }, 3000);
  check(!something, "game elsewhere: F1 without a help file opens neither a viewer nor a question" +
                        (box ? " (a box " + quoted(window_caption(box)) + ": " + quoted(box_text(box)) + ")" : ""));
  if (box) {
    save_bmp(capture_screen(), "help-elsewhere-box.bmp");
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), LPARAM(GetDlgItem(box, IDNO)));
    wait_until([&] { return !IsWindow(box); }, 5000);
  }
  close_help_windows();
  check(game_stays_shown(game, 200), "game elsewhere: the game is still shown");
  DWORD yes_at;
  leave_game(game, false, "game elsewhere", yes_at);
  end_game(game);
}

// ---- the help left open behind the game --------------------------------

// The player opens the help, reads a topic and goes back to the board.
// Switching to the help window again must leave the game in place, and F1
// must bring the help back in front, on its contents.
static void help_again(const std::string &folder, const HelpText &source) {
  Game game;
  if (!start_game(folder + "\\korvalo.exe", folder, game)) return end_game(game);
  check(bring_to_front(game.window), "again: the game takes the activation");
  real_key(VK_F1);
  Page contents;
  const Page none;
  HWND help = help_from_game(game, GetTickCount(), source, none, "again: F1", contents);
  if (help && !contents.text.empty()) {
    Reference no_pages;
    click_a_jump(game, help, contents, source, no_pages, "again");
    // Switching from the board back to the help window left open.
    check(bring_to_front(game.window), "again: the game takes the activation back from the help");
    SetForegroundWindow(help);
    check(wait_until([&] { return GetForegroundWindow() == help; }, 3000), "again: the help window is active again");
    check(game_stays_shown(game, 1500), "again: switching back to the help window does not minimise the game");
    check(bring_to_front(game.window), "again: the game takes the activation back once more");
    DWORD start = GetTickCount();
    PostMessageA(game.window, WM_KEYDOWN, VK_F1, 1);
    Page again;
    help_from_game(game, start, source, contents, "again: F1 again", again);
    save_bmp(capture_screen(), "help-again.bmp");
  }
  leave_closes_help(game, false, "again");
  end_game(game);
}

// ---- the HTML Help file -----------------------------------------------------

static const char calls_log[] = "C:\\hhctrl-calls.txt";

struct HelpCall {
  unsigned command = 0;
  std::string file, caller, topic;
};

// The stand-in's log, one call a line: command|file|caller's class|topic.
static std::vector<HelpCall> help_calls() {
  std::vector<HelpCall> calls;
  FILE *log = fopen(calls_log, "rb");
  if (!log) return calls;
  char line[1024];
  while (fgets(line, sizeof line, log)) {
    std::vector<std::string> fields(1);
    for (const char *c = line; *c && *c != '\r' && *c != '\n'; c++)
      if (*c == '|') fields.emplace_back();
      else fields.back() += *c;
    fields.resize(4);
    calls.push_back(HelpCall{unsigned(atoi(fields[0].c_str())), fields[1], fields[2], fields[3]});
  }
  fclose(log);
  return calls;
}

static std::string describe(const std::vector<HelpCall> &calls) {
  std::string text;
  for (const HelpCall &c : calls)
    text += (text.empty() ? "" : "; ") + std::to_string(c.command) + " " + quoted(c.file) + " from " +
            quoted(c.caller) + " topic " + c.topic;
  return text.empty() ? "none" : text;
}

static HWND find_html_help(DWORD pid) {
  for (HWND w = FindWindowExA(NULL, NULL, "HH Parent", NULL); w; w = FindWindowExA(NULL, w, "HH Parent", NULL))
    if (IsWindowVisible(w) && window_process(w) == pid) return w;
  return NULL;
}

// The one new call must open `chm` on its default topic, the contents page,
// from the game's window.
static void expect_display_call(size_t before, const std::string &chm, const std::string &who) {
  std::vector<HelpCall> calls;
  wait_until([&] { return (calls = help_calls()).size() > before; }, 10000);
  std::vector<HelpCall> made(calls.begin() + std::min(before, calls.size()), calls.end());
  check(made.size() == 1 && made[0].command == HH_DISPLAY_TOPIC && lstrcmpiA(made[0].file.c_str(), chm.c_str()) == 0 &&
            made[0].caller == "Korvalo Class" && made[0].topic == "default",
        who + " calls HtmlHelpA(the game's window, " + quoted(chm) + ", HH_DISPLAY_TOPIC, 0) once (calls: " +
            describe(made) + ")");
}

static void game_with_html_help(const std::string &folder, const std::string &elsewhere) {
  char windows[MAX_PATH] = "", system[MAX_PATH] = "";
  GetWindowsDirectoryA(windows, MAX_PATH);
  GetSystemDirectoryA(system, MAX_PATH);
  for (const std::string &viewer : {std::string(windows) + "\\winhlp32.exe", std::string(system) + "\\winhlp32.exe"}) {
    DeleteFileA(viewer.c_str());
    check(GetFileAttributesA(viewer.c_str()) == INVALID_FILE_ATTRIBUTES, "chm: the prefix has no " + viewer);
  }
  check(CopyFileA("hhctrl.ocx", (std::string(system) + "\\hhctrl.ocx").c_str(), FALSE),
        "chm: the stand-in hhctrl.ocx is in the system folder");
  const std::string chm = folder + "\\Korvalo.chm";

  Game game;
  // The current folder holds no help file: the game's own folder is where
  // Korvalo.chm is found.
  if (!start_game(folder + "\\korvalo.exe", elsewhere, game)) return end_game(game);
  check(bring_to_front(game.window), "chm: the game takes the activation");
  real_key(VK_F1);
  expect_display_call(0, chm, "chm: F1");
  HWND help = NULL;
  if (check(wait_until([&] { return (help = find_html_help(game.pid())) != NULL; }, 5000),
            "chm: the viewer's window opens in the game's own process"))
    check_help_keeps_game(game, help, "chm: F1");
  save_bmp(capture_screen(), "help-chm-f1.bmp");

  check(bring_to_front(game.window), "chm: the game takes the activation before the click on \"?\"");
  POINT d = board_offset();
  real_click(POINT{d.x + 593, d.y + 11});
  expect_display_call(1, chm, "chm: the \"?\" button");
  if (help) check_help_keeps_game(game, help, "chm: the \"?\" button");

  check(bring_to_front(game.window), "chm: the game takes the activation back from the help");
  HWND other = make_plain_window();
  SetForegroundWindow(other);
  check(wait_until([&] { return IsIconic(game.window) != FALSE; }, 5000),
        "chm: another program's window taking the activation minimises the game");
  DestroyWindow(other);
  check(bring_to_front(game.window), "chm: the game is shown again and active");
  DWORD yes_at;
  leave_game(game, true, "chm", yes_at);
  std::vector<HelpCall> calls = help_calls();
  check(calls.size() == 3 && calls[2].command == HH_CLOSE_ALL,
        "chm: leaving closes the help with HH_CLOSE_ALL (calls: " + describe(calls) + ")");
  end_game(game);

  // A copy of the game with no Korvalo.chm beside it.
  if (!start_game(elsewhere + "\\korvalo.exe", elsewhere, game)) return end_game(game);
  check(bring_to_front(game.window), "chm without the file: the game takes the activation");
  DWORD_PTR result;
  check(SendMessageTimeoutA(game.window, WM_KEYDOWN, VK_F1, 1, SMTO_NORMAL, 5000, &result) != 0,
        "chm without the file: F1 is handled");
  bool something = wait_until(
      [&] { return help_calls().size() > 3 || find_html_help(game.pid()) || find_box(game.pid()); }, 2000);
  check(!something, "chm without the file: F1 neither calls HtmlHelpA nor opens a window or a question (calls: " +
                        describe(help_calls()) + ")");
  leave_game(game, false, "chm without the file", yes_at);
  end_game(game);
}

static std::string full_path(const char *name) {
  char path[MAX_PATH] = "";
  GetFullPathNameA(name, MAX_PATH, path, NULL);
  return path;
}

int main(int argc, char **argv) {
  setvbuf(stdout, NULL, _IONBF, 0);
  std::string group = argc == 5 ? argv[4] : "";
  if (group != "help" && group != "again" && group != "chm") {
    printf("usage: help_window_check HELP-SOURCE GAME-FOLDER OTHER-FOLDER help|again|chm\n");
    return 2;
  }
  HelpText source;
  std::string error;
  if (!read_help_text(argv[1], source, error)) {
    printf("FAIL: %s\n", error.c_str());
    return 1;
  }
  check(source.caption == expected_caption, "the help source's caption is " + quoted(source.caption));
  // A process that has not touched the desktop loses its first SetCursorPos.
  GetDesktopWindow();
  pause(200);
  park_pointer();

  std::string game = full_path(argv[2]);
  DWORD start = GetTickCount();
  if (group == "again") {
    help_again(game, source);
  } else if (group == "chm") {
    game_with_html_help(game, full_path(argv[3]));
  } else {
    Reference ref;
    viewer_alone(source, ref);
    printf("   viewer alone: %s\n", ms(GetTickCount() - start).c_str());
    start = GetTickCount();
    game_with_help(game, source, ref);
    printf("   game with its help: %s\n", ms(GetTickCount() - start).c_str());
    start = GetTickCount();
    game_without_help(game, full_path(argv[3]));
    printf("   game elsewhere: %s\n", ms(GetTickCount() - start).c_str());
  }
  int left = close_help_windows();
  check(left == 0, std::to_string(left) + " help windows left open at the end");
  printf("%d failed checks\n", failed_checks);
  return failed_checks == 0 ? 0 : 1;
}
