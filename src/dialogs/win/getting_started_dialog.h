// The getting-started window: six page pictures, "<< Last", "Next >>", "Cancel" and
// "Don't show again". Modeless; the page it closes on is kept in the settings, so the
// window reopens there at the next start.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "core/model.h"
#include "dialogs/getting_started.h"
#include "dialogs/win/dialog.h"
#include "icons/win/image_store.h"

namespace vek {

class GettingStartedDialog : public win::Dialog {
 public:
  // `saveSettings` writes the settings file when the window closes.
  GettingStartedDialog(AppSettings& settings, std::function<void()> saveSettings)
      : settings_(settings), saveSettings_(std::move(saveSettings)) {}
  ~GettingStartedDialog() override;

  // Opens the window on the page the settings name (brought to the front when open).
  void Show();

 protected:
  BOOL OnInit() override;
  bool OnCommand(int id, int code) override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnClosing() override;

 private:
  void ShowPage();
  void FocusButton(HWND button);
  void LayOut();

  AppSettings& settings_;
  std::function<void()> saveSettings_;
  std::optional<GettingStartedPages> pages_;
  // The picture of the page shown, decoded when the page first draws: the window stays
  // open beside the ring after start, and the other pages need not take memory there.
  win::BitmapPtr picture_;
  int picturePage_ = -1;
};

}  // namespace vek
