// When key mode's backdrop window is filled, shown and hidden: only a change of what the
// screen shows touches it.
#include <gtest/gtest.h>

#include "dock/backdrop.h"

namespace vek {
namespace {

constexpr uint32_t kDim = 0xC0000000u;  // black at the default opacity

TEST(BackdropTest, OnlyAChangeOfWhatShowsTouchesTheWindow) {
  struct Case {
    const char* what;
    bool visible;
    BackdropLook shown, wanted;
    BackdropStep step;
  };
  const Case cases[] = {
      {"key mode starts", false, {}, {kDim, 255}, BackdropStep::kShow},
      {"the ring is repainted beneath the pointer", true, {kDim, 255}, {kDim, 255}, BackdropStep::kNothing},
      {"the opacity slider moves", true, {kDim, 255}, {0x40000000u, 255}, BackdropStep::kRefill},
      {"a step of the fade", true, {kDim, 255}, {kDim, 246}, BackdropStep::kRefill},
      {"the fade's last step", true, {kDim, 8}, {kDim, 0}, BackdropStep::kHide},
      {"key mode ends", true, {kDim, 255}, {0, 255}, BackdropStep::kHide},
      {"no key mode, nothing to hide", false, {}, {0, 255}, BackdropStep::kNothing},
      {"an opacity of 0 never shows", false, {}, {0x00000000u, 255}, BackdropStep::kNothing},
      {"another colour at the same opacity", true, {kDim, 255}, {0xC0102030u, 255}, BackdropStep::kRefill},
      // 192 at 170/255 and 128 at 255 both cover 128/255 of the screen.
      {"the same opacity reached another way", true, {kDim, 170}, {0x80000000u, 255}, BackdropStep::kNothing},
  };
  for (const Case& c : cases) EXPECT_EQ(NextBackdropStep(c.visible, c.shown, c.wanted), c.step) << c.what;
}

TEST(BackdropTest, OpacityIsTheColoursAlphaUnderTheWindowsRounded) {
  const struct {
    uint32_t argb;
    uint8_t window;
    uint8_t opacity;
  } cases[] = {{kDim, 255, 192}, {kDim, 0, 0}, {kDim, 128, 96}, {0xFF000000u, 1, 1}, {0x01000000u, 127, 0},
               {0x01000000u, 128, 1}};
  for (const auto& c : cases)
    EXPECT_EQ((BackdropLook{c.argb, c.window}.Opacity()), c.opacity) << std::hex << c.argb << " at " << +c.window;
}

}  // namespace
}  // namespace vek
