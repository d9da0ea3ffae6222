// The four backup and restore buttons of the settings dialog: the file dialog with its
// title and default name, the question before a file is replaced, the work and the
// message when it succeeded.
#pragma once

#include <functional>
#include <string>

#include "core/config_files.h"
#include "core/model.h"
#include "dialogs/file_dialog_request.h"

namespace vek {

namespace backup_command {
constexpr int kBackupConfiguration = 0;
constexpr int kBackupShortcuts = 1;
constexpr int kRestoreConfiguration = 2;
constexpr int kRestoreShortcuts = 3;
constexpr int kCount = 4;
}  // namespace backup_command

// The buttons' captions ("&&" shows one "&").
extern const char* const kBackupCommandCaptions[backup_command::kCount];

constexpr char kReplaceQuestion[] = "The target file already exists. Are you sure to replace?";
constexpr char kBackupConfigurationDone[] = "Backup Configuration File Successfully!";
constexpr char kBackupShortcutsDone[] = "Backup Shortcuts & Icons Successfully!";
constexpr char kRestoreConfigurationDone[] = "Restore Configuration Successfully!";
constexpr char kRestoreShortcutsDone[] = "Restore Shortcuts & Icons Successfully!";

// The file dialog of command `index`.
FileDialogRequest BackupFileRequest(int index);

// What the settings dialog lends the commands.
struct BackupCommandUi {
  // The open or save dialog: the chosen path, empty when cancelled.
  std::function<std::string(const FileDialogRequest&)> chooseFile;
  std::function<void(bool busy)> setBusyPointer;
  // The dialog's controls from the settings.
  std::function<void()> refreshControls;
  // Reads the configuration again (see Defaults::ResetAndReload).
  std::function<void(bool resetSettings, bool resetItems, bool reloadIcons)> resetAndReload;
};

// Runs command `index`; true when it did what it says (the message said so). A
// cancelled dialog or a "No" ends it silently; a failure has said why.
bool RunBackupCommand(int index, Model& model, ConfigIo& io, const BackupCommandUi& ui);

}  // namespace vek
