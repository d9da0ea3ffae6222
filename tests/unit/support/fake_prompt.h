// A message box stand-in: records every request and answers as scripted.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/prompt.h"

namespace vek::test {

class FakePrompt : public UserPrompt {
 public:
  PromptAnswer Ask(const PromptRequest& request) override;
  // Answers for the next questions, in order; "Yes/No" questions default to Yes and
  // messages to OK when the script is empty.
  void Script(std::vector<PromptAnswer> answers) { answers_.assign(answers.begin(), answers.end()); }

  const std::vector<PromptRequest>& requests() const { return requests_; }
  std::vector<std::string> texts() const;
  void Clear() { requests_.clear(); }

 private:
  std::vector<PromptRequest> requests_;
  std::deque<PromptAnswer> answers_;
};

}  // namespace vek::test
