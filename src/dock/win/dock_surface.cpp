#include "dock/win/dock_surface.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/win/text_win.h"

namespace vek::win {

namespace {

constexpr float kTextBoxHeight = 128.0f;
// The outline reaches one pixel beyond the glyphs, anti-aliasing one more.
constexpr int kTextMargin = 4;

uint32_t Premultiplied(uint32_t argb) {
  const uint32_t a = argb >> 24;
  auto channel = [a](uint32_t c) { return (c * a + 127) / 255; };
  return (a << 24) | (channel((argb >> 16) & 0xFF) << 16) | (channel((argb >> 8) & 0xFF) << 8) |
         channel(argb & 0xFF);
}

Gdiplus::Color ToColor(uint32_t argb) {
  return Gdiplus::Color(static_cast<BYTE>(argb >> 24), static_cast<BYTE>(argb >> 16),
                        static_cast<BYTE>(argb >> 8), static_cast<BYTE>(argb));
}

}  // namespace

DockSurface::~DockSurface() { DeleteGraphic(); }

bool DockSurface::CreateGraphic(HWND window, int width, int height) {
  DeleteGraphic();
  if (width <= 0 || height <= 0) return false;
  window_ = window;
  width_ = width;
  height_ = height;
  {
    WindowDc screen(window);
    dc_.reset(CreateCompatibleDC(screen.get()));
  }
  if (!dc_) return false;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down: row 0 is the top of the screen
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  info.bmiHeader.biSizeImage = static_cast<DWORD>(width) * height * 4;
  void* bits = nullptr;
  dib_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib_ || !bits) return false;
  bits_ = static_cast<uint32_t*>(bits);
  std::memset(bits_, 0, static_cast<size_t>(width) * height * 4);
  previousBitmap_ = SelectObject(dc_.get(), dib_.get());

  // GDI+ draws straight into the DIB's pixels, premultiplied as the layered window wants.
  target_ = std::make_unique<Gdiplus::Bitmap>(width, height, width * 4, PixelFormat32bppPARGB,
                                              reinterpret_cast<BYTE*>(bits_));
  if (target_->GetLastStatus() != Gdiplus::Ok) return false;
  graphics_ = std::make_unique<Gdiplus::Graphics>(target_.get());
  if (graphics_->GetLastStatus() != Gdiplus::Ok) return false;
  graphics_->SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
  graphics_->SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  scaledEdges_ = std::make_unique<Gdiplus::ImageAttributes>();
  scaledEdges_->SetWrapMode(Gdiplus::WrapModeTileFlipXY);
  valid_ = false;
  return CreateGraphicFont(L"Verdana", 17);
}

bool DockSurface::CreateGraphicFont(const std::wstring& familyName, float pixels) {
  DeleteGraphicFont();
  if (!graphics_) return false;
  family_ = std::make_unique<Gdiplus::FontFamily>(familyName.c_str());
  if (family_->GetLastStatus() != Gdiplus::Ok || !family_->IsAvailable())
    family_.reset(Gdiplus::FontFamily::GenericSansSerif()->Clone());
  if (!family_ || family_->GetLastStatus() != Gdiplus::Ok) return false;
  font_ = std::make_unique<Gdiplus::Font>(family_.get(), pixels, Gdiplus::FontStyleBold, Gdiplus::UnitPixel);
  if (font_->GetLastStatus() != Gdiplus::Ok)
    font_ = std::make_unique<Gdiplus::Font>(family_.get(), pixels, Gdiplus::FontStyleRegular,
                                            Gdiplus::UnitPixel);
  format_ = std::make_unique<Gdiplus::StringFormat>();
  format_->SetAlignment(Gdiplus::StringAlignmentCenter);
  format_->SetLineAlignment(Gdiplus::StringAlignmentNear);
  graphics_->SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
  textBrush_ = std::make_unique<Gdiplus::SolidBrush>(Gdiplus::Color(255, 255, 255, 255));
  outlineBrush_ = std::make_unique<Gdiplus::SolidBrush>(Gdiplus::Color(255, 1, 2, 3));
  textBoxes_.clear();
  valid_ = false;
  return font_->GetLastStatus() == Gdiplus::Ok;
}

void DockSurface::DeleteGraphicFont() {
  format_.reset();
  font_.reset();
  family_.reset();
  textBrush_.reset();
  outlineBrush_.reset();
  textBoxes_.clear();
}

void DockSurface::DeleteGraphic() {
  if (graphics_) DeleteGraphicFont();
  scaledEdges_.reset();
  graphics_.reset();
  target_.reset();
  if (previousBitmap_ && dc_) SelectObject(dc_.get(), previousBitmap_);
  previousBitmap_ = nullptr;
  dib_.reset();
  dc_.reset();
  bits_ = nullptr;
  valid_ = false;
  shown_ = DockFrame{};
}

std::wstring DockSurface::FontFamilyName() const {
  if (!family_) return {};
  wchar_t name[LF_FACESIZE] = {};
  family_->GetFamilyName(name);
  return name;
}

PixelRect DockSurface::Bounds(const DrawOp& op, const ImageStore& images) {
  if (op.type == DrawOp::Type::kText) {
    if (!graphics_ || !font_) return {};
    auto found = textBoxes_.find(op.text);
    if (found == textBoxes_.end()) {
      const std::wstring text = Wide(op.text);
      Gdiplus::RectF box;
      graphics_->MeasureString(text.c_str(), static_cast<INT>(text.size()), font_.get(),
                               Gdiplus::RectF(0, 0, static_cast<float>(width_), kTextBoxHeight),
                               format_.get(), &box);
      found = textBoxes_.emplace(op.text, box).first;
    }
    // Only the measured size is used: the text is centred in the screen-wide box and
    // hangs from its top (some GDI+ versions report the box at the layout's left edge).
    const Gdiplus::RectF& box = found->second;
    const float left = op.textX + (static_cast<float>(width_) - box.Width) / 2;
    return PixelRect{static_cast<int32_t>(std::floor(left)) - kTextMargin,
                     static_cast<int32_t>(std::floor(op.textY)) - kTextMargin,
                     static_cast<int32_t>(std::ceil(left + box.Width)) + kTextMargin,
                     static_cast<int32_t>(std::ceil(op.textY + box.Height)) + kTextMargin};
  }
  Gdiplus::Bitmap* image = images.Get(op.set, op.index, op.variant);
  if (!image) return {};
  if (op.variant > 0)
    return PixelRect{op.x, op.y, op.x + static_cast<int32_t>(image->GetWidth()),
                     op.y + static_cast<int32_t>(image->GetHeight())};
  // Scaled drawing stays inside its rectangle; one pixel of slack for the filter.
  return PixelRect{op.x - 1, op.y - 1, op.x + op.w + 1, op.y + op.h + 1};
}

void DockSurface::FillRect(const PixelRect& area, uint32_t argb) {
  const PixelRect r = area.Intersection(PixelRect{0, 0, width_, height_});
  if (r.empty()) return;
  const uint32_t value = Premultiplied(argb);
  for (int32_t y = r.top; y < r.bottom; ++y) {
    uint32_t* row = bits_ + static_cast<size_t>(y) * width_;
    if (value == 0)
      std::memset(row + r.left, 0, static_cast<size_t>(r.width()) * 4);
    else
      std::fill(row + r.left, row + r.right, value);
  }
}

void DockSurface::DrawOutlinedText(const std::wstring& text, float x, float y) {
  if (!font_) return;
  const INT length = static_cast<INT>(text.size());
  const float w = static_cast<float>(width_);
  const float offsets[4][2] = {{-1, -1}, {-1, 1}, {1, -1}, {1, 1}};
  for (const auto& o : offsets)
    graphics_->DrawString(text.c_str(), length, font_.get(),
                          Gdiplus::RectF(x + o[0], y + o[1], w, kTextBoxHeight), format_.get(),
                          outlineBrush_.get());
  graphics_->DrawString(text.c_str(), length, font_.get(), Gdiplus::RectF(x, y, w, kTextBoxHeight),
                        format_.get(), textBrush_.get());
}

void DockSurface::Draw(const DrawOp& op, const ImageStore& images) {
  if (op.type == DrawOp::Type::kText) {
    DrawOutlinedText(Wide(op.text), op.textX, op.textY);
    return;
  }
  Gdiplus::Bitmap* image = images.Get(op.set, op.index, op.variant);
  if (!image) return;  // a missing image draws nothing
  const INT iw = static_cast<INT>(image->GetWidth()), ih = static_cast<INT>(image->GetHeight());
  if (op.variant > 0) {
    graphics_->DrawImage(image, Gdiplus::Rect(op.x, op.y, iw, ih), 0, 0, iw, ih, Gdiplus::UnitPixel);
  } else if (op.srcW > 0 && op.srcH > 0) {
    graphics_->DrawImage(image, Gdiplus::Rect(op.x, op.y, op.w, op.h), op.srcX, op.srcY, op.srcW,
                         op.srcH, Gdiplus::UnitPixel, scaledEdges_.get());
  } else if (op.w > 0 && op.h > 0) {
    graphics_->DrawImage(image, Gdiplus::Rect(op.x, op.y, op.w, op.h), 0, 0, iw, ih,
                         Gdiplus::UnitPixel, scaledEdges_.get());
  }
}

bool DockSurface::Push(BYTE alpha, const PixelRect* dirty) {
  if (!window_ || !dc_) return false;
  SIZE size{width_, height_};
  POINT source{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
  RECT area{};
  if (dirty) area = RECT{dirty->left, dirty->top, dirty->right, dirty->bottom};
  UPDATELAYEREDWINDOWINFO info{};
  info.cbSize = sizeof(info);
  info.psize = &size;
  info.hdcSrc = dc_.get();
  info.pptSrc = &source;
  info.pblend = &blend;
  info.dwFlags = ULW_ALPHA;
  info.prcDirty = dirty ? &area : nullptr;
  lastPushed_ = dirty ? *dirty : PixelRect{0, 0, width_, height_};
  return UpdateLayeredWindowIndirect(window_, &info) != FALSE;
}

void DockSurface::PresentWhole(const DockFrame& frame, const ImageStore& images, BYTE alpha) {
  graphics_->ResetClip();
  graphics_->Clear(frame.background ? ToColor(frame.background) : Gdiplus::Color(0, 255, 255, 255));
  for (const DrawOp& op : frame.ops) Draw(op, images);
  Push(alpha, nullptr);
}

void DockSurface::Present(const DockFrame& frame, const ImageStore& images, BYTE alpha) {
  if (!graphics_) return;
  const PixelRect screen{0, 0, width_, height_};
  if (painting_ == Painting::kWholeFrame) {
    PresentWhole(frame, images, alpha);
  } else if (!valid_ || shownGeneration_ != images.generation()) {
    FillRect(screen, frame.background);
    graphics_->ResetClip();
    for (const DrawOp& op : frame.ops) Draw(op, images);
    Push(alpha, nullptr);
  } else {
    const std::vector<PixelRect> areas = ChangedAreas(
        shown_, frame, [&](const DrawOp& op) { return Bounds(op, images); }, screen);
    PixelRect pushed;
    if (!areas.empty()) {
      Gdiplus::Region clip;
      clip.MakeEmpty();
      for (const PixelRect& a : areas) {
        FillRect(a, frame.background);
        clip.Union(Gdiplus::Rect(a.left, a.top, a.width(), a.height()));
        pushed = pushed.Union(a);
      }
      graphics_->SetClip(&clip);
      for (const DrawOp& op : frame.ops) {
        const PixelRect b = Bounds(op, images);
        if (std::any_of(areas.begin(), areas.end(), [&](const PixelRect& a) { return a.Intersects(b); }))
          Draw(op, images);
      }
      graphics_->ResetClip();
    }
    if (alpha != shownAlpha_) {
      Push(alpha, nullptr);  // the window-wide alpha applies to every pixel
    } else if (!pushed.empty()) {
      Push(alpha, &pushed);
    } else {
      lastPushed_ = PixelRect{};
    }
  }
  shown_ = frame;
  shownGeneration_ = images.generation();
  shownAlpha_ = alpha;
  valid_ = true;
}

}  // namespace vek::win
