#include "launch/win/shutdown_privilege.h"

#include <windows.h>

#include <string>

#include "platform/log.h"

namespace vek::win {

namespace {
using RtlAdjustPrivilegeFn = LONG(NTAPI*)(ULONG, BOOLEAN, BOOLEAN, PBOOLEAN);
constexpr LONG kStatusNoToken = static_cast<LONG>(0xC000007C);
}  // namespace

bool EnableShutdownPrivilege(unsigned long privilege, bool enable) {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  if (!ntdll) return false;
  const auto adjust = reinterpret_cast<RtlAdjustPrivilegeFn>(
      reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlAdjustPrivilege")));
  if (!adjust) return false;
  BOOLEAN previous = FALSE;
  LONG status = adjust(privilege, enable ? TRUE : FALSE, TRUE, &previous);
  if (status == kStatusNoToken) status = adjust(privilege, enable ? TRUE : FALSE, FALSE, &previous);
  // Shutting down, restarting and logging off may then be refused: the log says why.
  if (status != 0)
    WriteLog("privilege " + std::to_string(privilege) + " could not be " + (enable ? "enabled" : "disabled") +
             ": status " + HexCode(static_cast<uint32_t>(status)));
  return status == 0;
}

}  // namespace vek::win
