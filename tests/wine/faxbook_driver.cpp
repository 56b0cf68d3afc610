// Drives and inspects a running faxbook.exe from another process, for the
// end-to-end tests under Wine. Prints what it finds on standard output (raw
// ANSI bytes) and exits 0 on success, 1 when the window or item was not
// found in time, 2 on bad arguments. With FAXBOOK_DRIVER_PROCESS set to a
// process id, it looks only at that process's windows (the program a
// script started, beside others of the same titles).
//
//   wait TITLE MS [CLASS]      wait for a visible top-level window
//   gone TITLE MS [CLASS]      wait until no such window exists
//   command TITLE ID           send WM_COMMAND ID to the editor's frame
//   post-command TITLE ID      post it (when it opens a message box)
//   close TITLE                post WM_CLOSE to the frame
//   close-ended TITLE MS       post it and wait for the editor's process to end
//   rows TITLE                 the list's rows, one per line, cells by tabs
//   columns TITLE              the list's column count
//   status TITLE PANE          the text of a status-bar pane
//   button-enabled TITLE ID    "1" when the toolbar button is enabled (it
//                              follows the menu item's state)
//   message TITLE [MS]         the text of the message box with that title
//                              (waiting up to MS, 5000 by default)
//   answer TITLE BUTTON [MS]   press a message box's button
//   foreground                 the title of the foreground window
//   start-timed EXE TITLE ROWS MS   start EXE, wait for its main window to
//                                   be visible and its list to hold ROWS
//                                   rows, print the milliseconds
//   set-text TITLE ID TEXT     set a control's text in the dialog titled TITLE
//                              (an edit field then tells its dialog it changed)
//   text TITLE ID              print a control's text in that dialog
//   focus TITLE ID             give that dialog's control the keyboard focus
//   click TITLE ID             click a button of that dialog (posted: the
//                              click may open another dialog)
//   select-rows TITLE ID ROW...  select exactly these rows of a list there
//   select-all TITLE ID        select every row of a list there (Ctrl+A)
//   dialog-rows TITLE ID       the rows of a list there, like rows
//   choose TITLE ID INDEX      choose an entry of a combo box there, as a
//                              click in its list does (CBN_SELCHANGE)
//   checked TITLE ID           "1" when that dialog's check box is ticked
//   enabled TITLE ID           "1" when that dialog's control is enabled
//   shown TITLE ID             "1" when that dialog's control is visible
//   select TITLE ROW...        select exactly these rows of the main list
//   file-dialog MS PATH        wait for a file dialog, print its title, type
//                              PATH as the file name (in Unicode, whatever
//                              the code page) and press its OK
//   owner TITLE                the title of the owner of the dialog titled
//                              TITLE (an empty line when it has none)
//   rect TITLE [CLASS]         "left top width height" of that window
//   window-enabled TITLE [CLASS]  "1" when that window takes input
//   file-dialog-owner MS       the owner's title of the file dialog that
//                              opens, which is then cancelled
//   windows                    "class<TAB>title" of each visible top-level
//                              window of the session
//   help-text                  the text the help viewer's topic shows
//   close-window TITLE [CLASS] post WM_CLOSE to that window
//   none CLASS MS              wait until no window of that class exists,
//                              shown or hidden
//   active TITLE [CLASS]       the active window of the thread that owns the
//                              window TITLE, and the id of the control with
//                              the keyboard focus in it ("TITLE<TAB>ID")
//   header-arrows TITLE [ID]   per column of the main list (or of list ID
//                              of the dialog TITLE): up, down or -
//   click-header TITLE ID COLUMN  click the header of that column of list ID
//                              of the dialog TITLE, as the mouse does
//   file-version FILE          "PRODUCT<TAB>VERSION" from the file's version
//                              resource (its ProductName and ProductVersion)
//   launch EXE [LINE]          start EXE with the command line "EXE" LINE, as
//                              the fax driver side starts the picker; no wait
//   run EXE LINE MS [STARTED]  the same, then wait for the program to end and
//                              print its exit code (1 when it runs longer);
//                              the program (and what it started) ends when
//                              the driver ends, its time run out or stopped;
//                              STARTED (a file) gets its process id once it
//                              runs
//   launch-timed EXE LINE TITLE ID ROWS MS   launch, then wait for the list
//                              ID of the dialog TITLE to hold ROWS rows and
//                              print the milliseconds
//   hold FILE none|r|rw MS     keep FILE open for reading and writing, sharing
//                              nothing, reading, or reading and writing, until
//                              `release` or MS pass; prints "held" once open
//   release                    ends the `hold` running now
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr char kFrameClass[] = "FaxbookMainFrame";
constexpr char kReleaseEvent[] = "FaxbookDriverRelease";
constexpr int kListId = 1000;
// How long a window that the step before opened (a dialog, a message box)
// may take to show on a loaded machine. A wait ends as soon as the window
// is there: only a failure waits this long.
constexpr int kPatience = 60000;

struct Search {
  const std::string* title;
  const char* className;
  HWND found;
};

// The class name that matches message boxes alone: dialogs of their class
// that hold the message's static text, so that a file dialog's own
// question is found and not the file dialog of the same title.
constexpr char kMessageBox[] = "message-box";

// The one process whose windows are looked at; 0 for every process.
DWORD OnlyProcess() {
  static const DWORD only = [] {
    const char* value = std::getenv("FAXBOOK_DRIVER_PROCESS");
    return value ? static_cast<DWORD>(std::strtoul(value, nullptr, 10)) : 0;
  }();
  return only;
}

BOOL CALLBACK Match(HWND window, LPARAM param) {
  auto* s = reinterpret_cast<Search*>(param);
  if (OnlyProcess()) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != OnlyProcess()) return TRUE;
  }
  char text[512] = {};
  GetWindowTextA(window, text, sizeof(text));
  if (*s->title != text) return TRUE;
  if (s->className && lstrcmpA(s->className, kMessageBox) == 0) {
    char name[128] = {};
    GetClassNameA(window, name, sizeof(name));
    if (lstrcmpA(name, "#32770") != 0 || !GetDlgItem(window, 0xFFFF)) return TRUE;
  } else if (s->className) {
    char name[128] = {};
    GetClassNameA(window, name, sizeof(name));
    if (lstrcmpA(name, s->className) != 0) return TRUE;
  }
  if (!IsWindowVisible(window)) return TRUE;
  s->found = window;
  return FALSE;
}

HWND Find(const std::string& title, const char* className) {
  Search search{&title, className, nullptr};
  EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitFor(const std::string& title, int ms, const char* className) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (HWND w = Find(title, className)) return w;
    if (static_cast<int>(GetTickCount() - start) > ms) return nullptr;
    Sleep(20);
  }
}

HWND Frame(const std::string& title) { return WaitFor(title, 5000, kFrameClass); }

HWND ListOf(HWND frame) {
  HWND form = FindWindowExA(frame, nullptr, "#32770", nullptr);
  return form ? GetDlgItem(form, kListId) : nullptr;
}

// A buffer inside the editor's process for messages that carry pointers.
class Remote {
 public:
  Remote(HWND window, std::size_t size) : size_(size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_) memory_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  }
  ~Remote() {
    if (memory_) VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  bool ok() const { return memory_ != nullptr; }
  char* at(std::size_t offset) const { return static_cast<char*>(memory_) + offset; }
  void Write(std::size_t offset, const void* data, std::size_t n) {
    WriteProcessMemory(process_, at(offset), data, n, nullptr);
  }
  void Read(std::size_t offset, void* data, std::size_t n) {
    ReadProcessMemory(process_, at(offset), data, n, nullptr);
  }

 private:
  HANDLE process_ = nullptr;
  void* memory_ = nullptr;
  std::size_t size_;
};

std::string ItemText(HWND list, Remote& remote, int row, int column) {
  LVITEMA item = {};
  item.iSubItem = column;
  item.pszText = remote.at(sizeof(LVITEMA));
  item.cchTextMax = 1000;
  remote.Write(0, &item, sizeof(item));
  const LRESULT n =
      SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote.at(0)));
  std::string text(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) remote.Read(sizeof(LVITEMA), &text[0], text.size());
  return text;
}

int Columns(HWND list) {
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  return header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

// The rows of a report list, one per line, cells separated by tabs.
int PrintRows(HWND list) {
  Remote remote(list, 4096);
  if (!remote.ok()) return 1;
  const int rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  const int columns = Columns(list);
  for (int r = 0; r < rows; ++r) {
    std::string line;
    for (int c = 0; c < columns; ++c) line += (c ? "\t" : "") + ItemText(list, remote, r, c);
    std::printf("%s\n", line.c_str());
  }
  return 0;
}

int Rows(const std::string& title) {
  HWND frame = Frame(title);
  HWND list = frame ? ListOf(frame) : nullptr;
  return list ? PrintRows(list) : 1;
}

// A control of the dialog window titled `title`.
HWND DialogItem(const std::string& title, int id) {
  HWND dialog = WaitFor(title, kPatience, "#32770");
  return dialog ? GetDlgItem(dialog, id) : nullptr;
}

int SelectRows(HWND list, const std::vector<int>& rows) {
  Remote remote(list, sizeof(LVITEMA));
  if (!remote.ok()) return 1;
  LVITEMA item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = 0;
  remote.Write(0, &item, sizeof(item));
  SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(remote.at(0)));
  for (int row : rows) {
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    remote.Write(0, &item, sizeof(item));
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote.at(0)));
  }
  return 0;
}

int Status(const std::string& title, int pane) {
  HWND frame = Frame(title);
  HWND bar = frame ? FindWindowExA(frame, nullptr, STATUSCLASSNAMEA, nullptr) : nullptr;
  if (!bar) return 1;
  Remote remote(bar, 1024);
  if (!remote.ok()) return 1;
  const LRESULT r = SendMessageA(bar, SB_GETTEXTA, static_cast<WPARAM>(pane),
                                 reinterpret_cast<LPARAM>(remote.at(0)));
  std::string text(LOWORD(r), '\0');
  if (!text.empty()) remote.Read(0, &text[0], text.size());
  std::printf("%s\n", text.c_str());
  return 0;
}

BOOL CALLBACK ListTopLevel(HWND window, LPARAM) {
  if (!IsWindowVisible(window)) return TRUE;
  char name[128] = {}, text[512] = {};
  GetClassNameA(window, name, sizeof(name));
  GetWindowTextA(window, text, sizeof(text));
  std::printf("%s\t%s\n", name, text);
  return TRUE;
}

// The first descendant whose class name contains `part` (upper case).
struct ChildSearch {
  const char* part;
  HWND found;
};

BOOL CALLBACK MatchChild(HWND window, LPARAM param) {
  auto* s = reinterpret_cast<ChildSearch*>(param);
  char name[128] = {};
  GetClassNameA(window, name, sizeof(name));
  for (char* c = name; *c; ++c) *c = static_cast<char>(*c >= 'a' && *c <= 'z' ? *c - 32 : *c);
  if (std::string(name).find(s->part) == std::string::npos) return TRUE;
  s->found = window;
  return FALSE;
}

// The help viewer shows its topic in a rich edit control of one of its
// visible windows.
int HelpText() {
  HWND window = nullptr;
  while ((window = FindWindowExA(nullptr, window, "MS_WINHELP", nullptr)) != nullptr) {
    if (!IsWindowVisible(window)) continue;
    ChildSearch search{"RICHEDIT", nullptr};
    EnumChildWindows(window, MatchChild, reinterpret_cast<LPARAM>(&search));
    if (!search.found) continue;
    // The control answers WM_GETTEXTLENGTH from another process with 0
    // under Wine; a buffer large enough for any topic serves.
    std::vector<char> text(1 << 16, '\0');
    SendMessageA(search.found, WM_GETTEXT, text.size() - 1, reinterpret_cast<LPARAM>(text.data()));
    std::printf("%s\n", text.data());
    return 0;
  }
  return 1;
}

int HeaderArrows(HWND list) {
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  if (!header) return 1;
  Remote remote(header, sizeof(HDITEMA));
  if (!remote.ok()) return 1;
  const int n = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    HDITEMA item = {};
    item.mask = HDI_FORMAT;
    remote.Write(0, &item, sizeof(item));
    SendMessageA(header, HDM_GETITEMA, static_cast<WPARAM>(i),
                 reinterpret_cast<LPARAM>(remote.at(0)));
    remote.Read(0, &item, sizeof(item));
    const char* arrow = (item.fmt & HDF_SORTUP) ? "up" : (item.fmt & HDF_SORTDOWN) ? "down" : "-";
    std::printf("%s%s", i ? "\t" : "", arrow);
  }
  std::printf("\n");
  return 0;
}

// A click on the middle of a column header, as the mouse gives it: the
// header tells its list, which tells its dialog (LVN_COLUMNCLICK).
int ClickHeader(HWND list, int column) {
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  if (!header) return 1;
  Remote remote(header, sizeof(RECT));
  if (!remote.ok()) return 1;
  if (!SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(column),
                    reinterpret_cast<LPARAM>(remote.at(0)))) {
    return 1;
  }
  RECT r = {};
  remote.Read(0, &r, sizeof(r));
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  SendMessageA(header, WM_MOUSEMOVE, 0, at);
  SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(header, WM_LBUTTONUP, 0, at);
  return 0;
}

int FileVersion(const std::string& file) {
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(file.c_str(), &handle);
  if (size == 0) return 1;
  std::vector<char> data(size);
  if (!GetFileVersionInfoA(file.c_str(), 0, size, data.data())) return 1;
  struct Translation {
    WORD language;
    WORD codePage;
  };
  Translation* translation = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                      &length) ||
      length < sizeof(Translation)) {
    return 1;
  }
  const auto value = [&](const char* name) {
    char path[128];
    std::snprintf(path, sizeof(path), "\\StringFileInfo\\%04x%04x\\%s", translation->language,
                  translation->codePage, name);
    char* text = nullptr;
    UINT n = 0;
    return VerQueryValueA(data.data(), path, reinterpret_cast<void**>(&text), &n) && text
               ? std::string(text)
               : std::string();
  };
  std::printf("%s\t%s\n", value("ProductName").c_str(), value("ProductVersion").c_str());
  return 0;
}

// Starts EXE with exactly the command line "EXE" LINE (LINE empty: "EXE");
// *running keeps the process's handle when asked for.
bool Launch(const std::string& exe, const std::string& line, HANDLE* running = nullptr,
            HANDLE job = nullptr) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  std::string command = "\"" + exe + "\"" + (line.empty() ? "" : " " + line);
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, job ? CREATE_SUSPENDED : 0,
                      nullptr, nullptr, &startup, &process)) {
    return false;
  }
  if (job) {
    AssignProcessToJobObject(job, process.hProcess);
    ResumeThread(process.hThread);
  }
  CloseHandle(process.hThread);
  if (running) {
    *running = process.hProcess;
  } else {
    CloseHandle(process.hProcess);
  }
  return true;
}

// Runs the program to its end. It belongs to a job that ends it when this
// driver ends, however that comes (its time runs out, or it is stopped):
// nothing it started outlives it.
int RunToEnd(const std::string& exe, const std::string& line, int ms, const std::string& started) {
  HANDLE job = CreateJobObjectA(nullptr, nullptr);
  if (job) {
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof(limits));
  }
  HANDLE process = nullptr;
  if (!Launch(exe, line, &process, job)) return 1;
  if (!started.empty()) {
    if (FILE* f = std::fopen(started.c_str(), "w")) {
      std::fprintf(f, "%lu\n", static_cast<unsigned long>(GetProcessId(process)));
      std::fclose(f);
    }
  }
  const bool ended = WaitForSingleObject(process, static_cast<DWORD>(ms)) == WAIT_OBJECT_0;
  DWORD code = 0;
  GetExitCodeProcess(process, &code);
  CloseHandle(process);
  if (job) CloseHandle(job);
  if (!ended) return 1;
  std::printf("%lu\n", static_cast<unsigned long>(code));
  return 0;
}

// Waits for the list found by `list` to hold `rows` rows; prints the time.
template <typename FindList>
int TimeUntilRows(DWORD start, FindList list, int rows, int ms) {
  for (;;) {
    HWND found = list();
    if (found && SendMessageA(found, LVM_GETITEMCOUNT, 0, 0) == rows) {
      std::printf("%lu\n", static_cast<unsigned long>(GetTickCount() - start));
      return 0;
    }
    if (static_cast<int>(GetTickCount() - start) > ms) return 1;
    Sleep(10);
  }
}

int StartTimed(const std::string& exe, const std::string& title, int rows, int ms) {
  const DWORD start = GetTickCount();
  if (!Launch(exe, "")) return 1;
  for (;;) {
    HWND frame = Find(title, kFrameClass);
    HWND list = frame ? ListOf(frame) : nullptr;
    if (list && IsWindowVisible(frame) && SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == rows) {
      std::printf("%lu\n", static_cast<unsigned long>(GetTickCount() - start));
      return 0;
    }
    if (static_cast<int>(GetTickCount() - start) > ms) return 1;
    Sleep(10);
  }
}

// A visible dialog with a file name box (the system's open and save
// dialogs: the combo box cmb13 or the edit edt1).
BOOL CALLBACK MatchFileDialog(HWND window, LPARAM param) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof(name));
  if (lstrcmpA(name, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
  if (!GetDlgItem(window, 0x47C) && !GetDlgItem(window, 0x480)) return TRUE;
  *reinterpret_cast<HWND*>(param) = window;
  return FALSE;
}

// The owner's title of the file dialog that opens within ms, then cancels it.
int FileDialogOwner(int ms) {
  const DWORD start = GetTickCount();
  HWND dialog = nullptr;
  while (!dialog) {
    EnumWindows(MatchFileDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog) break;
    if (static_cast<int>(GetTickCount() - start) > ms) return 1;
    Sleep(20);
  }
  char title[256] = {};
  if (HWND owner = GetWindow(dialog, GW_OWNER)) GetWindowTextA(owner, title, sizeof(title));
  std::printf("%s\n", title);
  std::fflush(stdout);
  return PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0) ? 0 : 1;
}

// Argument i of the driver's command line (0: the first after the
// program) as the shell gave it, in UTF-16: a path of characters the ANSI
// code page lacks stays whole.
std::wstring WideArgument(int i) {
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!argv) return std::wstring();
  std::wstring arg = i + 1 < count ? argv[i + 1] : L"";
  LocalFree(argv);
  return arg;
}

int ChooseFile(int ms, const std::wstring& path) {
  const DWORD start = GetTickCount();
  HWND dialog = nullptr;
  while (!dialog) {
    EnumWindows(MatchFileDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog) break;
    if (static_cast<int>(GetTickCount() - start) > ms) return 1;
    Sleep(20);
  }
  char title[256] = {};
  GetWindowTextA(dialog, title, sizeof(title));
  std::printf("%s\n", title);
  std::fflush(stdout);
  HWND box = GetDlgItem(dialog, 0x47C);
  if (!box) box = GetDlgItem(dialog, 0x480);
  SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  return PostMessageA(dialog, WM_COMMAND, IDOK, 0) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> a(argv + 1, argv + argc);
  if (a.empty()) return 2;
  const std::string& verb = a[0];
  const auto arg = [&](std::size_t i) { return i < a.size() ? a[i] : std::string(); };
  const auto number = [&](std::size_t i) { return std::atoi(arg(i).c_str()); };
  const char* className = a.size() > 3 ? a[3].c_str() : nullptr;
  if (verb == "wait") return WaitFor(arg(1), number(2), className) ? 0 : 1;
  if (verb == "gone") {
    const DWORD start = GetTickCount();
    while (Find(arg(1), className)) {
      if (static_cast<int>(GetTickCount() - start) > number(2)) return 1;
      Sleep(20);
    }
    return 0;
  }
  if (verb == "command" || verb == "post-command") {
    HWND frame = Frame(arg(1));
    if (!frame) return 1;
    const WPARAM command = static_cast<WPARAM>(number(2));
    if (verb == "command") {
      SendMessageA(frame, WM_COMMAND, command, 0);
    } else {
      PostMessageA(frame, WM_COMMAND, command, 0);
    }
    return 0;
  }
  if (verb == "close") {
    HWND frame = Frame(arg(1));
    return frame && PostMessageA(frame, WM_CLOSE, 0, 0) ? 0 : 1;
  }
  if (verb == "close-ended") {
    HWND frame = Frame(arg(1));
    if (!frame) return 1;
    DWORD pid = 0;
    GetWindowThreadProcessId(frame, &pid);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (!process) return 1;
    PostMessageA(frame, WM_CLOSE, 0, 0);
    const DWORD waited = WaitForSingleObject(process, static_cast<DWORD>(number(2)));
    CloseHandle(process);
    return waited == WAIT_OBJECT_0 ? 0 : 1;
  }
  if (verb == "rows") return Rows(arg(1));
  if (verb == "columns") {
    HWND frame = Frame(arg(1));
    HWND list = frame ? ListOf(frame) : nullptr;
    if (!list) return 1;
    std::printf("%d\n", Columns(list));
    return 0;
  }
  if (verb == "status") return Status(arg(1), number(2));
  if (verb == "button-enabled") {
    // Menus belong to their process under Wine; the toolbar is asked instead.
    HWND frame = Frame(arg(1));
    HWND bar = frame ? FindWindowExA(frame, nullptr, TOOLBARCLASSNAMEA, nullptr) : nullptr;
    if (!bar) return 1;
    const LRESULT enabled =
        SendMessageA(bar, TB_ISBUTTONENABLED, static_cast<WPARAM>(number(2)), 0);
    std::printf("%d\n", enabled ? 1 : 0);
    return 0;
  }
  if (verb == "message") {
    // The box and then its text: a box found while it is being set up
    // may not show its text yet.
    const int ms = a.size() > 2 ? number(2) : kPatience;
    const DWORD start = GetTickCount();
    char text[1024] = {};
    for (;;) {
      HWND box = WaitFor(arg(1), ms, kMessageBox);
      if (!box) return 1;
      if (GetDlgItemTextA(box, 0xFFFF, text, sizeof(text)) > 0) break;
      if (static_cast<int>(GetTickCount() - start) > ms) return 1;
      Sleep(20);
    }
    std::printf("%s\n", text);
    return 0;
  }
  if (verb == "answer") {
    HWND box = WaitFor(arg(1), a.size() > 3 ? number(3) : kPatience, kMessageBox);
    return box && PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(number(2)), 0) ? 0 : 1;
  }
  if (verb == "foreground") {
    char text[512] = {};
    GetWindowTextA(GetForegroundWindow(), text, sizeof(text));
    std::printf("%s\n", text);
    return 0;
  }
  if (verb == "activate-app") {
    // What the system sends a program's windows when the user switches
    // back to it (no window manager here to do it).
    HWND window = WaitFor(arg(1), kPatience, arg(2).empty() ? nullptr : arg(2).c_str());
    if (!window) return 1;
    SendMessageA(window, WM_ACTIVATEAPP, TRUE, 0);
    return 0;
  }
  if (verb == "start-timed") return StartTimed(arg(1), arg(2), number(3), number(4));
  if (verb == "file-version") return FileVersion(arg(1));
  if (verb == "launch") return Launch(arg(1), arg(2)) ? 0 : 1;
  if (verb == "run") return RunToEnd(arg(1), arg(2), number(3), arg(4));
  if (verb == "launch-timed") {
    const DWORD start = GetTickCount();
    if (!Launch(arg(1), arg(2))) return 1;
    const std::string title = arg(3);
    const int id = number(4);
    return TimeUntilRows(start, [&] {
      HWND dialog = Find(title, "#32770");
      return dialog ? GetDlgItem(dialog, id) : nullptr;
    }, number(5), number(6));
  }
  if (verb == "shown") {
    HWND item = DialogItem(arg(1), number(2));
    if (!item) return 1;
    std::printf("%d\n", IsWindowVisible(item) ? 1 : 0);
    return 0;
  }
  if (verb == "file-dialog") return ChooseFile(number(1), WideArgument(2));
  if (verb == "file-dialog-owner") return FileDialogOwner(number(1));
  if (verb == "select") {
    HWND frame = Frame(arg(1));
    HWND list = frame ? ListOf(frame) : nullptr;
    if (!list) return 1;
    std::vector<int> rows;
    for (std::size_t i = 2; i < a.size(); ++i) rows.push_back(number(i));
    return SelectRows(list, rows);
  }
  if (verb == "checked" || verb == "enabled") {
    HWND item = DialogItem(arg(1), number(2));
    if (!item) return 1;
    const bool on = verb == "checked" ? SendMessageA(item, BM_GETCHECK, 0, 0) == BST_CHECKED
                                      : IsWindowEnabled(item) != FALSE;
    std::printf("%d\n", on ? 1 : 0);
    return 0;
  }
  if (verb == "windows") {
    EnumWindows(ListTopLevel, 0);
    return 0;
  }
  if (verb == "help-text") return HelpText();
  if (verb == "close-window") {
    HWND window = WaitFor(arg(1), kPatience, a.size() > 2 ? a[2].c_str() : nullptr);
    return window && PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
  }
  if (verb == "none") {
    const DWORD start = GetTickCount();
    while (FindWindowA(arg(1).c_str(), nullptr)) {
      if (static_cast<int>(GetTickCount() - start) > number(2)) return 1;
      Sleep(20);
    }
    return 0;
  }
  if (verb == "active") {
    HWND window = WaitFor(arg(1), kPatience, a.size() > 2 ? a[2].c_str() : nullptr);
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    if (!window || !GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return 1;
    char text[512] = {};
    if (info.hwndActive) GetWindowTextA(info.hwndActive, text, sizeof(text));
    const int focus = info.hwndFocus && IsChild(info.hwndActive, info.hwndFocus)
                          ? GetDlgCtrlID(info.hwndFocus)
                          : 0;
    std::printf("%s\t%d\n", text, focus);
    return 0;
  }
  if (verb == "owner" || verb == "rect" || verb == "window-enabled") {
    const char* wanted = verb == "owner" ? "#32770" : (a.size() > 2 ? a[2].c_str() : nullptr);
    HWND window = WaitFor(arg(1), kPatience, wanted);
    if (!window) return 1;
    if (verb == "owner") {
      char text[512] = {};
      HWND owner = GetWindow(window, GW_OWNER);
      if (owner) GetWindowTextA(owner, text, sizeof(text));
      std::printf("%s\n", text);
    } else if (verb == "rect") {
      RECT r = {};
      GetWindowRect(window, &r);
      std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    } else {
      std::printf("%d\n", IsWindowEnabled(window) ? 1 : 0);
    }
    return 0;
  }
  if (verb == "header-arrows") {
    HWND list = nullptr;
    if (a.size() > 2) {
      list = DialogItem(arg(1), number(2));
    } else {
      HWND frame = Frame(arg(1));
      list = frame ? ListOf(frame) : nullptr;
    }
    return list ? HeaderArrows(list) : 1;
  }
  if (verb == "click-header") {
    HWND list = DialogItem(arg(1), number(2));
    return list ? ClickHeader(list, number(3)) : 1;
  }
  if (verb == "hold") {
    const DWORD share = arg(2) == "rw"  ? FILE_SHARE_READ | FILE_SHARE_WRITE
                        : arg(2) == "r" ? FILE_SHARE_READ
                                        : 0;
    HANDLE file = CreateFileA(arg(1).c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, kReleaseEvent);
    if (release) ResetEvent(release);
    std::printf("held\n");
    std::fflush(stdout);
    if (release) WaitForSingleObject(release, static_cast<DWORD>(number(3)));
    CloseHandle(file);
    if (release) CloseHandle(release);
    return 0;
  }
  if (verb == "release") {
    HANDLE release = OpenEventA(EVENT_MODIFY_STATE, FALSE, kReleaseEvent);
    if (!release) return 1;
    SetEvent(release);
    CloseHandle(release);
    return 0;
  }
  if (verb == "focus") {
    HWND item = DialogItem(arg(1), number(2));
    return item && PostMessageA(GetParent(item), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item), TRUE)
               ? 0
               : 1;
  }
  if (verb == "set-text" || verb == "text" || verb == "click" || verb == "select-rows" ||
      verb == "dialog-rows" || verb == "select-all" || verb == "choose") {
    HWND item = DialogItem(arg(1), number(2));
    if (!item) return 1;
    if (verb == "set-text") {
      // The edit field tells its dialog of the change itself (EN_CHANGE).
      return SendMessageA(item, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(arg(3).c_str())) ? 0 : 1;
    }
    if (verb == "text") {
      // GetWindowText does not ask a control of another process for its text.
      char text[1024] = {};
      SendMessageA(item, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
      std::printf("%s\n", text);
      return 0;
    }
    if (verb == "click") return PostMessageA(item, BM_CLICK, 0, 0) ? 0 : 1;
    if (verb == "dialog-rows") return PrintRows(item);
    if (verb == "choose") {
      SendMessageA(item, CB_SETCURSEL, static_cast<WPARAM>(number(3)), 0);
      SendMessageA(GetParent(item), WM_COMMAND,
                   MAKEWPARAM(static_cast<WORD>(number(2)), CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(item));
      return 0;
    }
    if (verb == "select-all") {
      Remote remote(item, sizeof(LVITEMA));
      if (!remote.ok()) return 1;
      LVITEMA state = {};
      state.stateMask = LVIS_SELECTED;
      state.state = LVIS_SELECTED;
      remote.Write(0, &state, sizeof(state));
      SendMessageA(item, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                   reinterpret_cast<LPARAM>(remote.at(0)));
      return 0;
    }
    std::vector<int> rows;
    for (std::size_t i = 3; i < a.size(); ++i) rows.push_back(number(i));
    return SelectRows(item, rows);
  }
  return 2;
}
