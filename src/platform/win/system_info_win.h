// Environment variables, special folders and message boxes through the Win32 API.
#pragma once

#include <windows.h>

#include "platform/modal_state.h"
#include "platform/prompt.h"
#include "platform/system_info.h"

namespace vek::win {

class Win32Environment : public Environment {
 public:
  std::optional<std::string> Variable(const std::string& name) override;
};

class Win32ShellFolders : public ShellFolders {
 public:
  std::string SpecialFolder(int csidl) override;
  std::string TempFolder() override;
  std::string TempFileName(const std::string& folder, const std::string& prefix) override;
};

class Win32Prompt : public UserPrompt {
 public:
  // Boxes are owned by the window the provider returns (none while it gives null).
  using OwnerProvider = HWND (*)();
  explicit Win32Prompt(OwnerProvider owner = nullptr) : owner_(owner) {}
  PromptAnswer Ask(const PromptRequest& request) override;
  // Every box shown from now on counts as an open modal window in `modal`.
  void CountIn(ModalState* modal) { modal_ = modal; }

 private:
  OwnerProvider owner_;
  ModalState* modal_ = nullptr;
};

// The folder of the running program, with a trailing backslash.
std::string ProgramFolder();
// The full path of the running program.
std::string ProgramPath();
// The Windows account name of the user, trimmed (at most 32 characters).
std::string WindowsUserName();

}  // namespace vek::win
