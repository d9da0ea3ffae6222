// The hidden owner window of the tray icon, the global hotkeys and the popup menus. It
// exists for the whole run; closing it or the end of the Windows session runs the exit
// sequence so nothing is lost.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "core/model.h"
#include "platform/prompt.h"
#include "platform/registry.h"
#include "platform/win/window.h"
#include "tray/tray_commands.h"

namespace vek {

class TrayOwner : public win::Window {
 public:
  // The tray icon's messages: the mouse message in lParam.
  static constexpr UINT kTrayCallbackMessage = 2025;
  static constexpr const wchar_t* kClassName = L"VEKDesktopTray";
  // Posted by a second start of the program: a hidden or minimised dock is shown.
  static constexpr const wchar_t* kStartedAgainMessage = L"VEK Desktop started again";
  // What the running copy answers once it has come forward.
  static constexpr LRESULT kStartedAgainAnswer = 0x56454B;

  // `registry` remembers which missing hotkeys the user was told of.
  TrayOwner(TrayHost& host, ModalState& modal, Model& model, UserPrompt& prompt, Registry& registry)
      : host_(host), modal_(modal), model_(model), prompt_(prompt), registry_(registry), commands_(host, modal) {}
  ~TrayOwner() override;

  // Creates the window without showing it, registers the hotkeys and adds the tray icon
  // with its tip. `address` is the tip's second line (none when empty).
  [[nodiscard]] bool Load(int versionMajor, int versionMinor, const std::string& address = {});
  // Removes the tray icon, unregisters the hotkeys that registered, destroys the window.
  void Unload();

  // The item edit popup menu for `target`, over `owner` (the dock, or the group menu
  // whose focus watch must not close it) at the pointer; the chosen entry is carried out.
  void ShowEditMenu(const EditTarget& target, HWND owner);
  // The tray menu at the pointer.
  void ShowTrayMenu();

  const std::array<bool, hotkey::kCount>& hotkeysRegistered() const { return registered_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void InstallHotKeys();
  void RemoveHotKeys();
  void AddTrayIcon();
  void RemoveTrayIcon();
  void SetTrayTip();
  // One message naming the hotkeys another program holds.
  void ReportMissingHotkeys();
  // Pops `menu` up over `owner` at the pointer, as the shell asks of notification
  // menus: the owner in front first, a WM_NULL after. The chosen command, or 0.
  static UINT PopUp(HMENU menu, HWND owner);

  TrayHost& host_;
  ModalState& modal_;
  Model& model_;
  UserPrompt& prompt_;
  Registry& registry_;
  TrayCommands commands_;
  UINT taskbarCreated_ = 0;
  UINT startedAgain_ = 0;
  int shellTicksLeft_ = 0;  // seconds the new shell's desktop is still looked for
  std::array<ATOM, hotkey::kCount> atoms_{};
  std::array<bool, hotkey::kCount> registered_{};
  std::wstring tip_;
  HICON icon_ = nullptr;
};

}  // namespace vek
