#include "launch/win/system_services_win.h"

#include <shellapi.h>

#include <optional>

#include "platform/log.h"
#include "platform/win/message_loop.h"
#include "text/text.h"
#include "platform/win/text_win.h"
#include "platform/win/window.h"

namespace vek::win {

int Win32ShellRunner::Execute(const std::string& verb, const std::string& file,
                              const std::string& arguments, const std::string& folder, int showCommand) {
  const std::wstring v = Wide(verb), f = Wide(file), a = Wide(arguments), d = Wide(folder);
  const HINSTANCE result = ShellExecuteW(nullptr, v.c_str(), f.empty() ? nullptr : f.c_str(),
                                         a.empty() ? nullptr : a.c_str(), d.empty() ? nullptr : d.c_str(),
                                         showCommand);
  const int code = static_cast<int>(reinterpret_cast<INT_PTR>(result));
  if (code <= 32) WriteLog("the shell could not " + verb + " \"" + file + "\": " + ShellFailureText(code));
  return code;
}

bool Win32RecycleBin::Query(RecycleBinInfo& info) {
  SHQUERYRBINFO query{};
  query.cbSize = sizeof(query);
  if (FAILED(SHQueryRecycleBinW(nullptr, &query))) return false;
  info.size = query.i64Size;
  info.count = query.i64NumItems;
  return true;
}

void Win32RecycleBin::Empty() {
  // An item that cannot be deleted leaves the bin full, as its picture then shows.
  const HRESULT hr = SHEmptyRecycleBinW(nullptr, nullptr, SHERB_NOCONFIRMATION);
  if (FAILED(hr)) WriteLog("the Recycle Bin was not emptied: error " + HexCode(static_cast<uint32_t>(hr)));
  // Not declared by every SDK: reached by name.
  using UpdateIcon = void(WINAPI*)();
  if (const HMODULE shell32 = GetModuleHandleW(L"shell32.dll")) {
    if (const auto update = reinterpret_cast<UpdateIcon>(
            reinterpret_cast<void*>(GetProcAddress(shell32, "SHUpdateRecycleBinIcon"))))
      update();
  }
}

WindowId Win32WindowTree::FindTopLevel(const std::string& className, WindowId after) {
  return reinterpret_cast<WindowId>(
      FindWindowExW(nullptr, reinterpret_cast<HWND>(after), Wide(className).c_str(), nullptr));
}

WindowId Win32WindowTree::FindChild(WindowId parent, const std::string& className, const char* title) {
  const std::wstring t = title ? Wide(title) : std::wstring();
  return reinterpret_cast<WindowId>(FindWindowExW(reinterpret_cast<HWND>(parent), nullptr,
                                                  Wide(className).c_str(), title ? t.c_str() : nullptr));
}

uint64_t Win32WindowTree::ThreadOf(WindowId window) {
  return window ? GetWindowThreadProcessId(reinterpret_cast<HWND>(window), nullptr) : 0;
}

bool Win32DesktopShell::SetDesktopIconListVisible(bool visible) {
  Win32WindowTree tree;
  const WindowId list = FindDesktopIconList(tree);
  if (!list) return false;
  // The shell's windows are shown or hidden without waiting on its thread: a shell that
  // does not answer (stuck on a dead network drive) must not hold up the dock or the exit.
  ShowWindowAsync(reinterpret_cast<HWND>(list), visible ? SW_RESTORE : SW_HIDE);
  return true;
}

void Win32DesktopShell::SetTaskbarVisible(bool visible) {
  const int show = visible ? SW_RESTORE : SW_HIDE;
  Win32WindowTree tree;
  // The start button is looked for only through the taskbar's thread: a top-level
  // button of any other program is left alone.
  if (const WindowId taskbar = FindTaskbar(tree)) ShowWindowAsync(reinterpret_cast<HWND>(taskbar), show);
  if (const WindowId start = FindStartButton(tree)) ShowWindowAsync(reinterpret_cast<HWND>(start), show);
}

void Win32SystemActions::ExitProgram() {
  Call(windows_.exitAsked);
  if (windows_.exitProgram) RunAfterHandlers(windows_.exitProgram);
}

void Win32SystemActions::PumpMessages() { PumpPendingMessages(); }

void Win32SystemActions::EndSession(uint32_t flags, uint32_t reason) {
  if (!ExitWindowsEx(flags, reason))
    WriteLog("Windows refused to end the session (" + HexCode(flags) + "): error " + HexCode(GetLastError()));
}

void Win32SystemActions::LockWorkStation() {
  if (!::LockWorkStation()) WriteLog("the workstation was not locked: error " + HexCode(GetLastError()));
}

void Win32SystemActions::MonitorOff() {
  Sleep(1000);
  const HWND dock = windows_.dockWindow ? windows_.dockWindow() : nullptr;
  if (dock) SendMessageW(dock, WM_SYSCOMMAND, SC_MONITORPOWER, 2);
}

void Win32SystemActions::RunDialog() {
  // The shell's Run dialog is exported by ordinal only.
  using RunFileDialog = void(WINAPI*)(HWND, HICON, LPCWSTR, LPCWSTR, LPCWSTR, UINT);
  const HMODULE shell32 = GetModuleHandleW(L"shell32.dll");
  if (!shell32) return;
  const auto run = reinterpret_cast<RunFileDialog>(
      reinterpret_cast<void*>(GetProcAddress(shell32, MAKEINTRESOURCEA(61))));
  if (!run) return;
  // The Run dialog is modal on this thread like the program's own: while it is open, the
  // dock and the tray only bring it to the front instead of opening more on top of it.
  std::optional<ModalState::Scope> counted;
  if (windows_.modal) counted.emplace(*windows_.modal);
  run(nullptr, nullptr, nullptr, nullptr, nullptr, 0);
}

NumberSeparators UserNumberSeparators() {
  NumberSeparators s;
  wchar_t buffer[8] = {};
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, 8)) s.decimal = Utf8(buffer);
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, buffer, 8)) s.thousands = Utf8(buffer);
  return s;
}

}  // namespace vek::win
