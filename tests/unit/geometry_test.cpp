// Ring geometry: screen metrics, the slot table with its rounding rules, the hit test's
// edges and overlaps, the minimised positions and the slot letters.
#include <gtest/gtest.h>

#include "dock/geometry.h"

namespace vek {
namespace {

DockGeometry RingOn(int32_t width, int32_t height, int32_t quantity, int32_t radius) {
  DockGeometry g;
  g.screen = ComputeScreenMetrics(width, height, 0, PixelRect{0, 0, width, height});
  AppSettings s;
  s.IconQuantity = quantity;
  s.CircleRadius = radius;
  g.Relayout(s);
  return g;
}

TEST(RoundingTest, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(1.5), 2);
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(-0.5), 0);
  EXPECT_EQ(RoundHalfEven(-1.5), -2);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(2.4999), 2);
  EXPECT_EQ(RoundHalfEven(2.5001), 3);
  EXPECT_DOUBLE_EQ(RoundToFourPlaces(45.254834), 45.2548);
  EXPECT_DOUBLE_EQ(RoundToFourPlaces(1.23456), 1.2346);
  EXPECT_DOUBLE_EQ(RoundToFourPlaces(90.50984), 90.5098);
}

TEST(ScreenMetricsTest, CentreRoundsHalvesToEvenAndHeightAddsTheCaption) {
  ScreenMetrics m = ComputeScreenMetrics(1365, 743, 25, PixelRect{0, 0, 1365, 768});
  EXPECT_EQ(m.ScreenHeight, 768);
  EXPECT_EQ(m.CenterX, 682);  // 682.5
  EXPECT_EQ(m.CenterY, 384);
  EXPECT_EQ(ComputeScreenMetrics(1367, 769, 0, {}).CenterX, 684);  // 683.5
  // A full-screen height reported without the caption taken off stays within the work area.
  const ScreenMetrics wine = ComputeScreenMetrics(1920, 1091, 19, PixelRect{0, 0, 1920, 1080});
  EXPECT_EQ(wine.ScreenHeight, 1080);
  EXPECT_EQ(wine.CenterY, 540);
  EXPECT_EQ(ComputeScreenMetrics(1920, 1021, 19, PixelRect{0, 0, 1920, 1040}).ScreenHeight, 1040);
  EXPECT_EQ(ComputeScreenMetrics(1367, 769, 0, {}).CenterY, 384);  // 384.5

  AppSettings s;
  ApplyDefaultSettings(s, ScreenForSettings(m));
  EXPECT_EQ(s.MaxRadius, 304);
  EXPECT_EQ(s.CircleRadius, 300);
  ApplyDefaultSettings(s, ScreenForSettings(ComputeScreenMetrics(800, 600, 0, {})));
  EXPECT_EQ(s.MaxRadius, 220);
  EXPECT_EQ(s.CircleRadius, 220);
}

TEST(SlotTableTest, CentreEntryWithTheDefaultSizes) {
  DockGeometry g = RingOn(1920, 1080, 24, 300);
  const SlotBox& c = g.DockPos[0];
  EXPECT_EQ(c.X, 960 - 64);
  EXPECT_EQ(c.Y, 540 - 64);
  EXPECT_EQ(c.Size, 128);
  EXPECT_EQ(c.MagX, 960 - 76);
  EXPECT_EQ(c.MagY, 540 - 76);
  EXPECT_EQ(c.MagSize, 152);
  EXPECT_EQ(c.LabelX, 960);
  EXPECT_EQ(c.LabelY, 540 + 86);
  EXPECT_EQ(g.IconSizes[1], 48);
  EXPECT_EQ(g.IconSizes[2], 64);
  EXPECT_EQ(g.IconSizes[3], 128);
  EXPECT_EQ(g.IconSizes[4], 32);
}

TEST(SlotTableTest, EightSlotsStandAtFortyFiveDegreeSteps) {
  DockGeometry g = RingOn(1920, 1080, 8, 300);
  // Slot 1 at 3 o'clock, then clockwise on screen.
  EXPECT_EQ(g.DockPos[1].X, 1260 - 24);
  EXPECT_EQ(g.DockPos[1].Y, 540 - 24);
  // 45°: 300·cos 45° = 212.13 → centre (1172, 752).
  EXPECT_EQ(g.DockPos[2].X, 1172 - 24);
  EXPECT_EQ(g.DockPos[2].Y, 752 - 24);
  // Slot 3 straight below the centre.
  EXPECT_EQ(g.DockPos[3].X, 960 - 24);
  EXPECT_EQ(g.DockPos[3].Y, 840 - 24);
  EXPECT_EQ(g.DockPos[5].X, 660 - 24);
  EXPECT_EQ(g.DockPos[5].Y, 540 - 24);
  EXPECT_EQ(g.DockPos[7].X, 960 - 24);
  EXPECT_EQ(g.DockPos[7].Y, 240 - 24);
  EXPECT_EQ(g.DockPos[3].MagX, 960 - 32);
  EXPECT_EQ(g.DockPos[3].MagY, 840 - 32);
}

TEST(SlotTableTest, LetterOfSlotOneSitsBeyondTheMagnifiedCorner) {
  DockGeometry g = RingOn(1920, 1080, 24, 300);
  // 300 + √(2·32²) (45.2548) + 3 = 348.2548.
  EXPECT_EQ(g.DockPos[1].LabelX, 348);
  EXPECT_EQ(g.DockPos[1].LabelY, 0);
  // Slot 7 of 24 is straight below: the offset is all vertical.
  EXPECT_EQ(g.DockPos[7].LabelX, 0);
  EXPECT_EQ(g.DockPos[7].LabelY, 348);
}

TEST(SlotTableTest, OddSizesRoundTheirHalvesToEven) {
  DockGeometry g;
  g.screen = ComputeScreenMetrics(1920, 1080, 0, {});
  AppSettings s;
  s.IconQuantity = 8;
  s.NormalIconSize = 47;      // 960 + 300 − 23.5 = 1236.5 → 1236
  s.MagnifiedIconSize = 65;   // 1260 − 32.5 = 1227.5 → 1228
  g.BorderSize = 151;         // 960 − 75.5 = 884.5 → 884
  g.Relayout(s);
  EXPECT_EQ(g.DockPos[1].X, 1236);
  EXPECT_EQ(g.DockPos[1].MagX, 1228);
  EXPECT_EQ(g.DockPos[0].MagX, 884);
  EXPECT_EQ(g.DockPos[0].LabelY, 626);  // 540 + 75.5 + 10 = 625.5
}

TEST(SlotTableTest, TheHoveredCentreGrowsAsMuchAsARingIcon) {
  struct Case {
    int32_t normal, magnified, largest, expected;
  };
  // Sizes as the settings may hold them; a magnified size not above the normal one
  // leaves the centre at its own size.
  for (const Case& c : {Case{48, 64, 128, 171}, Case{32, 64, 128, 256}, Case{48, 48, 128, 128},
                        Case{64, 48, 128, 128}, Case{0, 64, 128, 128}}) {
    DockGeometry g;
    g.IconSizes = {0, c.normal, c.magnified, c.largest, kMenuIconSize};
    EXPECT_EQ(g.CentreMagnifiedSize(), c.expected) << c.normal << " → " << c.magnified;
  }
}

TEST(HitSlotTest, OverlappingBoxesSelectTheLowerIndex) {
  // 36 slots on the smallest ring: neighbours are about 35 px apart, boxes 48 px wide.
  DockGeometry g = RingOn(1920, 1080, 36, 200);
  EXPECT_EQ(g.DockPos[1].X, 1136);
  EXPECT_EQ(g.DockPos[2].X, 1133);  // 10°: centre (1157, 575)
  EXPECT_EQ(g.DockPos[2].Y, 551);
  EXPECT_EQ(g.HitSlot(1150, 555, 36), 1);  // inside both
  EXPECT_EQ(g.HitSlot(1150, 570, 36), 2);  // only in slot 2
}

TEST(HitSlotTest, LeftEdgeInTopEdgeOut) {
  DockGeometry g = RingOn(1920, 1080, 8, 300);  // slot 1: x 1236..1283, y 516..563
  EXPECT_EQ(g.HitSlot(1236, 530, 8), 1);
  EXPECT_EQ(g.HitSlot(1235, 530, 8), -1);
  EXPECT_EQ(g.HitSlot(1283, 530, 8), 1);
  EXPECT_EQ(g.HitSlot(1284, 530, 8), -1);
  EXPECT_EQ(g.HitSlot(1250, 516, 8), -1);
  EXPECT_EQ(g.HitSlot(1250, 517, 8), 1);
  EXPECT_EQ(g.HitSlot(1250, 563, 8), 1);
  EXPECT_EQ(g.HitSlot(1250, 564, 8), -1);
  // The centre's box is the 128-pixel item, not the ring image around it.
  EXPECT_EQ(g.HitSlot(960, 540, 8), 0);
  EXPECT_EQ(g.HitSlot(896, 477, 8), 0);
  EXPECT_EQ(g.HitSlot(890, 540, 8), -1);
  EXPECT_EQ(g.HitSlot(0, 0, 8), -1);
}

TEST(HitSlotTest, LoweringTheQuantityKeepsOldEntriesButNeverTestsThem) {
  DockGeometry g = RingOn(1920, 1080, 36, 300);
  const SlotBox old20 = g.DockPos[20];
  AppSettings s;
  s.IconQuantity = 8;
  g.Relayout(s);
  EXPECT_EQ(g.DockPos[20].X, old20.X);
  EXPECT_EQ(g.DockPos[20].Y, old20.Y);
  EXPECT_EQ(g.HitSlot(old20.X + 5, old20.Y + 5, 8), -1);
  EXPECT_EQ(g.HitSlot(old20.X + 5, old20.Y + 5, 36), 20);
  // A record with a quantity out of range tests at most the 36 ring slots.
  EXPECT_EQ(g.HitSlot(old20.X + 5, old20.Y + 5, 5000), 20);
  EXPECT_EQ(g.HitSlot(960, 540, -3), 0);
}

TEST(MinimizedPosTest, NinePlacesAndAnUnknownChoiceKeepsThePrevious) {
  DockGeometry g = RingOn(1920, 1080, 24, 300);
  g.CalcMinimizedPos(MinimizedPosition::kCenter, 128);
  EXPECT_EQ(g.MinBorderX, 960 - 76);
  EXPECT_EQ(g.MinBorderY, 540 - 76);
  EXPECT_EQ(g.MinIconX, 960 - 76 + 12);
  EXPECT_EQ(g.MinIconY, 540 - 76 + 12);
  g.CalcMinimizedPos(MinimizedPosition::kBottomRight, 128);
  EXPECT_EQ(g.MinBorderX, 1920 - 152 - 2);
  EXPECT_EQ(g.MinBorderY, 1080 - 152 - 2);
  EXPECT_EQ(g.MinIconX, 1766 + 12);
  g.CalcMinimizedPos(MinimizedPosition::kTop, 128);
  EXPECT_EQ(g.MinBorderX, 884);
  EXPECT_EQ(g.MinBorderY, 2);
  g.CalcMinimizedPos(MinimizedPosition::kBottomLeft, 128);
  EXPECT_EQ(g.MinBorderX, 2);
  EXPECT_EQ(g.MinBorderY, 926);
  g.CalcMinimizedPos(static_cast<MinimizedPosition>(9), 128);
  EXPECT_EQ(g.MinBorderX, 2);
  EXPECT_EQ(g.MinBorderY, 926);
  g.CalcMinimizedPos(static_cast<MinimizedPosition>(255), 128);
  EXPECT_EQ(g.MinBorderX, 2);
}

TEST(SlotLetterTest, DigitsThenLettersThenNothing) {
  EXPECT_EQ(SlotLetter(0), "~");
  EXPECT_EQ(SlotLetter(1), "0");
  EXPECT_EQ(SlotLetter(10), "9");
  EXPECT_EQ(SlotLetter(11), "A");
  EXPECT_EQ(SlotLetter(36), "Z");
  EXPECT_EQ(SlotLetter(37), "");
  EXPECT_EQ(SlotLetter(-1), "");
}

TEST(IniIconParamTest, SlotsShowTheItemTheirListNames) {
  Model model;
  for (int i = 0; i <= 36; ++i) model.Groups[i].ShownItem = i;
  model.Items[5].Kind = ItemKind::kShortcut;
  model.Items[5].ImageIndex = 41;
  model.Items[5].Title = "Notepad";
  model.Groups[6].ShownItem = 200;  // a list pointing elsewhere in the pool
  model.Items[200].Kind = ItemKind::kMember;
  model.Items[200].Title = "Elsewhere";
  model.Items[200].ImageIndex = 200;
  model.Groups[7].ShownItem = 5000;  // a broken record
  SlotContents slots;
  slots.SlotName[7] = "stale";
  FillSlots(model, slots);
  EXPECT_EQ(slots.SlotIcon[5], 41);
  EXPECT_EQ(slots.SlotType[5], ItemKind::kShortcut);
  EXPECT_EQ(slots.SlotName[5], "Notepad");
  EXPECT_EQ(slots.SlotName[6], "Elsewhere");
  EXPECT_EQ(slots.SlotIcon[6], 200);
  EXPECT_EQ(slots.SlotName[7], "");
  EXPECT_EQ(slots.SlotIcon[7], 0);
  EXPECT_EQ(slots.SlotIcon[0], 0);
}

TEST(WindowAreaTest, RingAreaHoldsEveryMagnifiedSlotAndIsFarSmallerThanTheScreen) {
  const DockGeometry g = RingOn(1920, 1080, 24, 300);
  const PixelRect area = RingArea(g, 24, 300);
  for (int i = 0; i <= 24; ++i) {
    const SlotBox& b = g.DockPos[i];
    const PixelRect mag{b.MagX, b.MagY, b.MagX + b.MagSize, b.MagY + b.MagSize};
    EXPECT_EQ(mag, mag.Intersection(area)) << "slot " << i;
  }
  EXPECT_LT(static_cast<int64_t>(area.width()) * area.height(), 1920 * 1080 / 2);
  // A ring larger than the screen stops at its edges.
  const PixelRect big = RingArea(RingOn(800, 600, 36, 500), 36, 300);
  EXPECT_EQ(big, (PixelRect{0, 0, 800, 600}));
}

TEST(WindowAreaTest, ChoosesThePreferredAreaOnlyWhileItHoldsTheDrawing) {
  const PixelRect whole{0, 0, 1920, 1080}, ring{500, 200, 1400, 900}, current{1, 2, 3, 4};
  struct Case {
    PixelRect drawn, expected;
  } cases[] = {
      {PixelRect{}, current},                   // nothing drawn: the window stays
      {PixelRect{600, 300, 700, 400}, ring},    // inside
      {PixelRect{500, 200, 1400, 900}, ring},   // exactly the ring
      {PixelRect{10, 300, 700, 400}, whole},    // a dragged icon far out
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, ChooseWindowArea(current, ring, c.drawn, whole));
  EXPECT_EQ(whole, ChooseWindowArea(current, PixelRect{}, PixelRect{5, 5, 6, 6}, whole));
  EXPECT_EQ((PixelRect{8, 18, 32, 42}), Inflated(PixelRect{10, 20, 30, 40}, 2));
}

}  // namespace
}  // namespace vek
