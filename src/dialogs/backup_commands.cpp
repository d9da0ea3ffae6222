#include "dialogs/backup_commands.h"

#include "core/backup.h"

namespace vek {

const char* const kBackupCommandCaptions[backup_command::kCount] = {
    "Backup Configuration", "Backup All Shortcuts && Icons", "Restore Configuration",
    "Restore All Shortcuts && Icons"};

namespace {

constexpr char kBackupFilter[] = "*.bak|*.bak|*.*|*.*";

struct CommandText {
  bool save;
  const char* title;
  const char* defaultName;
  const char* done;
};

constexpr CommandText kCommands[backup_command::kCount] = {
    {true, "VEK Desktop - Backup Configuration", "VEK Desktop Cfg.bak", kBackupConfigurationDone},
    {true, "VEK Desktop - Backup Shortcuts & Icons", "VEK Desktop Icons.bak", kBackupShortcutsDone},
    {false, "VEK Desktop - Restore Configuration", "VEK Desktop Cfg.bak", kRestoreConfigurationDone},
    {false, "VEK Desktop - Restore Shortcuts & Icons", "VEK Desktop Icons.bak", kRestoreShortcutsDone},
};

// The hourglass while the work runs.
class BusyPointer {
 public:
  explicit BusyPointer(const BackupCommandUi& ui) : ui_(ui) {
    if (ui_.setBusyPointer) ui_.setBusyPointer(true);
  }
  ~BusyPointer() {
    if (ui_.setBusyPointer) ui_.setBusyPointer(false);
  }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;

 private:
  const BackupCommandUi& ui_;
};

}  // namespace

FileDialogRequest BackupFileRequest(int index) {
  FileDialogRequest request;
  if (index < 0 || index >= backup_command::kCount) return request;
  const CommandText& c = kCommands[index];
  request.save = c.save;
  request.title = c.title;
  request.filter = kBackupFilter;
  request.initialFile = c.defaultName;
  return request;
}

bool RunBackupCommand(int index, Model& model, ConfigIo& io, const BackupCommandUi& ui) {
  if (index < 0 || index >= backup_command::kCount || !ui.chooseFile) return false;
  const CommandText& c = kCommands[index];
  const std::string path = ui.chooseFile(BackupFileRequest(index));
  if (path.empty()) return false;
  if (c.save && io.fs.Attributes(path) != attr::kInvalid) {
    const PromptRequest question{kReplaceQuestion, "VEK Desktop", PromptIcon::kQuestion, PromptButtons::kYesNo};
    if (io.prompt.Ask(question) != PromptAnswer::kYes) return false;
  }
  bool done = false;
  {
    BusyPointer busy(ui);
    switch (index) {
      case backup_command::kBackupConfiguration: done = BackupConfiguration(model, path, io); break;
      case backup_command::kBackupShortcuts: done = BackupAll(model, path, io) == 1; break;
      case backup_command::kRestoreConfiguration:
        done = RestoreConfiguration(path, io);
        if (done) {
          if (ui.resetAndReload) ui.resetAndReload(false, false, false);
          if (ui.refreshControls) ui.refreshControls();
        }
        break;
      case backup_command::kRestoreShortcuts:
        done = RestoreAll(model, path, io);
        if (!done) break;
        // The reload reads the settings file again; the live settings, changed in the
        // settings dialog and written only when it closes, are written first to be kept.
        SaveSettings(model, io);
        if (ui.resetAndReload) ui.resetAndReload(false, false, true);
        break;
      default: break;
    }
  }
  if (done) io.prompt.Ask(PromptRequest{c.done, "VEK Desktop", PromptIcon::kNone, PromptButtons::kOk});
  return done;
}

}  // namespace vek
