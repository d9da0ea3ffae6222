// The dock's rendering against real GDI+ and layered windows: the ring with its skin,
// captions and key mode, and the program's way of repainting only what changed giving
// the very pixels a whole repaint gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <functional>
#include <vector>

#include "app/app_context.h"
#include "dock/win/dock_window.h"
#include "gdiplus_session.h"
#include "render_support.h"
#include "test_files.h"
#include "platform/win/handles.h"
#include "platform/win/system_info_win.h"
#include "platform/win/text_win.h"

namespace vek {
namespace {

using namespace test;  // NOLINT: the shared render fixtures

const auto* const kGdiplus = ::testing::AddGlobalTestEnvironment(new test::GdiplusSession);

// Blank shortcuts on every ring position and a centre item, as a fresh catalogue has them.
void BlankRing(AppContext& app) {
  Model& model = app.model;
  for (int g = 0; g <= 36; ++g) model.Groups[g].ShownItem = g;
  model.Items[0].Kind = ItemKind::kCentre;
  for (int i = 1; i <= 36; ++i) {
    ShortcutItem& item = model.Items[i];
    item.Kind = ItemKind::kEmptyPosition;
    item.Title = "Blank Shortcut";
    item.IconFile = app.folders.SysIconDir + "Shortcut.png";
    item.ImageIndex = i;
  }
  // One icon that drags.
  model.Items[4].Kind = ItemKind::kShortcut;
}

class DockRenderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resources_ = ProgramResources();
    ASSERT_TRUE(resources_) << "the built program was not found beside the tests";
    Start(app_, dock_);
    Start(literalApp_, literal_);
    literal_.surface().set_painting(win::DockSurface::Painting::kAllAreas);
  }
  // A dock showing the blank ring, its pictures loaded.
  void Start(AppContext& app, DockWindow& d) {
    app.folders.SysIconDir = SourceFolder() + "resources\\SysIcons\\";
    app.folders.IconDir = SourceFolder() + "no-such-folder\\";
    ASSERT_TRUE(d.Load());
    BlankRing(app);
    d.LoadAllImages(resources_.get());
    d.Activate(true);
    // The timers follow the real pointer and would repaint one dock and not the other
    // while a step lets messages run; every change here is driven by the test.
    for (UINT_PTR timer = dock_timer::kSelection; timer <= dock_timer::kAutoHide; ++timer) KillTimer(d.hwnd(), timer);
  }

  Difference Differences() { return Compare(dock_.surface(), literal_.surface()); }
  void Both(const std::function<void(DockWindow&)>& step) {
    step(dock_);
    step(literal_);
  }
  struct PointXY {
    int x, y;
  };
  // Slot 6 gets another picture file, and item 200, which the ring does not show, one.
  static void ReplacePictures(AppContext& app) {
    app.model.Items[6].IconFile = app.folders.SysIconDir + "Folder.png";
    ShortcutItem& away = app.model.Items[200];
    away.Kind = ItemKind::kMember;
    away.IconFile = app.folders.SysIconDir + "Internet.png";
    away.ImageIndex = 200;
  }
  PointXY Centre(int slot) const {
    const SlotBox& b = dock_.geometry().DockPos[slot];
    return {b.X + b.Size / 2, b.Y + b.Size / 2};
  }
  // The pointer over a slot's centre, as the dock's selection sees it.
  void Hover(DockWindow& d, int slot) const {
    const PointXY p = Centre(slot);
    d.SelectAt(p.x, p.y);
  }

  win::UniqueModule resources_;
  AppContext app_;
  AppContext literalApp_;
  DockWindow dock_{DockParts(app_)};
  DockWindow literal_{DockParts(literalApp_)};
};

TEST_F(DockRenderTest, ThePlainRingShowsPlatesIconsTheCentreAndItsRing) {
  const win::DockSurface& s = dock_.surface();
  const DockGeometry& g = dock_.geometry();
  EXPECT_EQ(g.BorderSize, 152);
  // Every ring slot is drawn: its box holds opaque pixels, the space between is clear.
  for (int i = 1; i <= 24; ++i) {
    const SlotBox& b = g.DockPos[i];
    EXPECT_GT(CountIn(s, PixelRect{b.X, b.Y, b.X + b.Size, b.Y + b.Size},
                      [](const Pixel& p) { return p.a > 100; }),
              b.Size * b.Size / 2)
        << "slot " << i;
  }
  const ScreenMetrics& m = g.screen;
  EXPECT_EQ(At(s, m.CenterX + 150, m.CenterY).a, 0);
  EXPECT_EQ(At(s, 10, 10).a, 0);
  // The centre picture is opaque and the ring image around it covers its edge.
  EXPECT_EQ(At(s, m.CenterX, m.CenterY).a, 255);
  EXPECT_EQ(At(s, m.CenterX - 73, m.CenterY).a, 255);
}

TEST_F(DockRenderTest, HoverMagnifiesTheSlotAndCaptionsItInTheCentre) {
  const win::DockSurface& s = dock_.surface();
  const SlotBox& b = dock_.geometry().DockPos[1];
  // The magnified plate reaches beyond the normal box.
  EXPECT_EQ(At(s, b.MagX + 5, b.MagY + 32).a, 0);
  Hover(dock_, 1);
  EXPECT_EQ(dock_.selIndex(), 1);
  EXPECT_GT(At(s, b.MagX + 5, b.MagY + 32).a, 100);
  // White caption letters with a dark outline under the centre.
  const SlotBox& c = dock_.geometry().DockPos[0];
  const PixelRect caption{c.LabelX - 120, c.LabelY, c.LabelX + 120, c.LabelY + 24};
  EXPECT_GT(CountIn(s, caption, [](const Pixel& q) { return q.a == 255 && q.r > 240 && q.g > 240; }), 20);
  EXPECT_GT(CountIn(s, caption, [](const Pixel& q) { return q.a == 255 && q.r < 40 && q.b < 40; }), 20);
  // Without the hover there is no caption (the centre item has no title here).
  dock_.DockNormal(false);
  EXPECT_EQ(CountIn(s, caption, [](const Pixel& q) { return q.a > 0; }), 0);
}

TEST_F(DockRenderTest, TheHoveredCentreIsItsOwnPictureMagnifiedInsideItsRing) {
  const win::DockSurface& s = dock_.surface();
  const SlotBox& c = dock_.geometry().DockPos[0];
  const std::vector<uint32_t> plain(s.bits(), s.bits() + static_cast<size_t>(s.width()) * s.height());
  Hover(dock_, 0);
  ASSERT_EQ(dock_.selIndex(), 0);
  // The corners of the ring's square box lie outside the ring: nothing is drawn there.
  const int side = c.MagSize, corner = 16;
  for (const PointXY& at : {PointXY{c.MagX, c.MagY}, PointXY{c.MagX + side - corner, c.MagY},
                            PointXY{c.MagX, c.MagY + side - corner},
                            PointXY{c.MagX + side - corner, c.MagY + side - corner}})
    EXPECT_EQ(CountIn(s, PixelRect{at.x, at.y, at.x + corner, at.y + corner}, [](const Pixel& q) { return q.a > 0; }),
              0)
        << "a square corner at " << at.x - c.MagX << "," << at.y - c.MagY;
  // Inside the ring the picture is drawn larger than the plain one.
  const ScreenMetrics& m = dock_.geometry().screen;
  int changed = 0;
  for (int y = m.CenterY - 50; y < m.CenterY + 50; ++y)
    for (int x = m.CenterX - 50; x < m.CenterX + 50; ++x) {
      const size_t i = static_cast<size_t>(y - s.area().top) * s.width() + (x - s.area().left);
      changed += s.bits()[i] != plain[i];
    }
  EXPECT_GT(changed, 2000);
  EXPECT_EQ(At(s, m.CenterX, m.CenterY).a, 255);
  // A new icon size, made as the settings window makes it: the picture, which the ring
  // centres by its expected size, has that size.
  app_.model.Settings.NormalIconSize = 56;
  dock_.Relayout(AfterRelayout::Nothing);
  dock_.RebuildSizeCache(1);
  EXPECT_EQ(dock_.images().Get(ImageSet::kItem, pool::kCentre, kCentreMagnifiedVariant)->GetWidth(),
            static_cast<UINT>(dock_.geometry().CentreMagnifiedSize()));
}

TEST_F(DockRenderTest, KeyModeDimsTheWholeScreenBeneathTheRingAndShowsLetters) {
  const win::DockSurface& s = dock_.surface();
  const win::BackdropWindow& backdrop = dock_.backdrop();
  const ScreenMetrics& m = dock_.geometry().screen;
  // In and out of key mode the dock's window covers the ring, not the screen.
  auto ringSized = [&] {
    return static_cast<int64_t>(s.width()) * s.height() < static_cast<int64_t>(m.ScreenWidth) * m.ScreenHeight / 2;
  };
  EXPECT_TRUE(ringSized());
  EXPECT_FALSE(IsWindowVisible(backdrop.hwnd()));
  dock_.SetKeyMode(true);
  EXPECT_TRUE(ringSized());
  // The dimming is the backdrop's window: black at the opacity setting over the work area.
  ASSERT_TRUE(IsWindowVisible(backdrop.hwnd()));
  BYTE opacity = 0;
  DWORD how = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(backdrop.hwnd(), nullptr, &opacity, &how));
  EXPECT_EQ(opacity, 192);
  EXPECT_EQ(how & LWA_ALPHA, static_cast<DWORD>(LWA_ALPHA));
  EXPECT_EQ(backdrop.look().Rgb(), 0u);
  RECT r{};
  GetWindowRect(backdrop.hwnd(), &r);
  EXPECT_EQ((PixelRect{r.left, r.top, r.right, r.bottom}),
            (PixelRect{m.WorkArea.left, m.WorkArea.top, m.WorkArea.left + m.ScreenWidth, m.WorkArea.top + m.ScreenHeight}));
  EXPECT_EQ(At(s, 5, 5).a, 0);
  const SlotBox& b = dock_.geometry().DockPos[1];
  const int lx = m.CenterX + b.LabelX, ly = b.LabelY + m.CenterY - 12;
  EXPECT_GT(CountIn(s, PixelRect{lx - 10, ly, lx + 10, ly + 22},
                    [](const Pixel& q) { return q.r > 240 && q.a == 255; }),
            8);
  // Hovering repaints the ring alone.
  const int changes = backdrop.changes();
  for (int slot : {3, 4, 0, 24}) Hover(dock_, slot);
  EXPECT_EQ(backdrop.changes(), changes);
  // Letters hidden: still dimmed, no letters.
  app_.model.Settings.HideLetters = true;
  dock_.DockNormal(false);
  EXPECT_TRUE(IsWindowVisible(backdrop.hwnd()));
  EXPECT_EQ(CountIn(s, PixelRect{lx - 10, ly, lx + 10, ly + 22}, [](const Pixel& q) { return q.r > 60; }), 0);
  dock_.SetKeyMode(false);
  EXPECT_FALSE(IsWindowVisible(backdrop.hwnd()));
  EXPECT_TRUE(ringSized());
}

TEST_F(DockRenderTest, TheFadeChangesTheBackdropOncePerStep) {
  dock_.SetKeyMode(true);
  const int changes = dock_.backdrop().changes();
  dock_.controller().state().FadeEnabled = true;
  dock_.controller().SetDockState(DockState::Hidden);
  // 31 steps show less and less of it; the last one hides it.
  EXPECT_EQ(dock_.backdrop().changes(), changes + 32);
  EXPECT_FALSE(IsWindowVisible(dock_.backdrop().hwnd()));
}

TEST_F(DockRenderTest, RepaintingOnlyWhatChangedGivesTheWholeRepaintsPixels) {
  // Every frame the dock shows, reached the way the user reaches it, on both docks.
  auto expectSame = [this](const char* what) {
    const Difference d = Differences();
    EXPECT_EQ(d.pixels, 0) << what << ": largest difference " << d.largest;
  };
  expectSame("plain");
  for (int slot : {3, 4, 5, 0, 24, 1, 13}) {
    Both([&](DockWindow& d) { Hover(d, slot); });
    expectSame(("hovering slot " + std::to_string(slot)).c_str());
  }
  Both([](DockWindow& d) { d.SetKeyMode(true); });
  expectSame("key mode on");
  for (int slot : {7, 8, 0}) {
    Both([&](DockWindow& d) { Hover(d, slot); });
    expectSame(("key mode, slot " + std::to_string(slot)).c_str());
  }
  Both([](DockWindow& d) { d.DockAction(true); });
  expectSame("pressed");
  Both([](DockWindow& d) { d.SetKeyMode(false); });
  Both([](DockWindow& d) { d.DockNormal(false); });
  expectSame("plain again");
  for (AppContext* app : {&app_, &literalApp_}) ReplacePictures(*app);
  Both([](DockWindow& d) {
    d.LoadItemIcon(6);
    d.LoadItemIcon(200);
    d.DockNormal(false);
  });
  expectSame("a picture on the ring replaced");

  // Dragging slot 4's icon across the ring and off it.
  const PointXY from = Centre(4);
  Both([&](DockWindow& d) {
    d.controller().MouseMove(false, from.x, from.y);
    d.controller().MouseDown(mouse::kLeft, from.x, from.y);
  });
  expectSame("pressed for a drag");
  for (int step = 1; step <= 4; ++step) {
    Both([&](DockWindow& d) { d.controller().MouseMove(true, from.x - 37 * step, from.y + 23 * step); });
    expectSame(("dragging, step " + std::to_string(step)).c_str());
  }
  Both([&](DockWindow& d) { d.controller().MouseUp(mouse::kLeft, 40, 40); });
  expectSame("drag ended");

  // The delete effect's strip at a release point, then the ring again.
  Both([](DockWindow& d) { d.DockDelEffect(700, 300); });
  expectSame("delete effect");
  Both([](DockWindow& d) { d.DockNormal(false); });
  expectSame("after the delete effect");

  // Minimised and shown again.
  Both([](DockWindow& d) { d.controller().SetDockState(DockState::Minimised); });
  expectSame("minimised");
  Both([](DockWindow& d) { d.controller().SetDockState(DockState::Shown); });
  expectSame("restored");
}

// The work area narrowed while the program runs (the taskbar moved to a side): the dock
// shows what a dock started on it shows, its captions and letters centred anew.
TEST_F(DockRenderTest, ADockThatFollowedANewWorkAreaShowsWhatOneStartedThereShows) {
  dock_.SetKeyMode(true);
  Hover(dock_, 5);
  RECT was{};
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &was, 0));
  RECT narrower{was.left + 300, was.top, was.right, was.bottom};
  ASSERT_TRUE(SystemParametersInfoW(SPI_SETWORKAREA, 0, &narrower, 0));
  dock_.FollowScreen();
  AppContext startedApp;
  DockWindow started{DockParts(startedApp)};
  Start(startedApp, started);
  SystemParametersInfoW(SPI_SETWORKAREA, 0, &was, 0);
  started.SetKeyMode(true);
  for (DockWindow* d : {&dock_, &started}) Hover(*d, 5);
  ASSERT_EQ(dock_.surface().area(), started.surface().area());
  EXPECT_EQ(Compare(dock_.surface(), started.surface()).pixels, 0);
}

TEST_F(DockRenderTest, BlendedPicturesLookAsGdiplusDrawsThem) {
  // GDI+ as Wine has it reads each destination pixel back as straight alpha, blends and
  // premultiplies again, so where the ring's soft edges and the plates are faint its
  // channels land up to 4 levels off the exact premultiplied blend the dock computes.
  // A missing, misplaced or stale picture differs by far more.
  literal_.surface().set_painting(win::DockSurface::Painting::kWholeFrame);
  literal_.surface().Invalidate();
  Both([&](DockWindow& d) { Hover(d, 5); });
  Both([](DockWindow& d) { d.SetKeyMode(true); });
  EXPECT_LE(Differences().largest, 4);
}

TEST_F(DockRenderTest, HoverPushesASmallAreaAndAnUnchangedFramePushesNothing) {
  Hover(dock_, 3);
  Hover(dock_, 4);
  const PixelRect pushed = dock_.surface().last_pushed();
  EXPECT_FALSE(pushed.empty());
  const ScreenMetrics& m = dock_.geometry().screen;
  EXPECT_LT(static_cast<int64_t>(pushed.width()) * pushed.height(), static_cast<int64_t>(m.ScreenWidth) * m.ScreenHeight / 8);
  dock_.DockAction(false);
  EXPECT_TRUE(dock_.surface().last_pushed().empty());
  // A picture the ring does not show changes nothing; one it shows repaints its slot.
  ReplacePictures(app_);
  dock_.LoadItemIcon(200);
  dock_.DockAction(false);
  EXPECT_TRUE(dock_.surface().last_pushed().empty());
  dock_.LoadItemIcon(6);
  dock_.DockAction(false);
  const SlotBox& six = dock_.geometry().DockPos[6];
  EXPECT_TRUE(dock_.surface().last_pushed().Intersects(PixelRect{six.X, six.Y, six.X + six.Size, six.Y + six.Size}));
  EXPECT_LT(static_cast<int64_t>(dock_.surface().last_pushed().width()) * dock_.surface().last_pushed().height(),
            static_cast<int64_t>(m.ScreenWidth) * m.ScreenHeight / 8);
}

TEST_F(DockRenderTest, AnInvisiblePushKeepsThePicture) {
  const std::vector<uint32_t> before(dock_.surface().bits(),
                                     dock_.surface().bits() + dock_.surface().width() * dock_.surface().height());
  dock_.PushFrame(0);
  EXPECT_EQ(0, std::memcmp(before.data(), dock_.surface().bits(), before.size() * 4));
  dock_.PushFrame();
  EXPECT_EQ(0, std::memcmp(before.data(), dock_.surface().bits(), before.size() * 4));
}

TEST_F(DockRenderTest, MissingPicturesDrawNothingAndPlatesStay) {
  dock_.ReleaseImages();
  DockFrame frame;
  FrameWriter writer(frame);
  writer.Icon(5, 1, 100, 100);
  writer.Icon(5000, 0, 100, 100, 64, 64);
  writer.Skin(-3, 2, 100, 100);
  writer.Skin(20, 9, 100, 100);
  dock_.surface().Present(frame, dock_.images(), 255);
  EXPECT_EQ(CountIn(dock_.surface(), PixelRect{0, 0, 400, 400}, [](const Pixel& q) { return q.a > 0; }), 0);
}

TEST(DockFontTest, AMissingFamilyFallsBackToTheSansSerifFamily) {
  win::DockSurface surface;
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.lpszClassName = L"VekFontTestWindow";
  RegisterClassW(&wc);
  HWND window = CreateWindowExW(WS_EX_LAYERED, wc.lpszClassName, L"", WS_POPUP, 0, 0, 300, 100,
                                nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(window);
  ASSERT_TRUE(surface.CreateGraphic(window, 300, 100));
  EXPECT_FALSE(surface.FontFamilyName().empty());
  ASSERT_TRUE(surface.CreateGraphicFont(L"No Such Family VEK", 17));
  wchar_t generic[LF_FACESIZE] = {};
  Gdiplus::FontFamily::GenericSansSerif()->GetFamilyName(generic);
  EXPECT_EQ(surface.FontFamilyName(), generic);
  // And it draws.
  DockFrame frame;
  frame.ops.push_back(DrawOp::Text("Mail", -100.0f, 20.0f));
  surface.Present(frame, win::ImageStore(), 255);
  int lit = 0;
  for (int i = 0; i < 300 * 100; ++i) lit += (surface.bits()[i] >> 24) == 255;
  EXPECT_GT(lit, 30);
  surface.DeleteGraphic();
  DestroyWindow(window);
}

}  // namespace
}  // namespace vek
