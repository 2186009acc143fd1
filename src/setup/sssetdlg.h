// The configure-mode dialog that edits the settings file: two picture paths,
// typed or browsed for, stored by OK.
#pragma once

#include <windows.h>

#include <vector>

#include "forms/form.h"
#include "forms/handles.h"
#include "setup/dialog_control.h"
#include "setup/open_picture_dialog.h"
#include "setup/setup_layout.h"

namespace zarumo {

class TScrnSaveSetupDlg : public Form {
 public:
  // Builds the layout, then runs the creation handler; a failure in it is
  // shown and construction goes on with the fields as far as they were filled.
  TScrnSaveSetupDlg();
  // Runs the destruction handler.
  ~TScrnSaveSetupDlg() override;

  DialogControl Label1;
  DialogControl Label2;
  OpenPictureDialog OpenPictureDialog1;
  DialogControl Button1;
  DialogControl Button2;
  DialogControl Button3;
  DialogControl Button4;
  DialogControl Edit1;
  DialogControl Edit2;
  DialogControl Label3;

  // The window disabled while the dialog's window exists.
  HWND OwnerWindow = nullptr;

 protected:
  void CreateParams(WindowParams& params) override;
  bool PreTranslate(MSG& message) override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void FormCreate();
  void FormDestroy();
  void Button1Click();
  void Button2Click();
  void Button3Click();
  void Browse(DialogControl& field);

  void CreateControls();
  void Clicked(DialogControl& button);
  DialogControl* ControlOf(HWND window);
  void MoveFocus(bool backwards);
  void RestoreFocus();

  std::vector<DialogControl*> tabOrder_;
  OwnedFont font_;
  OwnedFont labelFont_;
  LayoutScale scale_;
  HWND lastFocus_ = nullptr;
  // The settings could not be read for want of memory: OK leaves the file alone.
  bool settingsTooLarge_ = false;
};

}  // namespace zarumo
