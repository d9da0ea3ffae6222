// The group menu's window against real GDI+ and layered windows: its skin, captions and
// greyed arrow, the highlight repainting only the rows that changed with the very pixels
// a whole repaint gives, row pictures that fill in after the page is shown, and held keys.
#include <gtest/gtest.h>

#include <functional>

#include "app/app_context.h"
#include "dock/win/dock_window.h"
#include "gdiplus_session.h"
#include "test_files.h"
#include "menu/win/group_menu_window.h"
#include "render_support.h"
#include "platform/win/handles.h"

namespace vek {
namespace {

using namespace test;  // NOLINT: the shared render fixtures

const auto* const kGdiplus = ::testing::AddGlobalTestEnvironment(new test::GdiplusSession);

class MenuRenderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resources_ = ProgramResources();
    ASSERT_TRUE(resources_) << "the built program was not found beside the tests";
    app_.folders.SysIconDir = SourceFolder() + "resources\\SysIcons\\";
    app_.folders.IconDir = SourceFolder() + "no-such-folder\\";
    for (int g = 0; g <= 36; ++g) app_.model.Groups[g].ShownItem = g;
    FillAllPrograms(app_, 40, {"Internet.png", "Folder.png"}, "Member ");
    ASSERT_TRUE(dock_.Load());
    dock_.LoadAllImages(resources_.get());
    for (GroupMenuWindow* m : {&menu_, &literal_}) {
      ASSERT_TRUE(m->Load());
      m->SetRowsPerPage(dock_.geometry().screen.ScreenHeight);
    }
    literal_.surface().set_painting(win::DockSurface::Painting::kWholeFrame);
  }
  void TearDown() override {
    menu_.Unload();
    literal_.Unload();
    dock_.Unload();
  }
  void Both(const std::function<void(MenuController&)>& step) {
    step(menu_.controller());
    step(literal_.controller());
  }
  // Pixels further apart than GDI+'s own rounding between the two menus.
  int Differences() { return Compare(menu_.surface(), literal_.surface(), 8).pixels; }
  const PixelRect& Band(int b) { return menu_.controller().state().bands.rects[b]; }
  void HoverBand(int b) {
    const PixelRect r = Band(b);
    Both([&](MenuController& c) { c.MouseMove(false, (r.left + r.right) / 2, (r.top + r.bottom) / 2); });
  }

  win::UniqueModule resources_;
  AppContext app_;
  QuietMenuActions actions_;
  DockWindow dock_{DockParts(app_)};
  GroupMenuWindow menu_{app_.model, app_.modal, dock_.geometry(), dock_.images(), [this](int i) { dock_.LoadItemIcon(i); },
                   actions_};
  GroupMenuWindow literal_{app_.model, app_.modal, dock_.geometry(), dock_.images(),
                      [this](int i) { dock_.LoadItemIcon(i); }, actions_};
};

TEST_F(MenuRenderTest, APagedMenuShowsItsSkinRowsAndAGreyPgUp) {
  menu_.MenuFocus(true, 3);
  // The rows' pictures are decoded after the page shows, a few per message.
  for (int i = 0; i < 40; ++i) win::PumpPendingMessages();
  const win::DockSurface& s = menu_.surface();
  const MenuState& st = menu_.controller().state();
  // The body is drawn over the menu's whole height; nothing beside it.
  EXPECT_GT(At(s, st.x + 134, st.y + 300).a, 200);
  EXPECT_EQ(At(s, st.x - 3, st.y + 300).a, 0);
  EXPECT_EQ(At(s, st.x + 270, st.y + 300).a, 0);
  // Each visible row shows its picture.
  for (int r = 1; r <= st.bands.rows; ++r)
    EXPECT_GT(CountIn(s, PixelRect{st.x + 13, Band(r).top + 3, st.x + 45, Band(r).top + 35},
                      [](const Pixel& p) { return p.a == 255 && (p.r < 200 || p.b < 200); }),
              100)
        << "row " << r;
  // Captions in near-black, "PgUp" grey, "PgDn" near-black.
  auto dark = [](const Pixel& p) { return p.a == 255 && p.r < 40 && p.g < 40 && p.b < 40; };
  auto grey = [](const Pixel& p) { return p.a == 255 && p.r > 90 && p.r < 170 && p.r == p.g && p.g == p.b; };
  EXPECT_GT(CountIn(s, PixelRect{st.x + 48, Band(1).top + 3, st.x + 231, Band(1).top + 35}, dark), 20);
  const PixelRect pgUp{st.x + 210, st.y + 10, st.x + 258, st.y + 35};
  const PixelRect pgDn{st.x + 210, Band(19).top, st.x + 258, Band(19).bottom};
  EXPECT_EQ(CountIn(s, pgUp, dark), 0);
  EXPECT_GT(CountIn(s, pgUp, grey), 10);
  EXPECT_GT(CountIn(s, pgDn, dark), 10);
}

// A title longer than its row shows as two whole lines ending in "…": no line is cut
// through at the top or bottom of the caption's box.
TEST_F(MenuRenderTest, ALongTitleShowsInWholeLinesInsideItsRow) {
  app_.model.Items[pool::kMemberFirst].Title =
      "Tools & Things, a group whose name is long enough to run past the menu row edge";
  menu_.MenuFocus(true, 3);
  const win::DockSurface& s = menu_.surface();
  const int32_t left = menu_.controller().state().x + 48, top = Band(1).top + 3;
  auto ink = [&](int32_t from, int32_t to) {
    return CountIn(s, PixelRect{left, top + from, left + 183, top + to},
                   [](const Pixel& p) { return p.a == 255 && p.r < 100 && p.g < 100 && p.b < 100; });
  };
  EXPECT_EQ(ink(0, 2), 0) << "a line cut at the top";
  EXPECT_EQ(ink(30, 32), 0) << "a line cut at the bottom";
  EXPECT_GT(ink(2, 16), 20) << "the first line";
  EXPECT_GT(ink(16, 30), 20) << "the second line";
}

TEST_F(MenuRenderTest, RepaintingOnlyWhatChangedGivesTheWholeRepaintsPixels) {
  Both([](MenuController& c) { c.MenuFocus(true, 3); });
  EXPECT_EQ(Differences(), 0);
  HoverBand(3);
  EXPECT_EQ(Differences(), 0) << "row 3 highlighted";
  HoverBand(5);
  EXPECT_EQ(Differences(), 0) << "row 5 highlighted";
  // The menu's window covers the menu, not the screen.
  const PixelRect& area = menu_.surface().area();
  EXPECT_EQ(area, Band(3).Union(Band(5)).Union(area));
  EXPECT_LT(static_cast<int64_t>(area.width()) * area.height(), static_cast<int64_t>(1920) * 1080 / 4);
  // Only the two rows were repainted and pushed.
  const PixelRect pushed = menu_.surface().last_pushed();
  EXPECT_EQ(pushed, Band(3).Union(Band(5)));
  HoverBand(19);
  Both([](MenuController& c) { c.Wheel(-120); });
  EXPECT_EQ(Differences(), 0) << "scrolled";
  Both([](MenuController& c) { c.KeyDown(menu_key::kPageDown); });
  EXPECT_EQ(Differences(), 0) << "paged";
  Both([](MenuController& c) { c.CloseMenu(true); });
  EXPECT_EQ(CountIn(menu_.surface(), menu_.surface().area(),
                    [](const Pixel& p) { return p.a > 0; }),
            0);
}

TEST_F(MenuRenderTest, AMenuOpenedOverAnotherCoversOnlyItself) {
  app_.model.Items[20].Kind = ItemKind::kGroup;
  for (int m : {900, 901}) {
    app_.model.Items[m].Kind = ItemKind::kMember;
    app_.model.Items[m].Title = "Other";
    app_.model.Groups[20].Members.push_back(m);
  }
  menu_.MenuFocus(true, 3);
  menu_.MenuFocus(true, 20);
  const PixelRect& area = menu_.surface().area();
  EXPECT_LT(static_cast<int64_t>(area.width()) * area.height(), static_cast<int64_t>(1920) * 1080 / 4);
}

TEST_F(MenuRenderTest, PicturesNotDecodedYetShowTheFallbackAndFillIn) {
  for (int m = pool::kMemberFirst; m < pool::kMemberFirst + 40; ++m) dock_.images().ReleaseItemImages(m);
  menu_.MenuFocus(true, 3);
  EXPECT_EQ(dock_.images().Get(ImageSet::kItem, pool::kMemberFirst, 4), nullptr);
  win::PumpPendingMessages();
  win::PumpPendingMessages();
  win::PumpPendingMessages();
  // The visible page's pictures are decoded, the rest are not.
  for (int n = 1; n <= 18; ++n)
    EXPECT_NE(dock_.images().Get(ImageSet::kItem, pool::kMemberFirst + n - 1, 4), nullptr) << n;
  EXPECT_EQ(dock_.images().Get(ImageSet::kItem, pool::kMemberFirst + 30, 4), nullptr);
}

// A held key repeats: the arrows go on moving, a letter chooses nothing until pressed anew.
TEST_F(MenuRenderTest, AHeldLetterChoosesNothingWhileHeldArrowsMove) {
  menu_.MenuFocus(true, 3);
  constexpr LPARAM kRepeat = 1 | (1 << 30);
  SendMessageW(menu_.hwnd(), WM_KEYDOWN, '5', kRepeat);
  EXPECT_TRUE(menu_.controller().SubMenuShown());
  SendMessageW(menu_.hwnd(), WM_KEYDOWN, VK_DOWN, kRepeat);
  EXPECT_EQ(menu_.controller().state().focus, 1);
  SendMessageW(menu_.hwnd(), WM_KEYDOWN, '5', 1);
  EXPECT_FALSE(menu_.controller().SubMenuShown());
  // Alt still held from Alt+Space: the letter chooses all the same.
  menu_.MenuFocus(true, 3);
  SendMessageW(menu_.hwnd(), WM_SYSKEYDOWN, '5', 1 | (1 << 29));
  EXPECT_FALSE(menu_.controller().SubMenuShown());
}

}  // namespace
}  // namespace vek
