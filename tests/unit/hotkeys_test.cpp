#include <gtest/gtest.h>

#include "tray/hotkeys.h"

namespace vek {
namespace {

constexpr std::array<bool, hotkey::kCount> kAll{true, true, true, true};
constexpr std::array<bool, hotkey::kCount> kNoAltSpaceNorSearch{false, true, true, false};

TEST(HotkeysTest, TipNamesVersionAddressAndMissingKeys) {
  EXPECT_EQ(TrayTip(1, 6, "", kAll), "VEK Desktop 1.6");
  EXPECT_EQ(TrayTip(2, 10, "example.org", kAll), "VEK Desktop 2.10\r\nexample.org");
  EXPECT_EQ(TrayTip(1, 6, "", kNoAltSpaceNorSearch), "VEK Desktop 1.6\r\nHotkeys not available: Alt+Space, Win+S");
  EXPECT_EQ(TrayTip(1, 6, "", kNoAltSpaceNorSearch, 20), "VEK Desktop 1.6\r\nHot");
}

TEST(HotkeysTest, OneMessageNamesEveryMissingKey) {
  EXPECT_EQ(MissingHotkeysMessage(kAll), "");
  const std::string text = MissingHotkeysMessage(kNoAltSpaceNorSearch);
  EXPECT_NE(text.find(": Alt+Space, Win+S."), std::string::npos) << text;
  EXPECT_NE(MissingHotkeysMessage({true, true, false, true}).find(": Ctrl+Tab."), std::string::npos);
}

TEST(HotkeysTest, TrayEntriesFollowTheirWindows) {
  using E = std::array<bool, tray_entry::kCount>;
  EXPECT_EQ(TrayMenuEnabling({}), (E{false, false, false, false, true}));
  AvailableWindows all{true, true, true, true, true};
  EXPECT_EQ(TrayMenuEnabling(all), (E{true, true, true, false, true}));
}

}  // namespace
}  // namespace vek
