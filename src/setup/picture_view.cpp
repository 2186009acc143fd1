#include "setup/picture_view.h"

#include "system/handles.h"
#include "setup/picture_fit.h"

namespace zarumo {
namespace {

const char kNoPicture[] = "(なし)";
const char kBadPicture[] = "画像が不正です";

void PaintText(HDC dc, RECT area, const char* text, HFONT font) {
  Selection selection(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  DrawTextA(dc, text, -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace

PictureView::PictureView(std::unique_ptr<Picture> picture) : picture_(std::move(picture)) {}

std::string PictureView::StatusText() const {
  if (!picture_) return kNoPicture;
  if (failed_) return kBadPicture;
  return std::string();
}

void PictureView::Render() noexcept {
  if (rendered_ || failed_ || !picture_) return;
  const int width = picture_->Width();
  const int height = picture_->Height();
  if (width <= 0 || height <= 0) return;
  try {
    auto bitmap = BitmapPicture::CreateScreenCompatible(width, height);
    // Whatever the picture leaves transparent shows the pane's own colour.
    RECT all{0, 0, width, height};
    FillRect(bitmap->Dc(), &all, GetSysColorBrush(COLOR_BTNFACE));
    picture_->Draw(bitmap->Dc(), 0, 0);
    rendered_ = std::move(bitmap);
  } catch (...) {
    failed_ = true;
  }
}

void PictureView::Paint(HDC dc, const RECT& bounds, int margin, HFONT font) {
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  if (width <= 0 || height <= 0) return;
  // Composed off screen, so that a resize does not flicker.
  OwnedDc buffer(CreateCompatibleDC(dc));
  OwnedBitmap surface(CreateCompatibleBitmap(dc, width, height));
  HDC target = dc;
  int originX = bounds.left;
  int originY = bounds.top;
  std::unique_ptr<Selection> surfaceSelection;
  if (buffer && surface) {
    surfaceSelection = std::make_unique<Selection>(buffer.Get(), surface.Get());
    target = buffer.Get();
    originX = 0;
    originY = 0;
  }
  RECT area{originX, originY, originX + width, originY + height};
  FillRect(target, &area, GetSysColorBrush(COLOR_BTNFACE));
  InflateRect(&area, -margin, -margin);

  Render();
  std::string status = StatusText();
  if (!status.empty()) {
    PaintText(target, area, status.c_str(), font);
  } else if (rendered_) {
    Box box = FitCentred(rendered_->Width(), rendered_->Height(), area.right - area.left,
                         area.bottom - area.top);
    SetStretchBltMode(target, HALFTONE);
    SetBrushOrgEx(target, 0, 0, nullptr);
    StretchBlt(target, area.left + box.left, area.top + box.top, box.width, box.height,
               rendered_->Dc(), 0, 0, rendered_->Width(), rendered_->Height(), SRCCOPY);
  }
  if (target != dc) BitBlt(dc, bounds.left, bounds.top, width, height, target, 0, 0, SRCCOPY);
}

}  // namespace zarumo
