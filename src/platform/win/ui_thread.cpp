#include "platform/win/ui_thread.h"

namespace vek::win {

namespace {
bool QuietCriticalErrors() {
  SetErrorMode(GetErrorMode() | SEM_FAILCRITICALERRORS);
  return true;
}
}  // namespace

UiThreadScope::UiThreadScope() : quietErrors_(QuietCriticalErrors()) {
  if (!ole_.ok()) OutputDebugStringW(L"VEK Desktop: OLE could not be initialised on the UI thread\n");
}

std::shared_ptr<void> WorkerThreadScope() { return std::make_shared<OleScope>(); }

}  // namespace vek::win
