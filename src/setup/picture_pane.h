// The picture pane that the open-picture dialog adds to the right of the
// system's open dialog: a caption line, a small preview button and a preview
// area that follow the selected file.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "setup/picture_area.h"
#include "setup/preview_window.h"
#include "system/handles.h"

namespace zarumo {

class PicturePane {
 public:
  PicturePane();
  PicturePane(const PicturePane&) = delete;
  PicturePane& operator=(const PicturePane&) = delete;
  ~PicturePane();

  // The open dialog's hook; its custom data is the pane.
  static UINT_PTR CALLBACK HookProc(HWND child, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  // The open dialog's own procedure, put in front of the system's: palette
  // messages go to top-level windows only, and the preview area follows them.
  static LRESULT CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  void Attach(HWND child);
  void Detach();
  UINT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void Layout();
  void SelectionChanged();
  void ShowPicture(std::unique_ptr<Picture> picture);
  void OpenPreview();

  HWND child_ = nullptr;
  HWND caption_ = nullptr;
  HWND previewButton_ = nullptr;
  HWND tooltip_ = nullptr;
  HWND dialog_ = nullptr;  // while its procedure knows the pane
  OwnedIcon glyph_;
  PictureArea area_;
  std::unique_ptr<PreviewWindow> preview_;
  // Selection notices that come while the open dialog is still being set up
  // do not count: the pane opens empty.
  bool ready_ = false;
};

}  // namespace zarumo
