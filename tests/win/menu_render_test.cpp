// The group menu's window against real GDI+ and layered windows: its skin, captions and
// greyed arrow, the highlight repainting only the rows that changed with the very pixels
// a whole repaint gives, and row pictures that fill in after the page is shown.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "app/app_context.h"
#include "dock/dock_controller.h"
#include "dock/win/FrmMain.h"
#include "gdiplus_session.h"
#include "test_files.h"
#include "menu/win/FrmSubMenu.h"
#include "platform/win/handles.h"
#include "platform/win/system_info_win.h"
#include "platform/win/text_win.h"

namespace vek {
namespace {

using test::ProgramResources;
using test::SourceFolder;

const auto* const kGdiplus = ::testing::AddGlobalTestEnvironment(new test::GdiplusSession);

class QuietMenuActions : public MenuActions {
 public:
  void LaunchItem(int) override {}
  void RunSystemCommand(int) override {}
  int DeleteItem(int) override { return 0; }
  void SaveMenu() override {}
  void RefreshRing() override {}
  void FocusDock() override {}
  void ShowMemberEditMenu() override {}
  void KeepDockAwake() override {}
};

struct Pixel {
  int a, r, g, b;
};
Pixel At(const win::DockSurface& s, int x, int y) {
  // (x, y) in work-area coordinates; the bitmap covers only s.area(), and the window
  // shows nothing beyond it.
  const PixelRect& in = s.area();
  if (x < in.left || x >= in.right || y < in.top || y >= in.bottom) return Pixel{0, 0, 0, 0};
  const uint32_t v = s.bits()[static_cast<size_t>(y - s.area().top) * s.width() + (x - s.area().left)];
  return Pixel{static_cast<int>(v >> 24), static_cast<int>((v >> 16) & 0xFF), static_cast<int>((v >> 8) & 0xFF),
               static_cast<int>(v & 0xFF)};
}
template <typename Test>
int CountIn(const win::DockSurface& s, const PixelRect& r, Test test) {
  int n = 0;
  const PixelRect in = r.Intersection(s.area());
  for (int y = in.top; y < in.bottom; ++y)
    for (int x = in.left; x < in.right; ++x) n += test(At(s, x, y));
  return n;
}

class MenuRenderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resources_ = ProgramResources();
    ASSERT_TRUE(resources_) << "the built program was not found beside the tests";
    app_.folders.SysIconDir = SourceFolder() + "resources\\SysIcons\\";
    app_.folders.IconDir = SourceFolder() + "no-such-folder\\";
    app_.dock = &dock_;
    Model& model = app_.model;
    for (int g = 0; g <= 36; ++g) model.Groups[g].Members[0] = g;
    model.Items[3].Kind = kind::kAllPrograms;
    ShortcutGroup& group = model.Groups[3];
    group.Count = 40;
    for (int n = 1; n <= 40; ++n) {
      const int m = pool::kMemberFirst + n - 1;
      ShortcutItem& item = model.Items[m];
      item.Kind = kind::kMember;
      item.Title = "Member " + std::to_string(n);
      item.IconFile = app_.folders.SysIconDir + (n % 2 ? "Folder.png" : "Internet.png");
      item.ImageIndex = m;
      group.Members[n] = m;
    }
    ASSERT_TRUE(dock_.Load());
    dock_.LoadAllImages(resources_.get());
    for (FrmSubMenu* m : {&menu_, &literal_}) {
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
  int Differences() const {
    const win::DockSurface& a = const_cast<FrmSubMenu&>(menu_).surface();
    const win::DockSurface& b = const_cast<FrmSubMenu&>(literal_).surface();
    int n = 0;
    const size_t count = static_cast<size_t>(a.width()) * a.height();
    for (size_t i = 0; i < count; ++i) {
      const uint32_t p = a.bits()[i], q = b.bits()[i];
      if (p == q) continue;
      for (int shift = 0; shift < 32; shift += 8) {
        const int d = static_cast<int>((p >> shift) & 0xFF) - static_cast<int>((q >> shift) & 0xFF);
        if (d > 8 || d < -8) {
          ++n;
          break;
        }
      }
    }
    return n;
  }
  const PixelRect& Band(int b) { return menu_.controller().state().bands.rects[b]; }
  void HoverBand(int b) {
    const PixelRect r = Band(b);
    Both([&](MenuController& c) { c.MouseMove(false, (r.left + r.right) / 2, (r.top + r.bottom) / 2); });
  }

  win::UniqueModule resources_;
  AppContext app_;
  QuietMenuActions actions_;
  FrmMain dock_{app_};
  FrmSubMenu menu_{app_, dock_.geometry(), dock_.images(), actions_};
  FrmSubMenu literal_{app_, dock_.geometry(), dock_.images(), actions_};
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

}  // namespace
}  // namespace vek
