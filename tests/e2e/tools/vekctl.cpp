// A small Windows helper for the end-to-end tests: asks about and talks to the program's
// windows from inside the Wine session (hidden windows have no X window to find).
//
//   vekctl wait-window CLASS SECONDS   exit 0 once a window of the class exists
//   vekctl wait-gone CLASS SECONDS     exit 0 once no window of the class exists
//   vekctl count CLASS                 prints the number of top-level windows of the class
//   vekctl close CLASS                 posts WM_CLOSE to the first window of the class
//   vekctl end-session CLASS           sends WM_QUERYENDSESSION, then WM_ENDSESSION(TRUE)
//   vekctl visible CLASS               exit 0 when the first window of the class is visible
//   vekctl topmost CLASS               exit 0 when the first window of the class is topmost
//   vekctl wait-title TITLE SECONDS    exit 0 once a top-level window with the title exists
//   vekctl started PROGRAM_FOLDER      prints the saved getting-started page (-1: off)
//   vekctl rect-title TITLE ID         prints the screen rectangle of control ID of the
//                                      dialog ("left top right bottom")
//   vekctl length-title TITLE ID       prints how many characters control ID of the dialog holds
//   vekctl dismiss-title TITLE         closes the window with the title (its close box)
//   vekctl press-title TITLE ID        clicks the button ID of the dialog with the title
//   vekctl type-title TITLE ID TEXT    sets the text of control ID of the dialog
//   vekctl checked-title TITLE ID      exit 0 when button ID of the dialog is checked
//   vekctl enabled-title TITLE ID      exit 0 when control ID of the dialog (0: the dialog
//                                      itself) is enabled
//   vekctl item INDEX PROGRAM_FOLDER   prints pool item INDEX of the saved menu file as
//                                      "kind|title|count" (count: its group's members)
//   vekctl members GROUP PROGRAM_FOLDER  prints each member of ring group GROUP of the saved
//                                      menu file, a line each: "title|link|target|arguments|picture"
//   vekctl slot N [QUANTITY]           prints the screen position of ring slot N's centre
//                                      with the default sizes and radius ("x y")
//   vekctl post-private CLASS          posts the first 1,024 application-private messages
//                                      of the WM_USER and of the WM_APP range (wParam 1)
//                                      to the first window of the class, as any other
//                                      program could
//   vekctl post CLASS MESSAGE LPARAM   posts MESSAGE (wParam 0) to the first window of the class
//   vekctl broadcast NAME              broadcasts the registered message NAME to every
//                                      top-level window, as the shell does
//   vekctl visible-any CLASS           exit 0 when a visible top-level window of the class exists
//   vekctl popup-rect                  prints "left top right bottom" of the visible popup menu
//   vekctl popup-keys VK...            posts these key presses to the visible popup menu
//   vekctl dialog-text TITLE SECONDS   waits for a dialog box with the title and prints its
//                                      controls' texts (edit boxes' too), a line each
//   vekctl answer TITLE yes|no|ok      answers the dialog box with the title
//   vekctl hold-hotkey MODS VK         registers the hotkey and holds it until its window
//                                      (class VEKTestHotkeyHolder) is closed
//   vekctl hotkey-free MODS VK         exit 0 when the hotkey can be registered (it is let go
//                                      again at once)
//   vekctl choose-title TITLE ID INDEX...  selects these entries of list or combo box ID of
//                                      the dialog (none for an empty list), as clicks would
//   vekctl entries-title TITLE ID      prints the entries of list or combo box ID, a line each,
//                                      "*" before the selected ones
//   vekctl menu SLOT COUNT             prints where the group menu of ring slot SLOT with
//                                      COUNT members stands, with the default sizes and
//                                      radius: "left top width height" in screen pixels
#include <windows.h>

#include "core/config_files.h"
#include "dock/geometry.h"
#include "platform/win/ansi_codec_win.h"
#include "platform/win/file_system_win.h"
#include "platform/win/system_info_win.h"
#include "platform/win/text_win.h"
#include "dock/win/screen_win.h"
#include "menu/menu_layout.h"

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

// The top-level windows of a class (only the visible ones when asked): how many, and the
// first one found, the topmost.
struct ClassSearch {
  const wchar_t* className;
  bool visibleOnly;
  int count = 0;
  HWND found = nullptr;
};

BOOL CALLBACK MatchClass(HWND hwnd, LPARAM lParam) {
  auto* data = reinterpret_cast<ClassSearch*>(lParam);
  wchar_t name[256];
  if ((!data->visibleOnly || IsWindowVisible(hwnd)) && GetClassNameW(hwnd, name, 256) &&
      wcscmp(name, data->className) == 0) {
    ++data->count;
    if (!data->found) data->found = hwnd;
  }
  return TRUE;
}

ClassSearch Search(const wchar_t* className, bool visibleOnly) {
  ClassSearch data{className, visibleOnly};
  EnumWindows(&MatchClass, reinterpret_cast<LPARAM>(&data));
  return data;
}
HWND VisibleWindow(const wchar_t* className) { return Search(className, true).found; }

BOOL CALLBACK PrintText(HWND hwnd, LPARAM) {
  // WM_GETTEXT rather than GetWindowTextW, which gives nothing of another process's edit boxes.
  wchar_t text[1024] = {};
  DWORD_PTR length = 0;
  if (SendMessageTimeoutW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &length) &&
      length > 0)
    std::printf("%s\n", vek::win::Utf8(text).c_str());
  return TRUE;
}

// Waits up to `seconds` until a window of the class and title is there (or, `present`
// false, is gone); true once it is so, the window in `found`.
bool WaitFor(const wchar_t* className, const wchar_t* title, double seconds, bool present = true,
             HWND* found = nullptr) {
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
  while (true) {
    const HWND hwnd = FindWindowW(className, title);
    if ((hwnd != nullptr) == present) {
      if (found) *found = hwnd;
      return true;
    }
    if (GetTickCount64() >= deadline) return false;
    Sleep(50);
  }
}

// The ring's place on this screen with the default sizes and radius, QUANTITY slots.
vek::DockGeometry DefaultGeometry(vek::AppSettings& settings, int quantity = 0) {
  vek::DockGeometry geometry;
  geometry.screen = vek::win::ReadScreenMetrics();
  vek::ApplyDefaultSettings(settings, vek::ScreenForSettings(geometry.screen));
  if (quantity > 0) settings.IconQuantity = quantity;
  geometry.Relayout(settings);
  return geometry;
}

// Reads the menu file the program in `programFolder` saved for this user.
bool LoadSavedMenu(const wchar_t* programFolder, vek::Model& model) {
  vek::win::Win32FileSystem fs;
  vek::win::Win32ShellFolders shell;
  vek::win::Win32AnsiCodec codec;
  vek::win::Win32Prompt prompt;
  const vek::Folders folders = vek::InitPaths(vek::win::Utf8(programFolder), shell, fs);
  vek::ConfigIo io{fs, codec, prompt, folders};
  return vek::LoadMenu(model, io);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const bool alone = argc == 2 && std::wstring(argv[1]) == L"popup-rect";
  if (argc < 3 && !alone) {
    std::fwprintf(stderr, L"usage: vekctl COMMAND CLASS [SECONDS]\n");
    return 2;
  }
  const std::wstring command = argv[1];
  const wchar_t* className = alone ? L"" : argv[2];
  if (command == L"item") {
    if (argc < 4) return 2;
    vek::Model model;
    if (!LoadSavedMenu(argv[3], model)) return 1;
    const int index = _wtoi(argv[2]);
    if (index < 0 || index > vek::pool::kLast) return 2;
    const vek::ShortcutItem& item = model.Items[index];
    const int count = index <= vek::pool::kRingLast ? model.Groups[index].MemberCount() : 0;
    std::printf("%d|%s|%d\n", static_cast<int>(item.Kind), item.Title.c_str(), count);
    return 0;
  }
  if (command == L"started" || command == L"search-engine") {
    vek::win::Win32FileSystem fs;
    vek::win::Win32ShellFolders shell;
    const vek::Folders folders = vek::InitPaths(vek::win::Utf8(argv[2]), shell, fs);
    vek::Bytes bytes;
    vek::AppSettings settings;
    if (!fs.ReadAll(folders.SettingsFile, bytes) ||
        !vek::ReadSettingsRecord(bytes.data(), bytes.size(), vek::SettingsScreen{}, settings))
      return 1;
    // The getting-started page, or -1 when the window no longer opens at start.
    const vek::GettingStartedState& started = settings.GettingStarted;
    std::printf("%d\n", command == L"started" ? (started.AtStart ? started.Page : -1) : settings.SearchEngine);
    return 0;
  }
  if (command == L"members") {
    if (argc < 4) return 2;
    vek::Model model;
    if (!LoadSavedMenu(argv[3], model)) return 1;
    const int group = _wtoi(argv[2]);
    if (group < 1 || group > vek::pool::kRingLast) return 2;
    const vek::ShortcutGroup& g = model.Groups[group];
    for (const int32_t member : g.Members) {
      const vek::ShortcutItem& item = model.Items[member];
      std::printf("%s|%s|%s|%s|%s\n", item.Title.c_str(), item.Link.c_str(),
                  item.Target.c_str(), item.Arguments.c_str(),
                  item.IconFile.c_str());
    }
    return 0;
  }
  if (command == L"slot") {
    vek::AppSettings settings;
    const vek::DockGeometry geometry = DefaultGeometry(settings, argc > 3 ? _wtoi(argv[3]) : 0);
    const int slot = _wtoi(argv[2]);
    if (slot < 0 || slot >= vek::kSlotCount) return 2;
    const vek::SlotBox& box = geometry.DockPos[slot];
    std::printf("%d %d\n", geometry.screen.WorkArea.left + box.X + box.Size / 2,
                geometry.screen.WorkArea.top + box.Y + box.Size / 2);
    return 0;
  }
  if (command == L"menu") {
    if (argc < 4) return 2;
    vek::AppSettings settings;
    const vek::DockGeometry geometry = DefaultGeometry(settings);
    const int slot = _wtoi(argv[2]), count = _wtoi(argv[3]);
    if (slot < 0 || slot >= vek::kSlotCount) return 2;
    const int rows = vek::RowsPerPage(geometry.screen.ScreenHeight);
    const vek::MenuPlacement placement{geometry, settings.NormalIconSize, rows};
    std::printf("%d %d %d %d\n", geometry.screen.WorkArea.left + vek::MenuLeft(placement, count, slot),
                geometry.screen.WorkArea.top + vek::MenuTop(placement, count, slot), vek::menu_size::kWidth,
                vek::MenuHeight(count, rows));
    return 0;
  }
  if (command == L"post") {
    if (argc < 5) return 2;
    const HWND target = FindWindowW(className, nullptr);
    return target && PostMessageW(target, static_cast<UINT>(_wtoi(argv[3])), 0, _wtoi(argv[4])) ? 0 : 1;
  }
  if (command == L"broadcast") {
    const UINT message = RegisterWindowMessageW(className);
    return message && PostMessageW(HWND_BROADCAST, message, 0, 0) ? 0 : 1;
  }
  if (command == L"visible-any") return VisibleWindow(className) ? 0 : 1;
  if (command == L"popup-rect") {
    const HWND popup = VisibleWindow(L"#32768");
    RECT r{};
    if (!popup || !GetWindowRect(popup, &r)) return 1;
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    return 0;
  }
  if (command == L"popup-keys") {
    const HWND popup = VisibleWindow(L"#32768");
    if (!popup) return 1;
    for (int i = 2; i < argc; ++i) {
      const WPARAM vk = static_cast<WPARAM>(_wtoi(argv[i]));
      PostMessageW(popup, WM_KEYDOWN, vk, 1);
      PostMessageW(popup, WM_KEYUP, vk, 0xC0000001);
      Sleep(100);
    }
    return 0;
  }
  const double seconds = argc > 3 ? _wtof(argv[3]) : 10.0;
  if (command == L"dialog-text") {
    HWND box = nullptr;
    if (!WaitFor(L"#32770", className, seconds, true, &box)) return 1;
    EnumChildWindows(box, &PrintText, 0);
    return 0;
  }
  if (command == L"answer") {
    if (argc < 4) return 2;
    const HWND box = FindWindowW(L"#32770", className);
    if (!box) return 1;
    const std::wstring answer = argv[3];
    const int id = answer == L"yes" ? IDYES : answer == L"no" ? IDNO : IDOK;
    return PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0) ? 0 : 1;
  }
  if (command == L"hotkey-free" || command == L"hold-hotkey") {
    if (argc < 4) return 2;
    const UINT mods = static_cast<UINT>(_wtoi(argv[2])), vk = static_cast<UINT>(_wtoi(argv[3]));
    if (command == L"hotkey-free") {
      if (!RegisterHotKey(nullptr, 0x7000, mods, vk)) return 1;
      UnregisterHotKey(nullptr, 0x7000);
      return 0;
    }
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VEKTestHotkeyHolder";
    RegisterClassW(&wc);
    const HWND holder = CreateWindowW(wc.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
    if (!holder || !RegisterHotKey(holder, 0x7001, mods, vk)) return 1;
    std::printf("holding\n");
    std::fflush(stdout);
    MSG msg;
    while (IsWindow(holder) && GetMessageW(&msg, nullptr, 0, 0) > 0) {
      if (msg.hwnd == holder && msg.message == WM_CLOSE) break;
      DispatchMessageW(&msg);
    }
    UnregisterHotKey(holder, 0x7001);
    return 0;
  }
  if (command == L"wait-title") return WaitFor(nullptr, className, seconds) ? 0 : 1;
  if (command == L"owner-title") {  // the title of the titled window's owner
    const HWND owner = GetWindow(FindWindowW(nullptr, className), GW_OWNER);
    wchar_t title[256] = {};
    if (!owner || !GetWindowTextW(owner, title, 256)) return 1;
    std::printf("%s\n", vek::win::Utf8(title).c_str());
    return 0;
  }
  if (command == L"dismiss-title") {
    const HWND titled = FindWindowW(nullptr, className);
    return titled && PostMessageW(titled, WM_CLOSE, 0, 0) ? 0 : 1;
  }
  if (command == L"press-title" || command == L"type-title" || command == L"checked-title" ||
      command == L"enabled-title" || command == L"rect-title" || command == L"length-title") {
    const HWND titled = FindWindowW(nullptr, className);
    if (!titled || argc < 4) return 1;
    const int id = _wtoi(argv[3]);
    const HWND control = id == 0 ? titled : GetDlgItem(titled, id);
    if (!control) return 1;
    if (command == L"rect-title") {
      RECT r{};
      if (!GetWindowRect(control, &r)) return 1;
      std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
      return 0;
    }
    if (command == L"length-title") {
      // Asked of the control itself: another process's text is not read otherwise.
      std::printf("%d\n", static_cast<int>(SendMessageW(control, WM_GETTEXTLENGTH, 0, 0)));
      return 0;
    }
    if (command == L"press-title") return PostMessageW(control, BM_CLICK, 0, 0) ? 0 : 1;
    if (command == L"type-title") return argc > 4 && SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4])) ? 0 : 1;
    if (command == L"checked-title") return SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 0 : 1;
    return IsWindowEnabled(control) ? 0 : 1;
  }
  if (command == L"choose-title" || command == L"entries-title") {
    const HWND titled = FindWindowW(nullptr, className);
    const HWND control = titled && argc > 3 ? GetDlgItem(titled, _wtoi(argv[3])) : nullptr;
    if (!control) return 1;
    wchar_t kind[32] = {};
    GetClassNameW(control, kind, 32);
    const bool combo = _wcsicmp(kind, L"ComboBox") == 0;
    if (command == L"entries-title") {
      const LRESULT count = SendMessageW(control, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
      const LRESULT current = combo ? SendMessageW(control, CB_GETCURSEL, 0, 0) : -1;
      for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[1024] = {};
        SendMessageW(control, combo ? CB_GETLBTEXT : LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        const bool chosen = combo ? i == current : SendMessageW(control, LB_GETSEL, i, 0) > 0;
        std::printf("%s%s\n", chosen ? "*" : "", vek::win::Utf8(text).c_str());
      }
      return 0;
    }
    const int id = GetDlgCtrlID(control);
    if (combo) {
      if (argc < 5) return 2;
      SendMessageW(control, CB_SETCURSEL, _wtoi(argv[4]), 0);
      return PostMessageW(titled, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(control)) ? 0 : 1;
    }
    SendMessageW(control, LB_SETSEL, FALSE, -1);
    for (int i = 4; i < argc; ++i) SendMessageW(control, LB_SETSEL, TRUE, _wtoi(argv[i]));
    if (argc > 4) SendMessageW(control, LB_SETCARETINDEX, _wtoi(argv[4]), FALSE);
    return PostMessageW(titled, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(control)) ? 0 : 1;
  }
  if (command == L"wait-window") return WaitFor(className, nullptr, seconds) ? 0 : 1;
  if (command == L"wait-gone") return WaitFor(className, nullptr, seconds, false) ? 0 : 1;
  if (command == L"count") {
    std::printf("%d\n", Search(className, false).count);
    return 0;
  }
  const HWND window = FindWindowW(className, nullptr);
  if (!window) return 1;
  if (command == L"close") return PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
  if (command == L"end-session") {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_BLOCK, 10000, &result);
    SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_BLOCK, 10000, &result);
    return 0;
  }
  if (command == L"visible") return IsWindowVisible(window) ? 0 : 1;
  if (command == L"topmost") return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) ? 0 : 1;
  if (command == L"post-private") {
    for (UINT first : {static_cast<UINT>(WM_USER), static_cast<UINT>(WM_APP)})
      for (UINT message = first; message < first + 1024; ++message)
        if (!PostMessageW(window, message, 1, 0)) {
          Sleep(50);  // a full queue: let the window catch up
          if (!PostMessageW(window, message, 1, 0)) return 1;
        }
    return 0;
  }
  return 2;
}
