#include "platform/win/single_instance.h"

namespace vek::win {

namespace {
// How long a running copy may take to answer; a hung one is not waited for at all.
constexpr UINT kAnswerLimitMs = 3000;
// How often a copy still starting is looked for again.
constexpr DWORD kLookAgainMs = 100;
}  // namespace

SingleInstance::SingleInstance(const wchar_t* mutexName) : name_(mutexName) { held_ = Claim(); }

bool SingleInstance::Claim() {
  mutex_.reset(CreateMutexW(nullptr, TRUE, name_));
  const DWORD error = GetLastError();
  // A copy running with raised rights made the mutex with its own security: this copy
  // may not open it, and is refused access rather than told that it exists.
  return !(error == ERROR_ALREADY_EXISTS || (!mutex_ && error == ERROR_ACCESS_DENIED));
}

SingleInstance::~SingleInstance() {
  if (held_ && mutex_) ReleaseMutex(mutex_.get());
}

bool SingleInstance::TakeOverOnceFree() {
  if (mutex_) {
    // A mutex whose owner ended without letting it go is this thread's all the same.
    const DWORD waited = WaitForSingleObject(mutex_.get(), kLookAgainMs);
    held_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
  } else {
    // A copy with raised rights keeps this one out of its mutex: once that copy has
    // gone, so has the mutex, and this one claims a new one.
    Sleep(kLookAgainMs);
    held_ = Claim();
  }
  return held_;
}

SingleInstance::CallUp SingleInstance::CallUpRunningCopy(const wchar_t* windowClass, const wchar_t* message,
                                                         LRESULT answer, DWORD patienceMs) {
  const UINT calledUp = RegisterWindowMessageW(message);
  const ULONGLONG deadline = GetTickCount64() + patienceMs;
  // A window that answered otherwise (its copy is ending) is not asked again.
  HWND refused = nullptr;
  for (;;) {
    if (const HWND window = FindWindowW(windowClass, nullptr); window && window != refused) {
      // This process was started by the user, so it may let the running copy take the front.
      DWORD process = 0;
      GetWindowThreadProcessId(window, &process);
      AllowSetForegroundWindow(process);
      DWORD_PTR answered = 0;
      if (SendMessageTimeoutW(window, calledUp, 0, 0, SMTO_ABORTIFHUNG, kAnswerLimitMs, &answered)) {
        if (static_cast<LRESULT>(answered) == answer) return CallUp::kAnswered;
        refused = window;
      }
    }
    // The copy that did not answer may be ending: once it has, the instance is this one's.
    if (TakeOverOnceFree()) return CallUp::kTakenOver;
    if (GetTickCount64() >= deadline) return CallUp::kNoAnswer;
  }
}

}  // namespace vek::win
