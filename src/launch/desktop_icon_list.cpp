#include "launch/desktop_icon_list.h"

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

}  // namespace vek
