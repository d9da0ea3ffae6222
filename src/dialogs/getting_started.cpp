#include "dialogs/getting_started.h"

namespace vek {

GettingStartedPages::GettingStartedPages(int16_t setting)
    : page_(setting >= 0 && setting < kPageCount ? setting : 0) {}

void GettingStartedPages::Next() {
  if (nextEnabled()) ++page_;
}

void GettingStartedPages::Last() {
  if (lastEnabled()) --page_;
}

}  // namespace vek
