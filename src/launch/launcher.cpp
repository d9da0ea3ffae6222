#include "launch/launcher.h"

#include "text/text.h"

namespace vek {

int ShowCommandForRunMode(int32_t runMode) {
  const int64_t show = static_cast<int64_t>(runMode) + 1;
  return show >= 1 && show <= 3 ? static_cast<int>(show) : 1;
}

PromptRequest MissingTargetMessage(const std::string& path) {
  PromptRequest request;
  request.text = "The item '" + path +
                 "' that this shortcut refers to has been changed or removed, so this shortcut "
                 "will no longer work properly.\r\n\r\n";
  request.title = "Problem with Shortcut";
  request.icon = PromptIcon::kExclamation;
  return request;
}

int Launcher::Open(ShortcutItem& item, const std::string& path) {
  const int show = ShowCommandForRunMode(item.RunMode);
  if (LastFourUpper(path) == ".LNK") {
    std::string target = reader_.InstallerTarget(path);
    std::string arguments;
    std::string folder;
    if (target.empty()) {
      const ReadResult read = shortcuts_.ReadShortcutFile(path);
      target = read.fields.target;
      folder = TrimFixed(read.fields.workingFolder);
      arguments = TrimFixed(read.fields.arguments);
    }
    if (!paths_.FileExists(target, false)) {
      prompt_.Ask(MissingTargetMessage(path));
      return 0;
    }
    if (folder.empty()) folder = FolderPart(target);
    return shell_.Execute("open", target, arguments, folder, show) > 32 ? 1 : 0;
  }
  const std::string arguments = item.Arguments.TrimInPlace();
  return shell_.Execute("open", path, arguments, FolderPart(path), show) > 32 ? 1 : 0;
}

int Launcher::LaunchItem(int index) {
  int result = 0;
  if (index >= 0 && index < static_cast<int>(model_.Items.size())) {
    ShortcutItem& item = model_.Items[index];
    std::string target = item.Target.TrimInPlace();
    std::string link = item.Link.TrimInPlace();
    if (paths_.FileExists(target, false)) {
      result = Open(item, target);
    } else if (paths_.FileExists(link, false)) {
      result = Open(item, link);
    } else {
      prompt_.Ask(MissingTargetMessage(item.Link.Trimmed()));
    }
  }
  dock_.EscCancel();
  if (model_.Settings.AutoHide == 1) dock_.MinWindows(2);
  return result;
}

}  // namespace vek
