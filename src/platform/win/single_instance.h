// One running copy of the program per user session. The copy holds a named mutex for
// its life; a later start either calls that copy up or, when the copy is just ending,
// takes the instance over and starts in its place.
#pragma once

#include <windows.h>

#include "platform/win/handles.h"

namespace vek::win {

class SingleInstance {
 public:
  // Claims the instance named `mutexName` for the calling thread, which must live as
  // long as the program (the UI thread).
  explicit SingleInstance(const wchar_t* mutexName);
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // True when this process is the only copy.
  bool Held() const { return held_; }

  enum class CallUp { kAnswered, kTakenOver, kNoAnswer };
  // Another copy holds the instance: its window of class `windowClass` is sent the
  // registered message `message` and answers `answer` once it has come forward. A copy
  // still starting has no window yet and one ending answers nothing: both are waited
  // for, up to `patienceMs`. When the copy ends meanwhile, this process holds the
  // instance from then on (kTakenOver).
  CallUp CallUpRunningCopy(const wchar_t* windowClass, const wchar_t* message, LRESULT answer, DWORD patienceMs);

 private:
  // Claims the mutex; false when another copy holds it or may not be asked about it.
  bool Claim();
  // Waits a moment for the running copy's mutex to come free; true when this copy holds
  // the instance now.
  bool TakeOverOnceFree();

  const wchar_t* name_;
  UniqueKernelHandle mutex_;
  bool held_ = false;
};

}  // namespace vek::win
