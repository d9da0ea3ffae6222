// Message boxes as the portable core asks for them. The Windows side shows a real
// MessageBoxW; tests record what was asked and answer as scripted.
#pragma once

#include <string>

namespace vek {

enum class PromptIcon { kNone, kInformation, kExclamation, kQuestion, kCritical };
enum class PromptButtons { kOk, kYesNo };
enum class PromptAnswer { kOk, kYes, kNo };

struct PromptRequest {
  std::string text;
  std::string title = "VEK Desktop";
  PromptIcon icon = PromptIcon::kExclamation;
  PromptButtons buttons = PromptButtons::kOk;
  bool defaultNo = false;   // "No" is the default button
  bool foreground = false;  // the box is brought to the foreground
};

class UserPrompt {
 public:
  virtual ~UserPrompt() = default;
  virtual PromptAnswer Ask(const PromptRequest& request) = 0;

  // The usual failure message: the text, title "VEK Desktop", exclamation icon.
  void Warn(const std::string& text) { Ask(PromptRequest{text}); }
};

}  // namespace vek
