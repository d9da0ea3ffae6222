// What launching and the built-in commands ask of the dock and its group menu. The dock
// window implements it; tests record the calls.
#pragma once

#include "core/model.h"

namespace vek {

class DockCommands {
 public:
  virtual ~DockCommands() = default;
  // Leaves key mode and puts the dock behind all windows.
  virtual void LeaveKeyMode() = 0;
  // Shows the dock, minimises it to its small icon, or hides it. A minimised or hidden
  // dock gives the keyboard back to the window it took it from.
  virtual void SetDockState(DockState state) = 0;
  // Refreshes the ring's slots; with paintRing it also paints the plain ring and wakes
  // the dock's timers.
  virtual void Activate(bool paintRing) = 0;
  // Refreshes the ring's slot arrays from the model and repaints it.
  virtual void RefreshRing() = 0;
  virtual bool DockHidden() const = 0;
  // Closes the group menu if one is open; unless noDockFocus, the dock takes the focus.
  virtual void CloseGroupMenu(bool noDockFocus) = 0;
  virtual bool SubMenuShown() const = 0;
  // Fading of the hide animation, switched off around some commands.
  virtual bool FadeEnabled() const = 0;
  virtual void SetFadeEnabled(bool on) = 0;
};

}  // namespace vek
