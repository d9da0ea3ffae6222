// Recording stand-ins for the prompt, the shell, the dock and its windows, and shortcut
// files as a table, for native tests.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "dock/dock_controller.h"
#include "launch/dock_commands.h"
#include "launch/launcher.h"
#include "platform/prompt.h"
#include "platform/text_prompt.h"
#include "text/text.h"
#include "tray/edit_menu.h"

namespace vek::test {

class RecordingPrompt : public UserPrompt {
 public:
  PromptAnswer Ask(const PromptRequest& request) override {
    asked.push_back(request);
    if (onAsk) onAsk();
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
  std::function<void()> onAsk;       // what else happens while a box is shown
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

// The dock window as a row of the paints and moves it was asked for.
class RecordingDockWindow : public DockDisplay {
 public:
  void DockNormal(bool noUpdate) override { log.push_back(noUpdate ? "Normal(noUpdate)" : "Normal"); }
  void DockAction(bool down) override { log.push_back(down ? "Action(down)" : "Action"); }
  void PaintDraggedIcon(int slot, int x, int y) override {
    log.push_back("Drag(" + std::to_string(slot) + "," + std::to_string(x) + "," + std::to_string(y) + ")");
  }
  void PaintMinimized() override { log.push_back("Minimized"); }
  void PushWithAlpha(int alpha) override { alphas.push_back(alpha); }
  void ClearAndPushInvisible() override { log.push_back("Invisible"); }
  void DeleteEffect(int x, int y) override { log.push_back("DelEffect(" + std::to_string(x) + "," + std::to_string(y) + ")"); }
  void RefreshSlots() override { log.push_back("Refresh"); }
  void ToBottom(bool quietly) override { log.push_back(quietly ? "Bottom(quiet)" : "Bottom"); }
  void ToTopmost() override { log.push_back("Topmost"); }
  void TakeFocus() override { log.push_back("Focus"); }
  void ReturnKeyboard() override { log.push_back("Return"); }
  void EnableTimer(int t, bool on) override { timers[t] = on; }
  void Wait(int ms) override { waited += ms; }
  void PumpMessages() override {
    if (onPump) std::exchange(onPump, nullptr)();
  }
  bool OwnWindowInForeground() override { return ownForeground; }
  void CursorPosition(int& x, int& y) override { x = cursorX; y = cursorY; }

  std::vector<std::string> log;
  std::vector<int> alphas;
  bool timers[5] = {};
  int waited = 0;
  bool ownForeground = true;
  int cursorX = 0, cursorY = 0;
  std::function<void()> onPump;  // a message that arrives while messages are let run, once
};

// The windows around the edit menu and the wizard, as a row of the calls they got.
struct RecordingEditHost : EditMenuHost {
  void CloseGroupMenu() override { calls += "close "; }
  bool KeyMode() override { return keyMode; }
  void LeaveKeyMode() override { calls += "esc "; }
  void RefreshRing() override { calls += "ring "; }
  void RefreshGroupMenu() override { calls += "menu "; }
  bool DeleteItem(int item) override {
    calls += "delete" + std::to_string(item) + " ";
    return true;
  }
  void SaveMenu() override { calls += "save "; }
  bool DockInForeground() override { return dockInFront; }
  void ShowProperties(int item, bool add) override { calls += (add ? "add" : "props") + std::to_string(item) + " "; }
  bool keyMode = false, dockInFront = false;
  std::string calls;
};

// The cached pictures as a row of the slots they were made for.
struct RecordingImageSwap : ItemImageSwap {
  void SwapItemImages(int a, int b) override {
    std::swap(picture[a], picture[b]);
    ++count;
  }
  std::vector<int> picture = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  int count = 0;
};

// Shortcut files as a table: what each route reads from a file, and the installed target
// of each advertised one. Paths compare without regard to ASCII letter case.
class TableShortcutReader : public ShortcutReader {
 public:
  // Every route reads the same fields from the file.
  void Add(const std::string& linkPath, const std::string& target, const std::string& iconFile = "",
           int32_t iconIndex = 0, const std::string& arguments = "") {
    LinkFields f;
    f.target = target;
    f.iconFile = iconFile;
    f.iconIndex = iconIndex;
    f.arguments = arguments;
    for (Route r : {Route::kShellAutomation, Route::kScripting, Route::kShellLink}) links[{linkPath, r}] = f;
  }
  std::optional<LinkFields> Read(const std::string& linkPath, Route route) override {
    for (const auto& [key, fields] : links)
      if (key.second == route && ToUpperAscii(key.first) == ToUpperAscii(linkPath)) return fields;
    return std::nullopt;
  }
  std::string InstallerTarget(const std::string& linkPath) override {
    for (const auto& [link, target] : installed)
      if (ToUpperAscii(link) == ToUpperAscii(linkPath)) return target;
    return {};
  }
  std::map<std::pair<std::string, Route>, LinkFields> links;
  std::map<std::string, std::string> installed;
};

// The input box as a test scripts it: cancelled, or the answer when one is set, else the
// default; every prompt shown is recorded.
class ScriptedInput : public TextPrompt {
 public:
  std::optional<std::string> InputText(const std::string& prompt, const std::string&, const std::string& def) override {
    prompts.push_back(prompt);
    if (cancel) return std::nullopt;
    return answer.empty() ? def : answer;
  }
  bool cancel = false;
  std::string answer;
  std::vector<std::string> prompts;
};

}  // namespace vek::test
