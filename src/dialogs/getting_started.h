// The getting-started pages: which page shows, which of "<< Last" and "Next >>" are
// enabled, and what the setting keeps when the window closes.
#pragma once

#include <cstdint>

namespace vek {

class GettingStartedPages {
 public:
  static constexpr int kPageCount = 6;
  // The setting's value when the window is no longer shown at start.
  static constexpr int16_t kOff = -1;

  // Opens on the page the setting names; a value outside the pages (also "off", as F1
  // reopens the window after the user turned it off) starts on the first page.
  explicit GettingStartedPages(int16_t setting);

  int page() const { return page_; }
  bool lastEnabled() const { return page_ > 0; }
  bool nextEnabled() const { return page_ < kPageCount - 1; }

  void Next();
  void Last();
  // The setting to keep when the window closes: the page shown, or kOff when the user
  // asked not to see the window again.
  int16_t SettingOnClose(bool dontShowAgain) const { return dontShowAgain ? kOff : static_cast<int16_t>(page_); }

 private:
  int page_ = 0;
};

}  // namespace vek
