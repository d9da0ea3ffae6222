// The program's small windows and the one owner of its modal windows: the input box,
// the getting-started pages and the About box. Created once the dock exists.
#pragma once

#include <functional>
#include <string>

#include "core/model.h"
#include "dialogs/win/about_dialog.h"
#include "dialogs/win/input_box_dialog.h"
#include "dialogs/win/getting_started_dialog.h"
#include "dialogs/win/dialog.h"

namespace vek {

class SmallWindows {
 public:
  // `dock` gives the window that owns the modal ones; `saveSettings` writes the
  // settings file; `codec` tells which answers of the input box the files can keep.
  SmallWindows(ModalState& modal, AppSettings& settings, AnsiCodec& codec, std::function<HWND()> dock,
               std::function<void()> saveSettings, std::string windowsVersionText)
      : modal_(modal),
        input_(modal_, codec, dock),
        started_(settings, std::move(saveSettings)),
        about_(modal_, dock, std::move(windowsVersionText)) {}

  win::ModalWindows& modal() { return modal_; }
  TextPrompt& input() { return input_; }
  void ShowGettingStarted() { started_.Show(); }
  void ShowAbout() { about_.Show(); }
  GettingStartedDialog& started() { return started_; }
  // Closes the modeless window (the modal ones are closed by their callers).
  void Unload() { started_.Close(IDCANCEL); }

 private:
  win::ModalWindows modal_;
  InputBoxDialog input_;
  GettingStartedDialog started_;
  AboutDialog about_;
};

}  // namespace vek
