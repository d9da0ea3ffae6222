#include "dock/backdrop.h"

namespace vek {

uint8_t BackdropLook::Opacity() const {
  const uint32_t alpha = argb >> 24;
  return static_cast<uint8_t>((alpha * windowAlpha + 127) / 255);
}

BackdropStep NextBackdropStep(bool visible, const BackdropLook& shown, const BackdropLook& wanted) {
  if (wanted.Opacity() == 0) return visible ? BackdropStep::kHide : BackdropStep::kNothing;
  if (!visible) return BackdropStep::kShow;
  // Equal opacity and colour look the same, however the two alphas got there.
  if (wanted.Opacity() == shown.Opacity() && wanted.Rgb() == shown.Rgb()) return BackdropStep::kNothing;
  return BackdropStep::kRefill;
}

}  // namespace vek
