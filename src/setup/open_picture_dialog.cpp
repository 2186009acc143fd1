// The open-picture dialog: the system's explorer-style open dialog with a picture pane.
#include "setup/open_picture_dialog.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "resources/resource_ids.h"
#include "setup/file_filter.h"
#include "setup/picture_pane.h"
#include "system/system_text.h"

namespace zarumo {
namespace {

constexpr std::size_t kFileBufferSize = 1024;

// Windows 2000 and later take the whole structure; the dialogs of older
// systems refuse every size but that of its first layout.
DWORD RequestSize() {
  const DWORD version = GetVersion();
  const bool nt5 = !(version & 0x80000000u) && LOBYTE(LOWORD(version)) >= 5;
  return nt5 ? sizeof(OPENFILENAMEA) : OPENFILENAME_SIZE_VERSION_400A;
}

}  // namespace

bool OpenPictureDialog::Execute(HWND owner) {
  PicturePane pane;
  const std::string filter = FilterList(filter_, SystemLeadBytes());
  std::vector<char> file(kFileBufferSize, '\0');
  std::copy_n(fileName_.begin(), std::min(fileName_.size(), file.size() - 1), file.begin());

  OPENFILENAMEA request{};
  request.lStructSize = RequestSize();
  request.hwndOwner = owner;
  // The pane's own template, from the executable's resources.
  request.hInstance = GetModuleHandleA(nullptr);
  request.lpTemplateName = MAKEINTRESOURCEA(IDD_PICTURE_PANE);
  request.lpstrFilter = filter_.empty() ? nullptr : filter.c_str();
  request.nFilterIndex = 1;
  request.lpstrFile = file.data();
  request.nMaxFile = static_cast<DWORD>(file.size());
  request.Flags =
      OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_ENABLEHOOK | OFN_ENABLETEMPLATE;
  request.lpfnHook = PicturePane::HookProc;
  request.lCustData = reinterpret_cast<LPARAM>(&pane);
  if (!GetOpenFileNameA(&request)) return false;
  fileName_ = file.data();
  return true;
}

}  // namespace zarumo
