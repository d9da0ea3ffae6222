#include "launch/win/shutdown_privilege.h"

#include <windows.h>

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
  return status == 0;
}

}  // namespace vek::win
