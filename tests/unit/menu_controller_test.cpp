#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "dock/dock_controller.h"
#include "menu/menu_controller.h"

namespace vek {
namespace {

class FakeMenuWindow : public MenuDisplay {
 public:
  void Present(const DockFrame& frame, int alpha) override {
    frames.push_back(frame);
    alphas.push_back(alpha);
  }
  void ShowOnTop() override { log.push_back("Show"); }
  void HideToBottom() override { log.push_back("Hide"); }
  void EnableTimer(int t, bool on) override { timers[t] = on; }
  void Wait(int ms) override { waited += ms; }
  void PumpMessages() override {}
  bool InForeground() override { return foreground; }
  void CursorPosition(int& x, int& y) override { x = cursorX; y = cursorY; }
  bool PictureReady(int32_t image) override { return !undecoded.count(image); }
  void RequestPictures(const std::vector<int32_t>& items) override { requested = items; }

  std::vector<DockFrame> frames;
  std::vector<int> alphas;
  std::vector<std::string> log;
  bool timers[3] = {};
  int waited = 0;
  bool foreground = true;
  int cursorX = 0, cursorY = 0;
  std::set<int32_t> undecoded;
  std::vector<int32_t> requested;
};

class FakeMenuActions : public MenuActions {
 public:
  void LaunchItem(int index) override { log.push_back("Launch(" + std::to_string(index) + ")"); }
  void RunSystemCommand(int code) override { log.push_back("Command(" + std::to_string(code) + ")"); }
  int DeleteItem(int index) override {
    log.push_back("Delete(" + std::to_string(index) + ")");
    // As the program does: the member leaves its group.
    return model->RemoveMember(group, index) ? 1 : 0;
  }
  void SaveMenu() override { log.push_back("Save"); }
  void RefreshRing() override { log.push_back("RefreshRing"); }
  void FocusDock() override {
    log.push_back("FocusDock");
    if (windowLog) windowLog->push_back("FocusDock");
  }
  void ShowMemberEditMenu() override { log.push_back("EditMenu"); }
  void KeepDockAwake() override { ++awake; }

  Model* model = nullptr;
  int group = 0;
  std::vector<std::string> log;
  std::vector<std::string>* windowLog = nullptr;  // the window's, to see what comes first
  int awake = 0;
};

class MenuControllerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    geometry.screen = ComputeScreenMetrics(1920, 1040, 40, PixelRect{0, 0, 1920, 1080});
    ApplyDefaultSettings(model.Settings, ScreenForSettings(geometry.screen));
    geometry.Relayout(model.Settings);
    menu.SetRowsPerPage(geometry.screen.ScreenHeight);
    actions.model = &model;
    actions.group = 5;
    actions.windowLog = &window.log;
  }
  // Fills a group with `count` members from pool index 200 on: ring slot 5's, or the All
  // Programs group for more than an ordinary group holds.
  void Group(int count, int slot = 0) {
    if (slot == 0) slot = count > pool::kGroupCapacity ? pool::kAllProgramsSlot : 5;
    ShortcutGroup& g = model.Groups[slot];
    model.Items[slot].Kind = ItemKind::kGroup;
    g.Members.clear();
    const int base = count > 800 ? pool::kMemberFirst - 1 : 199;
    for (int n = 1; n <= count; ++n) {
      const int m = base + n;
      g.Members.push_back(m);
      ShortcutItem& item = model.Items[m];
      item.Kind = ItemKind::kMember;
      item.Title = "Member " + std::to_string(n);
      item.ImageIndex = m;
    }
    actions.group = slot;
  }
  void Open(int count) {
    Group(count);
    menu.MenuFocus(true, actions.group);
  }
  // The middle of band b.
  std::pair<int, int> Centre(int b) const {
    const PixelRect& r = menu.state().bands.rects[b];
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  // The pointer moves to the middle of band b; where it is.
  std::pair<int, int> PointAt(int b) {
    const auto [x, y] = Centre(b);
    menu.MouseMove(false, x, y);
    return {x, y};
  }
  void Click(int b, int button = mouse::kLeft) {
    const auto [x, y] = PointAt(b);
    menu.MouseDown(button, x, y);
    menu.MouseUp(button, x, y);
  }

  Model model;
  DockGeometry geometry;
  ModelMenuSource source{model};
  FakeMenuWindow window;
  FakeMenuActions actions;
  MenuController menu{source, geometry, window, actions};
};

TEST_F(MenuControllerTest, OpensPaintedBesideItsSlotAndCloses) {
  Open(5);
  const MenuState& s = menu.state();
  EXPECT_TRUE(menu.SubMenuShown());
  EXPECT_EQ(s.x, geometry.DockPos[5].X + 48);  // slot 5 lies on the right half
  EXPECT_EQ(s.rows.size(), 5u);
  EXPECT_EQ(s.rows[0].title, "Member 1");
  // Painted and pushed before the window shows, fully opaque at once.
  EXPECT_EQ(window.log, (std::vector<std::string>{"Show"}));
  EXPECT_EQ(window.alphas, (std::vector<int>{255}));
  EXPECT_TRUE(window.timers[1] && window.timers[2]);
  menu.KeyDown(menu_key::kEscape);
  EXPECT_FALSE(menu.SubMenuShown());
  EXPECT_TRUE(window.frames.back().ops.empty());
  EXPECT_FALSE(window.timers[1] || window.timers[2]);
  // The dock takes the keyboard before the menu hides, not after Windows gave it away.
  EXPECT_EQ(window.log, (std::vector<std::string>{"Show", "FocusDock", "Hide"}));
  // A menu opened over another lets go of the last one's window first.
  Open(5);
  window.log.clear();
  Open(3);
  EXPECT_EQ(window.log, (std::vector<std::string>{"Hide", "Show"}));
}

TEST_F(MenuControllerTest, AnEmptyGroupShowsNothing) {
  Group(0);
  menu.MenuFocus(true, 5);
  EXPECT_FALSE(menu.SubMenuShown());
  EXPECT_TRUE(window.log.empty());
}

TEST_F(MenuControllerTest, ClicksLettersAndEnterLaunch) {
  Open(12);
  Click(3);
  EXPECT_FALSE(menu.SubMenuShown());
  menu.MenuFocus(true, 5);
  menu.KeyDown('B');  // member 12
  menu.MenuFocus(true, 5);
  menu.KeyDown('C');  // member 13 does not exist: nothing runs, the menu closes
  EXPECT_FALSE(menu.SubMenuShown());
  menu.MenuFocus(true, 5);
  menu.KeyDown(menu_key::kDown);
  menu.KeyDown(menu_key::kDown);
  menu.KeyDown(menu_key::kEnter);
  EXPECT_EQ(actions.log, (std::vector<std::string>{"FocusDock", "Launch(202)", "FocusDock", "Launch(211)",
                                                   "FocusDock", "FocusDock", "Launch(201)"}));
}

TEST_F(MenuControllerTest, BuiltInMembersRunTheirCommand) {
  Group(2);
  model.Items[201].Kind = ItemKind::kCommand;
  model.Items[201].IsSystem = true;
  model.Items[201].CommandId = 81;
  menu.MenuFocus(true, 5);
  menu.KeyDown('1');
  EXPECT_EQ(actions.log.back(), "Command(81)");
}

TEST_F(MenuControllerTest, WheelKeysAndLettersOnPagedAndUnpagedMenus) {
  struct Step { int key; int wheel; int offset; int focus; };
  // 40 members, 18 rows a page.
  Open(40);
  for (const Step st : {Step{0, -120, 1, -1}, Step{0, -120, 2, -1}, Step{0, 120, 1, -1},
                        Step{menu_key::kPageDown, 0, 19, -1}, Step{menu_key::kPageDown, 0, 22, -1},
                        Step{menu_key::kPageUp, 0, 4, -1}, Step{menu_key::kUp, 0, 4, 18},
                        Step{menu_key::kDown, 0, 5, 18}, Step{menu_key::kPageUp, 0, 0, 18}}) {
    if (st.key) menu.KeyDown(st.key);
    if (st.wheel) menu.Wheel(st.wheel);
    EXPECT_EQ(menu.state().paging.offset, st.offset) << st.key << " " << st.wheel;
    EXPECT_EQ(menu.state().focus, st.focus) << st.key << " " << st.wheel;
  }
  // Up on the first row scrolls back while members are above.
  menu.KeyDown(menu_key::kPageDown);
  menu.state().focus = 1;
  menu.KeyDown(menu_key::kUp);
  EXPECT_EQ(menu.state().paging.offset, 17);
  EXPECT_EQ(menu.state().focus, 1);
  // A letter names the member in the whole group, whatever page is shown.
  menu.KeyDown('A');
  EXPECT_EQ(actions.log.back(), "Launch(210)");

  // Unpaged: the wheel and the page keys only repaint; row r is still member r.
  Open(5);
  menu.Wheel(-120);
  menu.KeyDown(menu_key::kPageDown);
  EXPECT_EQ(menu.state().paging.offset, 0);
  menu.KeyDown(menu_key::kUp);  // nothing highlighted: the last row
  EXPECT_EQ(menu.state().focus, 5);
  menu.KeyDown(menu_key::kDown);  // stays on the last row
  EXPECT_EQ(menu.state().focus, 5);
  Click(2);
  EXPECT_EQ(actions.log.back(), "Launch(201)");
}

TEST_F(MenuControllerTest, ArrowBandsPageAndGreyAtTheEnds) {
  Open(40);
  auto caption = [&](const std::string& text) {
    for (const DrawOp& op : window.frames.back().ops)
      if (op.type == DrawOp::Type::kText && op.text == text) return op.style;
    return TextStyle::kCaption;
  };
  EXPECT_EQ(caption("PgUp"), TextStyle::kPlainGrey);
  EXPECT_EQ(caption("PgDn"), TextStyle::kPlain);
  // Pointed at on the first page, the up arrow keeps its unlit picture.
  PointAt(0);
  const auto upPicture = [&] {
    for (const DrawOp& op : window.frames.back().ops)
      if (op.set == ImageSet::kSkin && (op.index == menu_skin::kUpSelect || op.index == menu_skin::kUpUnselect))
        return op.index;
    return -1;
  };
  EXPECT_EQ(upPicture(), menu_skin::kUpUnselect);
  Click(19);  // the down arrow
  EXPECT_EQ(menu.state().paging.offset, 18);
  EXPECT_TRUE(menu.SubMenuShown());
  Click(19);
  EXPECT_EQ(caption("PgDn"), TextStyle::kPlainGrey);
  Click(0);
  EXPECT_EQ(menu.state().paging.offset, 4);
  // Only the visible rows are drawn: their letters run from member 5 on.
  int letters = 0;
  for (const DrawOp& op : window.frames.back().ops) letters += op.type == DrawOp::Type::kText && op.text == "4";
  EXPECT_EQ(letters, 1);
  EXPECT_TRUE(actions.log.empty());
}

TEST_F(MenuControllerTest, EnterOnAnArrowPagesInsteadOfLaunching) {
  Open(40);
  PointAt(19);  // the down arrow highlighted
  menu.KeyDown(menu_key::kEnter);
  EXPECT_EQ(menu.state().paging.offset, 18);
  EXPECT_TRUE(menu.SubMenuShown());
  PointAt(0);
  menu.KeyDown(menu_key::kEnter);
  EXPECT_EQ(menu.state().paging.offset, 0);
  EXPECT_TRUE(actions.log.empty());
}

TEST_F(MenuControllerTest, RightClickOnARowOpensTheEditMenuOnAnArrowNothing) {
  Open(40);
  menu.KeyDown(menu_key::kPageDown);
  Click(3, mouse::kRight);
  EXPECT_EQ(menu.state().menuPosition, 21);
  EXPECT_EQ(menu.state().menuSlot, 220);
  EXPECT_EQ(actions.log, (std::vector<std::string>{"EditMenu"}));
  actions.log.clear();
  menu.KeyDown(menu_key::kPageUp);
  Click(0, mouse::kRight);
  Click(19, mouse::kMiddle);
  EXPECT_TRUE(actions.log.empty());
  EXPECT_EQ(menu.state().menuPosition, 21);
  EXPECT_TRUE(menu.SubMenuShown());
}

TEST_F(MenuControllerTest, DraggingAMemberOutDeletesItRefreshesTheRingAndSaves) {
  Open(36);  // a full group: its caption changes with the first delete
  const auto [x, y] = PointAt(2);
  menu.MouseDown(mouse::kLeft, x, y);
  menu.MouseMove(true, x - 5, y);  // not yet a drag
  EXPECT_FALSE(menu.state().dragging);
  EXPECT_TRUE(menu.Busy());
  const int outside = menu.state().x - 20;
  menu.MouseMove(true, outside, y);
  EXPECT_TRUE(menu.state().dragging);
  // Another button's click neither ends the drag nor deletes: the left release decides.
  menu.MouseUp(mouse::kRight, outside, y);
  EXPECT_TRUE(actions.log.empty());
  EXPECT_TRUE(menu.state().dragging);
  const size_t before = window.frames.size();
  menu.MouseUp(mouse::kLeft, outside, y);
  EXPECT_EQ(actions.log, (std::vector<std::string>{"Delete(201)", "RefreshRing", "Save"}));
  EXPECT_EQ(window.frames.size() - before, 6u);  // five effect frames and the smaller menu
  EXPECT_EQ(window.waited, 125);
  EXPECT_EQ(menu.state().rows.size(), 35u);
  EXPECT_EQ(menu.state().rows[1].item, 202);

  // Released over a row, the member stays.
  actions.log.clear();
  menu.MouseDown(mouse::kLeft, x, y);
  menu.MouseMove(true, x, y + 40);
  menu.MouseUp(mouse::kLeft, x, y + 40);
  EXPECT_EQ(actions.log, (std::vector<std::string>{"Save"}));
  EXPECT_EQ(menu.state().rows.size(), 35u);

  // The mouse taken away mid-drag: the member goes back to its row and stays.
  actions.log.clear();
  menu.MouseDown(mouse::kLeft, x, y);
  menu.MouseMove(true, outside, y);
  menu.CaptureLost();
  menu.MouseUp(mouse::kLeft, outside, y);
  EXPECT_TRUE(actions.log.empty());
}

TEST_F(MenuControllerTest, TheLastMemberDraggedOutClosesTheMenu) {
  Open(1);
  const auto [x, y] = Centre(1);
  menu.MouseDown(mouse::kLeft, x, y);
  menu.MouseMove(true, x, y + 200);
  menu.MouseUp(mouse::kLeft, x, y + 200);
  EXPECT_FALSE(menu.SubMenuShown());
  EXPECT_EQ(actions.log, (std::vector<std::string>{"Delete(200)", "RefreshRing", "FocusDock", "Save"}));
}

TEST_F(MenuControllerTest, LockedIconsAndCommandsCannotBeDraggedButClick) {
  Open(3);
  model.Settings.IconsLocked = true;
  const auto [x, y] = Centre(1);
  menu.MouseDown(mouse::kLeft, x, y);
  menu.MouseMove(true, x, y + 300);
  EXPECT_FALSE(menu.state().dragging);
  menu.MouseUp(mouse::kLeft, x, y);
  EXPECT_EQ(actions.log, (std::vector<std::string>{"FocusDock", "Launch(200)"}));
}

TEST_F(MenuControllerTest, TimersCloseOnAnotherWindowAndDropAStaleHighlight) {
  Open(5);
  const auto [x, y] = PointAt(2);
  EXPECT_EQ(menu.state().lastFocus, 2);
  window.cursorX = x;
  window.cursorY = y;
  menu.TimerTick(menu_timer::kHighlightWatch);
  EXPECT_EQ(menu.state().focus, 2);
  window.cursorX = 0;
  menu.TimerTick(menu_timer::kHighlightWatch);
  EXPECT_EQ(menu.state().focus, -1);
  EXPECT_FALSE(menu.Busy());
  menu.TimerTick(menu_timer::kForegroundWatch);
  EXPECT_TRUE(menu.SubMenuShown());
  window.foreground = false;
  actions.log.clear();
  menu.TimerTick(menu_timer::kForegroundWatch);
  EXPECT_FALSE(menu.SubMenuShown());
  EXPECT_TRUE(actions.log.empty());  // the window now in front keeps the keyboard
}

// Bounds of the operations as the Windows side measures them: cached pictures at their
// sizes, scaled ones in their rectangle, plain text in its box.
PixelRect TestBounds(const DrawOp& op) {
  if (op.type == DrawOp::Type::kText)
    return PixelRect{static_cast<int32_t>(op.textX) - 1, static_cast<int32_t>(op.textY) - 1,
                     static_cast<int32_t>(op.textX + op.textW) + 1, static_cast<int32_t>(op.textY + op.textH) + 1};
  if (op.variant == 0) return PixelRect{op.x - 1, op.y - 1, op.x + op.w + 1, op.y + op.h + 1};
  if (op.set == ImageSet::kItem) return PixelRect{op.x, op.y, op.x + 32, op.y + 32};
  const int32_t w = op.index >= menu_skin::kTop ? 268 : 248;
  const int32_t h = op.index <= menu_skin::kMouseDown ? 38 : op.index == menu_skin::kSpace ? 5 : op.index >= menu_skin::kTop ? 12 : 25;
  return PixelRect{op.x, op.y, op.x + w, op.y + h};
}

TEST_F(MenuControllerTest, MovingTheHighlightChangesOnlyTheTwoRows) {
  Open(40);
  PointAt(3);
  const DockFrame before = window.frames.back();
  PointAt(5);
  const std::vector<PixelRect> areas =
      ChangedAreas(before, window.frames.back(), TestBounds, PixelRect{0, 0, 1920, 1080});
  const MenuBands& b = menu.state().bands;
  ASSERT_EQ(areas.size(), 2u);
  EXPECT_EQ(areas[0], b.rects[3]);
  EXPECT_EQ(areas[1], b.rects[5]);
}

// The keys move the highlight off the row under the pointer; a small move within that
// row draws it highlighted again, and Enter runs the row that shows.
TEST_F(MenuControllerTest, AMoveBackOntoTheRowUnderThePointerHighlightsWhatEnterRuns) {
  Open(12);
  const auto [x, y] = PointAt(5);
  const DockFrame onFive = window.frames.back();
  menu.KeyDown(menu_key::kDown);
  menu.MouseMove(false, x + 1, y);
  EXPECT_TRUE(ChangedAreas(onFive, window.frames.back(), TestBounds, PixelRect{0, 0, 1920, 1080}).empty());
  menu.KeyDown(menu_key::kEnter);
  EXPECT_EQ(actions.log, (std::vector<std::string>{"FocusDock", "Launch(204)"}));
}

TEST_F(MenuControllerTest, AHugeGroupDrawsOnlyItsPageAndAsksOnlyForItsPictures) {
  Group(879, pool::kAllProgramsSlot);
  for (int n = 1; n <= 879; ++n) window.undecoded.insert(pool::kMemberFirst - 1 + n);
  menu.MenuFocus(true, pool::kAllProgramsSlot);
  EXPECT_EQ(menu.state().rows.size(), 879u);
  EXPECT_LT(window.frames.back().ops.size(), 18u * 4 + 12);
  ASSERT_EQ(window.requested.size(), 18u);
  EXPECT_EQ(window.requested.front(), pool::kMemberFirst);
  // Meanwhile the rows show the fallback picture, scaled to the row.
  int fallbacks = 0;
  for (const DrawOp& op : window.frames.back().ops)
    fallbacks += op.set == ImageSet::kItem && op.index == pool::kBlankImage && op.w == 32;
  EXPECT_EQ(fallbacks, 18);
  // The pictures arrive: the page is drawn again with them.
  window.undecoded.clear();
  menu.PicturesArrived();
  int own = 0;
  for (const DrawOp& op : window.frames.back().ops) own += op.set == ImageSet::kItem && op.variant == 4;
  EXPECT_EQ(own, 18);
}

TEST_F(MenuControllerTest, ANewOrderRepaintsOnlyAnOpenMenu) {
  Open(3);
  Click(2, mouse::kRight);  // highlights the row the edit menu is for
  std::swap(model.Groups[5].Members[1], model.Groups[5].Members[2]);
  const size_t pushed = window.frames.size();
  menu.ShowNewOrder();
  EXPECT_EQ(window.frames.size(), pushed + 1);
  EXPECT_EQ(menu.state().rows[1].title, "Member 3");
  EXPECT_EQ(menu.state().focus, -1);
  // Closed, the menu stays closed and nothing is drawn.
  menu.CloseMenu(true);
  const size_t closed = window.frames.size();
  menu.ShowNewOrder();
  EXPECT_FALSE(menu.SubMenuShown());
  EXPECT_EQ(window.frames.size(), closed);
  EXPECT_EQ(window.log.back(), "Hide");
}

TEST_F(MenuControllerTest, AnOpenMenuFollowsItsGroupGrowingIntoPages) {
  Open(3);
  const int top = menu.state().y;
  const size_t pushed = window.frames.size();
  menu.FollowMemberCount();  // nothing changed: nothing drawn
  EXPECT_EQ(window.frames.size(), pushed);
  Group(pool::kGroupCapacity, 5);
  menu.FollowMemberCount();
  EXPECT_EQ(window.frames.size(), pushed + 1);
  EXPECT_TRUE(menu.state().paging.paged() && menu.state().paging.downEnabled);
  EXPECT_NE(menu.state().y, top);  // placed again for its new height
  EXPECT_EQ(menu.state().rows.size(), 36u);
}

}  // namespace
}  // namespace vek
