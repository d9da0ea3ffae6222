// Enabling a privilege of the user's token (the shutdown privilege for the power
// commands).
#pragma once

namespace vek::win {

constexpr unsigned long kShutdownPrivilege = 19;

// RtlAdjustPrivilege for the current thread's token; when the thread has no token of
// its own, for the process token. True when the privilege was adjusted.
bool EnableShutdownPrivilege(unsigned long privilege, bool enable);

}  // namespace vek::win
