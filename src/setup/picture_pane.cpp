// The picture pane that the open-picture dialog adds to the right of the system's open dialog.
#include "setup/picture_pane.h"

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>

#include <vector>

#include "forms/application.h"
#include "forms/display_palette.h"
#include "pictures/picture_file.h"
#include "settings/settings_file.h"
#include "resources/resource_ids.h"
#include "system/failure.h"
#include "system/system_function.h"
#include "system/system_text.h"
#include "system/window_text.h"
#include "text/message_text.h"

namespace zarumo {
namespace {

const char kNoPictureCaption[] = "画像:";
const char kPreviewTip[] = "プレビュー";
// The open dialog's properties: the pane, and the procedure in front of which
// the pane's stands, which stays as long as the dialog does.
const char kPaneProperty[] = "ZarumoPicturePane";
const char kDialogProcProperty[] = "ZarumoDialogProc";
// Posted once the open dialog has finished setting itself up.
constexpr UINT kPaneReady = WM_APP + 0x5A;

// Dialog units, as in the pane's template.
constexpr int kGap = 4;
constexpr int kButtonWidth = 15;
constexpr int kButtonHeight = 14;

// A magnifying glass for the preview button, drawn rather than stored.
OwnedIcon MagnifierIcon() {
  const int size = 16;
  WindowDc screen(nullptr);
  OwnedDc dc(CreateCompatibleDC(screen.Get()));
  OwnedBitmap colour(CreateCompatibleBitmap(screen.Get(), size, size));
  OwnedBitmap mask(CreateBitmap(size, size, 1, 1, nullptr));
  if (!dc || !colour || !mask) return OwnedIcon();
  // The same shapes twice: black on white for the mask, in colour on black for the image.
  auto draw = [&](HBITMAP bitmap, DWORD background, COLORREF glass, COLORREF rim, COLORREF handle) {
    Selection bitmapSelection(dc.Get(), bitmap);
    PatBlt(dc.Get(), 0, 0, size, size, background);
    OwnedBrush glassBrush(CreateSolidBrush(glass));
    OwnedPen rimPen(CreatePen(PS_SOLID, 2, rim));
    {
      Selection brush(dc.Get(), glassBrush.Get());
      Selection pen(dc.Get(), rimPen.Get());
      Ellipse(dc.Get(), 1, 1, 11, 11);
    }
    OwnedPen handlePen(CreatePen(PS_SOLID, 3, handle));
    Selection pen(dc.Get(), handlePen.Get());
    MoveToEx(dc.Get(), 10, 10, nullptr);
    LineTo(dc.Get(), 14, 14);
  };
  draw(mask.Get(), WHITENESS, RGB(0, 0, 0), RGB(0, 0, 0), RGB(0, 0, 0));
  draw(colour.Get(), BLACKNESS, RGB(200, 230, 255), RGB(40, 40, 96), RGB(128, 72, 16));
  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmMask = mask.Get();
  info.hbmColor = colour.Get();
  return OwnedIcon(CreateIconIndirect(&info));  // copies both bitmaps
}

RECT RectIn(HWND window, HWND reference) {
  RECT rect{};
  GetWindowRect(window, &rect);
  MapWindowPoints(nullptr, reference, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// Tool-tips need the common controls registered. The Ex form arrived with a
// later common-controls library than Windows 95 and NT 4.0 carry.
void InitToolTips() {
  using InitExProc = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  auto initEx = SystemFunction<InitExProc>("COMCTL32", "InitCommonControlsEx");
  const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  if (!initEx || !initEx(&controls)) InitCommonControls();
}

// The selection as the ANSI file functions open it; empty for none, and for a
// file whose name they cannot take.
std::string SelectedPath(HWND dialog) {
  // A dialog asked in UTF-16 answers in UTF-16.
  if (IsWideWindow(dialog)) {
    std::vector<wchar_t> path(MAX_PATH + 1, L'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
      LRESULT needed = SendWideMessage(dialog, CDM_GETFILEPATH, path.size(),
                                       reinterpret_cast<LPARAM>(path.data()));
      if (needed <= 0) return std::string();
      if (static_cast<std::size_t>(needed) <= path.size())
        return AnsiPathFor(path.data()).value_or(std::string());
      path.assign(static_cast<std::size_t>(needed), L'\0');
    }
    return std::string();
  }
  std::vector<char> path(MAX_PATH + 1, '\0');
  for (int attempt = 0; attempt < 2; ++attempt) {
    LRESULT needed =
        SendMessageA(dialog, CDM_GETFILEPATH, path.size(), reinterpret_cast<LPARAM>(path.data()));
    if (needed <= 0) return std::string();
    if (static_cast<std::size_t>(needed) <= path.size()) return path.data();
    path.assign(static_cast<std::size_t>(needed), '\0');
  }
  return std::string();
}

}  // namespace

PicturePane::PicturePane() {
  PictureArea::RegisterWindowClass();
  InitToolTips();
}

PicturePane::~PicturePane() { Detach(); }

UINT_PTR CALLBACK PicturePane::HookProc(HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
  UINT_PTR result = 0;
  Guarded([&] {
    if (message == WM_INITDIALOG) {
      auto* pane =
          reinterpret_cast<PicturePane*>(reinterpret_cast<OPENFILENAMEA*>(lParam)->lCustData);
      SetWindowLongPtrA(child, DWLP_USER, reinterpret_cast<LONG_PTR>(pane));
      pane->Attach(child);
      result = TRUE;
      return;
    }
    auto* pane = reinterpret_cast<PicturePane*>(GetWindowLongPtrA(child, DWLP_USER));
    if (pane && pane->child_ == child) result = pane->Handle(message, wParam, lParam);
  });
  return result;
}

void PicturePane::Attach(HWND child) {
  child_ = child;
  ready_ = false;
  caption_ = GetDlgItem(child, IDC_PANE_CAPTION);
  previewButton_ = GetDlgItem(child, IDC_PANE_PREVIEW);
  area_.Attach(GetDlgItem(child, IDC_PANE_AREA));
  SetShownText(caption_, kNoPictureCaption);

  glyph_ = MagnifierIcon();
  if (glyph_)
    SendMessageA(previewButton_, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(glyph_.Get()));

  tooltip_ = CreateTextWindow(WS_EX_TOPMOST, TOOLTIPS_CLASSA, MixedText(), WS_POPUP | TTS_ALWAYSTIP,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, child,
                              nullptr, nullptr);
  if (tooltip_ && IsWideWindow(tooltip_)) {
    WideString tip = MixedText(kPreviewTip).Wide();
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = child;
    tool.uId = reinterpret_cast<UINT_PTR>(previewButton_);
    tool.lpszText = &tip[0];
    SendWideMessage(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  } else if (tooltip_) {
    TOOLINFOA tool{};
    // The first layout of the structure: every common-controls library takes it.
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = child;
    tool.uId = reinterpret_cast<UINT_PTR>(previewButton_);
    tool.lpszText = const_cast<char*>(kPreviewTip);
    SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  }
  ShowPicture(nullptr);

  if (DisplayPalette()) {
    HWND dialog = GetParent(child);
    const auto original = reinterpret_cast<HANDLE>(GetWindowLongPtrA(dialog, GWLP_WNDPROC));
    if (SetPropA(dialog, kPaneProperty, this) && SetPropA(dialog, kDialogProcProperty, original)) {
      dialog_ = dialog;
      SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DialogProc));
    } else {
      RemovePropA(dialog, kPaneProperty);
    }
  }
}

LRESULT CALLBACK PicturePane::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto original = reinterpret_cast<WNDPROC>(GetPropA(dialog, kDialogProcProperty));
  if (!original) return DefWindowProcA(dialog, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    RemovePropA(dialog, kPaneProperty);
    RemovePropA(dialog, kDialogProcProperty);
    SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
  } else if (auto* pane = static_cast<PicturePane*>(GetPropA(dialog, kPaneProperty))) {
    LRESULT result = 0;
    bool handled = false;
    if (pane->area_.Handle()) {
      Guarded([&] {
        handled = HandlePaletteMessage(dialog, pane->area_.Handle(), message, wParam, result);
      });
    }
    if (handled) return result;
  }
  return CallWindowProcA(original, dialog, message, wParam, lParam);
}

void PicturePane::Detach() {
  // The procedure stays in front until the dialog goes; it only forgets the pane.
  if (dialog_ && IsWindow(dialog_)) RemovePropA(dialog_, kPaneProperty);
  dialog_ = nullptr;
  preview_.reset();
  if (tooltip_ && IsWindow(tooltip_)) DestroyWindow(tooltip_);
  tooltip_ = nullptr;
  area_.Detach();
  child_ = caption_ = previewButton_ = nullptr;
}

UINT_PTR PicturePane::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NOTIFY:
      switch (reinterpret_cast<NMHDR*>(lParam)->code) {
        case CDN_INITDONE:
          Layout();
          PostMessageA(child_, kPaneReady, 0, 0);
          break;
        case CDN_SELCHANGE:
          if (ready_) SelectionChanged();
          break;
        case CDN_FOLDERCHANGE:
          // A new folder comes with nothing selected in it.
          if (ready_) ShowPicture(nullptr);
          break;
      }
      return 0;
    case kPaneReady:
      ready_ = true;
      return TRUE;
    case WM_SIZE:
      Layout();
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_PANE_PREVIEW && HIWORD(wParam) == BN_CLICKED) {
        OpenPreview();
        return TRUE;
      }
      return 0;
    case WM_DESTROY:
      Detach();
      return 0;
  }
  return 0;
}

void PicturePane::Layout() {
  // Beside the file list, from the "look in" line down to the list's bottom,
  // however the open dialog has been sized.
  HWND dialog = GetParent(child_);
  HWND list = FindWindowExA(dialog, nullptr, "SHELLDLL_DefView", nullptr);
  if (!list) list = GetDlgItem(dialog, lst1);
  HWND lookIn = GetDlgItem(dialog, cmb2);
  if (!list || !lookIn || !caption_ || !previewButton_ || !area_.Handle()) return;
  RECT listRect = RectIn(list, child_);
  RECT lookInRect = RectIn(lookIn, child_);
  RECT client;
  GetClientRect(child_, &client);
  RECT units{kGap, kGap, kButtonWidth, kButtonHeight};
  MapDialogRect(child_, &units);
  const int gap = units.left;
  const int buttonWidth = units.right;
  const int buttonHeight = units.bottom;
  const int left = listRect.right + gap;
  const int right = client.right - gap;
  if (right - left < 2 * buttonWidth) return;

  const int lineTop = lookInRect.top + (lookInRect.bottom - lookInRect.top - buttonHeight) / 2;
  const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  SetWindowPos(previewButton_, nullptr, right - buttonWidth, lineTop, buttonWidth, buttonHeight,
               flags);
  SetWindowPos(caption_, nullptr, left, lineTop, right - buttonWidth - gap - left, buttonHeight,
               flags);
  SetWindowPos(area_.Handle(), nullptr, left, listRect.top, right - left,
               listRect.bottom - listRect.top, flags);
}

void PicturePane::SelectionChanged() {
  std::string path = SelectedPath(GetParent(child_));
  std::unique_ptr<Picture> picture;
  if (!path.empty() && FileExists(path)) {
    try {
      picture = LoadPictureFile(path);
    } catch (const std::exception&) {
      // Not a picture: the pane says there is none.
    }
  }
  ShowPicture(std::move(picture));
}

void PicturePane::ShowPicture(std::unique_ptr<Picture> picture) {
  const bool any = picture != nullptr;
  std::string caption =
      any ? Format(" (%dx%d)", picture->Width(), picture->Height()) : kNoPictureCaption;
  area_.Show(std::make_shared<PictureView>(std::move(picture)));
  if (caption_) SetShownText(caption_, MixedText(caption));
  if (previewButton_) EnableWindow(previewButton_, any ? TRUE : FALSE);
}

void PicturePane::OpenPreview() {
  if (!area_.View()->HasPicture()) return;
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(child_, WM_GETFONT, 0, 0));
  preview_.reset();
  preview_ = std::make_unique<PreviewWindow>(GetParent(child_), area_.View(), font);
  preview_->Show();
}

}  // namespace zarumo
