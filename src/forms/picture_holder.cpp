// A picture holder of a form.
#include "forms/picture_holder.h"

#include "system/failure.h"
#include "system/handles.h"

namespace zarumo {

PictureHolder::PictureHolder(const HolderLayout& layout)
    : left_(layout.left),
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
  SavedDcState saved(target);
  IntersectClipRect(target, left_, top_, left_ + width_, top_ + height_);
  picture_->Draw(target, left_, top_);
}

}  // namespace zarumo
