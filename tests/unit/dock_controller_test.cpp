#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "dock/dock_controller.h"
#include "support/recorders.h"

namespace vek {
namespace {

class FakeActions : public DockActions {
 public:
  void LaunchItem(int index) override {
    log.push_back("Launch(" + std::to_string(index) + ")");
    if (launching) launching();
  }
  std::function<void()> launching;  // what the launch does to the dock (key mode ends)
  void RunSystemCommand(int code) override { log.push_back("Command(" + std::to_string(code) + ")"); }
  void OpenGroupMenu(int slot) override {
    log.push_back("Menu(" + std::to_string(slot) + ")");
    menuOpen = menusShow;
  }
  void CloseGroupMenu(bool) override { log.push_back("CloseMenu"); menuOpen = false; }
  bool GroupMenuOpen() override { return menuOpen; }
  void ClearGroupMenuFocus() override {}
  bool GroupMenuBusy() override { return menuBusy; }
  void ShowEditMenu() override {
    log.push_back("EditMenu");
    if (whileEditMenu) std::exchange(whileEditMenu, nullptr)();
  }
  std::function<void()> whileEditMenu;  // what happens while the edit menu is open
  int DeleteItem(int index) override {
    log.push_back("Delete(" + std::to_string(index) + ")");
    if (whileAsking) std::exchange(whileAsking, nullptr)();
    return deleteResult;
  }
  void SaveMenu() override { log.push_back("Save"); }
  void ShowGettingStarted() override { log.push_back("GettingStarted"); }
  std::optional<bool> IsRecycleBinFull() override { return binFull; }
  bool ModalWindowOpen() override { return modalOpen; }
  std::vector<std::string> log;
  bool menuOpen = false, menuBusy = false, modalOpen = false;
  std::optional<bool> binFull = false;
  bool menusShow = false;  // an opened menu counts as open
  int deleteResult = 1;
  std::function<void()> whileAsking;  // what happens while the delete question is open
};

class DockControllerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    geometry.screen = ComputeScreenMetrics(1920, 1040, 40, PixelRect{0, 0, 1920, 1080});
    ApplyDefaultSettings(model.Settings, ScreenForSettings(geometry.screen));
    geometry.Relayout(model.Settings);
    model.Items[0].Kind = ItemKind::kCentre;
    model.Items[1].Kind = ItemKind::kBuiltIn;
    model.Items[1].IsSystem = true;
    model.Items[1].CommandId = 81;
    model.Items[2].Kind = ItemKind::kRecycleBin;
    model.Items[2].IsSystem = true;
    model.Items[2].CommandId = 101;
    model.Items[2].ImageIndex = 37;
    model.Items[37] = model.Items[2];
    model.Items[38] = model.Items[2];
    model.Items[38].ImageIndex = 38;
    model.Items[38].Title = "Recycle Bin (Full)";
    model.Items[4].Kind = ItemKind::kShortcut;
    model.Items[5].Kind = ItemKind::kGroup;
    model.Items[6].Kind = ItemKind::kGroup;
    model.Items[6].Link = "C:\\Docs";
    model.Items[7].Kind = ItemKind::kEmptyPosition;
    model.Items[8].Kind = ItemKind::kShortcut;
    model.Items[8].IsSystem = true;
    model.Items[8].CommandId = 104;
    model.Items[36].Kind = ItemKind::kShortcut;
    for (int g = 0; g < pool::kGroupCount; ++g) model.Groups[g].ShownItem = g;
    FillSlots(model, slots);
  }
  // The centre of a slot's box.
  void PointAt(int slot, int& x, int& y) {
    const SlotBox& b = geometry.DockPos[slot];
    x = b.X + b.Size / 2;
    y = b.Y + b.Size / 2;
  }
  void Hover(int slot) {
    int x, y;
    PointAt(slot, x, y);
    dock.MouseMove(false, x, y);
  }
  // The left button goes down on a slot's centre, the pointer over it first; where it went down.
  std::pair<int, int> Press(int slot) {
    Hover(slot);
    int x, y;
    PointAt(slot, x, y);
    dock.MouseDown(mouse::kLeft, x, y);
    return {x, y};
  }
  void Click(int slot, int button = mouse::kLeft, bool secondOfDouble = false) {
    int x, y;
    PointAt(slot, x, y);
    dock.MouseMove(false, x, y);
    dock.MouseDown(button, x, y, secondOfDouble);
    dock.MouseUp(button, x, y);
  }
  Model model;
  DockGeometry geometry;
  SlotContents slots;
  test::RecordingDockWindow window;
  FakeActions actions;
  DockController dock{model, geometry, slots, window, actions};
};

TEST_F(DockControllerTest, LeftClickDispatchByKind) {
  // A shortcut, a group, a group with a link (opens the link), an empty position
  // (nothing), a shortcut carrying a command, the two built-in items.
  for (int slot : {4, 5, 6, 7, 8, 1, 2}) Click(slot);
  EXPECT_EQ(actions.log, (std::vector<std::string>{"Launch(4)", "Menu(5)", "Launch(6)", "Command(104)",
                                                   "Command(81)", "Command(101)"}));
}

// A double click starts a program once; on a group it opens the menu its second press
// closed again. Its second press on another slot, and a slower second click, act as
// clicks do. On the centre the first click minimises and the second restores.
TEST_F(DockControllerTest, ADoubleClicksSecondPressDoesNotActAgainOnTheSameSlot) {
  const struct {
    int first, second;
    bool secondOfDouble;
    std::vector<std::string> log;
  } cases[] = {
      {4, 4, true, {"Launch(4)"}},
      {5, 5, true, {"Menu(5)", "Menu(5)"}},
      {4, 5, true, {"Launch(4)", "Menu(5)"}},
      {4, 4, false, {"Launch(4)", "Launch(4)"}},
  };
  actions.menusShow = true;
  for (const auto& c : cases) {
    actions.log.clear();
    Click(c.first);
    Click(c.second, mouse::kLeft, c.secondOfDouble);
    EXPECT_EQ(actions.log, c.log) << c.first << " then " << c.second;
  }
  Click(0);
  Click(0, mouse::kLeft, true);
  EXPECT_EQ(dock.state().Visibility, DockState::Shown);
}

TEST_F(DockControllerTest, RightClickOpensEditMenuForUserItemsAndGroupMenuForBuiltIns) {
  Click(4, mouse::kRight);
  EXPECT_EQ(dock.state().MenuSlot, 4);
  Click(1, mouse::kMiddle);  // the middle button behaves as the right one
  Click(2, mouse::kRight);
  EXPECT_EQ(actions.log, (std::vector<std::string>{"EditMenu", "Menu(1)", "Menu(2)"}));
}

// A press acts on the slot under it, not on the last one a move went to: a pointer back
// from another window on the pixel it left brings no move. (The right button: drop_e2e.)
TEST_F(DockControllerTest, APressWithoutAMoveActsOnTheSlotUnderIt) {
  Hover(4);
  int x, y;
  PointAt(5, x, y);
  dock.MouseDown(mouse::kLeft, x, y);
  dock.MouseUp(mouse::kLeft, x, y);
  EXPECT_EQ(actions.log, std::vector<std::string>{"Menu(5)"});
  // A release whose press another window took (and acted on) is no click.
  for (int button : {mouse::kLeft, mouse::kRight}) dock.MouseUp(button, x, y);
  EXPECT_EQ(actions.log, std::vector<std::string>{"Menu(5)"});
}

TEST_F(DockControllerTest, ClickOnCentreMinimisesAndClickOnMinimisedDockRestores) {
  Click(0);
  EXPECT_EQ(dock.state().Visibility, DockState::Minimised);
  EXPECT_NE(std::find(window.log.begin(), window.log.end(), "Minimized"), window.log.end());
  // Down quietly: a move that activates would take back the keyboard just given back.
  EXPECT_EQ(std::count(window.log.begin(), window.log.end(), "Bottom"), 0);
  window.log.clear();
  dock.MouseDown(mouse::kLeft, 5, 5);
  dock.MouseUp(mouse::kLeft, 5, 5);
  EXPECT_EQ(dock.state().Visibility, DockState::Shown);
  EXPECT_EQ(window.log.back(), "Topmost");
  // With auto-hide the minimised dock goes at once.
  model.Settings.AutoHide = true;
  Click(0);
  EXPECT_EQ(dock.state().Visibility, DockState::Hidden);
}

TEST_F(DockControllerTest, KeysMapToSlotsEvenAboveTheShownCount) {
  model.Settings.IconQuantity = 24;
  dock.KeyDown('4', 0);  // not in key mode: nothing
  EXPECT_TRUE(actions.log.empty());
  dock.AltSpace();
  EXPECT_TRUE(dock.state().KeyMode);
  dock.KeyDown('3', 0);  // slot 4
  actions.launching = [&] { dock.LeaveKeyMode(); };
  dock.KeyDown('Z', 0);  // slot 36, not shown with 24 slots, still acts
  EXPECT_EQ(window.log.back(), "Normal");  // the ring as the pointer leaves it, no slot magnified
  actions.launching = nullptr;
  dock.AltSpace();
  dock.KeyDown('5', 0);  // slot 6: from the keyboard a group opens its menu despite its link
  dock.KeyDown(vkey::kOem3, 0);  // the centre
  EXPECT_EQ(actions.log, (std::vector<std::string>{"Launch(4)", "Launch(36)", "Menu(6)", "Menu(0)"}));
  EXPECT_EQ(dock.state().SelIndex, -1);  // restored after each key
  dock.KeyDown(vkey::kEscape, 0);
  EXPECT_FALSE(dock.state().KeyMode);
  EXPECT_EQ(window.log.back(), "Return");  // the keyboard goes back to where the user typed
}

TEST_F(DockControllerTest, APressOnTheDimmedScreenEndsKeyModeAndClosesTheGroupMenu) {
  actions.menusShow = true;
  dock.AltSpace();
  dock.KeyDown('4', 0);  // slot 5's group
  dock.MouseDown(mouse::kLeft, 5, 5);
  EXPECT_FALSE(dock.state().KeyMode);
  EXPECT_EQ(actions.log, (std::vector<std::string>{"Menu(5)", "CloseMenu"}));
}

TEST_F(DockControllerTest, DragThresholdIsOnePixel) {
  const auto [x, y] = Press(4);
  dock.MouseMove(true, x + 1, y - 1);
  EXPECT_FALSE(dock.state().IsDragging);
  dock.MouseUp(mouse::kLeft, x + 1, y - 1);
  EXPECT_EQ(actions.log, (std::vector<std::string>{"Launch(4)"}));
}

TEST_F(DockControllerTest, DraggingOffTheRingDeletesAndSaves) {
  const auto [x, y] = Press(4);
  dock.MouseMove(true, x + 2, y);
  EXPECT_TRUE(dock.state().IsDragging);
  dock.MouseMove(true, 5, 5);
  dock.MouseUp(mouse::kLeft, 5, 5);
  EXPECT_EQ(actions.log, (std::vector<std::string>{"Delete(4)", "Save"}));
  EXPECT_NE(std::find(window.log.begin(), window.log.end(), "DelEffect(5,5)"), window.log.end());
  EXPECT_FALSE(dock.state().IsDragging);
  EXPECT_EQ(dock.state().DragSlot, -1);
  // Hidden while the delete question was open (Shift+Tab): no effect over the hidden dock.
  window.log.clear();
  const auto [x5, y5] = Press(5);
  dock.MouseMove(true, x5 + 2, y5);
  dock.MouseMove(true, 5, 5);
  actions.whileAsking = [&] { dock.SetDockState(DockState::Hidden); };
  dock.MouseUp(mouse::kLeft, 5, 5);
  EXPECT_EQ(std::count(window.log.begin(), window.log.end(), "DelEffect(5,5)"), 0);
  dock.SetDockState(DockState::Shown);
  // A drag let go over another slot or the centre only ends: the ring is drawn again
  // without the dragged picture, and nothing is deleted or started.
  for (int to : {8, 0}) {
    actions.log.clear();
    Press(4);
    int x, y;
    PointAt(to, x, y);
    dock.MouseMove(true, x, y);
    dock.MouseUp(mouse::kLeft, x, y);
    EXPECT_TRUE(actions.log.empty()) << to;
    EXPECT_EQ(window.log.back(), "Action") << to;
    EXPECT_EQ(dock.state().Visibility, DockState::Shown) << to;
  }
}

// In key mode a shortcut dragged off goes without a word and key mode stays; a group's
// delete question would open under the dimmed, topmost dock, so key mode ends first.
TEST_F(DockControllerTest, DraggingAGroupOffLeavesKeyModeBeforeItsQuestion) {
  for (int slot : {4, 5}) {
    dock.AltSpace();
    bool keyModeWhileAsking = false;
    actions.whileAsking = [&] { keyModeWhileAsking = dock.state().KeyMode; };
    const auto [x, y] = Press(slot);
    dock.MouseMove(true, x + 2, y);
    dock.MouseMove(true, 5, 5);
    dock.MouseUp(mouse::kLeft, 5, 5);
    EXPECT_EQ(keyModeWhileAsking, slot == 4) << slot;
  }
}

// Esc with auto-hide (or a hotkey) hides the dock during a drag: the drag ends with it,
// draws nothing more, and its release off the ring deletes nothing.
TEST_F(DockControllerTest, ADragEndsWhenTheDockHides) {
  model.Settings.AutoHide = true;
  const auto [x, y] = Press(4);
  dock.MouseMove(true, x + 20, y);
  ASSERT_TRUE(dock.state().IsDragging);
  dock.KeyDown(vkey::kEscape, 0);
  window.log.clear();
  dock.MouseMove(true, 5, 5);
  dock.MouseUp(mouse::kLeft, 5, 5);
  EXPECT_TRUE(actions.log.empty());
  for (const std::string& drawn : window.log) EXPECT_NE(drawn.rfind("Drag", 0), 0u) << drawn;
}

TEST_F(DockControllerTest, LockedIconsAndBuiltInsDoNotDrag) {
  model.Settings.IconsLocked = true;
  Press(4);
  dock.MouseMove(true, 5, 5);
  dock.MouseUp(mouse::kLeft, 5, 5);
  EXPECT_TRUE(actions.log.empty());
  // Nor does a release on another slot start it, nor one on the centre minimise; and,
  // unlocked, a drag from the minimised dock (its picture may lie over a slot) deletes nothing.
  for (int to : {8, 0, -1}) {
    if (to == -1) {
      model.Settings.IconsLocked = false;
      Click(0);
    }
    Press(4);
    int x = 5, y = 5;
    if (to >= 0) PointAt(to, x, y);
    dock.MouseMove(true, x, y);
    dock.MouseUp(mouse::kLeft, x, y);
    EXPECT_TRUE(actions.log.empty()) << to;
    EXPECT_EQ(dock.state().Visibility, DockState::Shown) << to;
  }
  model.Settings.IconsLocked = false;
  Press(1);
  EXPECT_FALSE(dock.state().DragArmed);
  Press(7);  // an empty position holds nothing to drag
  EXPECT_FALSE(dock.state().DragArmed);
}

TEST_F(DockControllerTest, MinWindowsStateMachine) {
  window.log.clear();
  dock.SetDockState(DockState::Shown);  // already shown: nothing at all
  EXPECT_TRUE(window.log.empty());
  dock.AltSpace();
  dock.SetDockState(DockState::Hidden);  // from key mode, whichever command or hotkey asked
  EXPECT_FALSE(dock.state().KeyMode);
  EXPECT_TRUE(dock.state().DockHidden);
  const std::vector<std::string> keyboardBack{"Bottom(quiet)", "Return"};
  EXPECT_EQ(std::vector<std::string>(window.log.end() - 2, window.log.end()), keyboardBack);
  dock.SetDockState(DockState::Minimised);
  EXPECT_FALSE(dock.state().DockHidden);
  EXPECT_EQ(dock.state().Visibility, DockState::Minimised);
  EXPECT_EQ(std::vector<std::string>(window.log.end() - 2, window.log.end()), keyboardBack);
  dock.SetDockState(DockState::Shown);
  EXPECT_FALSE(dock.state().DockHidden);
  EXPECT_TRUE(window.timers[dock_timer::kSelection]);
}

TEST_F(DockControllerTest, FadedHideTakes32FramesDownToZero) {
  dock.SetFadeEnabled(true);
  dock.SetDockState(DockState::Hidden);
  ASSERT_EQ(window.alphas.size(), 32u);
  EXPECT_EQ(window.alphas.front(), 247);
  EXPECT_EQ(window.alphas[15], 128);
  EXPECT_EQ(window.alphas.back(), 0);
  EXPECT_EQ(window.waited, 32 * 25);
  EXPECT_EQ(FadeAlpha(17), 135);
}

TEST_F(DockControllerTest, AutoHideAfterSevenIdleSecondsFadesAShownDock) {
  model.Settings.AutoHide = true;
  for (int i = 0; i < 6; ++i) dock.TimerTick(dock_timer::kAutoHide);
  EXPECT_EQ(dock.state().Visibility, DockState::Shown);
  dock.MouseMove(false, 3, 3);  // activity restarts the count
  for (int i = 0; i < 6; ++i) dock.TimerTick(dock_timer::kAutoHide);
  EXPECT_EQ(dock.state().Visibility, DockState::Shown);
  // So does a modal window open, such as Settings, however long it stays.
  actions.modalOpen = true;
  for (int i = 0; i < 20; ++i) dock.TimerTick(dock_timer::kAutoHide);
  EXPECT_EQ(dock.state().Visibility, DockState::Shown);
  actions.modalOpen = false;
  for (int i = 0; i < 6; ++i) dock.TimerTick(dock_timer::kAutoHide);
  EXPECT_EQ(dock.state().Visibility, DockState::Shown);
  dock.TimerTick(dock_timer::kAutoHide);
  EXPECT_EQ(dock.state().Visibility, DockState::Hidden);
  EXPECT_EQ(window.alphas.size(), 32u);
  EXPECT_FALSE(dock.FadeEnabled());
  // Hidden from a slot (the Hide command) and shown again by a hotkey, the dock hides
  // again: the slot left behind counts no more.
  dock.SetDockState(DockState::Shown);
  Hover(5);
  dock.SetDockState(DockState::Hidden);
  dock.SetDockState(DockState::Shown);
  for (int i = 0; i < 7; ++i) dock.TimerTick(dock_timer::kAutoHide);
  EXPECT_EQ(dock.state().Visibility, DockState::Hidden);
}

TEST_F(DockControllerTest, WithAutoHideTheRingStaysWhileItsEditMenuIsOpenAndAfter) {
  model.Settings.AutoHide = true;
  actions.whileEditMenu = [&] {
    window.cursorX = window.cursorY = 5;  // on the menu, off the ring
    dock.TimerTick(dock_timer::kSelection);
    for (int i = 0; i < 10; ++i) dock.TimerTick(dock_timer::kAutoHide);
  };
  Click(4, mouse::kRight);
  EXPECT_EQ(actions.log, std::vector<std::string>{"EditMenu"});
  EXPECT_EQ(dock.state().Visibility, DockState::Shown);
}

TEST_F(DockControllerTest, MinimisedDockVanishesWithoutFade) {
  model.Settings.AutoHide = true;
  dock.SetDockState(DockState::Minimised);
  Hover(0);  // the pointer passed over the minimised picture: no slot lies beneath it
  for (int i = 0; i < 7; ++i) dock.TimerTick(dock_timer::kAutoHide);
  EXPECT_EQ(dock.state().Visibility, DockState::Hidden);
  EXPECT_TRUE(window.alphas.empty());
  EXPECT_EQ(std::count(window.log.begin(), window.log.end(), "Bottom"), 0);  // the keyboard stays where it was
}

TEST_F(DockControllerTest, MinimisingStopsTheFocusWatchAndYieldsToAStateSetMeanwhile) {
  model.Settings.AutoHide = true;
  // Minimised from key mode (Ctrl+Tab), the keyboard goes back: the focus watch does not
  // take that for the user leaving.
  dock.AltSpace();
  dock.SetDockState(DockState::Minimised);
  EXPECT_FALSE(window.timers[dock_timer::kFocusWatch]);
  // Hidden by a tick that came while minimising let messages run: the minimised picture
  // is not pushed over the hidden dock.
  dock.SetDockState(DockState::Shown);
  window.log.clear();
  window.onPump = [&] { dock.SetDockState(DockState::Hidden); };
  dock.SetDockState(DockState::Minimised);
  EXPECT_EQ(dock.state().Visibility, DockState::Hidden);
  EXPECT_EQ(std::count(window.log.begin(), window.log.end(), "Minimized"), 0);
}

TEST_F(DockControllerTest, RecycleBinTemplateFollowsTheBin) {
  // Before the bin first answers, the kept picture stands.
  actions.binFull.reset();
  model.Items[2] = model.Items[38];
  dock.TimerTick(dock_timer::kRecycleBin);
  EXPECT_EQ(model.Items[2].ImageIndex, 38);
  actions.binFull = false;
  dock.TimerTick(dock_timer::kRecycleBin);
  window.log.clear();
  dock.TimerTick(dock_timer::kRecycleBin);
  EXPECT_TRUE(window.log.empty());  // nothing changed: no repaint
  actions.binFull = true;
  dock.TimerTick(dock_timer::kRecycleBin);
  EXPECT_EQ(model.Items[2].ImageIndex, 38);
  EXPECT_EQ(model.Items[2].Title, "Recycle Bin (Full)");
  EXPECT_EQ(window.log, (std::vector<std::string>{"Refresh", "Normal"}));
}

TEST_F(DockControllerTest, FocusWatchLeavesKeyModeWhenAnotherProgramIsInFront) {
  dock.AltSpace();
  window.ownForeground = false;
  dock.TimerTick(dock_timer::kFocusWatch);
  EXPECT_FALSE(dock.state().KeyMode);
  EXPECT_FALSE(window.timers[dock_timer::kFocusWatch]);
}

// The program started again: a ring shown beneath the windows comes in front with the
// keyboard, without key mode, and goes back once another program comes forward.
TEST_F(DockControllerTest, StartedAgainTheShownRingComesForwardUntilAnotherWindowDoes) {
  window.log.clear();
  dock.BringForward();
  EXPECT_EQ(window.log, (std::vector<std::string>{"Focus", "Topmost"}));
  EXPECT_FALSE(dock.state().KeyMode);
  window.ownForeground = false;
  dock.TimerTick(dock_timer::kFocusWatch);
  EXPECT_EQ(window.log.back(), "Bottom(quiet)");
  dock.SetDockState(DockState::Minimised);
  dock.BringForward();
  EXPECT_EQ(dock.state().Visibility, DockState::Shown);
}

TEST_F(DockControllerTest, SelectionTimerKeepsMagnificationOverAnySlot) {
  Hover(4);
  PointAt(0, window.cursorX, window.cursorY);
  window.log.clear();
  dock.TimerTick(dock_timer::kSelection);
  EXPECT_TRUE(window.log.empty());
  window.cursorX = window.cursorY = 3;
  dock.TimerTick(dock_timer::kSelection);
  EXPECT_EQ(window.log, (std::vector<std::string>{"Normal"}));
  EXPECT_EQ(dock.state().SelIndex, -1);
}

TEST_F(DockControllerTest, AutoHideAfterALaunchFromAnEmptyClick) {
  model.Settings.AutoHide = true;
  dock.MouseMove(false, 3, 3);
  dock.MouseDown(mouse::kLeft, 3, 3);
  dock.MouseUp(mouse::kLeft, 3, 3);
  EXPECT_EQ(dock.state().Visibility, DockState::Hidden);
}

TEST_F(DockControllerTest, F1ShowsGettingStartedOnTheFirstPage) {
  model.Settings.GettingStarted = GettingStartedState{false, 0};
  dock.KeyUp(vkey::kF1);
  EXPECT_TRUE(model.Settings.GettingStarted.AtStart);
  EXPECT_EQ(model.Settings.GettingStarted.Page, 0);
  EXPECT_EQ(actions.log, (std::vector<std::string>{"GettingStarted"}));
}

TEST_F(DockControllerTest, CaptureIsKeptUntilEveryButtonPressedOnTheDockIsUp) {
  using namespace mouse;
  struct Step {
    int button;
    bool down;
    bool keepsCapture;  // asked before a release
  };
  const std::vector<std::vector<Step>> sequences = {
      {{kLeft, true, false}, {kLeft, false, false}},
      {{kLeft, true, false}, {kRight, true, false}, {kRight, false, true}, {kLeft, false, false}},
      {{kLeft, true, false}, {kMiddle, true, false}, {kLeft, false, true}, {kMiddle, false, false}},
      {{kRight, false, false}},  // a release whose press the dock never saw
  };
  for (size_t n = 0; n < sequences.size(); ++n) {
    for (const Step& step : sequences[n]) {
      if (step.down) {
        dock.MouseDown(step.button, 3, 3);
      } else {
        EXPECT_EQ(dock.KeepsCaptureAfter(step.button), step.keepsCapture) << "sequence " << n;
        dock.MouseUp(step.button, 3, 3);
      }
    }
    EXPECT_EQ(dock.state().ButtonsHeld, 0) << "sequence " << n;
  }
}

TEST_F(DockControllerTest, AnotherButtonsClickDuringADragLeavesTheDragToTheLeftRelease) {
  Press(4);
  dock.MouseMove(true, 5, 5);
  dock.MouseDown(mouse::kRight, 5, 5);
  dock.MouseUp(mouse::kRight, 5, 5);
  EXPECT_TRUE(dock.state().IsDragging);
  EXPECT_TRUE(actions.log.empty());
  dock.MouseUp(mouse::kLeft, 5, 5);
  EXPECT_EQ(actions.log, (std::vector<std::string>{"Delete(4)", "Save"}));
}

TEST_F(DockControllerTest, LosingTheCaptureEndsADragWithoutDeleting) {
  Press(4);
  dock.MouseMove(true, 5, 5);
  window.log.clear();
  dock.CaptureLost();
  EXPECT_FALSE(dock.state().IsDragging);
  EXPECT_FALSE(dock.state().DragArmed);
  EXPECT_EQ(dock.state().ButtonsHeld, 0);
  EXPECT_EQ(window.log, (std::vector<std::string>{"Normal"}));  // the icon is back in its slot
  dock.MouseUp(mouse::kLeft, 5, 5);  // a late release is a plain one
  EXPECT_TRUE(actions.log.empty());
  window.log.clear();
  dock.CaptureLost();  // nothing pressed: nothing to repaint
  EXPECT_TRUE(window.log.empty());
}

}  // namespace
}  // namespace vek
