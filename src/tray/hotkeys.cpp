#include "tray/hotkeys.h"

namespace vek {

std::string MissingHotkeyList(const std::array<bool, hotkey::kCount>& registered) {
  std::string list;
  for (int i = 0; i < hotkey::kCount; ++i) {
    if (registered[i]) continue;
    if (!list.empty()) list += ", ";
    list += kHotkeys[i].label;
  }
  return list;
}

std::string MissingHotkeysMessage(const std::array<bool, hotkey::kCount>& registered) {
  const std::string list = MissingHotkeyList(registered);
  if (list.empty()) return {};
  return "Another program already uses these hotkeys, so VEK Desktop cannot offer them: " + list +
         ".\r\n\r\nVEK Desktop runs on without them; the tray icon and the dock still work.";
}

std::string TrayTip(int major, int minor, const std::string& address,
                    const std::array<bool, hotkey::kCount>& registered, size_t capacity) {
  std::string tip = "VEK Desktop " + std::to_string(major) + "." + std::to_string(minor);
  if (!address.empty()) tip += "\r\n" + address;
  const std::string missing = MissingHotkeyList(registered);
  if (!missing.empty()) tip += "\r\nHotkeys not available: " + missing;
  if (tip.size() > capacity) tip.resize(capacity);
  return tip;
}

std::array<bool, tray_entry::kCount> TrayMenuEnabling(const AvailableWindows& w) {
  return {w.userIdentity, w.settings, w.wizard, w.about, false, true};
}

}  // namespace vek
