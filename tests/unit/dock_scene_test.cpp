// What the three painters of the ring draw, and which areas a repaint has to touch.
#include <gtest/gtest.h>

#include <algorithm>

#include "dock/dock_scene.h"

namespace vek {
namespace {

class DockSceneTest : public ::testing::Test {
 protected:
  DockSceneTest() {
    geometry.screen = ComputeScreenMetrics(1920, 1080, 0, PixelRect{0, 0, 1920, 1080});
    settings.IconQuantity = 24;
    geometry.Relayout(settings);
    for (int i = 1; i <= 36; ++i) {
      slots.SlotIcon[i] = i;
      slots.SlotName[i] = "Slot " + std::to_string(i);
    }
  }
  DockView View(int sel = -1, bool keyMode = false) {
    DockView v{geometry, settings, slots, "Ada"};
    v.selIndex = sel;
    v.keyMode = keyMode;
    return v;
  }
  static std::vector<std::string> Texts(const DockFrame& f) {
    std::vector<std::string> out;
    for (const DrawOp& op : f.ops)
      if (op.type == DrawOp::Type::kText) out.push_back(op.text);
    return out;
  }
  static int Find(const DockFrame& f, const DrawOp& wanted) {
    for (size_t i = 0; i < f.ops.size(); ++i)
      if (f.ops[i] == wanted) return static_cast<int>(i);
    return -1;
  }
  // Image ops draw w × h when scaled, else the size of the variant as this test's store
  // would hold it; text is 100 × 20 around the centre of its layout box.
  PixelRect Bounds(const DrawOp& op) const {
    if (op.type == DrawOp::Type::kText) {
      const int cx = static_cast<int>(op.textX) + 960;
      const int top = static_cast<int>(op.textY);
      return PixelRect{cx - 50, top, cx + 50, top + 20};
    }
    int side = op.w;
    if (op.variant > 0) side = geometry.IconSizes[op.variant];
    if (op.set == ImageSet::kSkin && op.index == skin::kBorder) side = 152;
    if (op.set == ImageSet::kItem && op.index == 0 && op.variant == 1) side = 128;
    if (op.set == ImageSet::kItem && op.index == 0 && op.variant == kCentreMagnifiedVariant)
      side = geometry.CentreMagnifiedSize();
    return PixelRect{op.x, op.y, op.x + side, op.y + (op.variant > 0 ? side : op.h)};
  }
  std::vector<PixelRect> Changed(const DockFrame& a, const DockFrame& b) const {
    return ChangedAreas(a, b, [this](const DrawOp& op) { return Bounds(op); },
                        PixelRect{0, 0, 1920, 1080});
  }
  static bool Covers(const std::vector<PixelRect>& areas, const PixelRect& r) {
    return std::any_of(areas.begin(), areas.end(), [&](const PixelRect& a) {
      return a.left <= r.left && a.top <= r.top && a.right >= r.right && a.bottom >= r.bottom;
    });
  }
  static bool Touches(const std::vector<PixelRect>& areas, const PixelRect& r) {
    return std::any_of(areas.begin(), areas.end(), [&](const PixelRect& a) { return a.Intersects(r); });
  }
  PixelRect NormalBox(int i) const {
    const SlotBox& b = geometry.DockPos[i];
    return PixelRect{b.X, b.Y, b.X + b.Size, b.Y + b.Size};
  }
  PixelRect MagBox(int i) const {
    const SlotBox& b = geometry.DockPos[i];
    return PixelRect{b.MagX, b.MagY, b.MagX + b.MagSize, b.MagY + b.MagSize};
  }

  DockGeometry geometry;
  AppSettings settings;
  SlotContents slots;
};

TEST_F(DockSceneTest, PlainRingDrawsAPlateUnderEveryIconThenTheCentre) {
  DockFrame f;
  ASSERT_TRUE(PaintDockNormal(f, View()));
  EXPECT_EQ(f.background, 0u);
  for (int i = 1; i <= 24; ++i) {
    const SlotBox& b = geometry.DockPos[i];
    const int plate = Find(f, DrawOp::Image(ImageSet::kSkin, skin::kBackSelectColor, 1, b.X, b.Y));
    const int icon = Find(f, DrawOp::Image(ImageSet::kItem, i, 1, b.X, b.Y));
    ASSERT_GE(plate, 0) << "slot " << i;
    EXPECT_EQ(icon, plate + 1) << "slot " << i;
  }
  // A slot whose picture is missing still gets its plate: the op is there, the renderer
  // draws nothing for the missing image.
  slots.SlotIcon[3] = 777;
  PaintDockNormal(f, View());
  EXPECT_GE(Find(f, DrawOp::Image(ImageSet::kSkin, skin::kBackSelectColor, 1,
                                  geometry.DockPos[3].X, geometry.DockPos[3].Y)), 0);
  const SlotBox& c = geometry.DockPos[0];
  const size_t n = f.ops.size();
  EXPECT_EQ(f.ops[n - 3], DrawOp::Image(ImageSet::kItem, 0, 1, c.X, c.Y));
  EXPECT_EQ(f.ops[n - 2], DrawOp::Image(ImageSet::kSkin, skin::kBorder, 1, c.MagX, c.MagY));
  EXPECT_EQ(f.ops[n - 1], DrawOp::Text("Ada", 0.0f, 626.0f, static_cast<float>(geometry.CaptionWidth)));
  EXPECT_EQ(Texts(f), std::vector<std::string>{"Ada"});
}

TEST_F(DockSceneTest, KeyModeDimsAndLetters) {
  DockFrame f;
  PaintDockNormal(f, View(-1, true));
  EXPECT_EQ(f.background, 0xC0000000u);
  std::vector<std::string> texts = Texts(f);
  EXPECT_EQ(texts.size(), 24u + 2u);
  EXPECT_NE(std::find(texts.begin(), texts.end(), "~"), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), "N"), texts.end());  // slot 24
  // The letter of slot 1 is centred 348 px right of the centre, 12 px above its ray.
  EXPECT_GE(Find(f, DrawOp::Text("0", 348.0f, 528.0f)), 0);
  EXPECT_GE(Find(f, DrawOp::Text("~", 0.0f, 626.0f - 182.0f)), 0);

  // The largest ring on a low screen and on a portrait one: every letter stays on the screen.
  for (const ScreenMetrics& screen : {ComputeScreenMetrics(1366, 768, 0, PixelRect{0, 0, 1366, 728}),
                                      ComputeScreenMetrics(1080, 1920, 0, PixelRect{0, 0, 1080, 1880})}) {
    geometry.screen = screen;
    settings.MagnifiedIconSize = 128;
    settings.MaxRadius = settings.CircleRadius = std::min(screen.CenterX, screen.CenterY) - 80;
    geometry.Relayout(settings);
    PaintDockNormal(f, View(-1, true));
    for (const DrawOp& op : f.ops) {
      if (op.type != DrawOp::Type::kText || op.text.size() != 1) continue;
      EXPECT_TRUE(op.textY >= 0 && op.textY + 24 <= screen.ScreenHeight) << op.text << " at " << op.textY;
      EXPECT_TRUE(screen.CenterX + op.textX >= 12 && screen.CenterX + op.textX <= screen.ScreenWidth - 12)
          << op.text << " at " << op.textX;
    }
  }

  settings.HideLetters = true;
  PaintDockNormal(f, View(-1, true));
  EXPECT_EQ(f.background, 0xC0000000u);
  EXPECT_EQ(Texts(f), std::vector<std::string>{"Ada"});
  settings.BackdropOpacity = 64;
  PaintDockNormal(f, View(-1, true));
  EXPECT_EQ(f.background, 0x40000000u);
}

TEST_F(DockSceneTest, NothingIsPaintedWhileMinimisedOrHidden) {
  DockFrame f;
  PaintDockNormal(f, View());
  const DockFrame before = f;
  DockView v = View(3);
  v.dockState = DockState::Minimised;
  EXPECT_FALSE(PaintDockNormal(f, v));
  v.dockState = DockState::Hidden;
  EXPECT_FALSE(PaintDockAction(f, v, false));
  EXPECT_EQ(f.ops.size(), before.ops.size());
}

TEST_F(DockSceneTest, DraggedSlotIsLeftOutOfTheRing) {
  DockFrame f;
  DockView v = View();
  v.dragSlot = 5;
  PaintDockNormal(f, v);
  const SlotBox& b = geometry.DockPos[5];
  EXPECT_LT(Find(f, DrawOp::Image(ImageSet::kItem, 5, 1, b.X, b.Y)), 0);
  EXPECT_LT(Find(f, DrawOp::Image(ImageSet::kSkin, skin::kBackSelectColor, 1, b.X, b.Y)), 0);
}

TEST_F(DockSceneTest, HoverMagnifiesTheSlotAndRepeatsItInTheCentre) {
  DockFrame f;
  PaintDockAction(f, View(5, true), false);
  const SlotBox& b = geometry.DockPos[5];
  const SlotBox& c = geometry.DockPos[0];
  EXPECT_LT(Find(f, DrawOp::Image(ImageSet::kItem, 5, 1, b.X, b.Y)), 0);
  const int plate = Find(f, DrawOp::Image(ImageSet::kSkin, skin::kBackSelectColor, 2, b.MagX, b.MagY));
  const int icon = Find(f, DrawOp::Image(ImageSet::kItem, 5, 0, b.MagX, b.MagY, 64, 64));
  ASSERT_GE(plate, 0);
  EXPECT_EQ(icon, plate + 1);
  // The magnified slot is drawn after every other ring slot, so it lies on top.
  EXPECT_GT(plate, Find(f, DrawOp::Image(ImageSet::kItem, 24, 1, geometry.DockPos[24].X,
                                         geometry.DockPos[24].Y)));
  EXPECT_GE(Find(f, DrawOp::Image(ImageSet::kItem, 5, 0, c.X, c.Y, 128, 128)), 0);
  EXPECT_LT(Find(f, DrawOp::Image(ImageSet::kSkin, skin::kBorder, 1, c.MagX, c.MagY)), 0);
  std::vector<std::string> texts = Texts(f);
  EXPECT_NE(std::find(texts.begin(), texts.end(), "Slot 5"), texts.end());
  EXPECT_EQ(std::find(texts.begin(), texts.end(), "Ada"), texts.end());
  // In key mode the slot's letter stands where "~" normally does, and at its own place.
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "4"), 2);
  EXPECT_EQ(std::find(texts.begin(), texts.end(), "~"), texts.end());
}

TEST_F(DockSceneTest, PressedSlotShrinksBackInsideItsMagnifiedPlate) {
  DockFrame f;
  PaintDockAction(f, View(5), true);
  const SlotBox& b = geometry.DockPos[5];
  const int plate = Find(f, DrawOp::Image(ImageSet::kSkin, skin::kBackSelectColor, 2, b.MagX, b.MagY));
  EXPECT_EQ(Find(f, DrawOp::Image(ImageSet::kItem, 5, 1, b.X, b.Y)), plate + 1);
}

TEST_F(DockSceneTest, PointerOnTheCentreMagnifiesItsOwnPictureCentredInItsRingWithoutAPlate) {
  DockFrame f;
  PaintDockAction(f, View(0, true), false);
  const SlotBox& c = geometry.DockPos[0];
  // 128 magnified as 48 → 64 is 171 pixels, centred on (960, 540).
  EXPECT_EQ(geometry.CentreMagnifiedSize(), 171);
  const int magnified = Find(f, DrawOp::Image(ImageSet::kItem, 0, kCentreMagnifiedVariant, 874, 454));
  const int border = Find(f, DrawOp::Image(ImageSet::kSkin, skin::kBorder, 1, c.MagX, c.MagY));
  ASSERT_GE(magnified, 0);
  EXPECT_GT(border, magnified);
  for (const DrawOp& op : f.ops) {
    EXPECT_FALSE(op.set == ImageSet::kSkin && op.index == skin::kBackSelectColor && op.variant == 2)
        << "a magnified plate at " << op.x << "," << op.y;
    EXPECT_FALSE(op.set == ImageSet::kItem && op.index == 0 && op.variant == 1) << "the plain centre too";
  }
  std::vector<std::string> texts = Texts(f);
  EXPECT_NE(std::find(texts.begin(), texts.end(), "Ada"), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), "~"), texts.end());
  // Pressed, it shrinks back to the plain centre.
  DockFrame plain, pressed;
  PaintDockNormal(plain, View(-1, true));
  PaintDockAction(pressed, View(0, true), true);
  EXPECT_TRUE(Changed(plain, pressed).empty());
}

TEST_F(DockSceneTest, SizeChangeScalesTheFullImagesWithoutPlates) {
  settings.NormalIconSize = 40;
  geometry.Relayout(settings);
  DockFrame f;
  PaintDockSizeChange(f, View());
  const SlotBox& b = geometry.DockPos[7];
  EXPECT_GE(Find(f, DrawOp::Image(ImageSet::kItem, 7, 0, b.X, b.Y, 40, 40)), 0);
  for (const DrawOp& op : f.ops)
    EXPECT_FALSE(op.set == ImageSet::kSkin && op.index == skin::kBackSelectColor);
}

TEST_F(DockSceneTest, TextIsTrimmedAndEmptyTextDrawsNothing) {
  EXPECT_EQ(DrawOp::Text("  Mail  ", 0, 0).text, "Mail");
  DockFrame f;
  DockView v = View();
  v.centreTitle = "   ";
  PaintDockNormal(f, v);
  EXPECT_TRUE(Texts(f).empty());
}

TEST_F(DockSceneTest, IdenticalFramesChangeNothingAndANewBackgroundChangesAll) {
  DockFrame a, b;
  PaintDockNormal(a, View());
  PaintDockNormal(b, View());
  EXPECT_TRUE(Changed(a, b).empty());
  PaintDockNormal(b, View(-1, true));
  auto changed = Changed(a, b);
  ASSERT_EQ(changed.size(), 1u);
  EXPECT_EQ(changed[0], (PixelRect{0, 0, 1920, 1080}));
}

TEST_F(DockSceneTest, MovingTheHoverRepaintsBothSlotsAndTheCentreOnly) {
  DockFrame a, b;
  PaintDockAction(a, View(3), false);
  PaintDockAction(b, View(4), false);
  auto changed = Changed(a, b);
  EXPECT_TRUE(Covers(changed, MagBox(3)));
  EXPECT_TRUE(Covers(changed, MagBox(4)));
  EXPECT_TRUE(Covers(changed, MagBox(0).Intersection(PixelRect{896, 476, 1024, 604})));
  EXPECT_FALSE(Touches(changed, NormalBox(12)));
  EXPECT_FALSE(Touches(changed, NormalBox(20)));
  // Back to the plain ring: the magnified slot and the centre change back.
  PaintDockNormal(b, View());
  changed = Changed(a, b);
  EXPECT_TRUE(Covers(changed, MagBox(3)));
  EXPECT_TRUE(Covers(changed, MagBox(0)));
  EXPECT_FALSE(Touches(changed, NormalBox(12)));
}

TEST_F(DockSceneTest, OverlappingOperationsDrawnInAnotherOrderAreRepainted) {
  DockFrame a, b;
  const DrawOp first = DrawOp::Image(ImageSet::kItem, 1, 0, 10, 10, 50, 50);
  const DrawOp second = DrawOp::Image(ImageSet::kItem, 2, 0, 30, 30, 50, 50);
  const DrawOp far = DrawOp::Image(ImageSet::kItem, 3, 0, 500, 500, 50, 50);
  a.ops = {first, second, far};
  b.ops = {second, first, far};
  auto changed = Changed(a, b);
  ASSERT_FALSE(changed.empty());
  EXPECT_TRUE(Touches(changed, PixelRect{30, 30, 60, 60}));
  EXPECT_FALSE(Touches(changed, PixelRect{500, 500, 550, 550}));
  // Repeated equal operations pair one to one.
  a.ops = {first, first};
  b.ops = {first};
  EXPECT_FALSE(Changed(a, b).empty());
}

TEST(MergeRectsTest, OverlappingAndTouchingRectanglesBecomeOne) {
  auto merged = MergeRects({{0, 0, 10, 10}, {10, 0, 20, 10}, {100, 100, 110, 110}, {5, 5, 15, 30}, {}});
  ASSERT_EQ(merged.size(), 2u);
  EXPECT_TRUE(std::count(merged.begin(), merged.end(), PixelRect{0, 0, 20, 30}) == 1);
  EXPECT_TRUE(std::count(merged.begin(), merged.end(), PixelRect{100, 100, 110, 110}) == 1);
}

}  // namespace
}  // namespace vek
