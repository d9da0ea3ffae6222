#include "support/fake_prompt.h"

namespace vek::test {

PromptAnswer FakePrompt::Ask(const PromptRequest& request) {
  requests_.push_back(request);
  if (!answers_.empty()) {
    const PromptAnswer a = answers_.front();
    answers_.pop_front();
    return a;
  }
  return request.buttons == PromptButtons::kYesNo ? PromptAnswer::kYes : PromptAnswer::kOk;
}

std::vector<std::string> FakePrompt::texts() const {
  std::vector<std::string> out;
  for (const PromptRequest& r : requests_) out.push_back(r.text);
  return out;
}

}  // namespace vek::test
