#include "launch/system_commands.h"

#include <cmath>
#include <cstdio>

#include "launch/system_catalogue.h"
#include "platform/log.h"
#include "platform/scoped_flag.h"

namespace vek {

namespace {
constexpr uint32_t kLogOff = 0;
constexpr uint32_t kShutdown = 1;
constexpr uint32_t kReboot = 2;
constexpr uint32_t kAnyReason = 0xFFFFFFFFu;
}  // namespace

std::string FormatSize(double value, bool grouping, const NumberSeparators& separators) {
  // Two decimals, rounded, then trailing zeros dropped.
  const long long hundredths = std::llround(value * 100.0);
  const long long whole = hundredths / 100;
  const int fraction = static_cast<int>(hundredths % 100);
  std::string digits = std::to_string(whole);
  if (grouping) {
    std::string grouped;
    const int n = static_cast<int>(digits.size());
    for (int i = 0; i < n; ++i) {
      grouped.push_back(digits[i]);
      const int left = n - 1 - i;
      if (left > 0 && left % 3 == 0) grouped += separators.thousands;
    }
    digits = grouped;
  }
  std::string decimals;
  if (fraction != 0) {
    char buffer[12];
    std::snprintf(buffer, sizeof buffer, "%02d", fraction);
    decimals = buffer;
    if (decimals.back() == '0') decimals.pop_back();
  }
  return digits + separators.decimal + decimals;
}

PromptRequest RecycleBinStatusMessage(const RecycleBinInfo& info, const NumberSeparators& separators) {
  const std::string ask = "\r\nDo you want to empty Recycle Bin?";
  const std::string count = std::to_string(info.count);
  PromptRequest r;
  r.title = "Recycle Bin";
  r.icon = PromptIcon::kQuestion;
  r.buttons = PromptButtons::kYesNo;
  r.foreground = true;
  const int64_t s = info.size;
  if (s >= (int64_t{1} << 31) || s < 0) {
    r.text = "Your Recycle Bin consumes over 2GB right now!" + ask;
  } else if (s >= 1 && s < 1024) {
    r.text = "Your Recycle Bin consumes " + std::to_string(s) + " Bytes (" + count +
             " Items) right now." + ask;
  } else if (s >= 1024 && s <= 1048575) {
    r.text = "Your Recycle Bin consumes " + FormatSize(static_cast<double>(s) / 1024.0, false, separators) +
             "KB (" + count + " Items) right now." + ask;
  } else if (s >= 1048576) {
    r.text = "Your Recycle Bin consumes " +
             FormatSize(static_cast<double>(s) / 1048576.0, true, separators) + "MB (" + count +
             " Items) right now." + ask;
  } else if (info.count > 0) {
    r.text = "Your Recycle Bin consumes 0 Byte (" + count + " Items) right now." + ask;
  } else {
    r.text = "Your Recycle Bin consumes 0 Byte (" + count + " Item) right now.";
    r.title = "VEK Desktop";
    r.icon = PromptIcon::kInformation;
    r.buttons = PromptButtons::kOk;
  }
  return r;
}

void SystemCommands::Open(const std::string& file, const std::string& arguments, const char* folder) {
  shell_.Execute("open", file, arguments, folder ? folder : "", 1);
}

void SystemCommands::RunSystemCommand(int code) {
  dock_.LeaveKeyMode();
  const bool newShell = WindowsMajorVersion >= 6;
  switch (code) {
    case command::kUserDocuments: Open(folders_.ProfileDir, ""); break;
    case command::kChangeUserIdentity: actions_.ChangeUserIdentity(); break;
    case command::kSettings: actions_.ShowSettings(); break;
    case command::kAbout: actions_.ShowAbout(); break;
    case command::kMinimize: dock_.SetDockState(DockState::Minimised); break;
    case command::kHide: dock_.SetDockState(DockState::Hidden); break;
    case command::kExit:
      // Asked first, so that the program counts as ending while the dock lets go of the
      // keyboard and the messages run.
      actions_.ExitProgram();
      dock_.Activate(false);
      actions_.PumpMessages();
      return;
    case command::kDesktopIcons: SetDesktopIconsHidden(!desktopIconsHidden_); break;
    case command::kSwitchDesktop: SwitchDesktop(); break;
    case command::kManageShortcuts: actions_.ShowWizard(); break;
    case command::kLockDragging: ToggleDragLock(); break;
    case command::kShutDown: actions_.EndSession(kShutdown, kAnyReason); break;
    case command::kRestart: actions_.EndSession(kReboot, kAnyReason); break;
    case command::kLogOff: actions_.EndSession(kLogOff, kAnyReason); break;
    case command::kLock: actions_.LockWorkStation(); break;
    case command::kMonitorOff: actions_.MonitorOff(); break;
    case command::kMyComputer: Open("explorer", "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"); break;
    case command::kProperties:
      if (newShell)
        Open("explorer", "::{26EE0668-A00A-44D7-9371-BEB064C98683}\\0\\::{BB06C0E4-D293-4F75-8A90-CB05B6477EEE}");
      else
        Open("rundll32.exe", "shell32.dll,Control_RunDLL sysdm.cpl");
      break;
    case command::kPersonalize: Open("rundll32.exe", "shell32.dll,Control_RunDLL desk.cpl,,2"); break;
    case command::kScreenResolution: Open("rundll32.exe", "shell32.dll,Control_RunDLL desk.cpl,,3"); break;
    case command::kUninstall: Open("rundll32.exe", "shell32.dll,Control_RunDLL appwiz.cpl"); break;
    case command::kNetwork:
      if (newShell)
        Open("explorer", "::{F02C1A0D-BE21-4350-88B0-7367FC96EF3C}");
      else
        Open("rundll32.exe", "shell32.dll, Control_RunDLL Ncpa.cpl");
      break;
    case command::kInternetOptions: Open("rundll32.exe", "shell32.dll, Control_RunDLL Inetcpl.cpl"); break;
    case command::kControlPanel:
      if (newShell)
        Open("explorer", "::{26EE0668-A00A-44D7-9371-BEB064C98683}");
      else
        Open("rundll32.exe", "shell32.dll, Control_RunDLL");
      break;
    case command::kWorkgroup: Open("explorer", "::{208D2C60-3AEA-1069-A2D7-08002B30309D}"); break;
    case command::kPrinters: Open("explorer", "::{2227A280-3AEA-1069-A2DE-08002B30309D}"); break;
    case command::kDeviceManager: Open("devmgmt.msc", "", ""); break;
    case command::kSearch: shell_.Execute("find", "", "", "", 1); break;
    case command::kRun: actions_.RunDialog(); break;
    case command::kNetworkConnections: Open("rasphone.exe", ""); break;
    case command::kEmptyRecycleBin: EmptyRecycleBin(); break;
    case command::kOpenRecycleBin: Open("explorer", "::{645FF040-5081-101B-9F08-00AA002F954E}"); break;
    case command::kRecycleBinStatus: ShowRecycleBinStatus(); break;
    case command::kSearchInternet:
      actions_.ShowSearchBox();
      if (model_.Settings.AutoHide) dock_.SetDockState(DockState::Hidden);
      return;
    default: break;
  }
  dock_.LeaveKeyMode();
  if (model_.Settings.AutoHide) dock_.SetDockState(DockState::Hidden);
}

void SystemCommands::ToggleDragLock() {
  // The entry is made anew, but a picture the user gave it stays its own.
  ShortcutItem& item = model_.Items[command::kLockDragging];
  const std::string custom = std::move(item.CustomIconFile);
  item.CustomIconFile.clear();
  items_.FreeItem(command::kLockDragging);
  item.CustomIconFile = custom;
  item.Kind = ItemKind::kCommand;
  item.IsSystem = true;
  item.CommandId = command::kLockDragging;
  item.ImageIndex = command::kLockDragging;
  model_.Settings.IconsLocked = !model_.Settings.IconsLocked;
  SetLockDraggingEntry(model_, folders_);
  items_.LoadItemIcon(command::kLockDragging);
  items_.SaveMenu();
  items_.SaveSettings();
}

void SystemCommands::SetDesktopIconsHidden(bool hide) {
  if (!desktop_.SetDesktopIconListVisible(!hide)) return;
  desktopIconsHidden_ = hide;
  SetDesktopIconsEntry(model_, hide);
  model_.Settings.DesktopIconsHidden = hide;
}

void SystemCommands::ApplyStoredDesktopIcons() {
  const bool hide = model_.Settings.DesktopIconsHidden;
  if (hide || desktopIconsHidden_)
    SetDesktopIconsHidden(hide);
  else
    SetDesktopIconsEntry(model_, false);
}

void SystemCommands::SetShellElementsHidden(bool hide) {
  // The desktop icons switch keeps its value: at exit the icons are shown again, while
  // the switch, which windows closing after this may save once more, is what the next
  // start applies.
  const bool iconsSwitch = model_.Settings.DesktopIconsHidden;
  if (hide || desktopIconsHidden_) SetDesktopIconsHidden(hide);
  model_.Settings.DesktopIconsHidden = iconsSwitch;
  desktop_.SetTaskbarVisible(!hide);
}

void SystemCommands::SwitchDesktop() {
  const bool fade = dock_.FadeEnabled();
  dock_.SetFadeEnabled(false);
  if (dock_.DockHidden()) {
    SetDesktopIconsHidden(true);
    dock_.SetDockState(DockState::Shown);
  } else {
    dock_.SetDockState(DockState::Hidden);
    SetDesktopIconsHidden(false);
  }
  dock_.SetFadeEnabled(fade);
}

std::optional<bool> RecycleBinFull(RecycleBin& bin) {
  RecycleBinInfo info;
  if (!bin.Query(info)) return std::nullopt;
  return info.size > 0 || info.count > 0;
}

bool RecycleBinOffThread::Query(RecycleBinInfo& info) {
  std::optional<std::optional<RecycleBinInfo>> answer =
      calls_.Run<std::optional<RecycleBinInfo>>([bin = bin_]() -> std::optional<RecycleBinInfo> {
        RecycleBinInfo asked;
        if (!bin->Query(asked)) return std::nullopt;
        return asked;
      });
  if (!answer || !*answer) {
    WriteLog(answer ? "the Recycle Bin could not be queried" : "the Recycle Bin gave no answer in time");
    return false;
  }
  info = **answer;
  return true;
}

void RecycleBinOffThread::Empty() {
  if (!calls_.Run<bool>([bin = bin_] {
        bin->Empty();
        return true;
      }))
    WriteLog("the Recycle Bin is still being emptied after the wait");
  else if (emptied_)
    emptied_();
}

void SystemCommands::EmptyWithoutQuestion() { bin_.Empty(); }

std::optional<RecycleBinInfo> SystemCommands::AskRecycleBin() {
  RecycleBinInfo info;
  if (bin_.Query(info)) return info;
  prompt_.Warn(kRecycleBinNoAnswer);
  return std::nullopt;
}

void SystemCommands::EmptyRecycleBin() {
  if (binBusy_) return;
  ScopedFlag busy(binBusy_);
  const std::optional<RecycleBinInfo> info = AskRecycleBin();
  if (!info || info->count <= 0) return;
  PromptRequest q;
  q.text = "Are you sure you want to empty the Recycle Bin?";
  q.title = "Empty Recycle Bin";
  q.icon = PromptIcon::kQuestion;
  q.buttons = PromptButtons::kYesNo;
  q.defaultNo = true;
  if (prompt_.Ask(q) == PromptAnswer::kNo) return;
  EmptyWithoutQuestion();
}

void SystemCommands::ShowRecycleBinStatus() {
  if (binBusy_) return;
  ScopedFlag busy(binBusy_);
  const std::optional<RecycleBinInfo> info = AskRecycleBin();
  if (!info) return;
  const PromptRequest message = RecycleBinStatusMessage(*info, separators);
  if (prompt_.Ask(message) == PromptAnswer::kYes) EmptyWithoutQuestion();
}

}  // namespace vek
