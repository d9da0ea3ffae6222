// The screen metrics as the system reports them now.
#pragma once

#include "dock/geometry.h"

namespace vek::win {

// Full-screen client size plus one caption, the centre and the desktop work area.
ScreenMetrics ReadScreenMetrics();

}  // namespace vek::win
