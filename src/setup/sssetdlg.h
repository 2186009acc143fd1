// The configure-mode dialog that edits the settings file.
#pragma once

#include "forms/form.h"

namespace zarumo {

class TScrnSaveSetupDlg : public Form {
 public:
  TScrnSaveSetupDlg();

 protected:
  void CreateParams(WindowParams& params) override;
};

}  // namespace zarumo
