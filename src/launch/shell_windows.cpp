#include "launch/shell_windows.h"

namespace vek {

WindowId FindDesktopIconList(WindowTree& tree) {
  if (const WindowId manager = tree.FindTopLevel("Progman", 0)) {
    if (const WindowId view = tree.FindChild(manager, "SHELLDLL_DefView", nullptr))
      return tree.FindChild(view, "SysListView32", nullptr);
  }
  WindowId worker = 0;
  while ((worker = tree.FindTopLevel("WorkerW", worker)) != 0) {
    if (const WindowId view = tree.FindChild(worker, "SHELLDLL_DefView", nullptr))
      return tree.FindChild(view, "SysListView32", "FolderView");
  }
  return 0;
}

WindowId FindTaskbar(WindowTree& tree) { return tree.FindTopLevel("Shell_TrayWnd", 0); }

WindowId FindStartButton(WindowTree& tree) {
  const WindowId taskbar = FindTaskbar(tree);
  if (!taskbar) return 0;
  const uint64_t shellThread = tree.ThreadOf(taskbar);
  if (shellThread == 0) return 0;
  WindowId button = 0;
  while ((button = tree.FindTopLevel("Button", button)) != 0) {
    if (tree.ThreadOf(button) == shellThread) return button;
  }
  return 0;
}

}  // namespace vek
