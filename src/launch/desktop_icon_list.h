// Finding the shell window that lists the desktop icons: under the program manager
// window, or, with a wallpaper slideshow, under one of the "WorkerW" windows.
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
};

// 0 when the desktop shows no icon list.
WindowId FindDesktopIconList(WindowTree& tree);

}  // namespace vek
