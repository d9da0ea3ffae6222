// A 32-bit top-down DIB section selected into a memory DC of its own: GDI and GDI+ draw
// into it, and its pixels (BGRA, rows of width() pixels) are read and written directly.
#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/win/handles.h"

namespace vek::win {

class DibSection {
 public:
  DibSection() = default;
  ~DibSection() { Release(); }
  DibSection(const DibSection&) = delete;
  DibSection& operator=(const DibSection&) = delete;

  // Makes the bitmap, zeroed, and selects it into a new DC compatible with the screen.
  // False (and nothing held) when either cannot be made or a side is not positive.
  [[nodiscard]] bool Create(int width, int height);
  // Puts the DC's own bitmap back, then deletes the DIB and the DC.
  void Release();

  explicit operator bool() const { return bits_ != nullptr; }
  HDC dc() const { return dc_.get(); }
  uint32_t* bits() const { return bits_; }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  UniqueMemoryDc dc_;
  UniqueBitmap bitmap_;
  HGDIOBJ previous_ = nullptr;
  uint32_t* bits_ = nullptr;
  int width_ = 0, height_ = 0;
};

}  // namespace vek::win
