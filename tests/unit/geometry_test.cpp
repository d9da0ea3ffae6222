// Ring geometry: screen metrics, the slot table with its rounding rules, the hit test's
// edges and overlaps, the minimised positions and the slot letters.
#include <gtest/gtest.h>

#include <tuple>
#include <utility>

#include "dock/geometry.h"

namespace vek {
namespace {

DockGeometry RingOn(int32_t width, int32_t height, int32_t quantity, int32_t radius) {
  DockGeometry g;
  g.screen = ComputeScreenMetrics(width, height, 0, PixelRect{0, 0, width, height});
  AppSettings s;
  s.IconQuantity = quantity;
  s.MaxRadius = s.CircleRadius = radius;
  g.Relayout(s);
  return g;
}

TEST(RoundingTest, HalvesGoToTheEvenNeighbour) {
  for (const auto& [x, rounded] : {std::pair<double, int>{0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2},
                                   {-2.5, -2}, {2.4999, 2}, {2.5001, 3}})
    EXPECT_EQ(RoundHalfEven(x), rounded) << x;
  for (const auto& [x, rounded] : {std::pair{45.254834, 45.2548}, {1.23456, 1.2346}, {90.50984, 90.5098}})
    EXPECT_DOUBLE_EQ(RoundToFourPlaces(x), rounded) << x;
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
  ApplyDefaultSettings(s, ScreenForSettings(ComputeScreenMetrics(1080, 1920, 0, {})));  // portrait
  EXPECT_EQ(s.MaxRadius, 540 - 80);
}

TEST(SlotTableTest, CentreEntryWithTheDefaultSizes) {
  DockGeometry g = RingOn(1920, 1080, 24, 300);
  const SlotBox& c = g.DockPos[0];
  // Box, magnified box and caption place.
  EXPECT_EQ(std::tuple(c.X, c.Y, c.Size, c.MagX, c.MagY, c.MagSize, c.LabelX, c.LabelY),
            std::tuple(960 - 64, 540 - 64, 128, 960 - 76, 540 - 76, 152, 960, 540 + 86));
  EXPECT_EQ(std::tuple(g.IconSizes[1], g.IconSizes[2], g.IconSizes[3], g.IconSizes[4]), std::tuple(48, 64, 128, 32));
}

TEST(SlotTableTest, EightSlotsStandAtFortyFiveDegreeSteps) {
  DockGeometry g = RingOn(1920, 1080, 8, 300);
  // Slot centres: slot 1 at 3 o'clock, then clockwise on screen; at 45° 300·cos 45° is
  // 212.13; slot 3 straight below the centre.
  for (const auto& [slot, x, y] : {std::tuple{1, 1260, 540}, {2, 1172, 752}, {3, 960, 840}, {5, 660, 540}, {7, 960, 240}})
    EXPECT_EQ(std::pair(g.DockPos[slot].X, g.DockPos[slot].Y), std::pair(x - 24, y - 24)) << "slot " << slot;
  EXPECT_EQ(std::pair(g.DockPos[3].MagX, g.DockPos[3].MagY), std::pair(960 - 32, 840 - 32));
}

// A radius chosen on a larger screen is laid out at the largest this one allows, and
// comes back with a larger screen.
TEST(SlotTableTest, TheRingNeverReachesPastTheLargestRadius) {
  DockGeometry g;
  g.screen = ComputeScreenMetrics(800, 600, 0, PixelRect{0, 0, 800, 600});
  AppSettings s;
  s.CircleRadius = 460;
  for (const auto& [maxRadius, right] : {std::pair{220, 400 + 220}, {460, 400 + 460}}) {
    s.MaxRadius = maxRadius;
    g.Relayout(s);
    EXPECT_EQ(g.DockPos[1].X + g.DockPos[1].Size / 2, right);
  }
}

TEST(SlotTableTest, LetterOfSlotOneSitsBeyondTheMagnifiedCorner) {
  DockGeometry g = RingOn(1920, 1080, 24, 300);
  // 300 + √(2·32²) (45.2548) + 3 = 348.2548.
  EXPECT_EQ(std::pair(g.DockPos[1].LabelX, g.DockPos[1].LabelY), std::pair(348, 0));
  // Slot 7 of 24 is straight below: the offset is all vertical.
  EXPECT_EQ(std::pair(g.DockPos[7].LabelX, g.DockPos[7].LabelY), std::pair(0, 348));
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
  EXPECT_EQ(std::pair(g.DockPos[2].X, g.DockPos[2].Y), std::pair(1133, 551));  // 10°: centre (1157, 575)
  EXPECT_EQ(g.HitSlot(1150, 555, 36), 1);  // inside both
  EXPECT_EQ(g.HitSlot(1150, 570, 36), 2);  // only in slot 2
}

TEST(HitSlotTest, LeftEdgeInTopEdgeOut) {
  DockGeometry g = RingOn(1920, 1080, 8, 300);  // slot 1: x 1236..1283, y 516..563
  // The centre's box is the 128-pixel item, not the ring image around it.
  for (const auto& [x, y, slot] : {std::tuple{1236, 530, 1}, {1235, 530, -1}, {1283, 530, 1}, {1284, 530, -1},
                                   {1250, 516, -1}, {1250, 517, 1}, {1250, 563, 1}, {1250, 564, -1},
                                   {960, 540, 0}, {896, 477, 0}, {890, 540, -1}, {0, 0, -1}})
    EXPECT_EQ(g.HitSlot(x, y, 8), slot) << x << "," << y;
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
  // Border and icon corners, in order; an unknown choice leaves the bottom left.
  const auto kBottomLeft = std::tuple(2, 926, 2 + 12, 926 + 12);
  for (const auto& [where, corners] :
       {std::pair{MinimizedPosition::kCenter, std::tuple(960 - 76, 540 - 76, 960 - 76 + 12, 540 - 76 + 12)},
        {MinimizedPosition::kBottomRight, std::tuple(1920 - 152 - 2, 1080 - 152 - 2, 1766 + 12, 926 + 12)},
        {MinimizedPosition::kTop, std::tuple(884, 2, 884 + 12, 2 + 12)},
        {MinimizedPosition::kBottomLeft, kBottomLeft},
        {static_cast<MinimizedPosition>(9), kBottomLeft},
        {static_cast<MinimizedPosition>(255), kBottomLeft}}) {
    g.CalcMinimizedPos(where, 128);
    EXPECT_EQ(std::tuple(g.MinBorderX, g.MinBorderY, g.MinIconX, g.MinIconY), corners) << static_cast<int>(where);
  }
}

TEST(SlotLetterTest, DigitsThenLettersThenNothing) {
  for (const auto& [slot, letter] : {std::pair{0, "~"}, {1, "0"}, {10, "9"}, {11, "A"}, {36, "Z"}, {37, ""}, {-1, ""}})
    EXPECT_EQ(SlotLetter(slot), letter) << slot;
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
  EXPECT_EQ(slots.SlotType[5], ItemKind::kShortcut);
  for (const auto& [slot, name, icon] : {std::tuple{5, "Notepad", 41}, {6, "Elsewhere", 200}, {7, "", 0}})
    EXPECT_EQ(std::pair(slots.SlotName[slot], slots.SlotIcon[slot]), std::pair(std::string(name), icon)) << slot;
  EXPECT_EQ(slots.SlotIcon[0], 0);
}

TEST(WindowAreaTest, RingAreaHoldsEveryMagnifiedSlotAndIsFarSmallerThanTheScreen) {
  const DockGeometry g = RingOn(1920, 1080, 24, 300);
  const PixelRect area = RingArea(g, 24);
  for (int i = 0; i <= 24; ++i) {
    const SlotBox& b = g.DockPos[i];
    const PixelRect mag{b.MagX, b.MagY, b.MagX + b.MagSize, b.MagY + b.MagSize};
    EXPECT_EQ(mag, mag.Intersection(area)) << "slot " << i;
  }
  EXPECT_LT(static_cast<int64_t>(area.width()) * area.height(), 1920 * 1080 / 2);
  // A ring larger than the screen stops at its edges.
  const PixelRect big = RingArea(RingOn(800, 600, 36, 500), 36);
  EXPECT_EQ(big, (PixelRect{0, 0, 800, 600}));
}

TEST(WindowAreaTest, TheCaptionKeepsInsideTheRingAndItsAreaHoldsIt) {
  // 2 × (260 px to the icons at 30 degrees − 24 − 8); the centre ring's 152; the screen.
  for (const auto& [quantity, radius, width] : {std::tuple{24, 300, 456}, {8, 100, 152}, {0, 300, 1920}}) {
    const DockGeometry g = RingOn(1920, 1080, quantity, radius);
    const PixelRect caption{960 - width / 2, g.DockPos[0].LabelY, 960 + width / 2, g.DockPos[0].LabelY + 44};
    EXPECT_EQ(std::pair(g.CaptionWidth, caption.Intersection(RingArea(g, quantity))), std::pair(width, caption));
  }
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
