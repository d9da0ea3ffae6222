// Opening what an ordinary shortcut item stands for, through the shell's "open" verb.
#pragma once

#include <string>

#include "core/model.h"
#include "core/paths.h"
#include "launch/dock_commands.h"
#include "launch/shortcut_files.h"
#include "platform/prompt.h"

namespace vek {

// The shell's ShellExecute: returns its result code (above 32 on success).
class ShellRunner {
 public:
  virtual ~ShellRunner() = default;
  virtual int Execute(const std::string& verb, const std::string& file, const std::string& arguments,
                      const std::string& folder, int showCommand) = 0;
};

// The show command for a stored window state: 1 normal, 2 minimised, 3 maximised; any
// other stored value opens a normal window.
int ShowCommandForRunMode(int32_t runMode);

// The message shown when neither the target nor the link of an item exists.
PromptRequest MissingTargetMessage(const std::string& path);

class Launcher {
 public:
  Launcher(Model& model, PathTools& paths, ShortcutFiles& shortcuts, ShortcutReader& reader,
           ShellRunner& shell, UserPrompt& prompt, DockCommands& dock)
      : model_(model), paths_(paths), shortcuts_(shortcuts), reader_(reader), shell_(shell),
        prompt_(prompt), dock_(dock) {}

  // Opens pool item `index`: its Target when that exists, else its Link; a shell
  // shortcut file through its own target, arguments and working folder. Reports a
  // missing target to the user. Afterwards the dock leaves key mode and, with auto-hide,
  // hides. 1 when the shell accepted the request, else 0.
  int LaunchItem(int index);

 private:
  int Open(ShortcutItem& item, const std::string& path);

  Model& model_;
  PathTools& paths_;
  ShortcutFiles& shortcuts_;
  ShortcutReader& reader_;
  ShellRunner& shell_;
  UserPrompt& prompt_;
  DockCommands& dock_;
};

}  // namespace vek
