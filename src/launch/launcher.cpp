#include "launch/launcher.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/scoped_flag.h"
#include "text/text.h"

namespace vek {

int ShowCommandForRunMode(int32_t runMode) {
  const int64_t show = static_cast<int64_t>(runMode) + 1;
  return show >= 1 && show <= 3 ? static_cast<int>(show) : 1;
}

std::string ShellFailureText(int code) {
  switch (code) {
    case 27:  // the association is incomplete
    case 31:  // no association
      return "No program is set to open it.";
    case 5:
      return "Access was denied.";
    case 0:
    case 8:
      return "There is not enough memory.";
    case 2:
    case 3:
      return "It, or the program that opens it, was not found.";
    default:
      return "The shell refused it (error " + std::to_string(code) + ").";
  }
}

namespace {
PromptRequest ShortcutProblem(std::string text) {
  PromptRequest request;
  request.text = std::move(text);
  request.title = "Problem with Shortcut";
  request.icon = PromptIcon::kExclamation;
  return request;
}
}  // namespace

PromptRequest MissingTargetMessage(const std::string& path) {
  return ShortcutProblem("The item '" + path +
                         "' that this shortcut refers to has been changed or removed, so this "
                         "shortcut will no longer work properly.\r\n\r\n");
}

PromptRequest UnreachableTargetMessage(const std::string& path) {
  return ShortcutProblem("The item '" + path +
                         "' that this shortcut refers to does not answer: its drive or network "
                         "place may be unavailable right now.\r\n\r\nTry again once it can be "
                         "reached.");
}

LaunchPlan Launcher::NotFound(const std::string& missing) {
  LaunchPlan plan;
  plan.missing = missing;
  plan.unreachable = paths_.fs().Unreachable(missing);
  return plan;
}

LaunchPlan Launcher::PlanPath(const std::string& path, const std::string& itemArguments) {
  LaunchPlan plan;
  if (LastFourUpper(path) != ".LNK") {
    plan.open = true;
    plan.file = path;
    plan.arguments = TrimFixed(itemArguments);
    plan.folder = FolderPart(path);
    return plan;
  }
  // A shortcut to a shortcut is followed to what the last one names, with that one's
  // arguments and folder. A shortcut to itself, or two to each other, would never end
  // (the shell, given one, does not come back): it is reported like a broken shortcut.
  std::vector<std::string> followed;
  std::string link = path;
  std::string target;
  while (true) {
    followed.push_back(ToUpperAscii(link));
    plan.folder.clear();
    plan.arguments.clear();
    target = reader_.InstallerTarget(link);
    if (target.empty()) {
      const ReadResult read = shortcuts_.ReadShortcutFile(link);
      target = TrimFixed(read.fields.target);
      if (read.read && NamesShellObject(target)) {
        // This PC, the Control Panel and the like are no file: the shell opens the
        // shortcut itself, through the item list it keeps.
        plan.open = true;
        plan.file = link;
        plan.folder = FolderPart(link);
        return plan;
      }
      plan.folder = StartFolder(read.fields.workingFolder);
      plan.arguments = TrimFixed(read.fields.arguments);
    }
    // A target that does not answer is named itself: the shortcut file is right here.
    if (!paths_.FileExists(target, false)) return NotFound(paths_.fs().Unreachable(target) ? target : link);
    if (LastFourUpper(target) != ".LNK") break;
    if (followed.size() == kMostShortcutsFollowed ||
        std::find(followed.begin(), followed.end(), ToUpperAscii(target)) != followed.end())
      return NotFound(path);
    link = target;
  }
  if (plan.folder.empty()) plan.folder = FolderPart(target);
  plan.open = true;
  plan.file = target;
  return plan;
}

std::string Launcher::StartFolder(const std::string& workingFolder) {
  // A shortcut may give its folder through variables ("%HOMEDRIVE%%HOMEPATH%"), which
  // the shell does not expand in a start folder.
  const std::string folder = TrimFixed(workingFolder);
  if (folder.empty()) return folder;
  const std::string expanded = paths_.NormalizePath(folder, false);
  // Windows starts no program in a folder that is not there: a start folder since
  // renamed, deleted or out of reach gives way to the program's own folder.
  const uint32_t a = paths_.fs().Attributes(expanded);
  return a != attr::kInvalid && (a & attr::kDirectory) != 0 ? expanded : std::string();
}

LaunchPlan Launcher::Plan(std::string target, std::string link, const std::string& itemArguments) {
  if (paths_.FileExists(target, false)) {
    LaunchPlan plan = PlanPath(target, itemArguments);
    // An item made from a shortcut names the shortcut's program as its target. The
    // shortcut's start folder still holds while the shortcut names that program.
    if (plan.open && LastFourUpper(target) != ".LNK" && LastFourUpper(link) == ".LNK" &&
        paths_.FileExists(link, false)) {
      const ReadResult read = shortcuts_.ReadShortcutFile(link);
      const std::string folder = StartFolder(read.fields.workingFolder);
      if (read.read && !folder.empty() &&
          ToUpperAscii(paths_.NormalizePath(TrimFixed(read.fields.target), false)) == ToUpperAscii(target))
        plan.folder = folder;
    }
    return plan;
  }
  if (paths_.FileExists(link, false)) return PlanPath(link, itemArguments);
  // The link is named, unless only the target's place did not answer.
  return NotFound(!paths_.fs().Unreachable(link) && paths_.fs().Unreachable(target) ? target : link);
}

int Launcher::LaunchItem(int index) {
  // A click while an earlier launch still waits on its target is not queued up.
  if (launching_) return 0;
  ScopedFlag during(launching_);
  // Key mode ends first: a message (or the shell's own warning) would otherwise open
  // under the dimmed, topmost dock.
  dock_.LeaveKeyMode();
  int result = 0;
  if (index >= 0 && index < static_cast<int>(model_.Items.size())) {
    const ShortcutItem& item = model_.Items[index];
    const std::string target = item.Target;
    const std::string link = item.Link;
    const std::string arguments = item.Arguments;
    const int show = ShowCommandForRunMode(item.RunMode);
    // Existence tests and shortcut reads can wait on a network place that does not
    // answer: they run off this thread, which meanwhile keeps the windows going. The
    // item may change while they run, so they get copies of its texts.
    const std::optional<LaunchPlan> plan =
        slow_.Run<LaunchPlan>([this, target, link, arguments] { return Plan(target, link, arguments); });
    if (!plan) {
      prompt_.Ask(UnreachableTargetMessage(link.empty() ? target : link));
    } else if (!plan->open) {
      prompt_.Ask(plan->unreachable ? UnreachableTargetMessage(plan->missing) : MissingTargetMessage(plan->missing));
    } else {
      result = shell_.Execute("open", plan->file, plan->arguments, plan->folder, show) > 32 ? 1 : 0;
    }
  }
  if (model_.Settings.AutoHide) dock_.SetDockState(DockState::Hidden);
  return result;
}

}  // namespace vek
