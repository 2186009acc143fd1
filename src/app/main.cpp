// The executable's entry point: the whole program runs from here. It chooses
// the mode and runs it to its end; a failure that escapes gets the top-level box.
#include <windows.h>

#include <cstdint>

#include "app/app_title.h"
#include "app/command_line.h"
#include "forms/application.h"
#include "saver/saver_window.h"
#include "setup/setup_dialog.h"
#include "system/executable_path.h"
#include "system/failure.h"
#include "system/password_services.h"
#include "system/system_text.h"
#include "system/window_text.h"
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

// The top-level box's text; the module's name and the message may hold
// outside words, which marks stand for while the rest is formed.
MixedText TopLevelText(const std::string& kind, const void* address, const MixedText& message) {
  const std::string moduleName = FileNamePart(ExecutablePath(), SystemLeadBytes());
  const std::string text = TopLevelErrorText(kind, "\x01", address, "\x02", SystemLeadBytes());
  const std::size_t module = text.find('\x01');
  const std::size_t end = text.rfind('\x02');
  return MixedText(text.substr(0, module)) + MixedText::Outside(moduleName) +
         MixedText(text.substr(module + 1, end - module - 1)) + message +
         MixedText(text.substr(end + 1));
}

// Chooses the mode and runs it to its end; returns the exit code.
int RunEntry() {
  const CommandLine commandLine(GetCommandLineA(), SystemLeadBytes());
  // The owner window only owns, in every mode: it is never seen.
  ShowWindow(Application::Instance().Handle(), SW_HIDE);
  switch (ModeFor(ModeSwitchFor(commandLine))) {
    case Mode::kChangePassword:
      ChangeScreenSaverPassword(HandleArgument(commandLine));
      return 0;
    case Mode::kConfigure: {
      SetupDialog dialog;
      dialog.ShowModal();
      return 0;
    }
    case Mode::kPreview:
      return RunSaverWindow(HandleArgument(commandLine));
    case Mode::kShow:
      break;
  }
  return RunSaverWindow(nullptr);
}

// The top-level error box for a failure that escaped the entry; returns the exit code.
int ReportEscapedFailure() noexcept {
  ShowCaughtFailure([](const std::exception* failure, const void* address) {
    const auto* known = dynamic_cast<const Failure*>(failure);
    const std::string kind = known ? known->Kind() : "Exception";
    const MixedText message = failure ? ShownMessage(*failure) : MixedText();
    ShowMessageBox(nullptr, TopLevelText(kind, address, message), "アプリケーション エラー",
                   MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_TOPMOST);
  });
  return 1;
}

}  // namespace
}  // namespace zarumo

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  try {
    zarumo::Application& application = zarumo::Application::Instance();
    application.Initialize(
        instance, zarumo::ApplicationTitle(zarumo::ExecutablePath(), zarumo::SystemLeadBytes(),
                                           zarumo::LowerCaseBySystem));
    return zarumo::RunEntry();
  } catch (...) {
    return zarumo::ReportEscapedFailure();
  }
}
