// The entry's own steps: choose the mode and run it to its end.
#include "app/entry.h"

#include <windows.h>

#include <cstdint>
#include <new>

#include "app/command_line.h"
#include "forms/application.h"
#include "saver/saver_window.h"
#include "setup/setup_dialog.h"
#include "system/executable_path.h"
#include "system/failure.h"
#include "system/password_services.h"
#include "system/system_text.h"
#include "text/message_text.h"
#include "text/path_delimiter.h"

namespace zarumo {
namespace {

// The second argument as a window handle; 0 for anything that does not convert.
HWND HandleArgument(const CommandLine& commandLine) {
  try {
    std::int32_t value = 0;
    if (!ParseWindowHandle(commandLine.Argument(2), value)) return nullptr;
    return reinterpret_cast<HWND>(static_cast<std::intptr_t>(value));
  } catch (...) {
    return nullptr;
  }
}

void HideApplicationWindow() { ShowWindow(Application::Instance().Handle(), SW_HIDE); }

// Show mode without a preview window, preview mode with one.
int RunSaverWindow(HWND previewWindow) {
  Application& application = Application::Instance();
  // Failures above a full-screen top-most window must not hide behind it.
  application.SetFailureBoxOnTop(!previewWindow);
  SaverWindow window(previewWindow);
  if (window.EndedDuringCreation()) return 0;
  application.SetMainForm(&window);
  window.Show();
  application.Run();
  return 0;
}

}  // namespace

int RunEntry() {
  const CommandLine commandLine(GetCommandLineA(), SystemLeadBytes());
  switch (ModeFor(ModeSwitchFor(commandLine))) {
    case Mode::kChangePassword:
      HideApplicationWindow();
      ChangeScreenSaverPassword(HandleArgument(commandLine));
      return 0;
    case Mode::kConfigure: {
      HideApplicationWindow();
      SetupDialog dialog;
      dialog.ShowModal();
      return 0;
    }
    case Mode::kPreview:
      HideApplicationWindow();
      return RunSaverWindow(HandleArgument(commandLine));
    case Mode::kShow:
      break;
  }
  return RunSaverWindow(nullptr);
}

int ReportEscapedFailure() noexcept {
  try {
    std::string kind = "Exception";
    std::string message;
    const void* address = nullptr;
    try {
      throw;
    } catch (const std::bad_alloc&) {
      const SystemFailure failure = MemoryFailure();
      kind = failure.Kind();
      message = failure.Message();
    } catch (const Failure& failure) {
      kind = failure.Kind();
      message = failure.Message();
      address = failure.Address();
    } catch (const std::exception& failure) {
      message = failure.what();
    } catch (...) {
    }
    std::string text = TopLevelErrorText(kind, FileNamePart(ExecutablePath(), SystemLeadBytes()),
                                         address, message, SystemLeadBytes());
    MessageBoxA(nullptr, text.c_str(), "アプリケーション エラー",
                MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_TOPMOST);
  } catch (...) {
  }
  return 1;
}

}  // namespace zarumo
