#include <gtest/gtest.h>

#include <vector>

#include "text/text.h"
#include "launch/desktop_icon_list.h"

namespace vek {
namespace {

struct Node {
  WindowId id, parent;
  std::string cls, title;
};

class FakeTree : public WindowTree {
 public:
  WindowId FindTopLevel(const std::string& cls, WindowId after) override {
    bool passed = after == 0;
    for (const Node& n : nodes) {
      if (n.parent != 0) continue;
      if (passed && ToUpperAscii(n.cls) == ToUpperAscii(cls)) return n.id;
      if (n.id == after) passed = true;
    }
    return 0;
  }
  WindowId FindChild(WindowId parent, const std::string& cls, const char* title) override {
    for (const Node& n : nodes)
      if (n.parent == parent && ToUpperAscii(n.cls) == ToUpperAscii(cls) && (!title || n.title == title))
        return n.id;
    return 0;
  }
  std::vector<Node> nodes;
};

TEST(DesktopIconListTest, UnderTheProgramManager) {
  FakeTree t;
  t.nodes = {{1, 0, "Progman", ""}, {2, 1, "ShellDll_DefView", ""}, {3, 2, "SysListView32", "FolderView"}};
  EXPECT_EQ(FindDesktopIconList(t), 3u);
}

TEST(DesktopIconListTest, UnderAWorkerWindowWithASlideshow) {
  FakeTree t;
  t.nodes = {{1, 0, "Progman", ""},          {5, 0, "WorkerW", ""},           {6, 0, "WorkerW", ""},
             {7, 6, "SHELLDLL_DefView", ""}, {8, 7, "SysListView32", "Other"}, {9, 7, "SysListView32", "FolderView"}};
  EXPECT_EQ(FindDesktopIconList(t), 9u);
}

TEST(DesktopIconListTest, NoShellWindows) {
  FakeTree t;
  t.nodes = {{5, 0, "WorkerW", ""}, {4, 0, "Shell_TrayWnd", ""}};
  EXPECT_EQ(FindDesktopIconList(t), 0u);
}

}  // namespace
}  // namespace vek
