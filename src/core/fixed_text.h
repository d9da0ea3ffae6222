// A text field of a fixed-length record. The stored formats tell a field that was never
// assigned (all NUL bytes) from one that holds a value (padded with spaces), so the
// field remembers which it is; readers always see the value through TrimFixed.
#pragma once

#include <string>
#include <utility>

#include "text/text.h"

namespace vek {

class FixedText {
 public:
  FixedText() = default;
  FixedText(std::string value) : value_(std::move(value)), assigned_(true) {}  // NOLINT
  FixedText(const char* value) : value_(value), assigned_(true) {}              // NOLINT

  FixedText& operator=(std::string value) {
    value_ = std::move(value);
    assigned_ = true;
    return *this;
  }
  FixedText& operator=(const char* value) { return *this = std::string(value); }

  // The value as held (untrimmed).
  const std::string& str() const { return value_; }
  operator const std::string&() const { return value_; }  // NOLINT
  // The value cut at its first NUL and trimmed of spaces.
  std::string Trimmed() const { return TrimFixed(value_); }
  // Trims the value and writes it back, as readers of the record do before use.
  std::string TrimInPlace() {
    if (assigned_) value_ = TrimFixed(value_);
    return value_;
  }
  bool assigned() const { return assigned_; }
  bool empty() const { return TrimFixed(value_).empty(); }
  // Back to "never assigned".
  void Reset() {
    value_.clear();
    assigned_ = false;
  }

  friend bool operator==(const FixedText& a, const FixedText& b) {
    return a.assigned_ == b.assigned_ && a.value_ == b.value_;
  }
  friend bool operator!=(const FixedText& a, const FixedText& b) { return !(a == b); }

 private:
  std::string value_;
  bool assigned_ = false;
};

}  // namespace vek
