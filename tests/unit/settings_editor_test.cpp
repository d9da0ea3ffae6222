#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/settings_editor.h"
#include "support/fake_registry.h"

namespace vek {
namespace {

class RecordingRing : public RingPreview {
 public:
  void Relayout(AfterRelayout after) override { calls.push_back("layout" + std::to_string(static_cast<int>(after) - 1)); }
  void RebuildSizeCache(int variant) override { calls.push_back("cache" + std::to_string(variant)); }
  void PlaceMinimized(MinimizedPosition position) override {
    calls.push_back("minimized" + std::to_string(static_cast<int>(position)));
  }
  void SetBackdrop(bool on) override { calls.push_back(on ? "backdrop on" : "backdrop off"); }
  void RepaintPlain() override { calls.push_back("paint"); }
  std::vector<std::string> calls;
};

using S = SettingsSlider;
// A slider event: a new value, or the end of the change (value < 0).
struct Event {
  S slider;
  int value;
};
constexpr int kEnd = -1;

struct SliderCase {
  const char* name;
  int normal, magnified;
  std::vector<Event> events;
  int wantNormal, wantMagnified;
  std::vector<std::string> wantCalls;
};
// Test listings name a case, not its bytes.
void PrintTo(const SliderCase& c, std::ostream* os) { *os << c.name; }

class SliderTest : public ::testing::TestWithParam<SliderCase> {};

TEST_P(SliderTest, SettingsAndRingFollowTheChange) {
  const SliderCase& c = GetParam();
  AppSettings s;
  s.NormalIconSize = c.normal;
  s.MagnifiedIconSize = c.magnified;
  RecordingRing ring;
  test::FakeRegistry registry;
  SettingsEditor editor(s, ring, registry, "C:\\VEK\\VekDesktop.exe");
  for (const Event& e : c.events) {
    if (e.value == kEnd)
      editor.SliderReleased(e.slider);
    else
      editor.SliderMoved(e.slider, e.value);
  }
  EXPECT_EQ(s.NormalIconSize, c.wantNormal);
  EXPECT_EQ(s.MagnifiedIconSize, c.wantMagnified);
  EXPECT_EQ(ring.calls, c.wantCalls);
  EXPECT_EQ(editor.Slider(S::kMagnified).min, c.wantNormal);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SliderTest,
    ::testing::Values(
        SliderCase{"DragUpPushesMagnifiedAndBackDownReturnsIt", 48, 64,
                   {{S::kNormal, 100}, {S::kNormal, 40}, {S::kNormal, kEnd}}, 40, 64,
                   {"layout1", "layout1", "cache1"}},
        SliderCase{"ReleasedAboveTheOldMagnifiedRemakesItsPictures", 48, 64,
                   {{S::kNormal, 100}, {S::kNormal, kEnd}}, 100, 100, {"layout1", "cache1", "layout2"}},
        // Keys bring no press: the first value starts the change, TB_ENDTRACK ends it.
        SliderCase{"AKeyDownKeepsTheMagnifiedSize", 48, 64, {{S::kNormal, 40}, {S::kNormal, kEnd}}, 40, 64,
                   {"layout1", "cache1"}},
        SliderCase{"EachKeyIsAChangeOfItsOwn", 56, 64,
                   {{S::kNormal, 64}, {S::kNormal, kEnd}, {S::kNormal, 72}, {S::kNormal, kEnd},
                    {S::kNormal, 64}, {S::kNormal, kEnd}},
                   64, 72, {"layout1", "cache1", "layout1", "cache1", "layout2", "layout1", "cache1"}},
        SliderCase{"MagnifiedStopsAtTheNormalSize", 60, 80, {{S::kMagnified, 20}, {S::kMagnified, kEnd}}, 60, 60,
                   {"layout2"}},
        SliderCase{"MagnifiedUnchangedRemakesNothing", 48, 64, {{S::kMagnified, 64}, {S::kMagnified, kEnd}}, 48,
                   64, {}},
        SliderCase{"AnotherSliderEndsTheRunningChange", 48, 64, {{S::kNormal, 100}, {S::kRadius, 250}}, 100, 100,
                   {"layout1", "cache1", "layout2", "layout0"}},
        SliderCase{"OpacityShowsTheBackdropWhileItChanges", 48, 64, {{S::kOpacity, 100}, {S::kOpacity, kEnd}}, 48,
                   64, {"backdrop on", "paint", "backdrop off"}},
        SliderCase{"AReleaseOfAnotherSliderEndsNothing", 48, 64, {{S::kNormal, 40}, {S::kOpacity, kEnd}}, 40, 64,
                   {"layout1"}}),
    [](const ::testing::TestParamInfo<SliderCase>& info) { return info.param.name; });

TEST(SettingsEditorTest, LabelsListsAndSwitches) {
  AppSettings s;
  s.CircleRadius = 300;
  s.MinRadius = 200;
  s.MaxRadius = 460;
  s.BackdropOpacity = 192;
  RecordingRing ring;
  test::FakeRegistry registry;
  SettingsEditor editor(s, ring, registry, "C:\\VEK\\VekDesktop.exe");
  EXPECT_EQ(editor.Slider(S::kNormal).label, "Normal Icon Size:  48  Pixels");
  EXPECT_EQ(editor.Slider(S::kMagnified).label, "Magnified Icon Size:  64  Pixels");
  const SliderView radius = editor.Slider(S::kRadius);
  EXPECT_EQ(radius.label, "Circle Diameter:  600  Pixels");
  EXPECT_EQ((std::vector<int>{radius.min, radius.max, radius.page}), (std::vector<int>{200, 460, 5}));
  // A radius chosen on a larger screen is told as the ring shows it.
  s.MaxRadius = 260;
  EXPECT_EQ(std::pair(editor.Slider(S::kRadius).value, editor.Slider(S::kRadius).label),
            std::pair(260, std::string("Circle Diameter:  520  Pixels")));
  s.MaxRadius = 460;
  EXPECT_EQ(editor.Slider(S::kOpacity).label, "Opacity:  192");
  EXPECT_EQ(editor.IconCountIndex(), 4);

  editor.ChooseIconCount(1);
  editor.ChooseMinimizedPosition(3);
  EXPECT_EQ(s.IconQuantity, 12);
  EXPECT_EQ(editor.IconCountLabel(), "Icon Quantity:  12  Icons");
  EXPECT_EQ(editor.MinimizedLabel(), "Current Minimized Position: Left");
  EXPECT_EQ(ring.calls, (std::vector<std::string>{"layout0", "minimized3"}));

  // The autostart box shows what the registry now holds.
  EXPECT_TRUE(editor.SetAutoRun(true));
  EXPECT_EQ(registry.StringOf(RegRoot::kCurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "VEK Desktop"),
            "C:\\VEK\\VekDesktop.exe");
  EXPECT_FALSE(editor.SetAutoRun(false));
  registry.FailWritesWith(5);
  EXPECT_FALSE(editor.SetAutoRun(true));
  EXPECT_FALSE(s.AutoRun);
  // Shown, the box brings the value in line with the setting as its click does.
  const std::string run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  registry.FailWritesWith(0);
  for (const bool on : {true, false}) {  // a first start or a reset; a restore turning it off
    s.AutoRun = on;
    EXPECT_EQ(editor.ShowAutoRun(!on), on);
    EXPECT_EQ(registry.HasValue(RegRoot::kCurrentUser, run, "VEK Desktop"), on);
  }
}

}  // namespace
}  // namespace vek
