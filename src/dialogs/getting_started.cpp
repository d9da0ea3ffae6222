#include "dialogs/getting_started.h"

namespace vek {

GettingStartedPages::GettingStartedPages(const GettingStartedState& setting)
    : page_(setting.Page >= 0 && setting.Page < kPageCount ? setting.Page : 0) {}

void GettingStartedPages::Next() {
  if (nextEnabled()) ++page_;
}

void GettingStartedPages::Last() {
  if (lastEnabled()) --page_;
}

}  // namespace vek
