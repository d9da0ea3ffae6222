// The modal one-line input box as the portable code asks for it. The Windows side shows
// the program's input window owned by the dock; tests answer as scripted.
#pragma once

#include <optional>
#include <string>

namespace vek {

class TextPrompt {
 public:
  virtual ~TextPrompt() = default;
  // Shows `prompt` with `defaultText` in the field, selected. Returns the text exactly
  // as typed when the user confirms a text that is not blank, `defaultText` when the
  // confirmed text is blank, and nothing when the box is cancelled or closed.
  virtual std::optional<std::string> InputText(const std::string& prompt, const std::string& title,
                                               const std::string& defaultText) = 0;
};

}  // namespace vek
