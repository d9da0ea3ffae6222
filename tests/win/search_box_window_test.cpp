// The search box against real windows: where it opens, and where it goes when the screen
// changes.
#include <gtest/gtest.h>

#include "core/model.h"
#include "gdiplus_session.h"
#include "search/win/search_box_window.h"
#include "support/recorders.h"

namespace vek {
namespace {

const auto* const kGdiplus = ::testing::AddGlobalTestEnvironment(new test::GdiplusSession);

// A place kept on a larger screen, or one beyond its top-left corner, opens the box whole
// on the work area; a place on it is kept.
TEST(SearchBoxWindowTest, OpensWholeOnTheWorkAreaWhereverItWasKept) {
  RECT work{};
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
  AppSettings settings;
  test::RecordingPrompt prompt;
  SearchBoxWindow box(settings, prompt, nullptr);
  const LONG right = work.right - kSearchBoxWidth, bottom = work.bottom - kSearchBoxHeight;
  for (const auto& [kept, opened] : {std::pair{POINT{work.right + 3000, work.bottom + 2000}, POINT{right, bottom}},
                                     {POINT{work.left - 500, work.top - 40}, POINT{work.left, work.top}},
                                     {POINT{work.left + 100, work.top + 50}, POINT{work.left + 100, work.top + 50}}}) {
    settings.SearchBoxLeft = kept.x;
    settings.SearchBoxTop = kept.y;
    box.Show();
    RECT r{};
    GetWindowRect(box.hwnd(), &r);
    EXPECT_EQ(std::pair(r.left, r.top), std::pair(opened.x, opened.y)) << kept.x << ", " << kept.y;
    box.Close();
  }
  // Open when the screen changes and leaves it beyond the edge, it comes back whole.
  box.Show();
  SetWindowPos(box.hwnd(), nullptr, work.right + 500, work.top + 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  box.FollowScreen();
  RECT r{};
  GetWindowRect(box.hwnd(), &r);
  EXPECT_EQ(std::pair(r.right, r.top), std::pair(work.right, work.top + 50));
  box.Close();
}

}  // namespace
}  // namespace vek
