// Key mode's dimmed backdrop: a layered window over the whole work area, filled with one
// colour, just beneath the dock's window. It is pushed only when its colour or its
// window-wide alpha changes (the fades), never when the ring repaints, so the ring's
// own window can stay as small as the ring. Mouse input on it goes to the dock.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

#include "dock/geometry.h"
#include "platform/win/dib_section.h"
#include "platform/win/window.h"

namespace vek::win {

class BackdropWindow : public Window {
 public:
  static constexpr const wchar_t* kClassName = L"VEKDesktopBackdrop";
  // A mouse message at (x, y) in work-area coordinates.
  using MouseSink = std::function<void(UINT message, WPARAM wParam, int x, int y)>;

  ~BackdropWindow() override;
  // Creates the hidden window over `workArea` (screen coordinates).
  [[nodiscard]] bool Load(const PixelRect& workArea, MouseSink sink);
  void Unload();

  // Shows the colour `argb` (alpha from its top byte) with the window-wide alpha `alpha`,
  // just beneath `above`; a colour of alpha 0 hides the backdrop and frees its bitmap.
  void Show(uint32_t argb, BYTE alpha, HWND above);
  bool visible() const { return visible_; }
  // The colour shown (0 while hidden).
  uint32_t colour() const { return visible_ ? shownArgb_ : 0; }
  // Number of pushes so far.
  int pushes() const { return pushes_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  PixelRect workArea_;
  MouseSink sink_;
  DibSection canvas_;
  uint32_t shownArgb_ = 0;
  BYTE shownAlpha_ = 0;
  bool visible_ = false;
  int pushes_ = 0;
};

}  // namespace vek::win
