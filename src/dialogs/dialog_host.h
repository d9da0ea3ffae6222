// What the item dialogs ask of the windows once they changed the model: the ring shows
// the change and the files keep it.
#pragma once

#include <functional>
#include <utility>

namespace vek {

class DialogHost {
 public:
  virtual ~DialogHost() = default;
  // The ring re-reads its slots and repaints.
  virtual void RefreshRing() = 0;
  virtual void SaveMenu() = 0;
  virtual void SaveSettings() = 0;
};

// A DialogHost made of three functions; one that is not set does nothing.
class FunctionDialogHost : public DialogHost {
 public:
  FunctionDialogHost(std::function<void()> refreshRing, std::function<void()> saveMenu,
                     std::function<void()> saveSettings)
      : refreshRing_(std::move(refreshRing)), saveMenu_(std::move(saveMenu)), saveSettings_(std::move(saveSettings)) {}
  void RefreshRing() override { Call(refreshRing_); }
  void SaveMenu() override { Call(saveMenu_); }
  void SaveSettings() override { Call(saveSettings_); }

 private:
  static void Call(const std::function<void()>& f) {
    if (f) f();
  }
  std::function<void()> refreshRing_, saveMenu_, saveSettings_;
};

}  // namespace vek
