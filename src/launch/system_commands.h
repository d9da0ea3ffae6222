// Running the built-in commands, and the operations behind them: the desktop icons and
// the taskbar, the desktop switch and the Recycle Bin.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "core/model.h"
#include "core/paths.h"
#include "launch/dock_commands.h"
#include "launch/launcher.h"
#include "launch/slow_calls.h"
#include "platform/prompt.h"

namespace vek {

// The program's windows and the session actions, as the Windows side performs them.
class SystemActions {
 public:
  virtual ~SystemActions() = default;
  virtual void ShowSettings() = 0;        // the settings dialog, modal
  virtual void ShowAbout() = 0;           // the about box, modal
  virtual void ShowWizard() = 0;          // the add & manage wizard, modal
  virtual void ChangeUserIdentity() = 0;  // the user name and picture dialogue
  virtual void ShowSearchBox() = 0;       // shows the search box on top, the dock behind
  virtual void ExitProgram() = 0;
  virtual void PumpMessages() = 0;        // lets pending window messages run
  virtual void EndSession(uint32_t flags, uint32_t reason) = 0;
  virtual void LockWorkStation() = 0;
  virtual void MonitorOff() = 0;          // waits a second, then powers the monitor off
  virtual void RunDialog() = 0;           // the shell's Run dialog
};

// The model operations some commands need from the rest of the program.
class CommandItemOps {
 public:
  virtual ~CommandItemOps() = default;
  virtual void FreeItem(int index) = 0;
  virtual void LoadItemIcon(int index) = 0;
  virtual void SaveMenu() = 0;
  virtual void SaveSettings() = 0;
};

struct RecycleBinInfo {
  int64_t size = 0;   // bytes
  int64_t count = 0;  // items
};

class RecycleBin {
 public:
  virtual ~RecycleBin() = default;
  // False when the bin cannot be queried.
  virtual bool Query(RecycleBinInfo& info) = 0;
  // Empties every drive's bin without the system's own question, then refreshes the
  // shell's bin icon.
  virtual void Empty() = 0;
};

// Asks the bin on worker threads, so that a drive spinning up or a bin that does not
// answer holds up no window: a question not answered within the calls' limit counts as
// failed, and emptying goes on by itself past it.
class RecycleBinOffThread : public RecycleBin {
 public:
  // `emptied` runs once an emptying has ended.
  RecycleBinOffThread(std::shared_ptr<RecycleBin> bin, BoundedCalls& calls, std::function<void()> emptied = {})
      : bin_(std::move(bin)), calls_(calls), emptied_(std::move(emptied)) {}
  bool Query(RecycleBinInfo& info) override;
  void Empty() override;

 private:
  std::shared_ptr<RecycleBin> bin_;
  BoundedCalls& calls_;
  std::function<void()> emptied_;
};

// Said when the bin gave no answer in time.
constexpr const char* kRecycleBinNoAnswer =
    "The Recycle Bin does not answer right now. Please try again in a moment.";

// True when the bin holds anything; empty when it cannot be queried.
std::optional<bool> RecycleBinFull(RecycleBin& bin);

// The shell's windows that hide and show: the desktop's icon list and the taskbar.
class DesktopShell {
 public:
  virtual ~DesktopShell() = default;
  // Hides or restores the window that lists the desktop icons; false (nothing changed)
  // when there is no such window.
  virtual bool SetDesktopIconListVisible(bool visible) = 0;
  // Hides or shows the taskbar and a separate start button, where they exist.
  virtual void SetTaskbarVisible(bool visible) = 0;
};

// Number formatting of the user's locale, for the Recycle Bin status.
struct NumberSeparators {
  std::string decimal = ".";
  std::string thousands = ",";
};

// "##0.##" (grouping false) or "#,###,##0.##" (grouping true): at most two decimals, no
// trailing zeros, the decimal separator always shown.
std::string FormatSize(double value, bool grouping, const NumberSeparators& separators);

// The status message for a bin of `info`; its buttons are Yes/No when emptying is
// offered.
PromptRequest RecycleBinStatusMessage(const RecycleBinInfo& info, const NumberSeparators& separators);

class SystemCommands {
 public:
  SystemCommands(Model& model, const Folders& folders, ShellRunner& shell, UserPrompt& prompt,
                 DockCommands& dock, SystemActions& actions, CommandItemOps& items, RecycleBin& bin,
                 DesktopShell& desktop)
      : model_(model), folders_(folders), shell_(shell), prompt_(prompt), dock_(dock),
        actions_(actions), items_(items), bin_(bin), desktop_(desktop) {}

  // Runs command `code`; codes outside 65..104 (and 95..100) only run the common ending.
  void RunSystemCommand(int code);
  void SetDesktopIconsHidden(bool hide);
  // The stored switch takes effect (at start, and after settings are read again): icons
  // hidden by it are hidden; icons Windows itself hides (its own "Show desktop icons"
  // turned off) are shown only when this program had hidden them.
  void ApplyStoredDesktopIcons();
  // Hides or shows the desktop icons and the taskbar together (shown again at exit, the
  // icons only when this program had hidden them); the desktop icons switch keeps its value.
  void SetShellElementsHidden(bool hide);
  void SwitchDesktop();
  void EmptyRecycleBin();
  void ShowRecycleBinStatus();

  uint32_t WindowsMajorVersion = 6;
  NumberSeparators separators;
  // The desktop icons are hidden right now (what the desktop-icon command inverts).
  bool desktopIconsHidden() const { return desktopIconsHidden_; }

 private:
  void Open(const std::string& file, const std::string& arguments, const char* folder = nullptr);
  void ToggleDragLock();
  void EmptyWithoutQuestion();
  // The bin's contents, or the user told that it did not answer.
  std::optional<RecycleBinInfo> AskRecycleBin();

  Model& model_;
  const Folders& folders_;
  ShellRunner& shell_;
  UserPrompt& prompt_;
  DockCommands& dock_;
  SystemActions& actions_;
  CommandItemOps& items_;
  RecycleBin& bin_;
  DesktopShell& desktop_;
  bool desktopIconsHidden_ = false;
  // A bin command waits for the bin while messages run: a second one is not started then.
  bool binBusy_ = false;
};

}  // namespace vek
