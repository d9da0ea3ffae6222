#include "menu/menu_scene.h"

namespace vek {

using namespace menu_size;

namespace {
bool IsFallback(int32_t image) { return image >= pool::kFileImage && image <= pool::kGroupImage; }
}  // namespace

DrawOp RowPicture(const MenuRow& row, const std::function<bool(int32_t)>& pictureReady, int32_t x,
                  int32_t y, bool* waiting) {
  if (waiting) *waiting = false;
  // The shared fallback pictures exist at the dock's sizes only: drawn scaled down.
  if (IsFallback(row.image))
    return DrawOp::Image(ImageSet::kItem, row.image, 0, x, y, kMenuIconSize, kMenuIconSize);
  if (!pictureReady || pictureReady(row.image)) return DrawOp::Image(ImageSet::kItem, row.image, 4, x, y);
  if (waiting) *waiting = true;
  return DrawOp::Image(ImageSet::kItem, FallbackImage(row.pathKind), 0, x, y, kMenuIconSize, kMenuIconSize);
}

std::vector<int32_t> PaintMenu(DockFrame& frame, const MenuView& v) {
  frame.background = 0;
  frame.ops.clear();
  std::vector<int32_t> waiting;
  const MenuPaging& p = v.paging;
  const bool paged = p.paged();
  const int32_t rows = p.visibleRows();
  const int32_t h = rows * kRowHeight;
  auto skin = [&](int index, int variant, int32_t x, int32_t y, int32_t w = 0, int32_t hh = 0) {
    frame.ops.push_back(DrawOp::Image(ImageSet::kSkin, index, variant, v.x + x, v.y + y, w, hh));
  };
  auto text = [&](const std::string& t, bool grey, int32_t x, int32_t y, int32_t w, int32_t hh) {
    DrawOp op = DrawOp::BoxText(t, grey ? TextStyle::kPlainGrey : TextStyle::kPlain, static_cast<float>(v.x + x),
                                static_cast<float>(v.y + y), static_cast<float>(w), static_cast<float>(hh));
    if (!op.text.empty()) frame.ops.push_back(std::move(op));
  };

  skin(menu_skin::kBody, 0, 0, 10, kWidth, paged ? h + 60 : h);
  skin(menu_skin::kTop, 1, 0, 0);
  skin(menu_skin::kBottom, 1, 0, paged ? h + 68 : h + 8);
  const int32_t firstRowTop = paged ? 40 : 10;
  if (paged) {
    skin(v.focus == 0 && p.upEnabled ? menu_skin::kUpSelect : menu_skin::kUpUnselect, 1, kBandLeft, 10);
    text("PgUp", !p.upEnabled, 210, 10, kArrowCaptionWidth, kArrowHeight);
    skin(menu_skin::kSpace, 1, kBandLeft, 35);
  }
  // Rows never overlap, so each is drawn whole in turn, highlight first: the order of
  // the operations stays the same whichever row is highlighted.
  for (int32_t r = 1; r <= rows; ++r) {
    const int32_t n = p.offset + r;
    if (n < 1 || n > static_cast<int32_t>(v.rows.size())) continue;
    const MenuRow& row = v.rows[static_cast<size_t>(n - 1)];
    const int32_t top = firstRowTop + (r - 1) * kRowHeight;
    if (r == v.focus) skin(v.mouseDown ? menu_skin::kMouseDown : menu_skin::kSelect, 1, kBandLeft, top);
    bool late = false;
    frame.ops.push_back(RowPicture(row, v.pictureReady, v.x + 13, v.y + top + 3, &late));
    if (late) waiting.push_back(row.item);
    text(row.title, false, 48, top + 3, kCaptionWidth, kTextHeight);
    text(MemberLetter(n), false, 237, top + 3, kLetterWidth, kTextHeight);
  }
  if (paged) {
    skin(menu_skin::kSpace, 1, kBandLeft, h + 40);
    skin(v.focus == rows + 1 && p.downEnabled ? menu_skin::kDownSelect : menu_skin::kDownUnselect, 1, kBandLeft,
         h + 45);
    text("PgDn", !p.downEnabled, 210, h + 45, kArrowCaptionWidth, kArrowHeight);
  }
  return waiting;
}

DockFrame CommonMenuParts(int32_t rowsPerPage) {
  DockFrame frame;
  for (int n = 1; n <= 36; ++n)
    frame.ops.push_back(DrawOp::BoxText(MemberLetter(n), TextStyle::kPlain, 0, 0, kLetterWidth, kTextHeight));
  for (const char* caption : {"PgUp", "PgDn"})
    for (TextStyle style : {TextStyle::kPlain, TextStyle::kPlainGrey})
      frame.ops.push_back(DrawOp::BoxText(caption, style, 0, 0, kArrowCaptionWidth, kArrowHeight));
  for (int index = menu_skin::kSelect; index <= menu_skin::kBottom; ++index)
    if (index != menu_skin::kBody) frame.ops.push_back(DrawOp::Image(ImageSet::kSkin, index, 1, 0, 0));
  frame.ops.push_back(DrawOp::Image(ImageSet::kSkin, menu_skin::kBody, 0, 0, 10, kWidth, rowsPerPage * kRowHeight + 60));
  return frame;
}

void AddDeleteEffect(DockFrame& frame, int k, int32_t x, int32_t y) {
  DrawOp op = DrawOp::Image(ImageSet::kSkin, skin::kDelIcon, 0, x - 64, y - 64, 128, 128);
  op.srcX = 128 * k;
  op.srcW = 128;
  op.srcH = 128;
  frame.ops.push_back(op);
}

}  // namespace vek
