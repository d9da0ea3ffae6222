// Key mode's dimmed backdrop as a window: borderless, over the whole work area, just
// beneath the dock's window and topmost when the dock is, filled with one colour and
// made translucent as a whole (a layered window with one alpha, so that showing another
// opacity or a step of a fade touches no pixels). The dock's own window then covers only
// the ring, and repainting the ring never touches this one.
//
// It never becomes active and never takes the keyboard: the dock keeps both while the
// screen is dimmed, so that the letters reach it. What the mouse does over it (a press on
// the dimmed screen, the pointer passing over it) goes to the dock, as if the dock's own
// window had it, in work-area coordinates.
#pragma once

#include <windows.h>

#include <functional>

#include "dock/backdrop.h"
#include "dock/geometry.h"
#include "platform/win/handles.h"
#include "platform/win/window.h"

namespace vek::win {

class BackdropWindow : public Window {
 public:
  static constexpr const wchar_t* kClassName = L"VEKDesktopBackdrop";
  // A mouse message at (x, y) in work-area coordinates.
  using MouseHandler = std::function<void(UINT message, WPARAM wParam, int x, int y)>;

  // Creates the window, hidden, over `workArea` (screen coordinates); its mouse messages
  // go to `mouse`, and the keyboard focus it might ever get to `dock`.
  [[nodiscard]] bool Load(const PixelRect& workArea, HWND dock, MouseHandler mouse);
  // Shows `look` just beneath the dock's window, or hides the window when the look shows
  // nothing; does nothing when the window already shows the same.
  void Present(const BackdropLook& look);
  // Puts the shown window back just beneath the dock's window, topmost when the dock is
  // (after the dock moved in the z-order).
  void FollowDock();
  // Covers `workArea` (screen coordinates) from now on: the screen or the taskbar changed.
  void Cover(const PixelRect& workArea);

  bool shown() const { return shown_; }
  const BackdropLook& look() const { return look_; }
  // How many times the window was filled, shown or hidden since it was made.
  int changes() const { return changes_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Fill(const BackdropLook& look);

  HWND dock_ = nullptr;
  MouseHandler mouse_;
  UniqueBrush brush_;
  COLORREF brushColour_ = CLR_INVALID;
  BackdropLook look_;
  bool shown_ = false;
  int changes_ = 0;
};

}  // namespace vek::win
