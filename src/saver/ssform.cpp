#include "saver/ssform.h"

#include <windowsx.h>

#include <cstring>

#include "app/password_services.h"
#include "app/process_values.h"
#include "forms/application.h"
#include "forms/failure.h"
#include "resources/built_in_pictures.h"
#include "resources/ssform_layout.h"
#include "system/system_function.h"

namespace zarumo {
namespace {

using EnableImeProc = BOOL(WINAPI*)(HWND, BOOL);

bool IsPreview() { return PreviewParent != nullptr; }

}  // namespace

std::vector<std::unique_ptr<PictureHolder>> TScreenSaverForm::BuildHolders() {
  const SaverFormLayout& layout = ScreenSaverFormLayout();
  std::vector<std::unique_ptr<PictureHolder>> holders;
  for (std::size_t i = 0; i < layout.holderCount; ++i) {
    const HolderData& data = layout.holders[i];
    auto holder = std::make_unique<PictureHolder>(data.layout);
    holder->SetPicture(LoadBuiltInPicture(data.picture));
    holders.push_back(std::move(holder));
  }
  return holders;
}

PictureHolder& TScreenSaverForm::Holder(const char* name) {
  for (auto& holder : holders_) {
    if (holder->Name() == name) return *holder;
  }
  throw Failure(std::string("missing component ") + name);
}

TScreenSaverForm::TScreenSaverForm()
    : holders_(BuildHolders()),
      Image0(Holder("Image0")),
      Image2(Holder("Image2")),
      Image3(Holder("Image3")),
      Image4(Holder("Image4")),
      Image5(Holder("Image5")),
      Image6(Holder("Image6")),
      Timer1(ScreenSaverFormLayout().timer.interval, [this] { Timer1Timer(); }) {
  Timer1.SetEnabled(ScreenSaverFormLayout().timer.enabled);
  Guarded([this] { FormCreate(); });
}

TScreenSaverForm::~TScreenSaverForm() {
  Timer1.SetEnabled(false);
  SetSaverRunning(false);
}

void TScreenSaverForm::FormCreate() {
  LastMouseX = -1;
  LastMouseY = -1;
  if (IsPreview()) {
    RECT rect{};
    if (GetWindowRect(PreviewParent, &rect)) {
      width_ = rect.right - rect.left;
      height_ = rect.bottom - rect.top;
    }
  } else {
    width_ = GetSystemMetrics(SM_CXSCREEN);
    height_ = GetSystemMetrics(SM_CYSCREEN);
    ShowCursor(FALSE);
    OSVERSIONINFOA version;
    std::memset(&version, 0, sizeof version);
    version.dwOSVersionInfoSize = 148;
    if (!GetVersionExA(&version)) {
      // Without the platform the close query cannot decide; end quietly rather
      // than show a window with nothing on it.
      endedDuringCreation_ = true;
      ShowCursor(TRUE);
      return;
    }
    PlatformId = version.dwPlatformId;
  }
  setup();
  Timer1.SetEnabled(true);
}

void TScreenSaverForm::CreateParams(WindowParams& params) {
  params.className = "TScreenSaverForm";
  params.caption = ScreenSaverFormLayout().caption;
  params.style = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_MAXIMIZE;
  params.exStyle = WS_EX_CONTROLPARENT;
  params.classStyle = CS_DBLCLKS;
  params.cursor = LoadCursor(nullptr, IDC_ARROW);
  params.icon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
  params.x = 0;
  params.y = 0;
  params.width = width_;
  params.height = height_;
  if (!IsPreview()) {
    params.exStyle |= WS_EX_TOPMOST;
  } else {
    params.parent = PreviewParent;
    params.style = WS_CHILD | WS_VISIBLE | WS_DISABLED;
    params.classStyle = CS_PARENTDC;
  }
}

void TScreenSaverForm::FormShow() {
  ShowWindow(Application::Instance().Handle(), SW_HIDE);
  // On 9x the system must know a saver runs, or task switching walks around
  // the password asked on close.
  if (!IsPreview() && PlatformId != VER_PLATFORM_WIN32_NT) SetSaverRunning(true);
}

void TScreenSaverForm::SetSaverRunning(bool running) {
  if (running == saverRunningSet_) return;
  BOOL previous = FALSE;
  SystemParametersInfoA(SPI_SCREENSAVERRUNNING, running ? TRUE : FALSE, &previous, 0);
  saverRunningSet_ = running;
}

void TScreenSaverForm::FormKeyDown() { Close(); }

void TScreenSaverForm::FormMouseDown() { Close(); }

void TScreenSaverForm::FormMouseMove(int x, int y) {
  if (LastMouseX == -1 && LastMouseY == -1) {
    LastMouseX = x;
    LastMouseY = y;
    return;
  }
  if (x != LastMouseX || y != LastMouseY) Close();
}

bool TScreenSaverForm::FormCloseQuery() {
  if (IsPreview()) return true;
  if (PlatformId == VER_PLATFORM_WIN32_NT) return true;
  switch (ReadPasswordFlag()) {
    case PasswordFlag::kNoKey:
    case PasswordFlag::kAbsent:
    case PasswordFlag::kOff:
      return true;
    case PasswordFlag::kOn:
    case PasswordFlag::kMalformed:
      break;
  }
  ShowCursor(TRUE);
  if (VerifyScreenSaverPassword(Handle())) return true;
  LastMouseX = -1;
  LastMouseY = -1;
  ShowCursor(FALSE);
  return false;
}

void TScreenSaverForm::FormClose() {
  Timer1.SetEnabled(false);
  ShowCursor(TRUE);
  SetSaverRunning(false);
}

void TScreenSaverForm::WindowLost() {
  // The preview window took this child with it: nobody is left to look.
  Timer1.SetEnabled(false);
  if (Application::Instance().MainForm() == this) Application::Instance().Terminate();
}

void TScreenSaverForm::SetInputMethod(bool enabled) {
  if (!GetSystemMetrics(SM_DBCSENABLED)) return;
  auto enableIme = SystemFunction<EnableImeProc>("USER32", "WINNLSEnableIME");
  if (enableIme) enableIme(Handle(), enabled ? TRUE : FALSE);
}

void TScreenSaverForm::PaintLayout(HDC dc) {
  for (auto& holder : holders_) {
    if (holder->Visible()) holder->Paint(dc);
  }
}

bool TScreenSaverForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = 0;
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      FormKeyDown();
      return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_XBUTTONDBLCLK:
      FormMouseDown();
      return true;
    case WM_MOUSEMOVE:
      FormMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return true;
    case WM_SYSCOMMAND:
      if (wParam == SC_SCREENSAVE) {
        result = 1;
        return true;
      }
      return false;
    case WM_SETFOCUS:
      SetInputMethod(false);
      return false;
    case WM_KILLFOCUS:
      SetInputMethod(true);
      return false;
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(Handle(), &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client,
               static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      result = 1;
      return true;
    }
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(Handle(), &paint);
      try {
        PaintLayout(dc);
      } catch (...) {
        EndPaint(Handle(), &paint);
        throw;
      }
      EndPaint(Handle(), &paint);
      return true;
    }
    default:
      return Form::HandleMessage(message, wParam, lParam, result);
  }
}

}  // namespace zarumo
