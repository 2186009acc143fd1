// The saver window.
#include "saver/saver_window.h"

#include <windowsx.h>

#include <cstring>

#include "forms/application.h"
#include "saver/cover_areas.h"
#include "system/display_monitors.h"
#include "system/failure.h"
#include "system/handles.h"
#include "system/password_services.h"
#include "system/system_function.h"
#include "system/system_text.h"

namespace zarumo {
namespace {

using EnableImeProc = BOOL(WINAPI*)(HWND, BOOL);

// The size GetVersionExA is told its structure has: the plain one, which every system takes.
constexpr DWORD kVersionInfoSize = sizeof(OSVERSIONINFOA);

// The window's one timer; the id only tells its messages from the system's own.
constexpr UINT_PTR kTickTimerId = 1;

}  // namespace

SaverWindow::SaverWindow(HWND previewWindow) : previewWindow_(previewWindow) {
  Guarded([this] { PrepareBeforeWindow(); });
}

SaverWindow::~SaverWindow() {
  StopTicks();
  SetSaverRunning(false);
}

void SaverWindow::PrepareBeforeWindow() {
  mouseBaseline_ = {-1, -1};
  if (Previewing()) {
    RECT rect{};
    if (GetWindowRect(previewWindow_, &rect)) {
      width_ = rect.right - rect.left;
      height_ = rect.bottom - rect.top;
    }
  } else {
    width_ = GetSystemMetrics(SM_CXSCREEN);
    height_ = GetSystemMetrics(SM_CYSCREEN);
    ShowCursor(FALSE);
    OSVERSIONINFOA version;
    std::memset(&version, 0, sizeof version);
    version.dwOSVersionInfoSize = kVersionInfoSize;
    if (!GetVersionExA(&version)) {
      // Without the platform the close query cannot decide; end quietly rather
      // than show a window with nothing on it.
      endedDuringCreation_ = true;
      ShowCursor(TRUE);
      return;
    }
    platformId_ = version.dwPlatformId;
  }
  scene_.Compose();
  // The timer itself starts with the window, on WM_CREATE.
  ticking_ = true;
}

void SaverWindow::StopTicks() {
  if (ticking_ && Handle()) KillTimer(Handle(), kTickTimerId);
  ticking_ = false;
}

void SaverWindow::Tick() {
  scene_.MoveTicker();
  if (Handle()) scene_.Present(Handle());
}

void SaverWindow::CreateParams(WindowParams& params) {
  params.className = "TScreenSaverForm";
  params.caption = SaverLayout().caption;
  params.style = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_MAXIMIZE;
  params.exStyle = WS_EX_CONTROLPARENT;
  params.classStyle = CS_DBLCLKS;
  params.cursor = LoadCursor(nullptr, IDC_ARROW);
  params.icon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
  params.x = 0;
  params.y = 0;
  params.width = width_;
  params.height = height_;
  if (!Previewing()) {
    params.exStyle |= WS_EX_TOPMOST;
  } else {
    params.parent = previewWindow_;
    params.style = WS_CHILD | WS_VISIBLE | WS_DISABLED;
    params.classStyle = CS_PARENTDC;
  }
}

void SaverWindow::FormShow() {
  // On 9x the system must know a saver runs, or task switching walks around
  // the password asked on close.
  if (!Previewing() && platformId_ != VER_PLATFORM_WIN32_NT) SetSaverRunning(true);
  // Without its covers the saver still covers the primary monitor.
  if (!Previewing()) Guarded([this] { ArrangeCovers(); });
}

void SaverWindow::ArrangeCovers() {
  std::vector<Rect> monitors;
  for (const RECT& m : DisplayMonitors())
    monitors.push_back({m.left, m.top, m.right - m.left, m.bottom - m.top});
  const std::vector<Rect> areas = CoverAreas(monitors, {0, 0, width_, height_});
  if (covers_.size() > areas.size()) covers_.resize(areas.size());
  for (size_t i = 0; i < areas.size(); ++i) {
    const RECT area = {areas[i].left, areas[i].top, areas[i].Right(), areas[i].Bottom()};
    if (i < covers_.size()) {
      covers_[i]->MoveTo(area);
      continue;
    }
    covers_.push_back(std::make_unique<CoverWindow>(
        area, CoverWindow::Saver{[this] { Close(); }, [this](POINT at) { OnMouseMove(at); }}));
    covers_.back()->Show();
  }
}

void SaverWindow::SetSaverRunning(bool running) {
  if (running == saverRunningSet_) return;
  BOOL previous = FALSE;
  SystemParametersInfoA(SPI_SCREENSAVERRUNNING, running ? TRUE : FALSE, &previous, 0);
  saverRunningSet_ = running;
}

void SaverWindow::OnMouseMove(POINT screen) {
  // The first movement only records where the pointer is; any other point ends the saver.
  if (mouseBaseline_.x == -1 && mouseBaseline_.y == -1) {
    mouseBaseline_ = screen;
    return;
  }
  if (screen.x != mouseBaseline_.x || screen.y != mouseBaseline_.y) Close();
}

bool SaverWindow::FormCloseQuery() {
  if (Previewing()) return true;
  if (platformId_ == VER_PLATFORM_WIN32_NT) return true;
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
  mouseBaseline_ = {-1, -1};
  ShowCursor(FALSE);
  return false;
}

void SaverWindow::FormClose() {
  StopTicks();
  ShowCursor(TRUE);
  SetSaverRunning(false);
}

void SaverWindow::WindowLost() {
  // The preview window took this child with it, and its timer.
  ticking_ = false;
  if (Application::Instance().MainForm() == this) Application::Instance().Terminate();
}

void SaverWindow::SetInputMethod(bool enabled) {
  if (!GetSystemMetrics(SM_DBCSENABLED)) return;
  auto enableIme = SystemFunction<EnableImeProc>("USER32", "WINNLSEnableIME");
  if (enableIme) enableIme(Handle(), enabled ? TRUE : FALSE);
}

bool SaverWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = 0;
  if (IsEndingInput(message)) {
    Close();
    return true;
  }
  switch (message) {
    case WM_MOUSEMOVE:
      // The window lies at the screen's origin: its client points are screen points.
      OnMouseMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return true;
    case WM_CREATE:
      if (ticking_ && !SetTimer(Handle(), kTickTimerId, kTickInterval, nullptr)) RaiseLastError();
      return false;
    case WM_TIMER:
      if (wParam != kTickTimerId) return false;
      // Ticks come through any loop on the thread, a failure box's included.
      if (ticking_ && !inTick_) {
        inTick_ = true;
        try {
          Tick();
        } catch (...) {
          Application::Instance().ShowCurrentFailure();
        }
        inTick_ = false;
      }
      return true;
    case WM_DISPLAYCHANGE:
      if (!Previewing()) ArrangeCovers();
      return false;
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
      // What the system asks to be repainted gets the holders at their stored
      // places; the scene reaches the screen only with the next tick, which
      // presents the whole composition stretched onto the window.
      WindowPaint paint(Handle());
      scene_.PaintLayout(paint.Dc());
      return true;
    }
    default:
      return Form::HandleMessage(message, wParam, lParam, result);
  }
}

}  // namespace zarumo
