// The " (Empty)" / " (Full)" suffix of a group's caption.
#pragma once

#include "core/model.h"
#include "platform/ansi_codec.h"

namespace vek {

// Strips a trailing " (Full)" or " (Empty)" from the caption of the group item at ring
// position `group` (trimmed and written back), then appends " (Empty)" when the group has
// no members and " (Full)" when it reaches the position's own capacity (36, or 1024 for
// the All Programs position), when the stored caption has room for it in the code page
// `codec` stores it in. Positions outside the model are ignored.
void UpdateGroupTitle(Model& model, int group, AnsiCodec& codec);

}  // namespace vek
