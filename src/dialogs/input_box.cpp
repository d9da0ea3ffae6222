#include "dialogs/input_box.h"

#include "text/text.h"

namespace vek {

std::string AcceptedInput(const std::optional<std::string>& typed, const std::string& defaultText) {
  if (!typed || TrimBlanks(*typed).empty()) return defaultText;
  return *typed;
}

}  // namespace vek
