// The configure-mode dialog that edits the settings file: two picture paths,
// typed or browsed for, stored by OK.
#pragma once

#include <windows.h>

#include <vector>

#include "forms/form.h"
#include "setup/setup_control.h"
#include "setup/open_picture_dialog.h"
#include "setup/setup_layout.h"
#include "system/handles.h"

namespace zarumo {

class SetupDialog : public Form {
 public:
  // Builds the layout and fills the fields from the settings; a failure on
  // the way is shown and construction goes on with the fields as far as they
  // were filled.
  SetupDialog();
  // Enables again the window the dialog disabled.
  ~SetupDialog() override;

 protected:
  void CreateParams(WindowParams& params) override;
  bool PreTranslate(MSG& message) override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void FillFields();
  void Browse(SetupControl& field);

  void CreateControls();
  void Clicked(SetupControl& button);
  SetupControl* ControlOf(HWND window);
  void MoveFocus(bool backwards);
  void RestoreFocus();

  SetupControl heading_;
  SetupControl nameLabel_;
  SetupControl nameBrowse_;
  SetupControl wishBrowse_;
  SetupControl okButton_;
  SetupControl cancelButton_;
  SetupControl nameField_;
  SetupControl wishField_;
  SetupControl wishLabel_;
  OpenPictureDialog openDialog_;

  // The window disabled while the dialog's window exists: whichever was in
  // the foreground, usually the display settings of another process.
  HWND ownerWindow_ = nullptr;
  std::vector<SetupControl*> tabOrder_;
  OwnedFont font_;
  OwnedFont labelFont_;
  LayoutScale scale_;
  HWND lastFocus_ = nullptr;
  // The settings could not be read for want of memory: OK leaves the file alone.
  bool settingsTooLarge_ = false;
};

}  // namespace zarumo
