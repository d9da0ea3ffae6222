// The one count of modal windows the program has open (dialogs, questions, the input
// box). While any is open, whatever else the user reaches for (the dock, the tray
// menu, a hotkey, a drop) only brings that window to the front: the code that opened
// it is suspended inside it, and pulling the model or the windows away under it would
// corrupt what it is building or crash on its return.
#pragma once

#include <functional>
#include <utility>

namespace vek {

class ModalState {
 public:
  bool open() const { return count_ > 0; }
  int count() const { return count_; }

  // What brings the open modal window to the front (the Windows side sets it).
  void SetBringToFront(std::function<void()> bringToFront) { bringToFront_ = std::move(bringToFront); }

  // True when a modal window is open: it is brought to the front and the caller must
  // not act on the request.
  bool Refuse() {
    if (!open()) return false;
    if (bringToFront_) bringToFront_();
    return true;
  }

  // Counts one modal window (or one operation that may open several) while it lives.
  class Scope {
   public:
    explicit Scope(ModalState& state) : state_(state) { ++state_.count_; }
    ~Scope() { --state_.count_; }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    ModalState& state_;
  };

 private:
  int count_ = 0;
  std::function<void()> bringToFront_;
};

}  // namespace vek
