// GDI+ running for the whole test program, as the real program has it from start-up to
// exit. Each test file that includes this registers one session; GDI+ counts them.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

namespace vek::test {

class GdiplusSession : public ::testing::Environment {
 public:
  void SetUp() override {
    Gdiplus::GdiplusStartupInput input;
    ASSERT_EQ(Gdiplus::GdiplusStartup(&token_, &input, nullptr), Gdiplus::Ok);
  }
  void TearDown() override {
    if (token_) Gdiplus::GdiplusShutdown(token_);
    token_ = 0;
  }

 private:
  ULONG_PTR token_ = 0;
};

}  // namespace vek::test
