// What a thread of the program needs before it may touch the shell: OLE for its whole
// life, and for the process no system dialog when a drive has no medium.
#pragma once

#include <memory>

#include "platform/win/handles.h"

namespace vek::win {

// Held by the program from its first instruction to its last. Shell links and the
// shell's automation objects fail on a thread without OLE, and dropping files needs it
// too; a removable drive without its medium fails quietly instead of stopping the
// program behind a system dialog (the program reports such failures itself).
class UiThreadScope {
 public:
  UiThreadScope();
  UiThreadScope(const UiThreadScope&) = delete;
  UiThreadScope& operator=(const UiThreadScope&) = delete;
  bool ok() const { return ole_.ok(); }

 private:
  bool quietErrors_;  // set before OLE starts, so that nothing it loads raises the dialog
  OleScope ole_;
};

// The same for a worker thread that reads shortcuts or asks the shell: kept alive for
// as long as the thread runs.
std::shared_ptr<void> WorkerThreadScope();

}  // namespace vek::win
