// The four global hotkeys, the tray icon's tip and the one message that names the
// hotkeys another program holds, and the tray menu's entries.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vek {

// Modifier bits as RegisterHotKey takes them.
namespace hotkey_mod {
constexpr uint32_t kAlt = 1;
constexpr uint32_t kControl = 2;
constexpr uint32_t kShift = 4;
constexpr uint32_t kWin = 8;
}  // namespace hotkey_mod

namespace hotkey {
constexpr int kShowDock = 0;  // the dock in key mode, or hidden when it is in key mode
constexpr int kSwitch = 1;    // the desktop switch
constexpr int kMinimise = 2;  // the dock minimised and behind all windows
constexpr int kSearch = 3;    // the search box
constexpr int kCount = 4;
}  // namespace hotkey

struct HotkeyEntry {
  const char* atomName;  // the global atom whose number identifies the hotkey
  uint32_t modifiers;
  uint32_t key;       // virtual-key code
  const char* label;  // how the user names the keys
};

inline constexpr std::array<HotkeyEntry, hotkey::kCount> kHotkeys{{
    {"NewMacroForGetFocus", hotkey_mod::kAlt, 32, "Alt+Space"},
    {"NewMacroForSwitch", hotkey_mod::kShift, 9, "Shift+Tab"},
    {"NewMacroForMin", hotkey_mod::kControl, 9, "Ctrl+Tab"},
    {"NewMacroForSearch", hotkey_mod::kWin, 'S', "Win+S"},
}};

// The keys of the hotkeys that could not be registered, in table order, joined by ", ".
std::string MissingHotkeyList(const std::array<bool, hotkey::kCount>& registered);

// The message shown once after start-up when some hotkeys are held by another program;
// empty when every hotkey registered.
std::string MissingHotkeysMessage(const std::array<bool, hotkey::kCount>& registered);

// The tray icon's tip: "VEK Desktop <major>.<minor>", the web address on a second line
// when there is one, and a line naming the hotkeys that are not available. The tip
// holds at most `capacity` characters; the end is cut.
std::string TrayTip(int major, int minor, const std::string& address,
                    const std::array<bool, hotkey::kCount>& registered, size_t capacity = 127);

// The tray menu's entries by place (4 is a separator).
namespace tray_entry {
constexpr int kUserIcon = 0;
constexpr int kSettings = 1;
constexpr int kWizard = 2;
constexpr int kAbout = 3;
constexpr int kExit = 5;
constexpr int kCount = 6;
}  // namespace tray_entry

// Which of the program's later windows exist to be opened.
struct AvailableWindows {
  bool settings = false;
  bool about = false;
  bool userIdentity = false;
  bool properties = false;
  bool searchBox = false;
  bool wizard = false;
};

// An entry whose window is missing is shown disabled; "Exit" is always offered.
std::array<bool, tray_entry::kCount> TrayMenuEnabling(const AvailableWindows& windows);

}  // namespace vek
