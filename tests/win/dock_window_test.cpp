// The dock window's handling of the mouse against real window messages: the capture
// through a drag, a click whose command ends the program, and key mode's backdrop window
// beneath the dock.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "dock/win/dock_window.h"
#include "gdiplus_session.h"
#include "launch/system_catalogue.h"
#include "launch/system_commands.h"
#include "launch/win/system_services_win.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"

namespace vek {
namespace {

const auto* const kGdiplus = ::testing::AddGlobalTestEnvironment(new test::GdiplusSession);

// Runs the dock's commands as the program does; everything else is left undone.
class CommandActions : public NoDockActions {
 public:
  void RunSystemCommand(int code) override {
    if (commands) commands->RunSystemCommand(code);
  }
  SystemCommands* commands = nullptr;
};

class NoItemOps : public CommandItemOps {
 public:
  void FreeItem(int) override {}
  void LoadItemIcon(int) override {}
  void SaveMenu() override {}
  void SaveSettings() override {}
};

class DockWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Model& m = app_.model;
    for (int g = 0; g <= pool::kRingLast; ++g) m.Groups[g].ShownItem = g;
    m.Items[0].Kind = ItemKind::kCentre;
    for (int i = 1; i <= pool::kRingLast; ++i) m.Items[i].Kind = ItemKind::kEmptyPosition;
    m.Items[4].Kind = ItemKind::kShortcut;
    m.Items[4].Title = "Notes";
    m.Items[5].Kind = ItemKind::kShortcut;
    m.Items[5].Title = "Exit";
    m.Items[5].IsSystem = true;
    m.Items[5].CommandId = command::kExit;
    ASSERT_TRUE(dock_.Load());
    dock_.Activate(true);
  }
  void TearDown() override {
    if (GetCapture() == dock_.hwnd()) ReleaseCapture();
  }

  // (x, y) in work-area coordinates, turned into the window's client coordinates.
  void Send(UINT message, WPARAM keys, int x, int y) {
    const PixelRect& area = dock_.surface().area();
    SendMessageW(dock_.hwnd(), message, keys, MAKELPARAM(x - area.left, y - area.top));
  }
  POINT SlotCentre(int slot) const {
    const SlotBox& b = dock_.geometry().DockPos[slot];
    return POINT{b.X + b.Size / 2, b.Y + b.Size / 2};
  }
  // Presses the left button on a slot and drags its icon off the ring.
  void DragOffTheRing(int slot) {
    const POINT p = SlotCentre(slot);
    Send(WM_MOUSEMOVE, 0, p.x, p.y);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, p.x, p.y);
    Send(WM_MOUSEMOVE, MK_LBUTTON, 5, 5);
  }
  const DockInteraction& state() { return dock_.controller().state(); }

  AppContext app_;
  CommandActions actions_;
  DockWindow dock_{DockWindow::Parts{app_.model, app_.modal, app_.fs, app_.folders, {}}, actions_};
};

// The normal size's slider, moved in the settings opened from the tray, leaves a hidden
// or minimised dock as it is.
TEST_F(DockWindowTest, ANewIconSizeLeavesAHiddenOrMinimisedDockAsItIs) {
  for (const DockState away : {DockState::Hidden, DockState::Minimised}) {
    dock_.controller().SetDockState(away);
    app_.model.Settings.NormalIconSize += 8;
    dock_.Relayout(AfterRelayout::QuickResize);
    EXPECT_EQ(state().Visibility, away);
    dock_.controller().SetDockState(DockState::Shown);
  }
}

TEST_F(DockWindowTest, TheCaptureStaysWhileAnotherButtonStillDrags) {
  DragOffTheRing(4);
  ASSERT_EQ(GetCapture(), dock_.hwnd());
  ASSERT_TRUE(state().IsDragging);
  Send(WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, 5, 5);
  Send(WM_RBUTTONUP, MK_LBUTTON, 5, 5);
  EXPECT_EQ(GetCapture(), dock_.hwnd()) << "the right click let go of the dragging left button's mouse";
  EXPECT_TRUE(state().IsDragging);
  Send(WM_LBUTTONUP, 0, 5, 5);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_FALSE(state().IsDragging);
}

TEST_F(DockWindowTest, AnotherWindowTakingTheMouseEndsTheDrag) {
  DragOffTheRing(4);
  ASSERT_TRUE(state().IsDragging);
  const HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(other);
  SetCapture(other);
  EXPECT_FALSE(state().IsDragging);
  EXPECT_FALSE(state().DragArmed);
  EXPECT_EQ(state().ButtonsHeld, 0);
  ReleaseCapture();
  DestroyWindow(other);
}

// The Exit command clicked on the ring, or the program's windows asked to close by another
// program (an installer, a script): the program exits once the message has been handled.
TEST_F(DockWindowTest, AnExitAskedOfTheDockRunsOnceTheMessageHasBeenHandled) {
  bool exited = false;
  win::Win32ShellRunner shell;
  win::Win32RecycleBin bin;
  win::Win32DesktopShell desktop;
  NoItemOps items;
  win::Win32SystemActions session(win::Win32SystemActions::Windows{
      nullptr, nullptr, nullptr, nullptr, nullptr,
      [&] {
        // What the program's exit does to the dock: no pictures, no window, no surface.
        exited = true;
        dock_.ReleaseImages();
        dock_.Unload();
        PostQuitMessage(0);
      },
      [this] { return dock_.hwnd(); }});
  SystemCommands commands(app_.model, app_.folders, shell, app_.prompt, dock_.controller(), session, items,
                          bin, desktop);
  actions_.commands = &commands;

  // Clicked, the dock's window closed, or the dimmed screen's window closed.
  enum class Asked { kClick, kCloseDock, kCloseBackdrop };
  for (const Asked asked : {Asked::kClick, Asked::kCloseDock, Asked::kCloseBackdrop}) {
    SCOPED_TRACE(static_cast<int>(asked));
    if (!dock_.hwnd()) {
      ASSERT_TRUE(dock_.Load());
      dock_.Activate(true);
    }
    exited = false;
    const POINT p = SlotCentre(5);
    if (asked == Asked::kClick) {
      Send(WM_MOUSEMOVE, 0, p.x, p.y);
      Send(WM_LBUTTONDOWN, MK_LBUTTON, p.x, p.y);
      Send(WM_LBUTTONUP, 0, p.x, p.y);
    } else {
      SendMessageW(asked == Asked::kCloseBackdrop ? dock_.backdrop().hwnd() : dock_.hwnd(), WM_CLOSE, 0, 0);
      ASSERT_TRUE(IsWindow(dock_.backdrop().hwnd()));
    }
    EXPECT_FALSE(exited) << "the exit ran inside the message's handler";
    ASSERT_TRUE(IsWindow(dock_.hwnd()));  // else no exit would ever end the loop below
    EXPECT_EQ(win::RunMessageLoop(), 0);
    EXPECT_TRUE(exited);
    EXPECT_EQ(dock_.hwnd(), nullptr);
  }
}

bool Topmost(HWND window) { return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

// A real press and release of the left button at a screen point, through the system's
// input queue; the pointer goes back where it was.
void ClickAt(POINT at, const std::function<bool()>& done) {
  POINT was{};
  GetCursorPos(&was);
  SetCursorPos(at.x, at.y);
  INPUT press[2] = {};
  press[0].type = press[1].type = INPUT_MOUSE;
  press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, press, sizeof(INPUT));
  for (int i = 0; i < 200 && !done(); ++i) {
    win::PumpPendingMessages();
    Sleep(10);
  }
  win::PumpPendingMessages();
  SetCursorPos(was.x, was.y);
}

TEST_F(DockWindowTest, KeyModesBackdropLiesJustBeneathTheDockAndNeverTakesTheKeyboard) {
  const HWND backdrop = dock_.backdrop().hwnd();
  ASSERT_TRUE(backdrop);
  dock_.SetKeyMode(true);
  ASSERT_TRUE(IsWindowVisible(backdrop));
  EXPECT_EQ(GetWindow(dock_.hwnd(), GW_HWNDNEXT), backdrop);
  EXPECT_TRUE(Topmost(dock_.hwnd()));
  EXPECT_TRUE(Topmost(backdrop));
  EXPECT_EQ(GetFocus(), dock_.hwnd());
  // Alt+Space again brings the dock to the front: the backdrop follows.
  dock_.SetKeyMode(true);
  EXPECT_EQ(GetWindow(dock_.hwnd(), GW_HWNDNEXT), backdrop);

  // A press on the dimmed screen, away from the ring, leaves key mode; the backdrop never
  // becomes active and the dock keeps the keyboard.
  const PixelRect& work = dock_.geometry().screen.WorkArea;
  ClickAt(POINT{work.left + 5, work.top + 5}, [&] { return !dock_.keyMode(); });
  EXPECT_FALSE(dock_.keyMode());
  EXPECT_FALSE(IsWindowVisible(backdrop));
  EXPECT_NE(GetActiveWindow(), backdrop);
  EXPECT_EQ(GetFocus(), dock_.hwnd());
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_FALSE(Topmost(dock_.hwnd()));
}

// The taskbar moved or the resolution changed while the program runs: the ring is laid
// out in the middle of the new work area, no larger than it allows, the window stays
// within it and key mode's dimmed screen covers it.
TEST_F(DockWindowTest, TheRingFollowsANewWorkArea) {
  RECT was{};
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &was, 0));
  RECT smaller{was.left + 100, was.top, was.left + 100 + 1024, was.top + 600};
  ASSERT_TRUE(SystemParametersInfoW(SPI_SETWORKAREA, 0, &smaller, 0));
  ScreenMetrics told;
  dock_.WhenScreenChanges([&](const ScreenMetrics& s) { told = s; });
  SendMessageW(dock_.hwnd(), WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
  win::PumpPendingMessages();
  dock_.SetKeyMode(true);
  RECT window{}, backdrop{};
  GetWindowRect(dock_.hwnd(), &window);
  GetWindowRect(dock_.backdrop().hwnd(), &backdrop);
  SystemParametersInfoW(SPI_SETWORKAREA, 0, &was, 0);

  const PixelRect area{smaller.left, smaller.top, smaller.right, smaller.bottom};
  EXPECT_EQ(told.WorkArea, area);
  EXPECT_EQ(std::pair(dock_.geometry().screen.CenterX, dock_.geometry().screen.CenterY), std::pair(512, 300));
  const SlotBox& first = dock_.geometry().DockPos[1];
  EXPECT_EQ(first.X + first.Size / 2, 512 + 300 - 80) << "the largest radius that fits 600 lines";
  EXPECT_EQ(PixelRect(area).Intersection(PixelRect{window.left, window.top, window.right, window.bottom}),
            (PixelRect{window.left, window.top, window.right, window.bottom}));
  EXPECT_EQ((PixelRect{backdrop.left, backdrop.top, backdrop.right, backdrop.bottom}), area);
}

TEST(MessageLoopTest, WorkWaitsForTheHandlersAndRunsInOrder) {
  std::vector<std::string> log;
  win::RunAfterHandlers([&] { log.push_back("first"); });
  win::RunAfterHandlers([&] {
    log.push_back("second");
    win::RunAfterHandlers([&] {
      log.push_back("queued by the second");
      PostQuitMessage(3);
    });
  });
  // A handler's own pump of pending messages leaves the work waiting.
  win::PumpPendingMessages();
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(win::RunMessageLoop(), 3);
  EXPECT_EQ(log, (std::vector<std::string>{"first", "second", "queued by the second"}));
  EXPECT_FALSE(win::RunQueuedWork());
}

}  // namespace
}  // namespace vek
