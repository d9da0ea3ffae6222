#include <gtest/gtest.h>

#include "menu/menu_layout.h"

namespace vek {
namespace {

TEST(MenuLayoutTest, RowsPerPageFromTheScreenHeight) {
  struct Case { int32_t height, rows; };
  for (const Case c : {Case{728, 16}, Case{798, 18}, Case{1080, 18}, Case{759, 16}, Case{760, 17},
                       // A very low work area still has one row per page.
                       Case{190, 2}, Case{189, 1}, Case{150, 1}, Case{100, 1}, Case{0, 1}})
    EXPECT_EQ(RowsPerPage(c.height), c.rows) << c.height;
}

TEST(MenuLayoutTest, HeightOfPagedAndUnpagedMenus) {
  EXPECT_EQ(MenuHeight(5, 18), 5 * 38 + 20);
  EXPECT_EQ(MenuHeight(18, 18), 18 * 38 + 20);  // exactly one page: no arrows
  EXPECT_EQ(MenuHeight(19, 18), 18 * 38 + 80);
}

class MenuPlacementTest : public ::testing::Test {
 protected:
  void SetUp() override {
    geometry.screen = ComputeScreenMetrics(1920, 1040, 40, PixelRect{0, 0, 1920, 1080});
    AppSettings settings;
    ApplyDefaultSettings(settings, ScreenForSettings(geometry.screen));
    geometry.Relayout(settings);
  }
  DockGeometry geometry;
  MenuPlacement placement{geometry, 48, 18};
};

TEST_F(MenuPlacementTest, RightHalfOpensRightOfTheIconLeftHalfLeftOfIt) {
  const SlotBox right = geometry.DockPos[4], left = geometry.DockPos[16];
  EXPECT_EQ(MenuLeft(placement, 5, 4), right.X + 48);
  EXPECT_EQ(MenuLeft(placement, 5, 16), left.X - 268);
  // Centred on the icon vertically.
  EXPECT_EQ(MenuTop(placement, 5, 4), RoundHalfEven(right.Y + 24 - 105.0));
  // The centre item: right of the centre, centred on it.
  EXPECT_EQ(MenuLeft(placement, 5, 0), geometry.screen.CenterX + 72);
  EXPECT_EQ(MenuTop(placement, 5, 0), geometry.screen.CenterY - 105);
  // A slot above the 24 shown, which key mode can open, is placed as the centre is.
  EXPECT_EQ(MenuLeft(placement, 5, 30), geometry.screen.CenterX + 72);
  EXPECT_EQ(MenuTop(placement, 5, 30), geometry.screen.CenterY - 105);
}

TEST_F(MenuPlacementTest, TheVerticalAxisOpensRightTwoPixelsLeftOfItOpensLeft) {
  const int32_t cx = geometry.screen.CenterX;
  geometry.DockPos[19].X = cx - 24;  // icon centre exactly on the axis
  EXPECT_EQ(MenuLeft(placement, 5, 19), cx - 24 + 48);
  geometry.DockPos[19].X = cx - 26;  // two pixels left of it
  EXPECT_EQ(MenuLeft(placement, 5, 19), cx - 26 - 268);
}

TEST_F(MenuPlacementTest, KeptInsideTheScreenOnAllFourSides) {
  geometry.DockPos[1].X = 1800;  // would stick out on the right
  geometry.DockPos[1].Y = 1060;  // and at the bottom
  EXPECT_EQ(MenuLeft(placement, 40, 1), 1920 - 268);
  EXPECT_EQ(MenuTop(placement, 40, 1), 1080 - MenuHeight(40, 18));
  geometry.DockPos[13].X = 100;  // on the left
  geometry.DockPos[13].Y = -10;  // at the top
  EXPECT_EQ(MenuLeft(placement, 40, 13), 0);
  EXPECT_EQ(MenuTop(placement, 40, 13), 0);
  // The centre item's menu is not held vertically.
  geometry.screen.CenterY = 100;
  EXPECT_EQ(MenuTop(placement, 40, 0), 100 - MenuHeight(40, 18) / 2);
}

TEST(MenuBandsTest, EdgesAndPagedLayout) {
  MenuBands bands;
  bands.Build(100, 200, 18, 18);  // exactly one page: rows only
  EXPECT_FALSE(bands.paged);
  EXPECT_EQ(bands.rows, 18);
  EXPECT_EQ(bands.rects[1], (PixelRect{110, 210, 358, 248}));
  struct Case { int32_t x, y; int band; };
  for (const Case c : {Case{110, 210, 1}, Case{357, 230, 1}, Case{358, 230, -1},  // right edge outside
                       Case{109, 230, -1}, Case{200, 248, 1},                     // bottom edge inside
                       Case{200, 249, 2}, Case{200, 209, -1}})
    EXPECT_EQ(bands.HitTest(c.x, c.y), c.band) << c.x << "," << c.y;

  bands.Build(100, 200, 19, 18);  // one more member: arrows
  EXPECT_TRUE(bands.paged);
  EXPECT_EQ(bands.rects[0], (PixelRect{110, 210, 358, 235}));
  EXPECT_EQ(bands.rects[1], (PixelRect{110, 240, 358, 278}));
  EXPECT_EQ(bands.rects[19], (PixelRect{110, 245 + 18 * 38, 358, 270 + 18 * 38}));
  EXPECT_EQ(bands.HitTest(200, 237), -1);  // on the separator
  EXPECT_EQ(bands.HitTest(200, 250 + 18 * 38), 19);
}

TEST(MenuLettersTest, DigitsThenLettersThenNone) {
  for (const auto& [member, letter] : {std::pair{1, "0"}, {10, "9"}, {11, "A"}, {36, "Z"}, {37, ""}, {0, ""}})
    EXPECT_EQ(MemberLetter(member), letter) << member;
  for (const auto& [key, member] : {std::pair{'0', 1}, {'C', 13}, {'Z', 36}, {'\r', 0}})
    EXPECT_EQ(MemberOfKey(key), member) << key;
}

TEST(MenuPagingTest, ScrollingStaysInsideTheGroup) {
  MenuPaging p;
  p.Reset(40, 18);
  EXPECT_FALSE(p.upEnabled);
  EXPECT_TRUE(p.downEnabled);
  p.ScrollOne(false);
  EXPECT_EQ(p.offset, 1);
  EXPECT_TRUE(p.upEnabled);
  p.ScrollPage(false);
  EXPECT_EQ(p.offset, 19);
  p.ScrollPage(false);  // the last page ends on the last member
  EXPECT_EQ(p.offset, 22);
  EXPECT_FALSE(p.downEnabled);
  p.ScrollOne(false);
  EXPECT_EQ(p.offset, 22);
  p.ScrollPage(true);
  EXPECT_EQ(p.offset, 4);
  p.ScrollPage(true);
  EXPECT_EQ(p.offset, 0);
  EXPECT_FALSE(p.upEnabled);
  p.Resize(30);
  EXPECT_EQ(p.offset, 0);
  p.offset = 12;
  p.Resize(29);  // the page would reach past the end
  EXPECT_EQ(p.offset, 11);
  EXPECT_TRUE(p.upEnabled);
  EXPECT_FALSE(p.downEnabled);
  p.Resize(18);  // no longer paged
  EXPECT_EQ(p.offset, 0);
  EXPECT_FALSE(p.upEnabled || p.downEnabled);

  MenuPaging small;
  small.Reset(12, 18);
  small.ScrollOne(false);
  small.ScrollPage(false);
  EXPECT_EQ(small.offset, 0);
}

}  // namespace
}  // namespace vek
