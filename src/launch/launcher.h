// Opening what an ordinary shortcut item stands for, through the shell's "open" verb.
#pragma once

#include <string>

#include "core/model.h"
#include "core/paths.h"
#include "launch/dock_commands.h"
#include "launch/shortcut_files.h"
#include "launch/slow_calls.h"
#include "platform/prompt.h"

namespace vek {

// The shell's ShellExecute: returns its result code (above 32 on success).
class ShellRunner {
 public:
  virtual ~ShellRunner() = default;
  virtual int Execute(const std::string& verb, const std::string& file, const std::string& arguments,
                      const std::string& folder, int showCommand) = 0;
};

// Why the shell refused to open something, from its result code (32 or below), as a
// sentence for the log or a message.
std::string ShellFailureText(int code);

// The show command for a stored window state: 1 normal, 2 minimised, 3 maximised; any
// other stored value opens a normal window.
int ShowCommandForRunMode(int32_t runMode);

// How many shortcut files a launch follows, each naming the next, before it takes the
// chain for a broken shortcut.
constexpr size_t kMostShortcutsFollowed = 8;

// The message shown when neither the target nor the link of an item exists.
PromptRequest MissingTargetMessage(const std::string& path);
// The message shown when finding out whether the target exists took too long (a network
// place or a drive that does not answer).
PromptRequest UnreachableTargetMessage(const std::string& path);

// What a launch comes to, decided from the item's texts alone.
struct LaunchPlan {
  bool open = false;       // else the missing-target message names `missing`
  bool unreachable = false;   // `missing` lies on a place that did not answer
  std::string file, arguments, folder;
  std::string missing;
};

class Launcher {
 public:
  // Which files exist and what a shortcut file says are found through `slow`, off the
  // thread of the windows; every collaborator must live as long as the program.
  Launcher(Model& model, PathTools& paths, ShortcutFiles& shortcuts, ShortcutReader& reader,
           ShellRunner& shell, UserPrompt& prompt, DockCommands& dock, BoundedCalls& slow)
      : model_(model), paths_(paths), shortcuts_(shortcuts), reader_(reader), shell_(shell),
        prompt_(prompt), dock_(dock), slow_(slow) {}

  // Opens pool item `index`: its Target when that exists, else its Link; a shell
  // shortcut file through its own target, arguments and working folder. Reports a
  // missing target to the user, or one whose drive or network place does not answer. Afterwards the dock leaves key mode and,
  // with auto-hide, hides. 1 when the shell accepted the request, else 0 (also when
  // another launch is still waiting on its target).
  int LaunchItem(int index);

 private:
  LaunchPlan Plan(std::string target, std::string link, const std::string& itemArguments);
  // A shortcut's start folder as the shell is to be given it.
  std::string StartFolder(const std::string& workingFolder);
  LaunchPlan PlanPath(const std::string& path, const std::string& itemArguments);
  // A plan that opens nothing: `missing` is gone, or its place did not answer.
  LaunchPlan NotFound(const std::string& missing);

  Model& model_;
  PathTools& paths_;
  ShortcutFiles& shortcuts_;
  ShortcutReader& reader_;
  ShellRunner& shell_;
  UserPrompt& prompt_;
  DockCommands& dock_;
  BoundedCalls& slow_;
  // A launch waits on its target: a click meanwhile is not queued up. Other slow calls
  // (a first start's scans) do not hold clicks back.
  bool launching_ = false;
};

}  // namespace vek
