// Recording stand-ins for the prompt, the shell and the dock, for native tests.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "launch/dock_commands.h"
#include "launch/launcher.h"
#include "platform/prompt.h"
#include "platform/text_prompt.h"

namespace vek::test {

class RecordingPrompt : public UserPrompt {
 public:
  PromptAnswer Ask(const PromptRequest& request) override {
    asked.push_back(request);
    if (answers.empty()) return request.buttons == PromptButtons::kOk ? PromptAnswer::kOk : PromptAnswer::kNo;
    const PromptAnswer a = answers.front();
    answers.pop_front();
    return a;
  }
  std::vector<std::string> texts() const {
    std::vector<std::string> out;
    for (const PromptRequest& r : asked) out.push_back(r.text);
    return out;
  }
  std::vector<PromptRequest> asked;
  std::deque<PromptAnswer> answers;  // scripted answers, in order; "No" when none left
};

struct ExecuteCall {
  std::string verb, file, arguments, folder;
  int show;
};

class RecordingShell : public ShellRunner {
 public:
  int Execute(const std::string& verb, const std::string& file, const std::string& arguments,
              const std::string& folder, int show) override {
    calls.push_back({verb, file, arguments, folder, show});
    return result;
  }
  std::vector<ExecuteCall> calls;
  int result = 42;
};

class RecordingDock : public DockCommands {
 public:
  void LeaveKeyMode() override { log.push_back("CloseMenu"); }
  void SetDockState(DockState state) override { log.push_back("SetDockState(" + std::to_string(static_cast<int>(state)) + ")"); hidden = state == DockState::Hidden; }
  void Activate(bool on) override { log.push_back(on ? "Activate(true)" : "Activate(false)"); }
  void RefreshRing() override { log.push_back("RefreshRing"); }
  bool DockHidden() const override { return hidden; }
  void CloseGroupMenu(bool noFocus) override { log.push_back(noFocus ? "CloseGroupMenu(true)" : "CloseGroupMenu(false)"); }
  bool SubMenuShown() const override { return false; }
  bool FadeEnabled() const override { return fade; }
  void SetFadeEnabled(bool on) override { fade = on; log.push_back(on ? "Fade(on)" : "Fade(off)"); }
  std::vector<std::string> log;
  bool hidden = false;
  bool fade = true;
};

// The input box as a test scripts it: the answer when one is set, else the default;
// every prompt shown is recorded.
class ScriptedInput : public TextPrompt {
 public:
  std::string InputText(const std::string& prompt, const std::string&, const std::string& def) override {
    prompts.push_back(prompt);
    return answer.empty() ? def : answer;
  }
  std::string answer;
  std::vector<std::string> prompts;
};

}  // namespace vek::test
