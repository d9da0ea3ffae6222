// Until the built-in catalogue and the default groups exist, a fresh model has nothing to
// show: this fills the ring with "Blank Shortcut" positions around the centre item, so
// the dock can be seen and tried. It touches only free (kind 0) records, so whatever the
// menu file or a later catalogue put in the model stays as it is.
#pragma once

#include "core/model.h"
#include "core/paths.h"

namespace vek {

// Ring positions 1..36 that are free become "Blank Shortcut" positions (kind 2, picture
// SysIconDir + "Shortcut.png"); a free centre becomes the centre item (kind 12, no
// picture of its own, so the logo shows); free fallback entries 39..42 get their
// pictures ("File.png", "Shortcut.png", "Application.png", "Group.png"). Member list i
// of every ring position is made to start with i when it still holds 0.
void FillFreeRingPositions(Model& model, const Folders& folders);

}  // namespace vek
