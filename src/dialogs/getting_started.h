// The getting-started pages: which page shows, which of "<< Last" and "Next >>" are
// enabled, and what the setting keeps when the window closes.
#pragma once

#include "core/model.h"

namespace vek {

class GettingStartedPages {
 public:
  static constexpr int kPageCount = 6;

  // Opens on the page the setting names (also when the window no longer opens at start,
  // as F1 reopens it); a page outside the pages starts on the first one.
  explicit GettingStartedPages(const GettingStartedState& setting);

  int page() const { return page_; }
  bool lastEnabled() const { return page_ > 0; }
  bool nextEnabled() const { return page_ < kPageCount - 1; }

  void Next();
  void Last();
  // The setting to keep when the window closes: the page shown, and whether the window
  // opens at start (not when the user asked not to see it again).
  GettingStartedState SettingOnClose(bool dontShowAgain) const {
    return dontShowAgain ? GettingStartedState{false, 0} : GettingStartedState{true, page_};
  }

 private:
  int page_ = 0;
};

}  // namespace vek
