// Sets a flag for the life of a scope and clears it when the scope is left, also by an
// exception: window procedures catch and log those, and a flag left set would keep a
// window refusing what it is asked next.
#pragma once

namespace vek {

class ScopedFlag {
 public:
  explicit ScopedFlag(bool& flag) : flag_(flag) { flag_ = true; }
  ~ScopedFlag() { flag_ = false; }
  ScopedFlag(const ScopedFlag&) = delete;
  ScopedFlag& operator=(const ScopedFlag&) = delete;

 private:
  bool& flag_;
};

}  // namespace vek
