#include "platform/win/dib_section.h"

#include <cstring>

namespace vek::win {

bool DibSection::Create(int width, int height) {
  Release();
  if (width <= 0 || height <= 0) return false;
  dc_.reset(CreateCompatibleDC(nullptr));
  if (!dc_) return false;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down: row 0 is the top
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  info.bmiHeader.biSizeImage = static_cast<DWORD>(width) * height * 4;
  void* bits = nullptr;
  bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap_ || !bits) {
    Release();
    return false;
  }
  std::memset(bits, 0, static_cast<size_t>(width) * height * 4);
  previous_ = SelectObject(dc_.get(), bitmap_.get());
  bits_ = static_cast<uint32_t*>(bits);
  width_ = width;
  height_ = height;
  return true;
}

void DibSection::Release() {
  // A bitmap still selected into a DC cannot be deleted.
  if (previous_ && dc_) SelectObject(dc_.get(), previous_);
  previous_ = nullptr;
  bitmap_.reset();
  dc_.reset();
  bits_ = nullptr;
  width_ = height_ = 0;
}

}  // namespace vek::win
