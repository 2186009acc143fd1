// The open-picture dialog: the system's explorer-style open dialog with a picture pane.
#include "setup/open_picture_dialog.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "resources/resource_ids.h"
#include "setup/file_filter.h"
#include "setup/picture_pane.h"
#include "system/mixed_text.h"
#include "system/system_function.h"
#include "system/system_text.h"

namespace zarumo {
namespace {

constexpr std::size_t kFileBufferSize = 1024;

// Windows 2000 and later take the whole structure; the dialogs of older
// systems refuse every size but that of its first layout.
bool WholeRequest() {
  const DWORD version = GetVersion();
  return !(version & 0x80000000u) && LOBYTE(LOWORD(version)) >= 5;
}

template <typename Request, typename Char>
void FillRequest(Request& request, DWORD firstLayoutSize, HWND owner, PicturePane& pane,
                 const Char* filter, std::vector<Char>& file) {
  request.lStructSize = WholeRequest() ? sizeof(Request) : firstLayoutSize;
  request.hwndOwner = owner;
  // The pane's own template, from the executable's resources.
  request.hInstance = GetModuleHandleA(nullptr);
  request.lpTemplateName =
      reinterpret_cast<decltype(request.lpTemplateName)>(static_cast<ULONG_PTR>(IDD_PICTURE_PANE));
  request.lpstrFilter = filter;
  request.nFilterIndex = 1;
  request.lpstrFile = file.data();
  request.nMaxFile = static_cast<DWORD>(file.size());
  request.Flags =
      OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_ENABLEHOOK | OFN_ENABLETEMPLATE;
  request.lpfnHook = PicturePane::HookProc;
  request.lCustData = reinterpret_cast<LPARAM>(&pane);
}

}  // namespace

OpenPictureDialog::Choice OpenPictureDialog::Execute(HWND owner) {
  PicturePane pane;
  // The filter is the saver's own text: its "|" are found by the lead bytes of its code page.
  const std::string filter =
      FilterList(filter_, ShowsTextWide() ? LeadBytes::Cp932() : SystemLeadBytes());
  // The NT family is asked in UTF-16, so that a name the ANSI code page cannot
  // hold is not handed back with "?" in it.
  using WideProc = BOOL(WINAPI*)(LPOPENFILENAMEW);
  auto openWide =
      IsNineXFamily() ? nullptr : SystemFunction<WideProc>("COMDLG32", "GetOpenFileNameW");
  if (openWide) {
    const WideString wideFilter = MixedText(filter).Wide();
    std::vector<wchar_t> file(kFileBufferSize, L'\0');
    const WideString last = Widened(fileName_, CP_ACP);
    std::copy_n(last.begin(), std::min(last.size(), file.size() - 1), file.begin());
    OPENFILENAMEW request{};
    FillRequest(request, OPENFILENAME_SIZE_VERSION_400W, owner, pane,
                filter_.empty() ? nullptr : wideFilter.c_str(), file);
    if (!openWide(&request)) return Choice::kCancelled;
    std::optional<std::string> path = AnsiPathFor(file.data());
    if (!path) return Choice::kUnusable;
    fileName_ = *path;
    return Choice::kChosen;
  }
  std::vector<char> file(kFileBufferSize, '\0');
  std::copy_n(fileName_.begin(), std::min(fileName_.size(), file.size() - 1), file.begin());
  OPENFILENAMEA request{};
  FillRequest(request, OPENFILENAME_SIZE_VERSION_400A, owner, pane,
              filter_.empty() ? nullptr : filter.c_str(), file);
  if (!GetOpenFileNameA(&request)) return Choice::kCancelled;
  fileName_ = file.data();
  return Choice::kChosen;
}

}  // namespace zarumo
