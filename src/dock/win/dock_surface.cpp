#include "dock/win/dock_surface.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/win/text_win.h"
#include "text/line_fitting.h"

namespace vek::win {

namespace {

constexpr float kTextBoxHeight = 128.0f;
// The outline reaches one pixel beyond the glyphs, anti-aliasing one more.
constexpr int kTextMargin = 4;
// A caption fitted to the room inside the ring takes at most this many lines.
constexpr int kCaptionLines = 2;
// Caption layouts kept before the store starts over (a handful of titles are usual).
constexpr size_t kMostCaptions = 256;

// The width of one line of UTF-8 text in `font`, as `g` would draw it with `format`.
float LineWidth(Gdiplus::Graphics& g, const Gdiplus::Font& font, const Gdiplus::StringFormat& format,
                std::string_view line) {
  const std::wstring wide = Wide(line);
  Gdiplus::RectF bounds;
  g.MeasureString(wide.c_str(), static_cast<INT>(wide.size()), &font, Gdiplus::PointF(0, 0), &format, &bounds);
  return bounds.Width;
}

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

bool DockSurface::CreateGraphic(HWND window, int width, int height, const PixelRect& firstArea) {
  DeleteGraphic();
  if (width <= 0 || height <= 0) return false;
  window_ = window;
  layoutWidth_ = width;
  area_ = firstArea.empty() ? PixelRect{0, 0, width, height} : firstArea;
  placed_ = false;
  if (!MakeCanvas(area_.width(), area_.height())) return false;
  scaledEdges_ = std::make_unique<Gdiplus::ImageAttributes>();
  scaledEdges_->SetWrapMode(Gdiplus::WrapModeTileFlipXY);
  return CreateGraphicFont(L"Verdana", 17);
}

void DockSurface::SetLayoutWidth(int width) {
  if (width == layoutWidth_) return;
  layoutWidth_ = width;
  captions_.clear();
  textSprites_.clear();
  valid_ = false;
}

bool DockSurface::MakeCanvas(int width, int height) {
  graphics_.reset();
  target_.reset();
  canvas_.Release();
  bits_ = nullptr;
  valid_ = false;
  width_ = width;
  height_ = height;
  if (!canvas_.Create(width, height)) return false;
  bits_ = canvas_.bits();
  // GDI+ draws straight into the DIB's pixels, premultiplied as the layered window wants.
  target_ = std::make_unique<Gdiplus::Bitmap>(width, height, width * 4, PixelFormat32bppPARGB,
                                              reinterpret_cast<BYTE*>(bits_));
  if (target_->GetLastStatus() != Gdiplus::Ok) return false;
  graphics_ = std::make_unique<Gdiplus::Graphics>(target_.get());
  if (graphics_->GetLastStatus() != Gdiplus::Ok) return false;
  graphics_->SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
  graphics_->SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  graphics_->SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
  graphics_->TranslateTransform(static_cast<Gdiplus::REAL>(-area_.left), static_cast<Gdiplus::REAL>(-area_.top));
  return true;
}

bool DockSurface::Place(const PixelRect& area, POINT screenOrigin) {
  if (!graphics_ || area.empty()) return false;
  if (placed_ && area == area_ && screenOrigin.x == screenOrigin_.x && screenOrigin.y == screenOrigin_.y)
    return true;
  const PixelRect previous = area_;
  area_ = area;
  screenOrigin_ = screenOrigin;
  placed_ = true;
  if (MakeCanvas(area.width(), area.height())) return true;
  area_ = previous;
  MakeCanvas(previous.width(), previous.height());
  return false;
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
  captions_.clear();
  textSprites_.clear();
  valid_ = false;
  return font_->GetLastStatus() == Gdiplus::Ok;
}

bool DockSurface::CreatePlainFont(const std::wstring& familyName, float pixels) {
  if (!graphics_) return false;
  plainFamily_ = std::make_unique<Gdiplus::FontFamily>(familyName.c_str());
  if (plainFamily_->GetLastStatus() != Gdiplus::Ok || !plainFamily_->IsAvailable())
    plainFamily_.reset(Gdiplus::FontFamily::GenericSansSerif()->Clone());
  if (!plainFamily_ || plainFamily_->GetLastStatus() != Gdiplus::Ok) return false;
  plainFont_ = std::make_unique<Gdiplus::Font>(plainFamily_.get(), pixels, Gdiplus::FontStyleRegular,
                                               Gdiplus::UnitPixel);
  plainFormat_ = std::make_unique<Gdiplus::StringFormat>();
  plainFormat_->SetAlignment(Gdiplus::StringAlignmentNear);
  plainFormat_->SetLineAlignment(Gdiplus::StringAlignmentCenter);
  // The lines are fitted before drawing (DrawPlainText), so the format never wraps or
  // trims by itself: not every GDI+ keeps to its line limit and ellipsis.
  plainFormat_->SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsLineLimit);
  plainBrush_ = std::make_unique<Gdiplus::SolidBrush>(Gdiplus::Color(255, 1, 2, 3));
  greyBrush_ = std::make_unique<Gdiplus::SolidBrush>(Gdiplus::Color(255, 128, 128, 128));
  textSprites_.clear();
  valid_ = false;
  return plainFont_->GetLastStatus() == Gdiplus::Ok;
}

void DockSurface::DrawPlainText(Gdiplus::Graphics& g, const DrawOp& op, float x, float y) {
  if (!plainFont_) return;
  // As many lines as the box holds, broken at blanks and ended with "…" when the text
  // is longer: a long title shows its start in whole lines, never cut through a line.
  const float lineHeight = plainFont_->GetHeight(&g);
  const int lines = lineHeight > 0 ? static_cast<int>(op.textH / lineHeight) : 1;
  const auto measure = [&](std::string_view line) { return LineWidth(g, *plainFont_, *plainFormat_, line); };
  std::wstring text;
  for (const std::string& line : FitTextLines(op.text, op.textW, lines, measure))
    text += (text.empty() ? L"" : L"\n") + Wide(line);
  g.DrawString(text.c_str(), static_cast<INT>(text.size()), plainFont_.get(), Gdiplus::RectF(x, y, op.textW, op.textH),
               plainFormat_.get(), op.style == TextStyle::kPlainGrey ? greyBrush_.get() : plainBrush_.get());
}

void DockSurface::DeleteGraphicFont() {
  format_.reset();
  font_.reset();
  family_.reset();
  textBrush_.reset();
  outlineBrush_.reset();
  plainFormat_.reset();
  plainFont_.reset();
  plainFamily_.reset();
  plainBrush_.reset();
  greyBrush_.reset();
  captions_.clear();
  textSprites_.clear();
}

void DockSurface::DeleteGraphic() {
  if (graphics_) DeleteGraphicFont();
  scaledEdges_.reset();
  graphics_.reset();
  target_.reset();
  canvas_.Release();
  bits_ = nullptr;
  valid_ = false;
  shown_ = DockFrame{};
  shownBounds_.clear();
  ForgetSprites();
}

void DockSurface::ForgetSprites() {
  variantSprites_.clear();
  scaledSprites_.clear();
  textSprites_.clear();
}

std::wstring DockSurface::FontFamilyName() const {
  if (!family_) return {};
  wchar_t name[LF_FACESIZE] = {};
  family_->GetFamilyName(name);
  return name;
}

PixelRect DockSurface::Bounds(const DrawOp& op, const ImageStore& images) {
  if (op.type == DrawOp::Type::kText && op.style != TextStyle::kCaption) {
    // Plain text is clipped to its box; one pixel more for the anti-aliasing.
    if (!plainFont_) return {};
    return PixelRect{static_cast<int32_t>(std::floor(op.textX)) - 1, static_cast<int32_t>(std::floor(op.textY)) - 1,
                     static_cast<int32_t>(std::ceil(op.textX + op.textW)) + 1,
                     static_cast<int32_t>(std::ceil(op.textY + op.textH)) + 1};
  }
  if (op.type == DrawOp::Type::kText) {
    const CaptionLayout* caption = CaptionOf(op);
    if (!caption) return {};
    // Only the measured size is used: the text is centred in the screen-wide box and
    // hangs from its top (some GDI+ versions report the box at the layout's left edge).
    const Gdiplus::RectF& box = caption->box;
    const float left = op.textX + (static_cast<float>(layoutWidth_) - box.Width) / 2;
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

const DockSurface::CaptionLayout* DockSurface::CaptionOf(const DrawOp& op) {
  if (!graphics_ || !font_) return nullptr;
  const auto key = std::pair(op.text, op.textW);
  auto found = captions_.find(key);
  if (found != captions_.end()) return &found->second;
  if (captions_.size() >= kMostCaptions) captions_.clear();
  CaptionLayout caption;
  if (op.textW > 0) {
    const auto measure = [this](std::string_view line) { return LineWidth(*graphics_, *font_, *format_, line); };
    for (const std::string& line : FitTextLines(op.text, op.textW, kCaptionLines, measure))
      caption.lines += (caption.lines.empty() ? L"" : L"\n") + Wide(line);
  } else {
    caption.lines = Wide(op.text);
  }
  graphics_->MeasureString(caption.lines.c_str(), static_cast<INT>(caption.lines.size()), font_.get(),
                           Gdiplus::RectF(0, 0, static_cast<float>(layoutWidth_), kTextBoxHeight), format_.get(),
                           &caption.box);
  return &captions_.emplace(key, std::move(caption)).first->second;
}

void DockSurface::FillRect(const PixelRect& area, uint32_t argb) {
  const PixelRect r = area.Intersection(area_);
  if (r.empty()) return;
  const uint32_t value = Premultiplied(argb);
  for (int32_t y = r.top; y < r.bottom; ++y) {
    uint32_t* from = bits_ + static_cast<size_t>(y - area_.top) * width_ + (r.left - area_.left);
    if (value == 0)
      std::memset(from, 0, static_cast<size_t>(r.width()) * 4);
    else
      std::fill(from, from + r.width(), value);
  }
}

void DockSurface::DrawOutlinedText(Gdiplus::Graphics& g, const std::wstring& text, float x,
                                   float y) const {
  // The outline: the text in the dark colour moved one pixel each way diagonally, then
  // the text itself on top.
  const INT length = static_cast<INT>(text.size());
  const float w = static_cast<float>(layoutWidth_);
  const float offsets[4][2] = {{-1, -1}, {-1, 1}, {1, -1}, {1, 1}};
  for (const auto& o : offsets)
    g.DrawString(text.c_str(), length, font_.get(), Gdiplus::RectF(x + o[0], y + o[1], w, kTextBoxHeight),
                 format_.get(), outlineBrush_.get());
  g.DrawString(text.c_str(), length, font_.get(), Gdiplus::RectF(x, y, w, kTextBoxHeight), format_.get(),
               textBrush_.get());
}

void DockSurface::Draw(const DrawOp& op, const ImageStore& images) {
  if (op.type == DrawOp::Type::kText) {
    if (op.style == TextStyle::kCaption) {
      if (const CaptionLayout* caption = CaptionOf(op))
        DrawOutlinedText(*graphics_, caption->lines, op.textX, op.textY);
    } else {
      graphics_->SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAliasGridFit);
      DrawPlainText(*graphics_, op, op.textX, op.textY);
      graphics_->SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
    }
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

namespace {

// The pixels of a 32-bit bitmap, premultiplied; empty when they cannot be read.
std::vector<uint32_t> PremultipliedPixels(Gdiplus::Bitmap& bitmap) {
  const INT w = static_cast<INT>(bitmap.GetWidth()), h = static_cast<INT>(bitmap.GetHeight());
  std::vector<uint32_t> pixels(static_cast<size_t>(w) * h);
  if (pixels.empty()) return pixels;
  Gdiplus::BitmapData data{};
  data.Width = static_cast<UINT>(w);
  data.Height = static_cast<UINT>(h);
  data.Stride = w * 4;
  data.PixelFormat = PixelFormat32bppPARGB;
  data.Scan0 = pixels.data();
  const Gdiplus::Rect all(0, 0, w, h);
  if (bitmap.LockBits(&all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                      PixelFormat32bppPARGB, &data) != Gdiplus::Ok)
    return {};
  bitmap.UnlockBits(&data);
  return pixels;
}

constexpr size_t kMostSprites = 256;

}  // namespace

const DockSurface::Sprite* DockSurface::SpriteOf(const DrawOp& op, const ImageStore& images) {
  if (op.type == DrawOp::Type::kText) {
    // Captions are outlined and centred in a screen-wide box, in lines as wide as their
    // line width; plain text is clipped to its own box, so it keys its sprite by the
    // box's size.
    const bool caption = op.style == TextStyle::kCaption;
    if (caption && !font_) return nullptr;
    const float baseX = std::floor(op.textX), baseY = std::floor(op.textY);
    const TextKey key{op.text, op.textX - baseX, op.textY - baseY, op.style, op.textW, caption ? 0.0f : op.textH};
    auto found = textSprites_.find(key);
    if (found != textSprites_.end()) return &found->second;
    if (textSprites_.size() >= kMostSprites) textSprites_.clear();
    const PixelRect box = Bounds(op, images);
    if (box.empty()) return nullptr;
    Sprite sprite;
    sprite.left = box.left - static_cast<int32_t>(baseX);
    sprite.top = box.top - static_cast<int32_t>(baseY);
    sprite.width = box.width();
    sprite.height = box.height();
    Gdiplus::Bitmap canvas(sprite.width, sprite.height, PixelFormat32bppPARGB);
    {
      Gdiplus::Graphics g(&canvas);
      g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
      const float x = op.textX - static_cast<float>(box.left), y = op.textY - static_cast<float>(box.top);
      if (caption) {
        g.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
        DrawOutlinedText(g, CaptionOf(op)->lines, x, y);
      } else {
        // Greyscale smoothing, on every Windows version: ClearType blends its coloured
        // edges against the pixels beneath, and this sprite is transparent, so they
        // would come out as dark fringes once it lies over the menu's rows.
        g.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAliasGridFit);
        DrawPlainText(g, op, x, y);
      }
    }
    sprite.pixels = PremultipliedPixels(canvas);
    return &textSprites_.emplace(key, std::move(sprite)).first->second;
  }

  Gdiplus::Bitmap* image = images.Get(op.set, op.index, op.variant);
  if (!image) return nullptr;
  // A sprite made before its picture last changed is made again.
  const uint64_t changed = images.changed(op.set, op.index);
  if (op.variant > 0) {
    Sprite& sprite = variantSprites_[VariantKey{op.set, op.index, op.variant}];
    if (sprite.madeFrom == changed && !sprite.pixels.empty()) return &sprite;
    sprite.width = static_cast<int32_t>(image->GetWidth());
    sprite.height = static_cast<int32_t>(image->GetHeight());
    sprite.pixels = PremultipliedPixels(*image);
    sprite.madeFrom = changed;
    return &sprite;
  }
  if (op.w <= 0 || op.h <= 0) return nullptr;
  const ScaledKey key{op.set, op.index, op.w, op.h, op.srcX, op.srcY, op.srcW, op.srcH};
  auto found = scaledSprites_.find(key);
  if (found != scaledSprites_.end() && found->second.madeFrom == changed) return &found->second;
  if (found == scaledSprites_.end() && scaledSprites_.size() >= kMostSprites) scaledSprites_.clear();
  Sprite sprite;
  sprite.madeFrom = changed;
  sprite.width = op.w;
  sprite.height = op.h;
  Gdiplus::Bitmap canvas(op.w, op.h, PixelFormat32bppPARGB);
  {
    Gdiplus::Graphics g(&canvas);
    g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    const bool part = op.srcW > 0 && op.srcH > 0;
    g.DrawImage(image, Gdiplus::Rect(0, 0, op.w, op.h), part ? op.srcX : 0, part ? op.srcY : 0,
                part ? op.srcW : static_cast<INT>(image->GetWidth()),
                part ? op.srcH : static_cast<INT>(image->GetHeight()), Gdiplus::UnitPixel,
                scaledEdges_.get());
  }
  sprite.pixels = PremultipliedPixels(canvas);
  return &(scaledSprites_[key] = std::move(sprite));
}

void DockSurface::PrepareSprites(const DockFrame& frame, const ImageStore& images) {
  if (!graphics_) return;
  for (const DrawOp& op : frame.ops) SpriteOf(op, images);
}

void DockSurface::Blend(const Sprite& sprite, int32_t x, int32_t y, const PixelRect& clip) {
  if (sprite.pixels.size() != static_cast<size_t>(sprite.width) * sprite.height) return;
  const PixelRect area = PixelRect{x, y, x + sprite.width, y + sprite.height}
                             .Intersection(clip)
                             .Intersection(area_);
  if (area.empty()) return;
  for (int32_t row = area.top; row < area.bottom; ++row) {
    const uint32_t* from = sprite.pixels.data() + static_cast<size_t>(row - y) * sprite.width + (area.left - x);
    uint32_t* to = bits_ + static_cast<size_t>(row - area_.top) * width_ + (area.left - area_.left);
    for (int32_t n = area.width(); n > 0; --n, ++from, ++to) {
      const uint32_t s = *from;
      const uint32_t a = s >> 24;
      if (a == 0) continue;
      if (a == 255) {
        *to = s;
        continue;
      }
      // Premultiplied "over": every channel is source + destination × (1 − source alpha).
      const uint32_t d = *to, keep = 255 - a;
      const uint32_t rb = ((d & 0x00FF00FF) * keep + 0x00800080);
      const uint32_t ag = (((d >> 8) & 0x00FF00FF) * keep + 0x00800080);
      const uint32_t rb255 = ((rb + ((rb >> 8) & 0x00FF00FF)) >> 8) & 0x00FF00FF;
      const uint32_t ag255 = (ag + ((ag >> 8) & 0x00FF00FF)) & 0xFF00FF00;
      *to = s + (rb255 | ag255);
    }
  }
}

void DockSurface::Paint(const DrawOp& op, const ImageStore& images, const PixelRect& clip) {
  const Sprite* sprite = SpriteOf(op, images);
  if (!sprite) return;  // a missing image draws nothing
  if (op.type == DrawOp::Type::kText) {
    Blend(*sprite, static_cast<int32_t>(std::floor(op.textX)) + sprite->left,
          static_cast<int32_t>(std::floor(op.textY)) + sprite->top, clip);
  } else {
    Blend(*sprite, op.x + sprite->left, op.y + sprite->top, clip);
  }
}

bool DockSurface::Push(BYTE alpha, const PixelRect* dirty) {
  if (!window_ || !canvas_) return false;
  SIZE size{width_, height_};
  POINT source{0, 0};
  POINT destination{screenOrigin_.x + area_.left, screenOrigin_.y + area_.top};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
  RECT changed{};
  if (dirty)
    changed = RECT{dirty->left - area_.left, dirty->top - area_.top, dirty->right - area_.left,
                   dirty->bottom - area_.top};
  UPDATELAYEREDWINDOWINFO info{};
  info.cbSize = sizeof(info);
  info.psize = &size;
  info.hdcSrc = canvas_.dc();
  info.pptSrc = &source;
  info.pptDst = placed_ ? &destination : nullptr;
  info.pblend = &blend;
  info.dwFlags = ULW_ALPHA;
  info.prcDirty = dirty ? &changed : nullptr;
  lastPushed_ = dirty ? *dirty : area_;
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
  if (painting_ == Painting::kWholeFrame) {
    PresentWhole(frame, images, alpha);
    valid_ = false;  // nothing kept to compare the next frame with
    return;
  }
  const PixelRect screen = area_;
  std::vector<PixelRect> bounds;
  bounds.reserve(frame.ops.size());
  for (const DrawOp& op : frame.ops) bounds.push_back(Bounds(op, images));
  if (painting_ == Painting::kAllAreas || !valid_) {
    FillRect(screen, frame.background);
    for (const DrawOp& op : frame.ops) Paint(op, images, screen);
    Push(alpha, nullptr);
  } else {
    std::vector<PixelRect> areas = ChangedAreas(
        shown_, frame, [&](const DrawOp& op) { return Bounds(op, images); }, screen);
    // A picture changed since the last frame is repainted where that frame drew it and
    // where the new one draws it, even where the operations themselves are equal.
    auto changedSinceShown = [&](const DrawOp& op) {
      return op.type != DrawOp::Type::kText && images.changed(op.set, op.index) > shownGeneration_;
    };
    const size_t before = areas.size();
    for (size_t i = 0; i < shown_.ops.size(); ++i)
      if (changedSinceShown(shown_.ops[i])) areas.push_back(shownBounds_[i].Intersection(screen));
    for (size_t i = 0; i < frame.ops.size(); ++i)
      if (changedSinceShown(frame.ops[i])) areas.push_back(bounds[i].Intersection(screen));
    if (areas.size() != before) areas = MergeRects(std::move(areas));
    PixelRect pushed;
    for (const PixelRect& area : areas) {
      FillRect(area, frame.background);
      for (size_t i = 0; i < frame.ops.size(); ++i)
        if (bounds[i].Intersects(area)) Paint(frame.ops[i], images, area);
      pushed = pushed.Union(area);
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
  shownBounds_ = std::move(bounds);
  shownGeneration_ = images.generation();
  shownAlpha_ = alpha;
  valid_ = true;
}

}  // namespace vek::win
