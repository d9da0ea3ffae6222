#include <gtest/gtest.h>

#include <vector>

#include "launch/shell_windows.h"
#include "text/text.h"

namespace vek {
namespace {

struct Node {
  WindowId id, parent;
  std::string cls, title;
  uint64_t thread = 1;
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
  uint64_t ThreadOf(WindowId id) override {
    for (const Node& n : nodes)
      if (n.id == id) return n.thread;
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

// Top-level windows in z-order; the shell's windows belong to thread 7.
TEST(StartButtonTest, OnlyTheTaskbarThreadsOwnButtonIsTheStartButton) {
  struct Case {
    const char* name;
    std::vector<Node> windows;
    WindowId expected;
  };
  const std::vector<Case> cases = {
      {"another program's button lies above the shell's",
       {{1, 0, "Button", "OK", 3}, {2, 0, "Shell_TrayWnd", "", 7}, {3, 0, "Button", "Start", 7}},
       3},
      {"only other programs' buttons", {{1, 0, "Button", "", 3}, {2, 0, "Shell_TrayWnd", "", 7}}, 0},
      {"no taskbar: a lone button is never taken", {{1, 0, "Button", "Start", 7}}, 0},
      {"the start button is the taskbar's child",
       {{2, 0, "Shell_TrayWnd", "", 7}, {4, 2, "Button", "Start", 7}, {5, 0, "Button", "", 9}},
       0},
  };
  for (const Case& c : cases) {
    FakeTree t;
    t.nodes = c.windows;
    EXPECT_EQ(FindStartButton(t), c.expected) << c.name;
  }
}

}  // namespace
}  // namespace vek
