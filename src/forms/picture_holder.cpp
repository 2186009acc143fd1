#include "forms/picture_holder.h"

#include "forms/failure.h"

namespace zarumo {

PictureHolder::PictureHolder(const HolderLayout& layout)
    : name_(layout.name),
      left_(layout.left),
      top_(layout.top),
      width_(layout.width),
      height_(layout.height),
      visible_(layout.visible),
      autoSize_(layout.autoSize) {}

void PictureHolder::SetPicture(std::unique_ptr<Picture> picture) {
  picture_ = std::move(picture);
  if (autoSize_ && picture_ && picture_->Width() > 0 && picture_->Height() > 0) {
    width_ = picture_->Width();
    height_ = picture_->Height();
  }
}

BitmapPicture& PictureHolder::Canvas() {
  if (!picture_) picture_ = BitmapPicture::CreateScreenCompatible(width_, height_);
  BitmapPicture* bitmap = picture_->AsBitmap();
  if (!bitmap) throw Failure("ビットマップ以外の画像には描画できません");
  return *bitmap;
}

void PictureHolder::Paint(HDC target) {
  if (!picture_ || picture_->Width() <= 0 || picture_->Height() <= 0) return;
  int saved = SaveDC(target);
  IntersectClipRect(target, left_, top_, left_ + width_, top_ + height_);
  try {
    picture_->Draw(target, left_, top_);
  } catch (...) {
    RestoreDC(target, saved);
    throw;
  }
  RestoreDC(target, saved);
}

}  // namespace zarumo
