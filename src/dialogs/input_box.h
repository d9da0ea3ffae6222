// What the input box returns for what was typed.
#pragma once

#include <optional>
#include <string>

namespace vek {

// `typed` is empty when the box was cancelled or closed. A confirmed text that is not
// blank is returned exactly as typed, surrounding blanks included; anything else gives
// the default back.
std::string AcceptedInput(const std::optional<std::string>& typed, const std::string& defaultText);

}  // namespace vek
