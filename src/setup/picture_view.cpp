// What the picture pane and the preview window show.
#include "setup/picture_view.h"

#include "forms/display_palette.h"
#include "setup/picture_fit.h"
#include "system/handles.h"
#include "system/window_text.h"

namespace zarumo {
namespace {

const char kNoPicture[] = "(なし)";
const char kBadPicture[] = "画像が不正です";

void PaintText(HDC dc, RECT area, const char* text, HFONT font) {
  Selection selection(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  DrawShownText(dc, text, area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace

PictureView::PictureView(std::unique_ptr<Picture> picture) : picture_(std::move(picture)) {}

std::string PictureView::StatusText() const {
  if (!picture_) return kNoPicture;
  if (failed_) return kBadPicture;
  return std::string();
}

void PictureView::Render(int width, int height) noexcept {
  if (failed_ || !picture_) return;
  if (picture_->Width() <= 0 || picture_->Height() <= 0) return;
  try {
    // A JPEG is decoded reduced, as far as it still covers the box; a rendering
    // that already covers it is kept, so that a smaller area decodes nothing.
    const SIZE size = picture_->ReducedSize(width, height);
    if (rendered_ && rendered_->Width() >= size.cx && rendered_->Height() >= size.cy) return;
    auto bitmap = BitmapPicture::CreateScreenCompatible(size.cx, size.cy);
    // Whatever the picture leaves transparent shows the pane's own colour.
    RECT all{0, 0, size.cx, size.cy};
    FillRect(bitmap->Dc(), &all, GetSysColorBrush(COLOR_BTNFACE));
    picture_->DrawReduced(bitmap->Dc(), 0, 0, width, height);
    rendered_ = std::move(bitmap);
  } catch (...) {
    failed_ = true;
  }
}

void PictureView::Paint(HDC dc, const RECT& bounds, int margin, HFONT font) {
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  if (width <= 0 || height <= 0) return;
  PaletteSelection palette(dc, DisplayPalette());
  // Composed off screen, so that a resize does not flicker.
  std::unique_ptr<BitmapPicture> buffer;
  try {
    buffer = BitmapPicture::CreateScreenCompatible(width, height);
  } catch (const std::exception&) {
    // Without memory for it, straight onto the window.
  }
  HDC target = buffer ? buffer->Dc() : dc;
  const int originX = buffer ? 0 : bounds.left;
  const int originY = buffer ? 0 : bounds.top;
  RECT area{originX, originY, originX + width, originY + height};
  FillRect(target, &area, GetSysColorBrush(COLOR_BTNFACE));
  InflateRect(&area, -margin, -margin);

  const Rect box =
      FitCentred(PictureWidth(), PictureHeight(), area.right - area.left, area.bottom - area.top);
  Render(box.width, box.height);
  std::string status = StatusText();
  if (!status.empty()) {
    PaintText(target, area, status.c_str(), font);
  } else if (rendered_) {
    ApplyStretchMode(target, StretchMode::kHalftone);
    StretchBlt(target, area.left + box.left, area.top + box.top, box.width, box.height,
               rendered_->Dc(), 0, 0, rendered_->Width(), rendered_->Height(), SRCCOPY);
  }
  if (target != dc) BitBlt(dc, bounds.left, bounds.top, width, height, target, 0, 0, SRCCOPY);
}

}  // namespace zarumo
