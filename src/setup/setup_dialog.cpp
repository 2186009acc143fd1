// The configure-mode dialog that edits the settings file.
#include "setup/setup_dialog.h"

#include <algorithm>
#include <new>

#include "forms/application.h"
#include "settings/settings_file.h"
#include "system/failure.h"
#include "system/system_text.h"
#include "system/window_text.h"

namespace zarumo {
namespace {

// The first entry, selected, as it has always been; the second lists every
// kind the saver reads.
const char kPictureFilter[] =
    "画像 files (*.bmp,*.jpg)|*.BMP;*.JPG|"
    "すべての画像 (*.bmp,*.jpg,*.jpeg,*.png,*.gif,*.ico,*.wmf,*.emf)|"
    "*.BMP;*.JPG;*.JPEG;*.PNG;*.GIF;*.ICO;*.WMF;*.EMF";
const char kUnusableName[] = "このファイルは名前にこのシステムで扱えない文字があるため使えません。";
constexpr int kFirstControlId = 101;

// EnableWindow's "enable": all bits set, as the dialog has always passed it.
constexpr BOOL kEnable = -1;

OwnedFont CreateLayoutFont(int height) {
  const SetupDialogLayout& layout = SetupDialogLayoutData();
  // A negative height asks for the character height, without the internal leading.
  OwnedFont font = CreateTextFont(-height, layout.fontCharset, layout.fontName);
  if (!font) RaiseLastError();
  return font;
}

int ScreenDpi() {
  WindowDc screen(nullptr);
  int dpi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
  return dpi > 0 ? dpi : SetupDialogLayoutData().designDpi;
}

// The text height of a font: the height of a digit as the font draws it.
int DigitHeight(HFONT font) {
  WindowDc screen(nullptr);
  SIZE size{0, 0};
  if (screen.Get()) {
    Selection selection(screen.Get(), font);
    GetTextExtentPoint32A(screen.Get(), "0", 1, &size);
  }
  return size.cy > 0 ? size.cy : SetupDialogLayoutData().designTextHeight;
}

// A field as a line of the settings file, which is in the ANSI code page: a
// path with a character the code page lacks goes in its short form where the
// file has one.
std::string SettingsLine(const MixedText& field) {
  if (!ShowsTextWide()) return field.Ansi();
  const WideString text = field.Wide();
  return AnsiPathFor(text).value_or(Narrowed(text));
}

}  // namespace

SetupDialog::SetupDialog()
    : heading_(LayoutOf(ControlRole::kHeading)),
      nameLabel_(LayoutOf(ControlRole::kNameLabel)),
      nameBrowse_(LayoutOf(ControlRole::kNameBrowse)),
      wishBrowse_(LayoutOf(ControlRole::kWishBrowse)),
      okButton_(LayoutOf(ControlRole::kOk)),
      cancelButton_(LayoutOf(ControlRole::kCancel)),
      nameField_(LayoutOf(ControlRole::kNameField)),
      wishField_(LayoutOf(ControlRole::kWishField)),
      wishLabel_(LayoutOf(ControlRole::kWishLabel)) {
  const SetupDialogLayout& layout = SetupDialogLayoutData();
  const int dpi = ScreenDpi();
  font_ = CreateLayoutFont(LayoutScale::FontHeight(layout.fontHeight, dpi));
  labelFont_ = CreateLayoutFont(LayoutScale::FontHeight(layout.labelFontHeight, dpi));
  scale_ = LayoutScale(DigitHeight(font_.Get()));
  for (SetupControl* control :
       {&nameBrowse_, &wishBrowse_, &okButton_, &cancelButton_, &nameField_, &wishField_}) {
    tabOrder_.push_back(control);
  }
  std::sort(tabOrder_.begin(), tabOrder_.end(),
            [](SetupControl* a, SetupControl* b) { return a->TabOrder() < b->TabOrder(); });
  Guarded([this] { FillFields(); });
}

SetupDialog::~SetupDialog() {
  if (ownerWindow_) EnableWindow(ownerWindow_, kEnable);
}

void SetupDialog::FillFields() {
  PictureSettings settings;
  // What was read goes into the fields, so a failure on line 2 leaves line 1 in place.
  auto fill = [&] {
    if (settings.name) nameField_.SetText(ShownPicture(*settings.name));
    if (settings.wish) wishField_.SetText(ShownPicture(*settings.wish));
  };
  try {
    ReadPictureSettings(settings);
  } catch (const std::bad_alloc&) {
    // A line too long to hold: writing the fields back would cut it off.
    settingsTooLarge_ = true;
    fill();
    throw MemoryFailure();
  } catch (...) {
    fill();
    throw;
  }
  fill();
}

void SetupDialog::CreateParams(WindowParams& params) {
  const SetupDialogLayout& layout = SetupDialogLayoutData();
  params.className = "TScrnSaveSetupDlg";
  params.caption = layout.caption;
  params.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS;
  params.exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  params.cursor = LoadCursor(nullptr, IDC_ARROW);
  params.background = GetSysColorBrush(COLOR_BTNFACE);
  RECT rect{0, 0, scale_.Length(layout.clientWidth), scale_.Length(layout.clientHeight)};
  AdjustWindowRectEx(&rect, params.style, FALSE, params.exStyle);
  params.width = rect.right - rect.left;
  params.height = rect.bottom - rect.top;
  params.x = (GetSystemMetrics(SM_CXSCREEN) - params.width) / 2;
  params.y = (GetSystemMetrics(SM_CYSCREEN) - params.height) / 2;

  // Whoever started configure mode waits, disabled, until the dialog is gone.
  ownerWindow_ = GetForegroundWindow();
  params.parent = ownerWindow_;
  if (ownerWindow_) EnableWindow(ownerWindow_, FALSE);
}

void SetupDialog::CreateControls() {
  // Creation in tab order keeps the system's own idea of the order the same as ours.
  int id = kFirstControlId;
  for (SetupControl* control : tabOrder_) control->Create(Handle(), id++, font_.Get(), scale_);
  for (SetupControl* label : {&heading_, &nameLabel_, &wishLabel_})
    label->Create(Handle(), id++, labelFont_.Get(), scale_);

  // A fixed dialog can only be moved and closed.
  if (HMENU menu = GetSystemMenu(Handle(), FALSE)) {
    for (UINT command : {SC_RESTORE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE})
      DeleteMenu(menu, command, MF_BYCOMMAND);
  }
}

void SetupDialog::Browse(SetupControl& field) {
  openDialog_.SetFilter(kPictureFilter);
  switch (openDialog_.Execute(Handle())) {
    case OpenPictureDialog::Choice::kChosen:
      field.SetText(MixedText::Outside(openDialog_.FileName()));
      break;
    case OpenPictureDialog::Choice::kUnusable:
      ShowMessageBox(Handle(), kUnusableName, MixedText::Outside(Application::Instance().Title()),
                     MB_OK | MB_ICONWARNING);
      break;
    case OpenPictureDialog::Choice::kCancelled:
      break;
  }
}

void SetupDialog::Clicked(SetupControl& button) {
  if (&button == &nameBrowse_) {
    Browse(nameField_);
  } else if (&button == &wishBrowse_) {
    Browse(wishField_);
  } else if (&button == &okButton_) {
    // The result comes first: a failing write still closes the dialog with OK.
    SetModalResult(kModalOk);
    if (!settingsTooLarge_)
      WriteSettings(SettingsLine(nameField_.Text()), SettingsLine(wishField_.Text()));
  } else if (&button == &cancelButton_) {
    SetModalResult(kModalCancel);
  }
}

SetupControl* SetupDialog::ControlOf(HWND window) {
  if (!window) return nullptr;
  for (SetupControl* control : {&heading_, &nameLabel_, &nameBrowse_, &wishBrowse_, &okButton_,
                                &cancelButton_, &nameField_, &wishField_, &wishLabel_}) {
    if (control->Handle() == window) return control;
  }
  return nullptr;
}

void SetupDialog::MoveFocus(bool backwards) {
  const int count = static_cast<int>(tabOrder_.size());
  if (count == 0) return;
  HWND focus = GetFocus();
  int current = -1;
  for (int i = 0; i < count; ++i) {
    if (tabOrder_[i]->Handle() == focus) current = i;
  }
  for (int step = 1; step <= count; ++step) {
    int index;
    if (current < 0) {
      index = backwards ? count - step : step - 1;
    } else {
      index = ((current + (backwards ? -step : step)) % count + count) % count;
    }
    HWND next = tabOrder_[index]->Handle();
    if (next && IsWindowVisible(next) && IsWindowEnabled(next)) {
      SetFocus(next);
      // As in any dialog, a field reached by Tab has its whole text selected.
      if (tabOrder_[index]->Kind() == ControlKind::kEdit) SendMessageA(next, EM_SETSEL, 0, -1);
      return;
    }
  }
}

void SetupDialog::RestoreFocus() {
  HWND target = lastFocus_;
  if (!target || !IsWindow(target) || !IsChild(Handle(), target) || !IsWindowEnabled(target)) {
    target = tabOrder_.empty() ? nullptr : tabOrder_.front()->Handle();
  }
  if (target) SetFocus(target);
}

bool SetupDialog::PreTranslate(MSG& message) {
  HWND window = Handle();
  if (!window || (message.hwnd != window && !IsChild(window, message.hwnd))) return false;
  if (message.message == WM_KEYDOWN) {
    switch (message.wParam) {
      case VK_TAB:
        if (GetKeyState(VK_CONTROL) < 0) return false;
        MoveFocus(GetKeyState(VK_SHIFT) < 0);
        return true;
      case VK_RETURN: {
        // Enter presses a button only while that button has the focus.
        HWND focus = GetFocus();
        SetupControl* control = ControlOf(focus);
        if (control && control->Kind() == ControlKind::kButton)
          SendMessageA(window, WM_COMMAND, MAKEWPARAM(control->Id(), BN_CLICKED),
                       reinterpret_cast<LPARAM>(focus));
        return true;
      }
      case VK_ESCAPE:
        // Escape does nothing: no button is the dialog's cancel button.
        return true;
    }
  } else if (message.message == WM_CHAR) {
    switch (message.wParam) {
      case '\t':
      case '\r':
      case '\n':
      case 0x1B:
        return true;
    }
  }
  return false;
}

bool SetupDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = 0;
  switch (message) {
    case WM_CREATE:
      CreateControls();
      return true;
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED && lParam) {
        SetupControl* control = ControlOf(reinterpret_cast<HWND>(lParam));
        if (control && control->Kind() == ControlKind::kButton) {
          Clicked(*control);
          return true;
        }
      }
      break;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(Handle(), focus)) lastFocus_ = focus;
      } else if (!HIWORD(wParam)) {
        RestoreFocus();
      }
      return true;
    case WM_SETFOCUS:
      RestoreFocus();
      return true;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT: {
      // Black text, as the layout asks, whatever the system's colours.
      HDC dc = reinterpret_cast<HDC>(wParam);
      const int background = message == WM_CTLCOLORSTATIC ? COLOR_BTNFACE : COLOR_WINDOW;
      SetTextColor(dc, RGB(0, 0, 0));
      SetBkColor(dc, GetSysColor(background));
      result = reinterpret_cast<LRESULT>(GetSysColorBrush(background));
      return true;
    }
  }
  return Form::HandleMessage(message, wParam, lParam, result);
}

}  // namespace zarumo
