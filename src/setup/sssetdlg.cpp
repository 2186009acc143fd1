#include "setup/sssetdlg.h"

namespace zarumo {

TScrnSaveSetupDlg::TScrnSaveSetupDlg() = default;

void TScrnSaveSetupDlg::CreateParams(WindowParams& params) {
  params.className = "TScrnSaveSetupDlg";
  params.caption = "ザルモセーバー設定";
  params.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_DLGFRAME;
  params.exStyle = WS_EX_DLGMODALFRAME;
  RECT rect = {0, 0, 480, 240};
  AdjustWindowRectEx(&rect, params.style, FALSE, params.exStyle);
  params.width = rect.right - rect.left;
  params.height = rect.bottom - rect.top;
  params.x = (GetSystemMetrics(SM_CXSCREEN) - params.width) / 2;
  params.y = (GetSystemMetrics(SM_CYSCREEN) - params.height) / 2;
  params.cursor = LoadCursor(nullptr, IDC_ARROW);
  params.background = GetSysColorBrush(COLOR_BTNFACE);
}

}  // namespace zarumo
