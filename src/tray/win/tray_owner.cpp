#include "tray/win/tray_owner.h"

#include <shellapi.h>

#include "core/mod_registry.h"
#include "platform/log.h"
#include "platform/win/handles.h"
#include "platform/win/message_loop.h"
#include "platform/win/text_win.h"
#include "platform/win/window.h"

namespace vek {

namespace {
// Command numbers of the popup entries: a base plus the entry's place.
constexpr UINT kEditCommandBase = 100;
constexpr UINT kTrayCommandBase = 200;
// After Explorer starts again its desktop is looked for each second for a while.
constexpr UINT_PTR kShellTimer = 1;
constexpr int kShellTicks = 10;

constexpr const wchar_t* kEditCaptions[edit_entry::kCount] = {
    L"&Add Shortcut", L"&Delete", nullptr, L"Move &Up", L"Move &Down", L"Move &Top", L"Move &Bottom", nullptr,
    L"&Properties"};
constexpr const wchar_t* kTrayCaptions[tray_entry::kCount] = {
    L"Change User &Icon", L"&Settings", L"Add && &Manage Shortcuts", L"&About VEK Desktop", nullptr, L"&Exit"};

// A popup of `captions` (null: a separator), each entry enabled or greyed.
template <size_t N>
win::UniqueMenu BuildMenu(const wchar_t* const (&captions)[N], const std::array<bool, N>& enabled, UINT base) {
  win::UniqueMenu menu(CreatePopupMenu());
  if (!menu) return menu;
  for (size_t i = 0; i < N; ++i) {
    if (!captions[i])
      AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    else
      AppendMenuW(menu.get(), MF_STRING | (enabled[i] ? MF_ENABLED : MF_GRAYED), base + i, captions[i]);
  }
  return menu;
}
}  // namespace

TrayOwner::~TrayOwner() { Unload(); }

bool TrayOwner::Load(int versionMajor, int versionMinor, const std::string& address) {
  // A real top-level window (never shown): message-only windows do not receive the
  // session-end messages nor the shell's "TaskbarCreated" broadcast.
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!Create(kClassName, L"VEK Desktop Tray", WS_POPUP, WS_EX_TOOLWINDOW, 0, 0, 0, 0, nullptr,
              LoadIconW(instance, MAKEINTRESOURCEW(1))))
    return false;
  icon_ = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                        GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  InstallHotKeys();
  taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
  // The broadcast must reach this window even where messages between integrity levels
  // are filtered.
  win::AllowMessageFromLowerRights(hwnd(), taskbarCreated_);
  // So must a second start's call, from a program started without raised rights.
  startedAgain_ = RegisterWindowMessageW(kStartedAgainMessage);
  win::AllowMessageFromLowerRights(hwnd(), startedAgain_);
  tip_ = win::Wide(TrayTip(versionMajor, versionMinor, address, registered_));
  AddTrayIcon();
  SetTrayTip();
  // The message waits until the program runs, so that start-up is not held by it. The
  // same missing hotkeys are told of once: the tray tip names them at every start.
  if (RememberMissingHotkeys(registry_, MissingHotkeyList(registered_)))
    win::RunAfterHandlers([this] { ReportMissingHotkeys(); });
  return true;
}

void TrayOwner::Unload() {
  if (!hwnd()) return;
  RemoveTrayIcon();
  RemoveHotKeys();
  Destroy();
}

// --- Hotkeys -------------------------------------------------------------------------------

void TrayOwner::InstallHotKeys() {
  for (int i = 0; i < hotkey::kCount; ++i) {
    const HotkeyEntry& key = kHotkeys[i];
    atoms_[i] = GlobalAddAtomW(win::Wide(key.atomName).c_str());
    const int id = atoms_[i] ? atoms_[i] : i + 1;
    // A key held down repeats: without MOD_NOREPEAT a held Alt+Space would switch key mode
    // on and off at the repeat rate. Windows before 7 refuses the flag: then without it.
    registered_[i] = RegisterHotKey(hwnd(), id, key.modifiers | MOD_NOREPEAT, key.key) != FALSE;
    if (!registered_[i] && GetLastError() != ERROR_HOTKEY_ALREADY_REGISTERED)
      registered_[i] = RegisterHotKey(hwnd(), id, key.modifiers, key.key) != FALSE;
    if (!registered_[i])
      WriteLog(std::string("hotkey ") + key.label + " could not be registered: " + HexCode(GetLastError()));
  }
}

void TrayOwner::RemoveHotKeys() {
  for (int i = 0; i < hotkey::kCount; ++i) {
    // Only what this program registered: a key another program holds stays its own.
    if (registered_[i]) UnregisterHotKey(hwnd(), atoms_[i] ? atoms_[i] : i + 1);
    registered_[i] = false;
    if (atoms_[i]) GlobalDeleteAtom(atoms_[i]);
    atoms_[i] = 0;
  }
}

// --- The tray icon -------------------------------------------------------------------------

void TrayOwner::AddTrayIcon() {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = hwnd();
  data.uID = 0;
  data.uFlags = NIF_MESSAGE | NIF_ICON;
  data.uCallbackMessage = kTrayCallbackMessage;
  data.hIcon = icon_;
  // Without a notification area (no shell yet) the icon comes with "TaskbarCreated".
  if (!Shell_NotifyIconW(NIM_ADD, &data)) WriteLog("the tray icon could not be added: " + HexCode(GetLastError()));
}

void TrayOwner::RemoveTrayIcon() {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = hwnd();
  data.uID = 0;
  Shell_NotifyIconW(NIM_DELETE, &data);
}

void TrayOwner::SetTrayTip() {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = hwnd();
  data.uID = 0;
  data.uFlags = NIF_TIP;
  lstrcpynW(data.szTip, tip_.c_str(), static_cast<int>(std::size(data.szTip)));
  Shell_NotifyIconW(NIM_MODIFY, &data);
}

void TrayOwner::ReportMissingHotkeys() {
  const std::string text = MissingHotkeysMessage(registered_);
  if (!text.empty() && hwnd()) prompt_.Ask(PromptRequest{text, "VEK Desktop", PromptIcon::kExclamation});
}

// --- Popup menus ---------------------------------------------------------------------------

UINT TrayOwner::PopUp(HMENU menu, HWND owner) {
  if (!menu || !owner) return 0;
  POINT p{};
  GetCursorPos(&p);
  // Without the owner in front, the menu would not close when the user clicks elsewhere;
  // without the WM_NULL after it, a second popup would close at once.
  const HWND before = GetForegroundWindow();
  SetForegroundWindow(owner);
  const UINT chosen = static_cast<UINT>(
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, p.x, p.y, 0, owner, nullptr));
  PostMessageW(owner, WM_NULL, 0, 0);
  // A menu closed with Esc would leave the keyboard on its owner, for the tray menu a
  // window nobody sees: it goes back where it was, unless a click elsewhere took it.
  if (!chosen) win::GiveKeyboardBack(owner, before);
  return chosen;
}

void TrayOwner::ShowEditMenu(const EditTarget& target, HWND owner) {
  const bool properties = host_.Windows().properties;
  const win::UniqueMenu menu = BuildMenu(kEditCaptions, EditMenuEnabling(model_, target, properties), kEditCommandBase);
  const UINT chosen = PopUp(menu.get(), owner);
  if (chosen < kEditCommandBase || chosen >= kEditCommandBase + edit_entry::kCount) return;
  ChooseEditEntry(static_cast<int>(chosen - kEditCommandBase), target, model_, host_, prompt_, host_, properties);
}

void TrayOwner::ShowTrayMenu() {
  const win::UniqueMenu menu = BuildMenu(kTrayCaptions, TrayMenuEnabling(host_.Windows()), kTrayCommandBase);
  const UINT chosen = PopUp(menu.get(), hwnd());
  if (chosen < kTrayCommandBase || chosen >= kTrayCommandBase + tray_entry::kCount) return;
  commands_.TrayMenuEntry(static_cast<int>(chosen - kTrayCommandBase));
}

// --- Messages ------------------------------------------------------------------------------

LRESULT TrayOwner::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // The tray icon's messages come first, then the shell's restart and the hotkeys.
  if (message == kTrayCallbackMessage) {
    // On release, as a click is.
    if (lParam == WM_LBUTTONUP) commands_.TrayLeftClick();
    if (lParam == WM_RBUTTONUP) ShowTrayMenu();
    return 0;
  }
  if (startedAgain_ != 0 && message == startedAgain_) {
    return commands_.StartedAgain() ? kStartedAgainAnswer : 0;
  }
  if (taskbarCreated_ != 0 && message == taskbarCreated_) {
    // The shell's taskbar was made anew: the icon goes back, with its tip, and the
    // desktop gets the stored look once it is there.
    RemoveTrayIcon();
    AddTrayIcon();
    SetTrayTip();
    host_.ShellStartedAgain();
    shellTicksLeft_ = kShellTicks;
    SetTimer(hwnd(), kShellTimer, 1000, nullptr);
    return Window::HandleMessage(message, wParam, lParam);
  }
  switch (message) {
    case WM_HOTKEY:
      for (int i = 0; i < hotkey::kCount; ++i) {
        if (registered_[i] && wParam == static_cast<WPARAM>(atoms_[i] ? atoms_[i] : i + 1)) commands_.Hotkey(i);
      }
      return 0;
    case WM_TIMER:
      if (wParam != kShellTimer) return Window::HandleMessage(message, wParam, lParam);
      host_.ShellStartedAgain();
      if (--shellTicksLeft_ <= 0) KillTimer(hwnd(), kShellTimer);
      return 0;
    case WM_CLOSE:
      host_.ExitNow();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      // The session ends once this returns: save while we still can. With a modal window
      // open the windows stay (the code waiting on it still uses them); the files are
      // written all the same.
      if (wParam) host_.SessionEnding();
      return 0;
    default:
      return Window::HandleMessage(message, wParam, lParam);
  }
}

}  // namespace vek
