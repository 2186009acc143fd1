// The "プレビュー" window: the selected picture on its own, in a resizable
// tool window over the open dialog. Escape closes it.
#pragma once

#include <windows.h>

#include <memory>

#include "forms/form.h"
#include "setup/picture_view.h"

namespace zarumo {

class PreviewWindow : public Form {
 public:
  PreviewWindow(HWND owner, std::shared_ptr<PictureView> view, HFONT font);

 protected:
  void CreateParams(WindowParams& params) override;
  void FormShow() override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  HWND owner_;
  std::shared_ptr<PictureView> view_;
  HFONT font_;
};

}  // namespace zarumo
