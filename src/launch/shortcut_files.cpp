#include "launch/shortcut_files.h"

#include "text/text.h"

namespace vek {

ReadResult ShortcutFiles::ReadShortcutFile(const std::string& linkPath) {
  using Route = ShortcutReader::Route;
  auto tested = [this](LinkFields fields) {
    ReadResult result;
    result.read = true;
    result.fields = std::move(fields);
    const bool targetExists = paths_.FileExists(result.fields.target, true);
    const bool iconExists = paths_.FileExists(result.fields.iconFile, true);
    result.found = targetExists || iconExists;
    return result;
  };
  // The shell's automation object first; when what it read names nothing that exists,
  // the scripting object has the last word (it also reads Internet shortcuts).
  std::optional<ReadResult> first;
  if (std::optional<LinkFields> shell = reader_.Read(linkPath, Route::kShellAutomation)) {
    first = tested(*shell);
    if (first->found) return *first;
  }
  if (std::optional<LinkFields> scripting = reader_.Read(linkPath, Route::kScripting))
    return tested(*scripting);
  if (first) return *first;
  // Neither automation object could read it: the shell link interface gives the same
  // fields.
  if (std::optional<LinkFields> link = reader_.Read(linkPath, Route::kShellLink))
    return tested(*link);
  return ReadResult{};
}

bool NamesShellObject(const std::string& target) {
  const std::string trimmed = TrimFixed(target);
  return trimmed.empty() || trimmed.rfind("::", 0) == 0;
}

void ShortcutFiles::ResolveShortcutFile(const std::string& path, ShortcutDetails& details) {
  details.Clear();
  std::string link = path;
  if (!paths_.FileExists(link, true)) {
    details.LinkPath = path;
    return;
  }
  LinkFields fields;
  std::string installed = reader_.InstallerTarget(link);
  if (!installed.empty() && paths_.FileExists(installed, false)) {
    fields.target = installed;
    fields.iconFile = installed;
    details.Read = true;
  } else {
    const ReadResult read = ReadShortcutFile(link);
    fields = read.fields;
    details.Read = read.read;
    if (LastFourUpper(TrimFixed(fields.target)) == ".LNK") {
      // A shortcut to a shortcut: its own fields replace the first ones. A third level
      // is not followed.
      fields = ReadShortcutFile(TrimFixed(fields.target)).fields;
    }
  }
  details.LinkPath = path;
  details.Target = fields.target;
  details.Arguments = fields.arguments;
  details.IconFile = fields.iconFile;
  details.IconIndex = fields.iconIndex;
  details.ShowCommand = fields.showCommand;
  details.WorkingFolder = fields.workingFolder;
}

std::string DisplayNameFromPath(const std::string& path, bool keep) {
  const std::string trimmed = TrimFixed(path);
  const std::string name = NamePart(trimmed);
  if (keep) return TrimFixed(name);
  const std::string ending = LastFourUpper(trimmed);
  if ((ending == ".LNK" || ending == ".EXE") && name.size() >= 4)
    return TrimFixed(name.substr(0, name.size() - 4));
  return TrimFixed(name);
}

std::string FolderOfPath(const std::string& path) { return FolderPart(TrimFixed(path)); }

}  // namespace vek
