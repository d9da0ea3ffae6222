// Finding the shell's own windows: the window that lists the desktop icons (under the
// program manager window or, with a wallpaper slideshow, under one of the "WorkerW"
// windows) and the start button that some versions of the shell keep as a top-level
// window of its own beside the taskbar.
#pragma once

#include <cstdint>
#include <string>

namespace vek {

using WindowId = uintptr_t;  // 0 = none

class WindowTree {
 public:
  virtual ~WindowTree() = default;
  // The next top-level window of the class after `after` (0: the first), in z-order.
  virtual WindowId FindTopLevel(const std::string& className, WindowId after) = 0;
  // A direct child of `parent` of the class (compared without regard to case) and, when
  // `title` is given, with that title.
  virtual WindowId FindChild(WindowId parent, const std::string& className, const char* title) = 0;
  // The thread that created the window (0 for none).
  virtual uint64_t ThreadOf(WindowId window) = 0;
};

// 0 when the desktop shows no icon list.
WindowId FindDesktopIconList(WindowTree& tree);

// The taskbar ("Shell_TrayWnd"), or 0.
WindowId FindTaskbar(WindowTree& tree);

// The shell's separate start button: a top-level "Button" window made by the taskbar's
// own thread. Any other program's top-level button is never taken for it. 0 when the
// taskbar is missing or keeps its start button as a child (hidden along with it).
WindowId FindStartButton(WindowTree& tree);

}  // namespace vek
