// A control of the setup dialog: a label, an edit field or a push button.
#include "setup/setup_control.h"

#include "system/handles.h"
#include "system/system_text.h"
#include "system/window_text.h"

namespace zarumo {
namespace {

SIZE LabelExtent(HWND window, HFONT font, const MixedText& text) {
  SIZE size{0, 0};
  WindowDc dc(window);
  if (!dc.Get()) return size;
  Selection selection(dc.Get(), font);
  // An empty label still has the height of a line.
  const bool empty = text.Ansi().empty();
  size = TextExtent(dc.Get(), empty ? MixedText(" ") : text);
  if (empty) size.cx = 0;
  return size;
}

}  // namespace

MixedText SetupControl::Text() const {
  if (!window_) return text_;
  MixedText shown = ShownTextOf(window_);
  // Unchanged since it was given, a field gives back the whole text, however
  // long: a control may hold less than a settings line.
  return SameShownText(shown, shown_) ? text_ : shown;
}

void SetupControl::SetText(const MixedText& text) {
  text_ = text;
  if (!window_) return;
  if (!SetShownText(window_, text)) RaiseLastError();
  shown_ = ShownTextOf(window_);
}

void SetupControl::Create(HWND parent, int id, HFONT font, const LayoutScale& scale) {
  const char* className = "STATIC";
  DWORD style = WS_CHILD | WS_VISIBLE;
  DWORD exStyle = 0;
  switch (data_.kind) {
    case ControlKind::kLabel:
      style |= SS_LEFT | SS_NOPREFIX;
      break;
    case ControlKind::kEdit:
      className = "EDIT";
      style |= WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
      exStyle |= WS_EX_CLIENTEDGE;
      break;
    case ControlKind::kButton:
      className = "BUTTON";
      style |= WS_TABSTOP | BS_PUSHBUTTON;
      break;
  }
  int width = scale.Length(data_.width);
  int height = scale.Length(data_.height);
  if (data_.kind == ControlKind::kLabel) {
    SIZE extent = LabelExtent(parent, font, text_);
    width = extent.cx;
    height = extent.cy;
  }
  SetLastError(0);
  // A field gets its text once its limit is raised: as a creation title a
  // long text would be cut.
  const bool field = data_.kind == ControlKind::kEdit;
  window_ = CreateTextWindow(exStyle, className, field ? MixedText() : text_, style,
                             scale.Length(data_.left), scale.Length(data_.top), width, height,
                             parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr);
  if (!window_) RaiseLastError(ERROR_INVALID_WINDOW_HANDLE);
  id_ = id;
  SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (field) {
    // As much as the system's edit control can hold.
    SendMessageA(window_, EM_LIMITTEXT, 0, 0);
    SetText(text_);
  }
}

}  // namespace zarumo
