#include <gtest/gtest.h>

#include "tray/hotkeys.h"
#include "tray/tray_commands.h"

namespace vek {
namespace {

constexpr std::array<bool, hotkey::kCount> kAll{true, true, true, true};
constexpr std::array<bool, hotkey::kCount> kNoAltSpaceNorSearch{false, true, true, false};

TEST(HotkeysTest, TipNamesVersionAddressAndMissingKeys) {
  EXPECT_EQ(TrayTip(1, 6, "", kAll), "VEK Desktop 1.6");
  EXPECT_EQ(TrayTip(2, 10, "example.org", kAll), "VEK Desktop 2.10\r\nexample.org");
  EXPECT_EQ(TrayTip(1, 6, "", kNoAltSpaceNorSearch), "VEK Desktop 1.6\r\nHotkeys not available: Alt+Space, Win+S");
  EXPECT_EQ(TrayTip(1, 6, "", kNoAltSpaceNorSearch, 20), "VEK Desktop 1.6\r\nHot");
}

TEST(HotkeysTest, OneMessageNamesEveryMissingKey) {
  EXPECT_EQ(MissingHotkeysMessage(kAll), "");
  const std::string text = MissingHotkeysMessage(kNoAltSpaceNorSearch);
  EXPECT_NE(text.find(": Alt+Space, Win+S."), std::string::npos) << text;
  EXPECT_NE(MissingHotkeysMessage({true, true, false, true}).find(": Ctrl+Tab."), std::string::npos);
}

TEST(HotkeysTest, TrayEntriesFollowTheirWindows) {
  using E = std::array<bool, tray_entry::kCount>;
  EXPECT_EQ(TrayMenuEnabling({}), (E{false, false, false, false, false, true}));
  AvailableWindows all{true, true, true, true, true, true};
  EXPECT_EQ(TrayMenuEnabling(all), (E{true, true, true, true, false, true}));
}

// The dock as the tray's commands see it, recording what they ask.
struct DockHost : TrayHost {
  void CloseGroupMenu() override { CloseGroupMenu(false); }
  bool KeyMode() override { return keyMode; }
  void LeaveKeyMode() override { calls += "esc "; }
  void RefreshRing() override {}
  void RefreshGroupMenu() override {}
  bool DeleteItem(int) override { return false; }
  void SaveMenu() override {}
  bool DockInForeground() override { return foreground; }
  bool foreground = false;
  void ShowProperties(int, bool) override {}
  void SwapItemImages(int, int) override {}
  void AltSpace() override {
    calls += "altspace ";
    keyMode = true;
  }
  void BringDockForward() override { calls += "forward "; }
  DockState CurrentDockState() override { return dockState; }
  void SetDockState(DockState state) override {
    calls += "min" + std::to_string(static_cast<int>(state)) + (fade ? "-fading " : " ");
    dockState = state;
    keyMode = false;
  }
  void DockToBottom() override { calls += "bottom-quietly "; }
  void Activate(bool on) override { calls += on ? "focus " : "unfocus "; }
  bool FadeEnabled() override { return fade; }
  void SetFadeEnabled(bool on) override { fade = on; }
  bool GroupMenuOpen() override { return menuOpen; }
  void CloseGroupMenu(bool noDockFocus) override {
    calls += noDockFocus ? "close-menu-keep-focus " : "close-menu ";
    menuOpen = false;
  }
  bool AutoHide() override { return autoHide; }
  void SwitchDesktop() override { calls += "switch "; }
  bool BackTabInOwnDialog() override {
    if (ownDialog) calls += "back-tab ";
    return ownDialog;
  }
  bool ownDialog = false;
  void LetMessagesRun() override { calls += "pump "; }
  void ExitProgram() override { calls += "exit "; }
  void ExitNow() override { calls += "exit-now "; }
  bool Ending() override { return false; }
  void SessionEnding() override { calls += "session-ending "; }
  void ShellStartedAgain() override { calls += "shell "; }
  AvailableWindows Windows() override { return windows; }
  void ShowSettings() override { calls += "settings "; }
  void ShowAbout() override { calls += "about "; }
  void ShowWizard() override { calls += "wizard "; }
  void ChangeUserIdentity() override { calls += "identity "; }
  void ShowSearchBox() override { calls += "search "; }

  bool keyMode = false, fade = true, menuOpen = false, autoHide = false;
  DockState dockState = DockState::Shown;
  AvailableWindows windows;
  std::string calls;
};

// The program's modal count, counting how often it brought its window to the front.
struct Modal {
  Modal() { state.SetBringToFront([this] { ++broughtToFront; }); }
  void Open() { window.emplace(state); }
  ModalState state;
  std::optional<ModalState::Scope> window;
  int broughtToFront = 0;
};

TEST(TrayCommandsTest, AltSpaceShowsKeyModeThenHidesWithoutFading) {
  DockHost host;
  Modal modal;
  TrayCommands tray(host, modal.state);
  host.menuOpen = true;
  tray.Hotkey(hotkey::kShowDock);
  tray.Hotkey(hotkey::kShowDock);
  EXPECT_EQ(host.calls, "close-menu altspace min2 ");
  EXPECT_TRUE(host.fade);  // restored
}

TEST(TrayCommandsTest, HotkeysAndMenuEntries) {
  struct Case {
    const char* what;
    bool hotkey;
    int which;
    bool modalOpen, searchBox, autoHide;
    DockState dockState;
    const char* calls;
  } cases[] = {
      {"minimise", true, hotkey::kMinimise, false, false, false, DockState::Shown, "min1-fading "},
      {"switch while a modal window is open", true, hotkey::kSwitch, true, false, false, DockState::Shown, "switch "},
      {"search box missing", true, hotkey::kSearch, false, false, false, DockState::Shown, ""},
      {"search with auto-hide", true, hotkey::kSearch, false, true, true, DockState::Shown, "search min2-fading "},
      {"Alt+Space over a modal window", true, hotkey::kShowDock, true, false, false, DockState::Shown, ""},
      {"exit with the dock shown", false, tray_entry::kExit, false, false, false, DockState::Shown, "exit unfocus pump "},
      {"exit with the dock hidden", false, tray_entry::kExit, false, false, false, DockState::Hidden, "exit "},
      {"exit while a modal window is open", false, tray_entry::kExit, true, false, false, DockState::Shown, ""},
      {"settings without its window", false, tray_entry::kSettings, false, false, false, DockState::Shown, ""},
      {"the wizard", false, tray_entry::kWizard, false, false, false, DockState::Shown, "wizard "},
      {"the wizard over a modal window", false, tray_entry::kWizard, true, false, false, DockState::Shown, ""},
      {"the user picture", false, tray_entry::kUserIcon, false, false, false, DockState::Shown, "identity "},
      {"the user picture over a modal window", false, tray_entry::kUserIcon, true, false, false, DockState::Shown, ""},
  };
  for (const Case& c : cases) {
    DockHost host;
    Modal modal;
    if (c.modalOpen) modal.Open();
    host.windows.searchBox = c.searchBox;
    host.windows.wizard = host.windows.userIdentity = true;
    host.autoHide = c.autoHide;
    host.dockState = c.dockState;
    TrayCommands tray(host, modal.state);
    if (c.hotkey)
      tray.Hotkey(c.which);
    else
      tray.TrayMenuEntry(c.which);
    EXPECT_EQ(host.calls, c.calls) << c.what;
    const bool guarded = c.modalOpen && c.which != hotkey::kSwitch;
    EXPECT_EQ(modal.broughtToFront, guarded ? 1 : 0) << c.what;
  }
}

// A dialog from the tray menu is owned by the dock, which comes to the front as it closes:
// the dock goes back behind all windows. In such a dialog the switch's Shift+Tab moves
// the focus back.
TEST(TrayCommandsTest, TheProgramsOwnDialogsLeaveTheDockBehindAndKeepShiftTab) {
  DockHost host;
  Modal modal;
  host.windows.settings = host.foreground = host.ownDialog = true;
  TrayCommands tray(host, modal.state);
  tray.TrayMenuEntry(tray_entry::kSettings);
  tray.Hotkey(hotkey::kSwitch);
  EXPECT_EQ(host.calls, "settings esc back-tab ");
}

// The search box keeps the keyboard; the minimised ring gives it back to where it was.
TEST(TrayCommandsTest, SearchMinimiseOrSwitchOverAnOpenGroupMenuClosesIt) {
  for (const auto& [key, calls] : {std::pair{hotkey::kSearch, "search close-menu-keep-focus bottom-quietly "},
                                   std::pair{hotkey::kMinimise, "close-menu-keep-focus min1-fading "},
                                   std::pair{hotkey::kSwitch, "close-menu-keep-focus switch "}}) {
    DockHost host;
    Modal modal;
    host.menuOpen = host.windows.searchBox = true;
    TrayCommands(host, modal.state).Hotkey(key);
    EXPECT_EQ(host.calls, calls);
  }
}

TEST(TrayCommandsTest, TrayClickCallsTheDockUnlessAModalWindowIsOpen) {
  DockHost host;
  Modal modal;
  TrayCommands tray(host, modal.state);
  tray.TrayLeftClick();
  modal.Open();
  tray.TrayLeftClick();
  EXPECT_EQ(host.calls, "altspace ");
  EXPECT_EQ(modal.broughtToFront, 1);
}

}  // namespace
}  // namespace vek
