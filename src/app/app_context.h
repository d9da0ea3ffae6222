// The process-wide state of the running program: the platform services, the folders,
// the model, the configuration files' collaborators and the facts about the system. It
// knows nothing of the windows: the program builds those and hands each part what it uses.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

// The Windows headers first: the configuration reader drops a macro they define.
#include "platform/win/ansi_codec_win.h"
#include "platform/win/file_system_win.h"
#include "platform/win/registry_win.h"
#include "platform/win/system_info_win.h"
#include "platform/win/window.h"

#include "core/config_files.h"
#include "core/model.h"
#include "core/paths.h"
#include "platform/modal_state.h"

namespace vek {

// What the windows may ask of the program as a whole.
class ProgramControl {
 public:
  virtual ~ProgramControl() = default;
  // The exit sequence: saves everything, restores the shell, unloads every window.
  virtual void ExitProgram() = 0;
  // An exit is queued to run once the handlers now running have returned: from here on
  // the program counts as ending.
  virtual void ExitAsked() = 0;
  // True from an exit asked for until the process ends; a refused exit ends it.
  virtual bool Ending() const = 0;
  // Writes both configuration files and nothing else: the session ends while a modal
  // window holds code that still uses the windows, so they are left standing.
  virtual void SaveAll() = 0;
};

struct AppContext {
  win::Win32FileSystem fs;
  win::Win32Environment env;
  win::Win32ShellFolders shell;
  // A box asked from one of the program's dialogs (or the search box) is owned by it, so
  // that the window waits under the box instead of covering it.
  win::Win32Prompt prompt{&win::MessageOwnerInFront};
  win::Win32Registry registry;
  win::Win32AnsiCodec codec;

  // How many modal windows are open; while any is, the rest of the program only brings
  // it to the front.
  ModalState modal;

  Folders folders;
  std::unique_ptr<PathTools> paths;
  // The configuration files' collaborators, ready once the folders are known.
  std::unique_ptr<ConfigIo> io;
  Model model;

  uint32_t WindowsMajorVersion = 0;
  std::string WindowsVersionText;
};

}  // namespace vek
