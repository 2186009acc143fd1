// Windows seen from outside, and the driver's own.
#include "support/windows.h"

#include <string>
#include <utility>

#include "support/saver_process.h"

namespace wt {

namespace {

BOOL CALLBACK CollectChild(HWND child, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
  return TRUE;
}

}  // namespace

// The text of a control of another process, asked for as the control keeps it.
std::string ControlText(HWND control) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
    return "<no answer>";
  std::string text(length + 1, '\0');
  DWORD_PTR got = 0;
  SendMessageTimeoutA(control, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(&text[0]),
                      SMTO_ABORTIFHUNG, 5000, &got);
  text.resize(got);
  return text;
}

void SetControlText(HWND control, const std::string& text) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                      SMTO_ABORTIFHUNG, 5000, &result);
}

std::wstring Japanese(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  wide.resize(MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), &wide[0],
                                  static_cast<int>(wide.size())));
  return wide;
}

std::wstring WideWindowText(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
    return L"<no answer>";
  std::wstring text(length + 1, L'\0');
  DWORD_PTR got = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(&text[0]),
                      SMTO_ABORTIFHUNG, 5000, &got);
  text.resize(got);
  return text;
}

void SetWideControlText(HWND control, const std::wstring& text) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                      SMTO_ABORTIFHUNG, 5000, &result);
}

// The window that has the keyboard focus in the thread that owns `window`.
HWND FocusOf(HWND window) {
  DWORD thread = GetWindowThreadProcessId(window, nullptr);
  AttachThreadInput(GetCurrentThreadId(), thread, TRUE);
  HWND focus = GetFocus();
  AttachThreadInput(GetCurrentThreadId(), thread, FALSE);
  return focus;
}

void PostKey(HWND window, WPARAM key) {
  PostMessageA(window, WM_KEYDOWN, key, 1);
  PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}

std::vector<HWND> Descendants(HWND parent) {
  std::vector<HWND> found;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&found));
  return found;
}

HWND DescendantById(HWND parent, int id) {
  for (HWND child : Descendants(parent)) {
    if (GetDlgCtrlID(child) == id) return child;
  }
  return nullptr;
}

HWND DescendantByClass(HWND parent, const char* className) {
  for (HWND child : Descendants(parent)) {
    if (ClassName(child) == className) return child;
  }
  return nullptr;
}

RECT ClientRectOf(HWND control, HWND reference) {
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, reference, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

HWND CreateStandInWindow(const char* caption, int x, int y, int width, int height) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "StandIn";
  RegisterClassA(&wc);  // fails harmlessly from the second window on
  return CreateWindowExA(0, "StandIn", caption, WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, width,
                         height, nullptr, nullptr, wc.hInstance, nullptr);
}

PreviewHost::PreviewHost() : window_(CreateStandInWindow("preview", 50, 50, 220, 180)) {}

PreviewHost::~PreviewHost() {
  if (IsWindow(window_)) DestroyWindow(window_);
}

HWND PreviewHost::WaitChild(DWORD timeoutMs) const {
  DWORD start = GetTickCount();
  do {
    if (HWND child = FindWindowExA(window_, nullptr, kSaverClass, nullptr)) return child;
    Pump(20);
  } while (GetTickCount() - start < timeoutMs);
  return nullptr;
}

const char kSetupDialogClass[] = "TScrnSaveSetupDlg";

SetupDialog::SetupDialog(const Saver& saver) {
  window_ = saver.WaitTopWindow(kSetupDialogClass);
  if (!window_ || !WaitFor([this] { return IsWindowVisible(window_) != FALSE; })) {
    window_ = nullptr;
    return;
  }
  for (HWND child : Descendants(window_)) {
    std::string kind = ClassName(child);
    // Read wide, so that the dialog is found on any code page.
    const std::wstring text = WideWindowText(child);
    if (kind == "Edit") {
      (nameField ? wishField : nameField) = child;
    } else if (kind == "Button" && text == Japanese("参照")) {
      (nameBrowse ? wishBrowse : nameBrowse) = child;
    } else if (kind == "Button" && text == L"OK") {
      okButton = child;
    } else if (kind == "Button" && text == Japanese("キャンセル")) {
      cancelButton = child;
    } else if (kind == "Static") {
      labels.push_back(child);
    }
  }
  // The upper of each pair is the name picture's.
  if (nameField && wishField &&
      ClientRectOf(nameField, window_).top > ClientRectOf(wishField, window_).top)
    std::swap(nameField, wishField);
  if (nameBrowse && wishBrowse &&
      ClientRectOf(nameBrowse, window_).top > ClientRectOf(wishBrowse, window_).top)
    std::swap(nameBrowse, wishBrowse);
}

DWORD ClickAndWaitExit(const Saver& saver, HWND button) {
  PostMessageA(button, BM_CLICK, 0, 0);
  return ExitCodeAfter(saver);
}

}  // namespace wt
