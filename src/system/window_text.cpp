// The window functions that carry text, in one place.
#include "system/window_text.h"

#include "system/system_function.h"

namespace zarumo {
namespace {

// The wide form of a function where texts are shown wide; null elsewhere, and
// on a system that lacks it, where the ANSI form then serves.
template <typename Function>
Function WideFunction(const char* module, const char* name) {
  return ShowsTextWide() ? SystemFunction<Function>(module, name) : nullptr;
}

WideString AsciiWide(const char* text) {
  return WideString(text, text + std::char_traits<char>::length(text));
}

}  // namespace

HWND CreateTextWindow(DWORD exStyle, const char* className, const MixedText& caption, DWORD style,
                      int x, int y, int width, int height, HWND parent, HMENU menu, void* param) {
  using Proc = HWND(WINAPI*)(DWORD, LPCWSTR, LPCWSTR, DWORD, int, int, int, int, HWND, HMENU,
                             HINSTANCE, LPVOID);
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (auto create = WideFunction<Proc>("USER32", "CreateWindowExW")) {
    return create(exStyle, AsciiWide(className).c_str(), caption.Wide().c_str(), style, x, y, width,
                  height, parent, menu, instance, param);
  }
  return CreateWindowExA(exStyle, className, caption.Ansi().c_str(), style, x, y, width, height,
                         parent, menu, instance, param);
}

ATOM RegisterTextWindowClass(const WNDCLASSA& wc) {
  using Proc = ATOM(WINAPI*)(const WNDCLASSW*);
  if (auto registerClass = WideFunction<Proc>("USER32", "RegisterClassW")) {
    const WideString name = AsciiWide(wc.lpszClassName);
    WNDCLASSW wide{};
    wide.style = wc.style;
    wide.lpfnWndProc = wc.lpfnWndProc;
    wide.cbClsExtra = wc.cbClsExtra;
    wide.cbWndExtra = wc.cbWndExtra;
    wide.hInstance = wc.hInstance;
    wide.hIcon = wc.hIcon;
    wide.hCursor = wc.hCursor;
    wide.hbrBackground = wc.hbrBackground;
    wide.lpszClassName = name.c_str();
    return registerClass(&wide);
  }
  return RegisterClassA(&wc);
}

LRESULT DefaultWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  using Proc = LRESULT(WINAPI*)(HWND, UINT, WPARAM, LPARAM);
  // Asked first: where texts are not shown wide this costs nothing per message.
  auto proc = WideFunction<Proc>("USER32", "DefWindowProcW");
  if (proc && IsWideWindow(window)) return proc(window, message, wParam, lParam);
  return DefWindowProcA(window, message, wParam, lParam);
}

bool IsWideWindow(HWND window) {
  // Windows 95 has no wide windows; the NT family has them on any code page.
  using Proc = BOOL(WINAPI*)(HWND);
  auto isUnicode = IsNineXFamily() ? nullptr : SystemFunction<Proc>("USER32", "IsWindowUnicode");
  return isUnicode && isUnicode(window);
}

LRESULT SendWideMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  using Proc = LRESULT(WINAPI*)(HWND, UINT, WPARAM, LPARAM);
  auto send = SystemFunction<Proc>("USER32", "SendMessageW");
  return send ? send(window, message, wParam, lParam) : 0;
}

BOOL SetShownText(HWND window, const MixedText& text) {
  using Proc = BOOL(WINAPI*)(HWND, LPCWSTR);
  if (auto set = WideFunction<Proc>("USER32", "SetWindowTextW"))
    return set(window, text.Wide().c_str());
  return SetWindowTextA(window, text.Ansi().c_str());
}

MixedText ShownTextOf(HWND window) {
  using LengthProc = int(WINAPI*)(HWND);
  using GetProc = int(WINAPI*)(HWND, LPWSTR, int);
  auto length = WideFunction<LengthProc>("USER32", "GetWindowTextLengthW");
  auto get = WideFunction<GetProc>("USER32", "GetWindowTextW");
  if (length && get) {
    const int size = length(window);
    WideString text(static_cast<std::size_t>(size > 0 ? size : 0) + 1, L'\0');
    const int got = get(window, &text[0], size + 1);
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    std::string ansi;
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                          nullptr, 0, nullptr, nullptr);
    if (bytes > 0) {
      ansi.resize(static_cast<std::size_t>(bytes));
      WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &ansi[0], bytes,
                          nullptr, nullptr);
    }
    return MixedText::Wide(text, ansi);
  }
  const int size = GetWindowTextLengthA(window);
  std::string text(static_cast<std::size_t>(size > 0 ? size : 0) + 1, '\0');
  const int got = GetWindowTextA(window, &text[0], size + 1);
  text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return MixedText::Outside(text);
}

bool SameShownText(const MixedText& a, const MixedText& b) {
  return ShowsTextWide() ? a.Wide() == b.Wide() : a.Ansi() == b.Ansi();
}

int ShowMessageBox(HWND owner, const MixedText& text, const MixedText& caption, UINT style) {
  using Proc = int(WINAPI*)(HWND, LPCWSTR, LPCWSTR, UINT);
  if (auto box = WideFunction<Proc>("USER32", "MessageBoxW"))
    return box(owner, text.Wide().c_str(), caption.Wide().c_str(), style);
  return MessageBoxA(owner, text.Ansi().c_str(), caption.Ansi().c_str(), style);
}

BOOL NextMessage(MSG& message) {
  using Proc = BOOL(WINAPI*)(LPMSG, HWND, UINT, UINT);
  if (auto get = WideFunction<Proc>("USER32", "GetMessageW")) return get(&message, nullptr, 0, 0);
  return GetMessageA(&message, nullptr, 0, 0);
}

void DispatchNextMessage(const MSG& message) {
  using Proc = LRESULT(WINAPI*)(const MSG*);
  TranslateMessage(&message);
  if (auto dispatch = WideFunction<Proc>("USER32", "DispatchMessageW")) {
    dispatch(&message);
    return;
  }
  DispatchMessageA(&message);
}

OwnedFont CreateTextFont(int height, int charset, const MixedText& face) {
  using Proc = HFONT(WINAPI*)(const LOGFONTW*);
  if (auto create = WideFunction<Proc>("GDI32", "CreateFontIndirectW")) {
    LOGFONTW font{};
    font.lfHeight = height;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = static_cast<BYTE>(charset);
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    const WideString name = face.Wide().substr(0, LF_FACESIZE - 1);
    name.copy(font.lfFaceName, name.size());
    return OwnedFont(create(&font));
  }
  return OwnedFont(CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                               static_cast<BYTE>(charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                               DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.Ansi().c_str()));
}

SIZE TextExtent(HDC dc, const MixedText& text) {
  using Proc = BOOL(WINAPI*)(HDC, LPCWSTR, int, LPSIZE);
  SIZE size{0, 0};
  if (auto extent = WideFunction<Proc>("GDI32", "GetTextExtentPoint32W")) {
    const WideString wide = text.Wide();
    extent(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size;
  }
  GetTextExtentPoint32A(dc, text.Ansi().c_str(), static_cast<int>(text.Ansi().size()), &size);
  return size;
}

void DrawShownText(HDC dc, const MixedText& text, RECT& area, UINT format) {
  using Proc = int(WINAPI*)(HDC, LPCWSTR, int, LPRECT, UINT);
  if (auto draw = WideFunction<Proc>("USER32", "DrawTextW")) {
    draw(dc, text.Wide().c_str(), -1, &area, format);
    return;
  }
  DrawTextA(dc, text.Ansi().c_str(), -1, &area, format);
}

}  // namespace zarumo
